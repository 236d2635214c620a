#ifndef _VELMORA_CANVAS_H
#define _VELMORA_CANVAS_H

#include <memory>

#include <cairo.h>

#include <SupportDefs.h>

class BBitmap;

// A picture being drawn: a transparent ARGB32 cairo surface of a fixed size
// with its drawing context. Coordinates are cairo's: pixel edges lie on
// whole numbers, so a one-pixel line runs through half-pixel positions.
class Canvas {
public:
	Canvas(int width, int height);
	~Canvas();
	Canvas(const Canvas&) = delete;
	Canvas& operator=(const Canvas&) = delete;

	bool IsValid() const;
	int Width() const { return fWidth; }
	int Height() const { return fHeight; }
	cairo_t* Context() const { return fContext; }
	cairo_surface_t* Surface() const { return fSurface; }

	// The pixels as a B_RGBA32 bitmap (not premultiplied); null on failure.
	std::unique_ptr<BBitmap> ToBitmap() const;

private:
	int fWidth;
	int fHeight;
	cairo_surface_t* fSurface;
	cairo_t* fContext;
};

#endif

#ifndef _VELMORA_BITMAP_SURFACE_H
#define _VELMORA_BITMAP_SURFACE_H

#include <cairo.h>

#include <Bitmap.h>
#include <Region.h>

namespace BPrivate {

// How a bitmap's alpha byte reaches the screen.
enum class BitmapAlpha {
	kOpaque,  // ignored: every pixel covers what is below it (B_OP_COPY)
	kBlend    // blended; B_RGB32 pixels of B_TRANSPARENT_COLOR are clear
};

// A cairo surface with the pixels of an area of a bitmap, in the form cairo
// draws: premultiplied by alpha. Opaque pixels are premultiplied already,
// so kOpaque shares the bitmap's memory (valid while the bitmap lives and
// its bits stay put); kBlend converts a copy.
class BitmapSurface {
public:
	BitmapSurface(const BBitmap* bitmap, clipping_rect area, BitmapAlpha alpha);
	~BitmapSurface();
	BitmapSurface(const BitmapSurface&) = delete;
	BitmapSurface& operator=(const BitmapSurface&) = delete;

	// Null when the bitmap is invalid or the area lies outside it.
	cairo_surface_t* Surface() const { return fSurface; }

	// A B_RGBA32 bitmap of an image surface's pixels, no longer
	// premultiplied; null on failure.
	static BBitmap* ToBitmap(cairo_surface_t* surface);
	// Writes PNG files; B_BAD_VALUE for a null or invalid input, B_ERROR
	// when the file cannot be written.
	static status_t WritePNG(cairo_surface_t* surface, const char* path);
	static status_t WritePNG(const BBitmap* bitmap, const char* path);

private:
	cairo_surface_t* fSurface = nullptr;
};

} // namespace BPrivate

#endif

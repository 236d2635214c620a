#ifndef _VELMORA_SURFACE_PIXELS_H
#define _VELMORA_SURFACE_PIXELS_H

#include <memory>
#include <ostream>

#include <cairo.h>

#include <GraphicsDefs.h>

// Reading and making cairo image surfaces in tests that look at pixels.
namespace Testing {

struct SurfaceDeleter {
	void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
typedef std::unique_ptr<cairo_surface_t, SurfaceDeleter> SurfacePointer;

// An ARGB32 surface filled with one opaque colour.
inline SurfacePointer MakeSurface(int width, int height, rgb_color fill)
{
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_t* context = cairo_create(surface);
	cairo_set_source_rgba(context, fill.red / 255.0, fill.green / 255.0, fill.blue / 255.0,
		fill.alpha / 255.0);
	cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
	cairo_paint(context);
	cairo_destroy(context);
	return SurfacePointer(surface);
}

// The colour at a pixel, no longer premultiplied.
inline rgb_color PixelAt(cairo_surface_t* surface, int x, int y)
{
	cairo_surface_flush(surface);
	const uint8* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	const uint8* pixel = data + y * stride + x * 4;
	uint8 alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24 ? 255 : pixel[3];
	auto channel = [alpha](uint8 value) {
		return alpha == 0 ? uint8(0) : uint8((value * 255 + alpha / 2) / alpha);
	};
	return rgb_color{channel(pixel[2]), channel(pixel[1]), channel(pixel[0]), alpha};
}

inline bool IsNear(rgb_color a, rgb_color b, int tolerance)
{
	auto near = [tolerance](int x, int y) { return x - y <= tolerance && y - x <= tolerance; };
	return near(a.red, b.red) && near(a.green, b.green) && near(a.blue, b.blue)
		&& near(a.alpha, b.alpha);
}

} // namespace Testing

inline std::ostream& operator<<(std::ostream& out, const rgb_color& color)
{
	return out << "rgb(" << int(color.red) << ", " << int(color.green) << ", " << int(color.blue)
		<< ", " << int(color.alpha) << ")";
}

#endif

#include "Canvas.h"

#include <Bitmap.h>
#include <interface_support/BitmapSurface.h>

Canvas::Canvas(int width, int height)
	:
	fWidth(width),
	fHeight(height),
	fSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
	fContext(cairo_create(fSurface))
{
}

Canvas::~Canvas()
{
	cairo_destroy(fContext);
	cairo_surface_destroy(fSurface);
}

bool Canvas::IsValid() const
{
	return cairo_surface_status(fSurface) == CAIRO_STATUS_SUCCESS
		&& cairo_status(fContext) == CAIRO_STATUS_SUCCESS;
}

std::unique_ptr<BBitmap> Canvas::ToBitmap() const
{
	if (!IsValid())
		return nullptr;
	cairo_surface_flush(fSurface);
	return std::unique_ptr<BBitmap>(BPrivate::BitmapSurface::ToBitmap(fSurface));
}

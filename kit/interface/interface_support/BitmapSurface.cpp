#include "BitmapSurface.h"

#include <algorithm>

namespace BPrivate {

namespace {

inline uint8 Premultiplied(uint8 value, uint8 alpha)
{
	return static_cast<uint8>((value * alpha + 127) / 255);
}

inline uint8 Unpremultiplied(uint8 value, uint8 alpha)
{
	return static_cast<uint8>(std::min(255, (value * 255 + alpha / 2) / alpha));
}

bool IsTransparentMagic(const uint8* pixel)
{
	return pixel[0] == B_TRANSPARENT_COLOR.blue && pixel[1] == B_TRANSPARENT_COLOR.green
		&& pixel[2] == B_TRANSPARENT_COLOR.red;
}

void PremultiplyRow(const uint8* source, uint8* target, int32 width, bool hasAlpha)
{
	for (int32 x = 0; x < width; x++, source += 4, target += 4) {
		uint8 alpha = hasAlpha ? source[3] : (IsTransparentMagic(source) ? 0 : 255);
		target[0] = Premultiplied(source[0], alpha);
		target[1] = Premultiplied(source[1], alpha);
		target[2] = Premultiplied(source[2], alpha);
		target[3] = alpha;
	}
}

} // namespace

BitmapSurface::BitmapSurface(const BBitmap* bitmap, clipping_rect area, BitmapAlpha alpha)
{
	if (bitmap == nullptr || !bitmap->IsValid())
		return;
	BRect bounds = bitmap->Bounds();
	area.left = std::max<int32>(area.left, 0);
	area.top = std::max<int32>(area.top, 0);
	area.right = std::min<int32>(area.right, bounds.right);
	area.bottom = std::min<int32>(area.bottom, bounds.bottom);
	if (area.right < area.left || area.bottom < area.top)
		return;
	int32 width = area.right - area.left + 1;
	int32 height = area.bottom - area.top + 1;
	int32 rowBytes = bitmap->BytesPerRow();
	uint8* first = static_cast<uint8*>(bitmap->Bits()) + static_cast<size_t>(area.top) * rowBytes
		+ area.left * 4;

	if (alpha == BitmapAlpha::kOpaque) {
		// RGB24 surfaces ignore the fourth byte, which is all kOpaque asks.
		fSurface = cairo_image_surface_create_for_data(first, CAIRO_FORMAT_RGB24, width, height,
			rowBytes);
		return;
	}
	fSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	if (cairo_surface_status(fSurface) != CAIRO_STATUS_SUCCESS)
		return;
	uint8* target = cairo_image_surface_get_data(fSurface);
	int32 stride = cairo_image_surface_get_stride(fSurface);
	bool hasAlpha = bitmap->ColorSpace() == B_RGBA32;
	for (int32 y = 0; y < height; y++)
		PremultiplyRow(first + static_cast<size_t>(y) * rowBytes, target + static_cast<size_t>(y) * stride, width, hasAlpha);
	cairo_surface_mark_dirty(fSurface);
}

BitmapSurface::~BitmapSurface()
{
	if (fSurface != nullptr)
		cairo_surface_destroy(fSurface);
}

BBitmap* BitmapSurface::ToBitmap(cairo_surface_t* surface)
{
	if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
		return nullptr;
	cairo_format_t format = cairo_image_surface_get_format(surface);
	if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24)
		return nullptr;
	cairo_surface_flush(surface);
	int32 width = cairo_image_surface_get_width(surface);
	int32 height = cairo_image_surface_get_height(surface);
	if (width <= 0 || height <= 0)
		return nullptr;
	BBitmap* bitmap = new BBitmap(BRect(0, 0, width - 1, height - 1), B_RGBA32);
	if (!bitmap->IsValid()) {
		delete bitmap;
		return nullptr;
	}
	const uint8* source = cairo_image_surface_get_data(surface);
	int32 stride = cairo_image_surface_get_stride(surface);
	uint8* target = static_cast<uint8*>(bitmap->Bits());
	for (int32 y = 0; y < height; y++) {
		const uint8* in = source + static_cast<size_t>(y) * stride;
		uint8* out = target + static_cast<size_t>(y) * bitmap->BytesPerRow();
		for (int32 x = 0; x < width; x++, in += 4, out += 4) {
			uint8 alpha = format == CAIRO_FORMAT_RGB24 ? 255 : in[3];
			for (int channel = 0; channel < 3; channel++)
				out[channel] = alpha == 0 ? 0 : Unpremultiplied(in[channel], alpha);
			out[3] = alpha;
		}
	}
	return bitmap;
}

status_t BitmapSurface::WritePNG(cairo_surface_t* surface, const char* path)
{
	if (surface == nullptr || path == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
		return B_BAD_VALUE;
	cairo_surface_flush(surface);
	return cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS ? B_OK : B_ERROR;
}

status_t BitmapSurface::WritePNG(const BBitmap* bitmap, const char* path)
{
	if (bitmap == nullptr || !bitmap->IsValid())
		return B_BAD_VALUE;
	BRect bounds = bitmap->Bounds();
	clipping_rect all = {0, 0, static_cast<int32>(bounds.right), static_cast<int32>(bounds.bottom)};
	BitmapSurface converted(bitmap, all, BitmapAlpha::kBlend);
	return WritePNG(converted.Surface(), path);
}

} // namespace BPrivate

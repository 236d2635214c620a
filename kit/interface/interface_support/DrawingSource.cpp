#include "DrawingSource.h"

#include <optional>

namespace BPrivate {

namespace {

const rgb_color kWhite = {255, 255, 255, 255};

typedef std::optional<rgb_color> Paint;

rgb_color Opaque(rgb_color color)
{
	color.alpha = 255;
	return color;
}

rgb_color HalfAlpha(rgb_color color)
{
	color.alpha = 128;
	return color;
}

uint32 Premultiplied(const Paint& paint)
{
	if (!paint)
		return 0;
	uint32 alpha = paint->alpha;
	auto channel = [alpha](uint8 value) { return (value * alpha + 127) / 255; };
	return (alpha << 24) | (channel(paint->red) << 16) | (channel(paint->green) << 8)
		| channel(paint->blue);
}

cairo_pattern_t* SolidSource(const Paint& paint)
{
	if (!paint)
		return cairo_pattern_create_rgba(0, 0, 0, 0);
	return cairo_pattern_create_rgba(paint->red / 255.0, paint->green / 255.0,
		paint->blue / 255.0, paint->alpha / 255.0);
}

// An 8 x 8 tile, repeated from the surface's origin: a set bit (the most
// significant is the leftmost pixel) takes the high paint, a clear one the
// low paint; a missing paint leaves the pixel alone.
cairo_pattern_t* PatternSource(const pattern& p, const Paint& high, const Paint& low)
{
	if (p == B_SOLID_HIGH)
		return SolidSource(high);
	if (p == B_SOLID_LOW)
		return SolidSource(low);
	cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
	uint8* data = cairo_image_surface_get_data(tile);
	int stride = cairo_image_surface_get_stride(tile);
	if (data != nullptr) {
		for (int y = 0; y < 8; y++) {
			uint32* row = reinterpret_cast<uint32*>(data + y * stride);
			for (int x = 0; x < 8; x++)
				row[x] = Premultiplied((p.data[y] & (0x80 >> x)) != 0 ? high : low);
		}
	}
	cairo_surface_mark_dirty(tile);
	cairo_pattern_t* source = cairo_pattern_create_for_surface(tile);
	cairo_surface_destroy(tile);
	cairo_pattern_set_extend(source, CAIRO_EXTEND_REPEAT);
	cairo_pattern_set_filter(source, CAIRO_FILTER_NEAREST);
	return source;
}

} // namespace

DrawingSource::DrawingSource(drawing_mode mode, const pattern& p, rgb_color high, rgb_color low)
{
	switch (mode) {
		case B_OP_OVER:
			_AddPass(CAIRO_OPERATOR_OVER, PatternSource(p, Opaque(high), std::nullopt));
			break;
		case B_OP_ERASE:
			_AddPass(CAIRO_OPERATOR_OVER, PatternSource(p, Opaque(low), std::nullopt));
			break;
		case B_OP_INVERT:
			// |white - d| is the inverse of d.
			_AddPass(CAIRO_OPERATOR_DIFFERENCE, PatternSource(p, kWhite, std::nullopt));
			break;
		case B_OP_ALPHA:
			_AddPass(CAIRO_OPERATOR_OVER, PatternSource(p, high, low));
			break;
		case B_OP_ADD:
			_AddPass(CAIRO_OPERATOR_ADD, PatternSource(p, Opaque(high), Opaque(low)));
			break;
		case B_OP_SUBTRACT:
			// d - s, clamped at 0, is the inverse of (inverse of d) + s.
			_AddPass(CAIRO_OPERATOR_DIFFERENCE, SolidSource(kWhite));
			_AddPass(CAIRO_OPERATOR_ADD, PatternSource(p, Opaque(high), Opaque(low)));
			_AddPass(CAIRO_OPERATOR_DIFFERENCE, SolidSource(kWhite));
			break;
		case B_OP_MIN:
			_AddPass(CAIRO_OPERATOR_DARKEN, PatternSource(p, Opaque(high), Opaque(low)));
			break;
		case B_OP_MAX:
			_AddPass(CAIRO_OPERATOR_LIGHTEN, PatternSource(p, Opaque(high), Opaque(low)));
			break;
		case B_OP_BLEND:
			_AddPass(CAIRO_OPERATOR_OVER, PatternSource(p, HalfAlpha(high), HalfAlpha(low)));
			break;
		case B_OP_COPY:
		case B_OP_SELECT:
		default:
			_AddPass(CAIRO_OPERATOR_OVER, PatternSource(p, Opaque(high), Opaque(low)));
			break;
	}
}

DrawingSource::~DrawingSource()
{
	for (const Pass& pass : fPasses)
		cairo_pattern_destroy(pass.source);
}

void DrawingSource::_AddPass(cairo_operator_t op, cairo_pattern_t* source)
{
	fPasses.push_back(Pass{op, source});
}

} // namespace BPrivate

#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <Bitmap.h>
#include <Polygon.h>

#include "../font_support/FontAccess.h"
#include "../font_support/SizedFont.h"
#include "BitmapSurface.h"
#include "DrawingSource.h"

namespace BPrivate {

namespace {

// The pixel edges of a BRect: integer coordinates name pixel centres, so
// the pixels from round(left) to round(right) are covered.
struct Box {
	double left;
	double top;
	double right;
	double bottom;

	bool IsEmpty() const { return right <= left || bottom <= top; }
	Box Inset(double by) const { return Box{left + by, top + by, right - by, bottom - by}; }
};

double PixelEdge(double coordinate)
{
	return std::floor(coordinate + 0.5);
}

// The pixels a rectangle in view coordinates covers on the surface.
Box PixelBox(BRect rect, BPoint origin)
{
	return Box{PixelEdge(rect.left + origin.x), PixelEdge(rect.top + origin.y),
		PixelEdge(rect.right + origin.x) + 1, PixelEdge(rect.bottom + origin.y) + 1};
}

BRect RectAround(BPoint center, float xRadius, float yRadius)
{
	return BRect(center.x - xRadius, center.y - yRadius, center.x + xRadius, center.y + yRadius);
}

void AddRectangle(cairo_t* context, const Box& box)
{
	cairo_rectangle(context, box.left, box.top, box.right - box.left, box.bottom - box.top);
}

// A whole pixel coordinate, for converting to integers: far beyond any
// surface, NaN taken as 0, so the conversion is always defined.
int32 PixelIndex(double coordinate)
{
	if (std::isnan(coordinate))
		return 0;
	return static_cast<int32>(std::clamp(PixelEdge(coordinate), -1e8, 1e8));
}

const double kDegrees = M_PI / 180;

} // namespace

Painter::Painter(cairo_surface_t* surface)
{
	SetSurface(surface);
}

Painter::~Painter()
{
	SetSurface(nullptr);
}

void Painter::SetSurface(cairo_surface_t* surface)
{
	if (fContext != nullptr)
		cairo_destroy(fContext);
	if (fSurface != nullptr)
		cairo_surface_destroy(fSurface);
	fContext = nullptr;
	fSurface = surface != nullptr ? cairo_surface_reference(surface) : nullptr;
	if (fSurface != nullptr) {
		fContext = cairo_create(fSurface);
		_ApplyClipping();
	}
}

// One bad input (a NaN coordinate, a degenerate transformation) puts a cairo
// context into an error state in which everything later is silently
// dropped; a fresh context keeps the view drawing.
void Painter::_Recover()
{
	if (fContext == nullptr || cairo_status(fContext) == CAIRO_STATUS_SUCCESS)
		return;
	cairo_destroy(fContext);
	fContext = cairo_create(fSurface);
	_ApplyClipping();
}

void Painter::SetOrigin(BPoint origin)
{
	fOrigin = origin;
	_ApplyClipping();
}

void Painter::SetClipping(const BRegion* surfaceRegion)
{
	if (surfaceRegion != nullptr)
		fSurfaceClipping = *surfaceRegion;
	else
		fSurfaceClipping.reset();
	_ApplyClipping();
}

void Painter::ConstrainClippingRegion(const BRegion* viewRegion)
{
	if (viewRegion != nullptr)
		fState.viewClipping = *viewRegion;
	else
		fState.viewClipping.reset();
	_ApplyClipping();
}

void Painter::GetClippingRegion(BRegion* region) const
{
	if (region == nullptr)
		return;
	region->MakeEmpty();
	if (fSurface == nullptr || cairo_surface_get_type(fSurface) != CAIRO_SURFACE_TYPE_IMAGE)
		return;
	region->Set(BRect(0, 0, cairo_image_surface_get_width(fSurface) - 1,
		cairo_image_surface_get_height(fSurface) - 1));
	if (fSurfaceClipping)
		region->IntersectWith(&*fSurfaceClipping);
	region->OffsetBy(-fOrigin);
	if (fState.viewClipping)
		region->IntersectWith(&*fState.viewClipping);
}

void Painter::_ApplyClipping()
{
	if (fContext == nullptr)
		return;
	cairo_reset_clip(fContext);
	std::optional<BRegion> allowed = fSurfaceClipping;
	if (fState.viewClipping) {
		BRegion view = *fState.viewClipping;
		view.OffsetBy(fOrigin);
		if (allowed)
			allowed->IntersectWith(&view);
		else
			allowed = view;
	}
	if (!allowed)
		return;
	cairo_new_path(fContext);
	for (int32 i = 0; i < allowed->CountRects(); i++) {
		clipping_rect rect = allowed->RectAtInt(i);
		cairo_rectangle(fContext, rect.left, rect.top, rect.right - rect.left + 1,
			rect.bottom - rect.top + 1);
	}
	// An empty path clips everything away, as an empty region should.
	cairo_clip(fContext);
}

void Painter::PushState()
{
	fStateStack.push_back(fState);
}

void Painter::PopState()
{
	if (fStateStack.empty())
		return;
	fState = std::move(fStateStack.back());
	fStateStack.pop_back();
	_ApplyClipping();
}

void Painter::SetFont(const BFont* font, uint32 properties)
{
	if (font == nullptr)
		return;
	if ((properties & B_FONT_ALL) == B_FONT_ALL) {
		fState.font = *font;
		return;
	}
	BFont& current = fState.font;
	if (properties & B_FONT_FAMILY_AND_STYLE) {
		font_family family;
		font_style style;
		font->GetFamilyAndStyle(&family, &style);
		current.SetFamilyAndStyle(family, style);
	}
	if (properties & B_FONT_SIZE)
		current.SetSize(font->Size());
	if (properties & B_FONT_SHEAR)
		current.SetShear(font->Shear());
	if (properties & B_FONT_ROTATION)
		current.SetRotation(font->Rotation());
	if (properties & B_FONT_SPACING)
		current.SetSpacing(font->Spacing());
	if (properties & B_FONT_ENCODING)
		current.SetEncoding(font->Encoding());
	if (properties & B_FONT_FACE)
		current.SetFace(font->Face());
	if (properties & B_FONT_FLAGS)
		current.SetFlags(font->Flags());
}

int Painter::_PenWidth() const
{
	if (!(fState.penSize >= 1))
		return 1;
	return static_cast<int>(std::lround(std::min(fState.penSize, 4096.0f)));
}

void Painter::_AddBox(BRect rect)
{
	Box box = PixelBox(rect, fOrigin);
	if (!box.IsEmpty())
		AddRectangle(fContext, box);
}

void Painter::_Draw(const pattern& p, Cover cover)
{
	DrawingSource source(fState.mode, p, fState.high, fState.low);
	source.Paint(fContext, [cover](cairo_t* context) {
		if (cover == Cover::kFill)
			cairo_fill_preserve(context);
		else
			cairo_stroke_preserve(context);
	});
	cairo_new_path(fContext);
	_Recover();
}

void Painter::_DrawMasked(cairo_pattern_t* mask, const pattern& p)
{
	DrawingSource source(fState.mode, p, fState.high, fState.low);
	source.Paint(fContext, [mask](cairo_t* context) { cairo_mask(context, mask); });
	_Recover();
}

// ---- Lines and rectangles

void Painter::StrokeLine(BPoint to, const pattern& p)
{
	StrokeLine(fState.pen, to, p);
}

void Painter::StrokeLine(BPoint from, BPoint to, const pattern& p)
{
	fState.pen = to;
	if (!_Ready())
		return;
	if (from.x == to.x || from.y == to.y) {
		_DrawPixelLine(from, to, p);
		return;
	}
	cairo_new_path(fContext);
	cairo_move_to(fContext, _X(from.x) + 0.5, _Y(from.y) + 0.5);
	cairo_line_to(fContext, _X(to.x) + 0.5, _Y(to.y) + 0.5);
	cairo_set_line_width(fContext, std::max(1.0f, fState.penSize));
	cairo_set_line_cap(fContext, CAIRO_LINE_CAP_SQUARE);
	_Draw(p, Cover::kStroke);
}

// A horizontal or vertical line covers whole pixels: from one end pixel to
// the other along it, and the pen's width across it (growing to the right
// or down when the width is even).
void Painter::_DrawPixelLine(BPoint from, BPoint to, const pattern& p)
{
	int width = _PenWidth();
	float before = (width - 1) / 2;
	float after = width - 1 - before;
	BRect rect(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x),
		std::max(from.y, to.y));
	if (from.y == to.y) {
		rect.top -= before;
		rect.bottom += after;
	}
	if (from.x == to.x) {
		rect.left -= before;
		rect.right += after;
	}
	cairo_new_path(fContext);
	_AddBox(rect);
	_Draw(p, Cover::kFill);
}

void Painter::BeginLineArray(int32 count)
{
	fLineArray.clear();
	if (count > 0)
		fLineArray.reserve(std::min<int32>(count, 1 << 16));
	fInLineArray = true;
}

void Painter::AddLine(BPoint from, BPoint to, rgb_color color)
{
	if (fInLineArray)
		fLineArray.push_back(PendingLine{from, to, color});
}

void Painter::EndLineArray()
{
	if (!fInLineArray)
		return;
	fInLineArray = false;
	rgb_color high = fState.high;
	BPoint pen = fState.pen;
	for (const PendingLine& line : fLineArray) {
		fState.high = line.color;
		StrokeLine(line.from, line.to, B_SOLID_HIGH);
	}
	fState.high = high;
	fState.pen = pen;
	fLineArray.clear();
}

void Painter::FillRect(BRect rect, const pattern& p)
{
	if (!_Ready() || !rect.IsValid())
		return;
	cairo_new_path(fContext);
	_AddBox(rect);
	_Draw(p, Cover::kFill);
}

// The frame is one shape (outer box less inner box), so a pixel is never
// drawn twice: B_OP_INVERT and B_OP_ALPHA treat the corners like the sides.
void Painter::StrokeRect(BRect rect, const pattern& p)
{
	if (!_Ready() || !rect.IsValid())
		return;
	int width = _PenWidth();
	double grow = (width - 1) / 2;
	Box outer = PixelBox(rect, fOrigin).Inset(-grow);
	Box inner = outer.Inset(width);
	cairo_new_path(fContext);
	AddRectangle(fContext, outer);
	if (!inner.IsEmpty())
		AddRectangle(fContext, inner);
	cairo_set_fill_rule(fContext, CAIRO_FILL_RULE_EVEN_ODD);
	_Draw(p, Cover::kFill);
	cairo_set_fill_rule(fContext, CAIRO_FILL_RULE_WINDING);
}

void Painter::FillRegion(const BRegion* region, const pattern& p)
{
	if (!_Ready() || region == nullptr)
		return;
	cairo_new_path(fContext);
	for (int32 i = 0; i < region->CountRects(); i++)
		_AddBox(region->RectAt(i));
	_Draw(p, Cover::kFill);
}

void Painter::InvertRect(BRect rect)
{
	drawing_mode mode = fState.mode;
	fState.mode = B_OP_INVERT;
	FillRect(rect, B_SOLID_HIGH);
	fState.mode = mode;
}

// ---- Curves

void Painter::_AddRoundRectPath(double left, double top, double right, double bottom,
	double rx, double ry)
{
	rx = std::clamp(rx, 0.0, (right - left) / 2);
	ry = std::clamp(ry, 0.0, (bottom - top) / 2);
	if (rx <= 0 || ry <= 0) {
		cairo_rectangle(fContext, left, top, right - left, bottom - top);
		return;
	}
	cairo_new_sub_path(fContext);
	_AddArcPath(right - rx, top + ry, rx, ry, 0, 90, false);
	_AddArcPath(left + rx, top + ry, rx, ry, 90, 90, false);
	_AddArcPath(left + rx, bottom - ry, rx, ry, 180, 90, false);
	_AddArcPath(right - rx, bottom - ry, rx, ry, 270, 90, false);
	cairo_close_path(fContext);
}

void Painter::StrokeRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p)
{
	if (!_Ready() || !rect.IsValid())
		return;
	double half = _PenWidth() / 2.0;
	Box middle = PixelBox(rect, fOrigin).Inset(half);
	if (middle.IsEmpty()) {
		FillRoundRect(rect, xRadius, yRadius, p);
		return;
	}
	cairo_new_path(fContext);
	_AddRoundRectPath(middle.left, middle.top, middle.right, middle.bottom, xRadius, yRadius);
	cairo_set_line_width(fContext, 2 * half);
	_Draw(p, Cover::kStroke);
}

void Painter::FillRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p)
{
	if (!_Ready() || !rect.IsValid())
		return;
	Box box = PixelBox(rect, fOrigin);
	cairo_new_path(fContext);
	_AddRoundRectPath(box.left, box.top, box.right, box.bottom, xRadius + 0.5, yRadius + 0.5);
	_Draw(p, Cover::kFill);
}

void Painter::_AddEllipsePath(double cx, double cy, double rx, double ry)
{
	_AddArcPath(cx, cy, rx, ry, 0, 360, false);
	cairo_close_path(fContext);
}

// BeOS angles run counter-clockwise on a screen whose y grows downwards;
// cairo's run clockwise there.
void Painter::_AddArcPath(double cx, double cy, double rx, double ry, float start, float span,
	bool pie)
{
	if (!(rx > 0 && ry > 0) || !std::isfinite(start) || !std::isfinite(span))
		return;
	span = std::clamp(span, -360.0f, 360.0f);
	cairo_save(fContext);
	cairo_translate(fContext, cx, cy);
	cairo_scale(fContext, rx, ry);
	if (pie)
		cairo_move_to(fContext, 0, 0);
	double from = -start * kDegrees;
	double to = -(start + span) * kDegrees;
	if (span >= 0)
		cairo_arc_negative(fContext, 0, 0, 1, from, to);
	else
		cairo_arc(fContext, 0, 0, 1, from, to);
	if (pie)
		cairo_close_path(fContext);
	cairo_restore(fContext);
}

void Painter::StrokeEllipse(BPoint center, float xRadius, float yRadius, const pattern& p)
{
	StrokeEllipse(RectAround(center, xRadius, yRadius), p);
}

void Painter::StrokeEllipse(BRect rect, const pattern& p)
{
	StrokeArc(rect, 0, 360, p);
}

void Painter::FillEllipse(BPoint center, float xRadius, float yRadius, const pattern& p)
{
	FillEllipse(RectAround(center, xRadius, yRadius), p);
}

void Painter::FillEllipse(BRect rect, const pattern& p)
{
	FillArc(rect, 0, 360, p);
}

void Painter::StrokeArc(BPoint center, float xRadius, float yRadius, float startAngle,
	float arcAngle, const pattern& p)
{
	StrokeArc(RectAround(center, xRadius, yRadius), startAngle, arcAngle, p);
}

// The stroke runs half a pen inside the rectangle's outer pixel edges, so
// the curve covers the same pixels a filled one has at its rim.
void Painter::StrokeArc(BRect rect, float startAngle, float arcAngle, const pattern& p)
{
	if (!_Ready() || !rect.IsValid() || arcAngle == 0)
		return;
	double half = _PenWidth() / 2.0;
	Box middle = PixelBox(rect, fOrigin).Inset(half);
	if (middle.IsEmpty()) {
		FillArc(rect, startAngle, arcAngle, p);
		return;
	}
	cairo_new_path(fContext);
	_AddArcPath((middle.left + middle.right) / 2, (middle.top + middle.bottom) / 2,
		(middle.right - middle.left) / 2, (middle.bottom - middle.top) / 2, startAngle, arcAngle,
		false);
	cairo_set_line_width(fContext, 2 * half);
	cairo_set_line_cap(fContext, CAIRO_LINE_CAP_BUTT);
	_Draw(p, Cover::kStroke);
}

void Painter::FillArc(BPoint center, float xRadius, float yRadius, float startAngle,
	float arcAngle, const pattern& p)
{
	FillArc(RectAround(center, xRadius, yRadius), startAngle, arcAngle, p);
}

void Painter::FillArc(BRect rect, float startAngle, float arcAngle, const pattern& p)
{
	if (!_Ready() || !rect.IsValid() || arcAngle == 0)
		return;
	Box box = PixelBox(rect, fOrigin);
	cairo_new_path(fContext);
	bool whole = std::fabs(arcAngle) >= 360;
	_AddArcPath((box.left + box.right) / 2, (box.top + box.bottom) / 2,
		(box.right - box.left) / 2, (box.bottom - box.top) / 2, startAngle, arcAngle, !whole);
	_Draw(p, Cover::kFill);
}

// ---- Polygons

void Painter::StrokePolygon(const BPolygon* polygon, bool closed, const pattern& p)
{
	if (polygon != nullptr)
		_StrokePoints(polygon->fPoints.data(), polygon->CountPoints(), closed, p);
}

void Painter::StrokePolygon(const BPoint* points, int32 count, bool closed, const pattern& p)
{
	_StrokePoints(points, count, closed, p);
}

void Painter::FillPolygon(const BPolygon* polygon, const pattern& p)
{
	if (polygon != nullptr)
		_FillPoints(polygon->fPoints.data(), polygon->CountPoints(), p);
}

void Painter::FillPolygon(const BPoint* points, int32 count, const pattern& p)
{
	_FillPoints(points, count, p);
}

void Painter::StrokeTriangle(BPoint a, BPoint b, BPoint c, const pattern& p)
{
	BPoint points[] = {a, b, c};
	_StrokePoints(points, 3, true, p);
}

void Painter::FillTriangle(BPoint a, BPoint b, BPoint c, const pattern& p)
{
	BPoint points[] = {a, b, c};
	_FillPoints(points, 3, p);
}

void Painter::_StrokePoints(const BPoint* points, int32 count, bool closed, const pattern& p)
{
	if (!_Ready() || points == nullptr || count <= 0)
		return;
	if (count == 1) {
		StrokeLine(points[0], points[0], p);
		return;
	}
	cairo_new_path(fContext);
	for (int32 i = 0; i < count; i++)
		cairo_line_to(fContext, _X(points[i].x) + 0.5, _Y(points[i].y) + 0.5);
	if (closed)
		cairo_close_path(fContext);
	cairo_set_line_width(fContext, _PenWidth());
	cairo_set_line_cap(fContext, CAIRO_LINE_CAP_SQUARE);
	cairo_set_line_join(fContext, CAIRO_LINE_JOIN_MITER);
	_Draw(p, Cover::kStroke);
}

// The points are pixel centres, and the pixels they name belong to the
// shape: the coverage is the filled outline joined with a one-pixel stroke
// of it, made once as a mask so that no pixel is drawn twice.
void Painter::_FillPoints(const BPoint* points, int32 count, const pattern& p)
{
	if (!_Ready() || points == nullptr || count <= 0)
		return;
	cairo_push_group_with_content(fContext, CAIRO_CONTENT_ALPHA);
	cairo_set_source_rgba(fContext, 0, 0, 0, 1);
	cairo_new_path(fContext);
	for (int32 i = 0; i < count; i++)
		cairo_line_to(fContext, _X(points[i].x) + 0.5, _Y(points[i].y) + 0.5);
	cairo_close_path(fContext);
	cairo_fill_preserve(fContext);
	cairo_set_line_width(fContext, 1);
	cairo_set_line_cap(fContext, CAIRO_LINE_CAP_SQUARE);
	cairo_stroke(fContext);
	cairo_pattern_t* mask = cairo_pop_group(fContext);
	_DrawMasked(mask, p);
	cairo_pattern_destroy(mask);
}

// ---- Text

void Painter::DrawString(const char* string)
{
	DrawString(string, fState.pen);
}

void Painter::DrawString(const char* string, int32 length)
{
	DrawString(string, length, fState.pen);
}

void Painter::DrawString(const char* string, BPoint baseline)
{
	if (string != nullptr)
		DrawString(string, static_cast<int32>(std::min<size_t>(strlen(string), INT32_MAX)), baseline);
}

// Glyphs are placed from the cached advances rather than through
// cairo_show_text, which both keeps measured and drawn widths equal and
// never hands cairo the bytes of a malformed string.
void Painter::DrawString(const char* string, int32 length, BPoint baseline)
{
	fState.pen = baseline;
	const SizedFont* font = FontAccess::Sized(fState.font);
	if (!_Ready() || string == nullptr || length <= 0 || font == nullptr)
		return;
	std::vector<cairo_glyph_t> glyphs;
	std::vector<SizedFont::Run> runs;
	double x = _X(baseline.x);
	double y = _Y(baseline.y);
	float width = font->Layout(std::string_view(string, length), x, y, &glyphs, &runs);
	DrawingSource source(fState.mode, B_SOLID_HIGH, fState.high, fState.low);
	source.Paint(fContext, [&glyphs, &runs](cairo_t* context) {
		for (const SizedFont::Run& run : runs) {
			cairo_set_scaled_font(context, run.font);
			cairo_show_glyphs(context, glyphs.data() + run.first, static_cast<int>(run.count));
		}
	});
	_Recover();
	_DrawDecorations(x, y, width);
	fState.pen.x += width;
}

void Painter::_DrawDecorations(double x, double y, float width)
{
	uint16 face = fState.font.Face();
	if ((face & (B_UNDERSCORE_FACE | B_STRIKEOUT_FACE)) == 0 || width <= 0)
		return;
	const SizedFont* font = FontAccess::Sized(fState.font);
	cairo_new_path(fContext);
	auto addLine = [&](float offset, float thickness) {
		double rows = std::max(1.0, std::round(double(thickness)));
		double top = PixelEdge(y + offset - rows / 2);
		AddRectangle(fContext, Box{PixelEdge(x), top, PixelEdge(x + width), top + rows});
	};
	if (face & B_UNDERSCORE_FACE)
		addLine(font->UnderlineOffset(), font->UnderlineThickness());
	if (face & B_STRIKEOUT_FACE)
		addLine(font->StrikeOutOffset(), font->StrikeOutThickness());
	_Draw(B_SOLID_HIGH, Cover::kFill);
}

// ---- Bitmaps

void Painter::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, fState.pen);
}

void Painter::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap == nullptr || !bitmap->IsValid())
		return;
	BRect bounds = bitmap->Bounds();
	DrawBitmap(bitmap, bounds, bounds.OffsetToCopy(where));
}

void Painter::DrawBitmap(const BBitmap* bitmap, BRect destination)
{
	if (bitmap == nullptr || !bitmap->IsValid())
		return;
	DrawBitmap(bitmap, bitmap->Bounds(), destination);
}

void Painter::DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination)
{
	if (!_Ready() || bitmap == nullptr || !bitmap->IsValid() || !source.IsValid()
		|| !destination.IsValid())
		return;
	clipping_rect area = {PixelIndex(source.left), PixelIndex(source.top), PixelIndex(source.right),
		PixelIndex(source.bottom)};
	_DrawBitmapArea(bitmap, area, destination);
}

// Maps the source pixels onto the destination's pixel box; a source that
// reaches past the bitmap leaves the matching part of the destination alone.
void Painter::_DrawBitmapArea(const BBitmap* bitmap, clipping_rect source, BRect destination)
{
	Box target = PixelBox(destination, fOrigin);
	if (target.IsEmpty() || source.right < source.left || source.bottom < source.top)
		return;
	double scaleX = (target.right - target.left) / (source.right - source.left + 1.0);
	double scaleY = (target.bottom - target.top) / (source.bottom - source.top + 1.0);

	BitmapAlpha alpha = fState.mode == B_OP_COPY ? BitmapAlpha::kOpaque : BitmapAlpha::kBlend;
	BitmapSurface pixels(bitmap, source, alpha);
	if (pixels.Surface() == nullptr)
		return;
	BRect bounds = bitmap->Bounds();
	clipping_rect inside = {std::max<int32>(source.left, 0), std::max<int32>(source.top, 0),
		std::min<int32>(source.right, bounds.right), std::min<int32>(source.bottom, bounds.bottom)};
	Box drawn{target.left + (inside.left - source.left) * scaleX,
		target.top + (inside.top - source.top) * scaleY,
		target.left + (inside.right + 1 - source.left) * scaleX,
		target.top + (inside.bottom + 1 - source.top) * scaleY};

	cairo_pattern_t* image = cairo_pattern_create_for_surface(pixels.Surface());
	cairo_matrix_t matrix;
	cairo_matrix_init_scale(&matrix, 1 / scaleX, 1 / scaleY);
	cairo_matrix_translate(&matrix, -drawn.left, -drawn.top);
	cairo_pattern_set_matrix(image, &matrix);
	bool unscaled = scaleX == 1 && scaleY == 1;
	cairo_pattern_set_filter(image, unscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
	cairo_pattern_set_extend(image, CAIRO_EXTEND_PAD);

	cairo_save(fContext);
	cairo_new_path(fContext);
	AddRectangle(fContext, drawn);
	cairo_clip(fContext);
	switch (fState.mode) {
		case B_OP_INVERT:
			cairo_set_operator(fContext, CAIRO_OPERATOR_DIFFERENCE);
			cairo_set_source_rgb(fContext, 1, 1, 1);
			cairo_mask(fContext, image);
			break;
		case B_OP_BLEND:
			cairo_set_source(fContext, image);
			cairo_paint_with_alpha(fContext, 0.5);
			break;
		default:
			cairo_set_operator(fContext, fState.mode == B_OP_ADD ? CAIRO_OPERATOR_ADD
				: fState.mode == B_OP_MIN ? CAIRO_OPERATOR_DARKEN
				: fState.mode == B_OP_MAX ? CAIRO_OPERATOR_LIGHTEN : CAIRO_OPERATOR_OVER);
			cairo_set_source(fContext, image);
			cairo_paint(fContext);
			break;
	}
	cairo_restore(fContext);
	cairo_pattern_destroy(image);
	_Recover();
}

void Painter::DrawTiledBitmap(const BBitmap* bitmap, BRect area, BPoint tileOrigin)
{
	if (!_Ready() || bitmap == nullptr || !bitmap->IsValid() || !area.IsValid())
		return;
	BRect bounds = bitmap->Bounds();
	clipping_rect all = {0, 0, static_cast<int32>(bounds.right), static_cast<int32>(bounds.bottom)};
	BitmapSurface pixels(bitmap, all,
		fState.mode == B_OP_COPY ? BitmapAlpha::kOpaque : BitmapAlpha::kBlend);
	if (pixels.Surface() == nullptr)
		return;
	cairo_pattern_t* tiles = cairo_pattern_create_for_surface(pixels.Surface());
	cairo_pattern_set_extend(tiles, CAIRO_EXTEND_REPEAT);
	cairo_pattern_set_filter(tiles, CAIRO_FILTER_NEAREST);
	cairo_matrix_t matrix;
	cairo_matrix_init_translate(&matrix, -PixelEdge(_X(tileOrigin.x)), -PixelEdge(_Y(tileOrigin.y)));
	cairo_pattern_set_matrix(tiles, &matrix);
	cairo_save(fContext);
	cairo_new_path(fContext);
	_AddBox(area);
	cairo_set_source(fContext, tiles);
	cairo_fill(fContext);
	cairo_restore(fContext);
	cairo_pattern_destroy(tiles);
	_Recover();
}

// Only pixels of the surface are copied: the part of the source outside it
// leaves the matching part of the destination alone.
void Painter::CopyBits(BRect source, BRect destination)
{
	if (!_Ready() || !source.IsValid() || !destination.IsValid()
		|| cairo_surface_get_type(fSurface) != CAIRO_SURFACE_TYPE_IMAGE)
		return;
	int32 left = PixelIndex(_X(source.left));
	int32 top = PixelIndex(_Y(source.top));
	int32 shiftX = PixelIndex(_X(destination.left)) - left;
	int32 shiftY = PixelIndex(_Y(destination.top)) - top;
	int32 right = std::min(PixelIndex(_X(source.right)) + 1, cairo_image_surface_get_width(fSurface));
	int32 bottom = std::min(PixelIndex(_Y(source.bottom)) + 1, cairo_image_surface_get_height(fSurface));
	left = std::max(left, 0);
	top = std::max(top, 0);
	if (right <= left || bottom <= top)
		return;
	// Source and destination may overlap: copy through a separate surface.
	cairo_surface_flush(fSurface);
	cairo_surface_t* copy = cairo_surface_create_similar_image(fSurface,
		cairo_image_surface_get_format(fSurface), right - left, bottom - top);
	cairo_t* copier = cairo_create(copy);
	cairo_set_operator(copier, CAIRO_OPERATOR_SOURCE);
	cairo_set_source_surface(copier, fSurface, -left, -top);
	cairo_paint(copier);
	cairo_destroy(copier);

	cairo_save(fContext);
	cairo_new_path(fContext);
	cairo_rectangle(fContext, left + shiftX, top + shiftY, right - left, bottom - top);
	cairo_set_operator(fContext, CAIRO_OPERATOR_SOURCE);
	cairo_set_source_surface(fContext, copy, left + shiftX, top + shiftY);
	cairo_fill(fContext);
	cairo_restore(fContext);
	cairo_surface_destroy(copy);
	_Recover();
}

} // namespace BPrivate

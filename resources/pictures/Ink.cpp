#include "Ink.h"

#include <cmath>

namespace Ink {

const Colour kRim = Hex(0x3a4350);
const Colour kPaperTop = Hex(0xffffff);
const Colour kPaperBottom = Hex(0xdfe5ec);

Colour Hex(uint32 rgb, double alpha)
{
	return Colour{((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0,
		alpha};
}

Colour Mix(Colour a, Colour b, double amount)
{
	auto mix = [amount](double x, double y) { return x + (y - x) * amount; };
	return Colour{mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue),
		mix(a.alpha, b.alpha)};
}

void SetSource(cairo_t* context, Colour colour)
{
	cairo_set_source_rgba(context, colour.red, colour.green, colour.blue, colour.alpha);
}

namespace {

void AddStop(cairo_pattern_t* pattern, double offset, Colour colour)
{
	cairo_pattern_add_color_stop_rgba(pattern, offset, colour.red, colour.green, colour.blue,
		colour.alpha);
}

void FillWith(cairo_t* context, cairo_pattern_t* pattern)
{
	cairo_set_source(context, pattern);
	cairo_fill_preserve(context);
	cairo_pattern_destroy(pattern);
}

} // namespace

void FillShaded(cairo_t* context, double top, double bottom, Colour topColour,
	Colour bottomColour)
{
	cairo_pattern_t* pattern = cairo_pattern_create_linear(0, top, 0, bottom);
	AddStop(pattern, 0, topColour);
	AddStop(pattern, 1, bottomColour);
	FillWith(context, pattern);
}

void FillLit(cairo_t* context, double centreX, double centreY, double radius, Colour light,
	Colour dark)
{
	double lightX = centreX - radius * 0.35;
	double lightY = centreY - radius * 0.4;
	cairo_pattern_t* pattern = cairo_pattern_create_radial(lightX, lightY, radius * 0.1, centreX,
		centreY, radius * 1.05);
	AddStop(pattern, 0, light);
	AddStop(pattern, 1, dark);
	FillWith(context, pattern);
}

void Stroke(cairo_t* context, Colour colour, double width, cairo_line_join_t join)
{
	SetSource(context, colour);
	cairo_set_line_width(context, width);
	cairo_set_line_join(context, join);
	cairo_set_line_cap(context, CAIRO_LINE_CAP_BUTT);
	cairo_stroke(context);
}

void StrokeRound(cairo_t* context, Colour colour, double width)
{
	SetSource(context, colour);
	cairo_set_line_width(context, width);
	cairo_set_line_join(context, CAIRO_LINE_JOIN_ROUND);
	cairo_set_line_cap(context, CAIRO_LINE_CAP_ROUND);
	cairo_stroke(context);
}

void AddPolygon(cairo_t* context, std::initializer_list<Point> points)
{
	cairo_new_sub_path(context);
	for (const Point& point : points)
		cairo_line_to(context, point.x, point.y);
	cairo_close_path(context);
}

void AddPolyline(cairo_t* context, std::initializer_list<Point> points)
{
	bool first = true;
	for (const Point& point : points) {
		if (first)
			cairo_move_to(context, point.x, point.y);
		else
			cairo_line_to(context, point.x, point.y);
		first = false;
	}
}

void AddRoundedBox(cairo_t* context, double x, double y, double width, double height,
	double radius)
{
	double right = x + width;
	double bottom = y + height;
	cairo_new_sub_path(context);
	cairo_arc(context, right - radius, y + radius, radius, -M_PI / 2, 0);
	cairo_arc(context, right - radius, bottom - radius, radius, 0, M_PI / 2);
	cairo_arc(context, x + radius, bottom - radius, radius, M_PI / 2, M_PI);
	cairo_arc(context, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
	cairo_close_path(context);
}

void DrawPage(cairo_t* context, double left, double top, double right, double bottom,
	double fold)
{
	cairo_new_path(context);
	AddPolygon(context,
		{{left, top}, {right - fold, top}, {right, top + fold}, {right, bottom}, {left, bottom}});
	FillShaded(context, top, bottom, kPaperTop, kPaperBottom);
	Stroke(context, kRim, 1);

	// The folded-over corner, in the shade of the paper's back.
	AddPolygon(context, {{right - fold, top}, {right - fold, top + fold}, {right, top + fold}});
	FillShaded(context, top, top + fold, Hex(0xf4f6f9), Hex(0xc3ccd6));
	Stroke(context, kRim, 1, CAIRO_LINE_JOIN_BEVEL);
}

void DrawTextLines(cairo_t* context, double left, double right, double top, double gap,
	const double* widths, int count, Colour colour, double thickness)
{
	for (int i = 0; i < count; i++) {
		double y = top + i * gap;
		cairo_rectangle(context, left, y, (right - left) * widths[i], thickness);
	}
	SetSource(context, colour);
	cairo_fill(context);
}

double TextWidth(cairo_t* context, Typeface typeface, double size, const char* text)
{
	cairo_save(context);
	PictureFonts::Select(context, typeface, size);
	cairo_text_extents_t extents;
	cairo_text_extents(context, text, &extents);
	cairo_restore(context);
	return extents.x_advance;
}

void AddText(cairo_t* context, Typeface typeface, double size, const char* text, double x,
	double y)
{
	cairo_save(context);
	PictureFonts::Select(context, typeface, size);
	cairo_move_to(context, x, y);
	cairo_text_path(context, text);
	cairo_restore(context);
}

void AddCentredText(cairo_t* context, Typeface typeface, double size, const char* text,
	double centreX, double centreY)
{
	cairo_save(context);
	PictureFonts::Select(context, typeface, size);
	cairo_text_extents_t extents;
	cairo_text_extents(context, text, &extents);
	double x = centreX - extents.width / 2 - extents.x_bearing;
	double y = centreY - extents.height / 2 - extents.y_bearing;
	cairo_move_to(context, x, y);
	cairo_text_path(context, text);
	cairo_restore(context);
}

} // namespace Ink

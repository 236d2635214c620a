#include "FormattingIcons.h"

#include <cmath>

#include "Ink.h"

using namespace Ink;

namespace FormattingIcons {

namespace {

const Colour kLetter = Hex(0x1d2632);

// A letter standing on the tool bar, with a light edge below it as if
// pressed into the bar.
void DrawLetter(cairo_t* context, Typeface typeface, double size, const char* letter)
{
	cairo_new_path(context);
	AddCentredText(context, typeface, size, letter, 12, 12.7);
	SetSource(context, Hex(0xffffff, 0.8));
	cairo_fill(context);
	AddCentredText(context, typeface, size, letter, 12, 12);
	SetSource(context, kLetter);
	cairo_fill(context);
}

// One link of a chain: a rounded bar across the given centre, turned by
// the angle, drawn as a dark rim with a light band in it.
void AddChainLink(cairo_t* context, double x, double y, double length, double width,
	double angle)
{
	cairo_save(context);
	cairo_translate(context, x, y);
	cairo_rotate(context, angle);
	AddRoundedBox(context, -length / 2, -width / 2, length, width, width / 2);
	cairo_restore(context);
}

void StrokeChainLink(cairo_t* context, double x, double y, double length, double width,
	double angle, double scale)
{
	cairo_new_path(context);
	AddChainLink(context, x, y, length, width, angle);
	Stroke(context, Hex(0x34435a), 2.8 * scale);
	AddChainLink(context, x, y, length, width, angle);
	Stroke(context, Hex(0xb8c9dc), 1.1 * scale);
}

// Two links hooked into each other along a diagonal, inside a box of the
// given size at (x, y).
void DrawChain(cairo_t* context, double x, double y, double size)
{
	double scale = size / 24;
	double angle = -M_PI / 4;
	double length = 12.5 * scale;
	double width = 6.5 * scale;
	double ax = x + 8.6 * scale;
	double ay = y + 15.4 * scale;
	double bx = x + 15.4 * scale;
	double by = y + 8.6 * scale;
	StrokeChainLink(context, ax, ay, length, width, angle, scale);
	StrokeChainLink(context, bx, by, length, width, angle, scale);
	// The first link passes in front of the second at one crossing.
	cairo_save(context);
	cairo_new_path(context);
	cairo_rectangle(context, x + 10.5 * scale, y + 10.5 * scale, 4 * scale, 4 * scale);
	cairo_clip(context);
	StrokeChainLink(context, ax, ay, length, width, angle, scale);
	cairo_restore(context);
}

} // namespace

void DrawNormal(cairo_t* context)
{
	DrawLetter(context, Typeface::kSans, 21, "N");
}

void DrawBold(cairo_t* context)
{
	DrawLetter(context, Typeface::kSansBold, 21, "B");
}

void DrawItalics(cairo_t* context)
{
	DrawLetter(context, Typeface::kSerifBoldItalic, 22, "I");
}

void DrawFixed(cairo_t* context)
{
	DrawLetter(context, Typeface::kMonoBold, 22, "T");
}

void DrawLink(cairo_t* context)
{
	DrawChain(context, 0, 0, 24);
}

void DrawEmailLink(cairo_t* context)
{
	cairo_new_path(context);
	cairo_rectangle(context, 1.5, 3.5, 18, 13);
	FillShaded(context, 3.5, 16.5, kPaperTop, kPaperBottom);
	Stroke(context, kRim, 1);
	AddPolyline(context, {{2, 16}, {8.5, 10}});
	AddPolyline(context, {{19, 16}, {12.5, 10}});
	Stroke(context, Hex(0xa3adb8), 1);
	AddPolyline(context, {{1.5, 3.5}, {10.5, 11}, {19.5, 3.5}});
	Stroke(context, kRim, 1, CAIRO_LINE_JOIN_ROUND);

	DrawChain(context, 10, 10, 14);
}

void DrawTarget(cairo_t* context)
{
	const double kRadii[] = {10, 7.4, 4.8, 2.2};
	for (int i = 0; i < 4; i++) {
		cairo_new_path(context);
		cairo_arc(context, 12, 12, kRadii[i], 0, 2 * M_PI);
		if (i % 2 == 0)
			FillLit(context, 12, 12, kRadii[0], Hex(0xff6a55), Hex(0xb71f14));
		else
			FillLit(context, 12, 12, kRadii[0], Hex(0xffffff), Hex(0xd9dee4));
		cairo_new_path(context);
	}
	cairo_arc(context, 12, 12, 10, 0, 2 * M_PI);
	Stroke(context, Hex(0x7a140c), 1);
}

void DrawImage(cairo_t* context)
{
	cairo_new_path(context);
	cairo_rectangle(context, 2.5, 4.5, 19, 15);
	FillShaded(context, 4.5, 19.5, kPaperTop, kPaperBottom);
	Stroke(context, kRim, 1);

	// The picture in its white border: sky, sun and hills.
	cairo_save(context);
	cairo_rectangle(context, 4, 6, 16, 12);
	cairo_clip_preserve(context);
	FillShaded(context, 6, 18, Hex(0x7fc1f0), Hex(0xdff1fc));
	cairo_new_path(context);
	cairo_arc(context, 15.5, 9.5, 2.2, 0, 2 * M_PI);
	FillLit(context, 15.5, 9.5, 2.2, Hex(0xfff3a0), Hex(0xf29a12));
	cairo_new_path(context);
	AddPolygon(context,
		{{3, 17}, {8.5, 10.5}, {12.5, 14.5}, {15, 12.5}, {21, 18}, {21, 19}, {3, 19}});
	FillShaded(context, 10.5, 18, Hex(0x8fd06a), Hex(0x3a8a2a));
	cairo_restore(context);
	cairo_new_path(context);
	cairo_rectangle(context, 4.5, 6.5, 15, 11);
	Stroke(context, Hex(0x6d7884), 1);
}

} // namespace FormattingIcons

#include "StatusIcons.h"

#include <cmath>

#include "Ink.h"

using namespace Ink;

namespace StatusIcons {

namespace {

void DrawDisc(cairo_t* context, Colour light, Colour dark, Colour rim)
{
	cairo_new_path(context);
	cairo_arc(context, 8, 8, 7.5, 0, 2 * M_PI);
	FillLit(context, 8, 8, 7.5, light, dark);
	cairo_new_path(context);
	cairo_arc(context, 8, 8, 7, 0, 2 * M_PI);
	Stroke(context, rim, 1);
}

} // namespace

std::vector<PictureRecipe> Recipes()
{
	return {
		{"VudavErrorIcon", kSize, kSize, DrawError},
		{"VudavWarningIcon", kSize, kSize, DrawWarning},
		{"VudavNoteIcon", kSize, kSize, DrawNote},
	};
}

void DrawError(cairo_t* context)
{
	DrawDisc(context, Hex(0xff7a6b), Hex(0xc0231a), Hex(0x8a1710));
	AddPolyline(context, {{5.2, 5.2}, {10.8, 10.8}});
	AddPolyline(context, {{10.8, 5.2}, {5.2, 10.8}});
	StrokeRound(context, Hex(0xffffff), 2);
}

void DrawWarning(cairo_t* context)
{
	cairo_new_path(context);
	AddPolygon(context, {{8, 1.2}, {15.2, 14.5}, {0.8, 14.5}});
	FillShaded(context, 1.2, 14.5, Hex(0xffe680), Hex(0xf0a915));
	Stroke(context, Hex(0x9a6a05), 1, CAIRO_LINE_JOIN_ROUND);

	// The exclamation mark: a tapering bar and a dot.
	AddPolygon(context, {{7, 5.5}, {9, 5.5}, {8.5, 10}, {7.5, 10}});
	cairo_new_sub_path(context);
	cairo_arc(context, 8, 12, 1.05, 0, 2 * M_PI);
	SetSource(context, Hex(0x2b2412));
	cairo_fill(context);
}

void DrawNote(cairo_t* context)
{
	DrawDisc(context, Hex(0x8cc4ff), Hex(0x1f60b4), Hex(0x143f7a));
	cairo_arc(context, 8, 4.6, 1.25, 0, 2 * M_PI);
	cairo_rectangle(context, 7, 6.8, 2, 5.2);
	SetSource(context, Hex(0xffffff));
	cairo_fill(context);
}

} // namespace StatusIcons

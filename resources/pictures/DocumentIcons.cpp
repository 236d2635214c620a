#include "DocumentIcons.h"

#include <cmath>

#include "Ink.h"

using namespace Ink;

namespace DocumentIcons {

namespace {

const Colour kLineGrey = Hex(0x9aa5b1);

// A four-pointed sparkle, the mark of something new.
void DrawSparkle(cairo_t* context, double x, double y, double outer, double inner)
{
	cairo_new_path(context);
	for (int i = 0; i < 8; i++) {
		double angle = -M_PI / 2 + i * M_PI / 4;
		double radius = i % 2 == 0 ? outer : inner;
		cairo_line_to(context, x + radius * cos(angle), y + radius * sin(angle));
	}
	cairo_close_path(context);
	FillLit(context, x, y, outer, Hex(0xfff6b8), Hex(0xf0a010));
	Stroke(context, Hex(0x9a6200), 0.9, CAIRO_LINE_JOIN_ROUND);
}

void DrawGear(cairo_t* context, double x, double y, double outer, double root, double hole)
{
	const int kTeeth = 8;
	cairo_new_path(context);
	for (int i = 0; i < kTeeth; i++) {
		double middle = i * 2 * M_PI / kTeeth;
		double half = M_PI / kTeeth;
		cairo_arc(context, x, y, root, middle - half, middle - half * 0.55);
		cairo_arc(context, x, y, outer, middle - half * 0.4, middle + half * 0.4);
		cairo_arc(context, x, y, root, middle + half * 0.55, middle + half);
	}
	cairo_close_path(context);
	cairo_new_sub_path(context);
	cairo_arc_negative(context, x, y, hole, 0, -2 * M_PI);
	cairo_close_path(context);
	FillLit(context, x, y, outer, Hex(0xeef2f6), Hex(0x76828f));
	Stroke(context, Hex(0x39424d), 1, CAIRO_LINE_JOIN_ROUND);
}

// A blade of the scissors, from its root near the ring to its tip.
void DrawBlade(cairo_t* context, double rootX, double rootY, double tipX, double tipY)
{
	double length = hypot(tipX - rootX, tipY - rootY);
	double normalX = -(tipY - rootY) / length;
	double normalY = (tipX - rootX) / length;
	cairo_new_path(context);
	AddPolygon(context, {{rootX + normalX * 2, rootY + normalY * 2},
		{tipX + normalX * 0.5, tipY + normalY * 0.5}, {tipX - normalX * 0.9, tipY - normalY * 0.9},
		{rootX - normalX * 2, rootY - normalY * 2}});
	FillShaded(context, tipY, rootY, Hex(0xf7f9fb), Hex(0x98a2ad));
	Stroke(context, Hex(0x4b5460), 0.9, CAIRO_LINE_JOIN_ROUND);
}

void DrawScissorRing(cairo_t* context, double x, double y)
{
	cairo_new_path(context);
	cairo_arc(context, x, y, 3.1, 0, 2 * M_PI);
	Stroke(context, Hex(0x8e1f17), 3.2);
	cairo_arc(context, x, y, 3.1, 0, 2 * M_PI);
	Stroke(context, Hex(0xe0483c), 1.6);
}

} // namespace

void DrawNew(cairo_t* context)
{
	DrawPage(context, 6.5, 2.5, 19.5, 21.5, 5);
	const double widths[] = {1, 0.75, 1, 0.55};
	DrawTextLines(context, 9, 17, 10, 3, widths, 4, kLineGrey, 1);
	DrawSparkle(context, 6.5, 6.5, 6, 1.7);
}

void DrawOpen(cairo_t* context)
{
	// The back of the folder with its tab.
	cairo_new_path(context);
	AddPolygon(context,
		{{2.5, 4.5}, {8.5, 4.5}, {10.5, 6.5}, {19.5, 6.5}, {19.5, 19.5}, {2.5, 19.5}});
	FillShaded(context, 4.5, 19.5, Hex(0xe9b04c), Hex(0xb8741a));
	Stroke(context, Hex(0x7a4a0c), 1);

	// A sheet inside it.
	cairo_rectangle(context, 5.5, 8.5, 12, 8);
	FillShaded(context, 8.5, 16.5, kPaperTop, kPaperBottom);
	Stroke(context, kRim, 1);

	// The front cover, swung open towards the viewer.
	AddPolygon(context, {{6.5, 11.5}, {22.5, 11.5}, {19.5, 19.5}, {2.5, 19.5}});
	FillShaded(context, 11.5, 19.5, Hex(0xffde7e), Hex(0xeaa338));
	Stroke(context, Hex(0x7a4a0c), 1, CAIRO_LINE_JOIN_ROUND);
}

void DrawSave(cairo_t* context)
{
	// The disk, with its upper right corner cut off.
	cairo_new_path(context);
	cairo_move_to(context, 3.5, 4.5);
	cairo_arc(context, 4.5, 4.5, 1, M_PI, 3 * M_PI / 2);
	cairo_line_to(context, 18.5, 3.5);
	cairo_line_to(context, 20.5, 5.5);
	cairo_line_to(context, 20.5, 19.5);
	cairo_arc(context, 19.5, 19.5, 1, 0, M_PI / 2);
	cairo_line_to(context, 4.5, 20.5);
	cairo_arc(context, 4.5, 19.5, 1, M_PI / 2, M_PI);
	cairo_close_path(context);
	FillShaded(context, 3.5, 20.5, Hex(0x6c9ede), Hex(0x2a5796));
	Stroke(context, Hex(0x1a3a68), 1);

	// The metal shutter and its window.
	cairo_rectangle(context, 7.5, 3.5, 9, 6);
	FillShaded(context, 3.5, 9.5, Hex(0xf2f5f8), Hex(0xaeb8c3));
	Stroke(context, Hex(0x4e5865), 1);
	cairo_rectangle(context, 12.5, 4.5, 2, 4);
	SetSource(context, Hex(0x3e4854));
	cairo_fill(context);

	// The label.
	cairo_rectangle(context, 6.5, 12.5, 11, 8);
	FillShaded(context, 12.5, 20.5, kPaperTop, Hex(0xe6eaef));
	Stroke(context, Hex(0x1a3a68), 1);
	const double widths[] = {1, 0.7};
	DrawTextLines(context, 8, 16, 15, 2.5, widths, 2, kLineGrey, 1);
}

void DrawHTMLEditor(cairo_t* context)
{
	DrawPage(context, 4.5, 2.5, 19.5, 21.5, 5);
	cairo_new_path(context);
	AddPolyline(context, {{9.5, 9.5}, {6.5, 13.5}, {9.5, 17.5}});
	AddPolyline(context, {{14.5, 9.5}, {17.5, 13.5}, {14.5, 17.5}});
	StrokeRound(context, Hex(0x1f5fb0), 1.8);
	AddPolyline(context, {{13, 9}, {11, 18}});
	StrokeRound(context, Hex(0xd4551f), 1.6);
}

void DrawPreview(cairo_t* context)
{
	const double kX = 12;
	const double kY = 12;
	const double kRadius = 9.5;
	cairo_new_path(context);
	cairo_arc(context, kX, kY, kRadius, 0, 2 * M_PI);
	FillLit(context, kX, kY, kRadius, Hex(0xb4e0ff), Hex(0x1c5aa6));

	// Meridians and parallels, kept inside the globe.
	cairo_save(context);
	cairo_clip_preserve(context);
	cairo_new_path(context);
	cairo_move_to(context, kX, kY - kRadius);
	cairo_line_to(context, kX, kY + kRadius);
	cairo_save(context);
	cairo_translate(context, kX, kY);
	cairo_scale(context, 0.45, 1);
	cairo_arc(context, 0, 0, kRadius, 0, 2 * M_PI);
	cairo_restore(context);
	cairo_move_to(context, kX - kRadius, kY);
	cairo_line_to(context, kX + kRadius, kY);
	cairo_move_to(context, kX - kRadius, kY - 4.5);
	cairo_line_to(context, kX + kRadius, kY - 4.5);
	cairo_move_to(context, kX - kRadius, kY + 4.5);
	cairo_line_to(context, kX + kRadius, kY + 4.5);
	Stroke(context, Hex(0xffffff, 0.6), 1);
	cairo_restore(context);

	cairo_new_path(context);
	cairo_arc(context, kX, kY, kRadius, 0, 2 * M_PI);
	Stroke(context, Hex(0x143c70), 1);
}

void DrawPageProperties(cairo_t* context)
{
	DrawPage(context, 3.5, 2.5, 17.5, 20.5, 4);
	const double widths[] = {1, 0.8, 1, 0.5};
	DrawTextLines(context, 6, 13, 8, 3, widths, 4, kLineGrey, 1);
	DrawGear(context, 16.5, 16.5, 6.5, 4.9, 2);
}

void DrawFind(cairo_t* context)
{
	// The handle first, so that the rim of the lens covers its end.
	cairo_new_path(context);
	AddPolyline(context, {{14.5, 14.5}, {20, 20}});
	StrokeRound(context, Hex(0x2f343b), 4.2);
	AddPolyline(context, {{15, 15}, {19.6, 19.6}});
	StrokeRound(context, Hex(0x7d8691), 1.4);

	cairo_new_path(context);
	cairo_arc(context, 10, 10, 6.2, 0, 2 * M_PI);
	FillLit(context, 10, 10, 6.2, Hex(0xf2fbff, 0.95), Hex(0x80bce9, 0.9));
	cairo_new_path(context);
	cairo_arc(context, 10, 10, 6.6, 0, 2 * M_PI);
	Stroke(context, Hex(0x3a4450), 2.2);
	cairo_arc(context, 10, 10, 4, M_PI * 1.05, M_PI * 1.45);
	StrokeRound(context, Hex(0xffffff, 0.9), 1.2);
}

void DrawCut(cairo_t* context)
{
	DrawBlade(context, 8.4, 14.6, 16.5, 1.5);
	DrawBlade(context, 15.6, 14.6, 7.5, 1.5);
	cairo_new_path(context);
	cairo_arc(context, 12, 8.8, 1.1, 0, 2 * M_PI);
	SetSource(context, Hex(0x3a4450));
	cairo_fill(context);
	DrawScissorRing(context, 7, 17.5);
	DrawScissorRing(context, 17, 17.5);
}

void DrawCopy(cairo_t* context)
{
	const double widths[] = {1, 0.7, 1};
	DrawPage(context, 3.5, 2.5, 14.5, 16.5, 3);
	DrawTextLines(context, 5.5, 12, 6.5, 2.5, widths, 3, kLineGrey, 1);
	DrawPage(context, 9.5, 7.5, 20.5, 21.5, 3);
	DrawTextLines(context, 11.5, 18, 11.5, 2.5, widths, 3, kLineGrey, 1);
}

void DrawPaste(cairo_t* context)
{
	cairo_new_path(context);
	AddRoundedBox(context, 4.5, 4.5, 15, 17, 1.5);
	FillShaded(context, 4.5, 21.5, Hex(0xd39a5c), Hex(0x94602e));
	Stroke(context, Hex(0x5a3714), 1);

	cairo_rectangle(context, 7.5, 7.5, 9, 12);
	FillShaded(context, 7.5, 19.5, kPaperTop, kPaperBottom);
	Stroke(context, kRim, 1);
	const double widths[] = {1, 0.75, 1, 0.5};
	DrawTextLines(context, 9, 15, 10.5, 2.5, widths, 4, kLineGrey, 1);

	AddRoundedBox(context, 8.5, 2.5, 7, 4, 1.2);
	FillShaded(context, 2.5, 6.5, Hex(0xf4f6f8), Hex(0x9ea8b3));
	Stroke(context, Hex(0x46505c), 1);
	cairo_rectangle(context, 10.5, 3.5, 3, 1);
	SetSource(context, Hex(0x46505c));
	cairo_fill(context);
}

} // namespace DocumentIcons

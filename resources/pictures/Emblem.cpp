#include "Emblem.h"

#include "Ink.h"

using namespace Ink;

namespace Emblem {

namespace {

const Colour kPageRim = Hex(0x34475a);

// A soft shadow under a page, to the lower right.
void DrawShadow(cairo_t* context, double x, double y, double width, double height)
{
	for (int i = 0; i < 3; i++) {
		double grow = i * 1.2;
		cairo_new_path(context);
		AddRoundedBox(context, x + 2.5 - grow, y + 3.5 - grow, width + 2 * grow,
			height + 2 * grow, 5 + grow);
		SetSource(context, Hex(0x0b2230, 0.10 - i * 0.025));
		cairo_fill(context);
	}
}

void DrawSheet(cairo_t* context, double x, double y, double width, double height, Colour top,
	Colour bottom)
{
	DrawShadow(context, x, y, width, height);
	cairo_new_path(context);
	AddRoundedBox(context, x, y, width, height, 5);
	FillShaded(context, y, y + height, top, bottom);
	Stroke(context, kPageRim, 2);
}

struct CodeRun {
	double indent;
	double lengths[3];  // tag, attribute, value; 0 leaves a part out
};

// The source page: lines of markup in the colours of the HTML window.
void DrawSourcePage(cairo_t* context)
{
	DrawSheet(context, 10, 8, 70, 94, Hex(0xf7fafc), Hex(0xd6dfe8));
	const Colour kParts[] = {Hex(0x2a4fbf), Hex(0x8a929c), Hex(0x2f9a48)};
	const CodeRun kLines[] = {
		{0, {12, 22, 0}}, {6, {8, 14, 10}}, {6, {10, 0, 0}}, {12, {8, 18, 8}},
		{12, {14, 10, 0}}, {6, {10, 0, 0}}, {0, {12, 0, 0}},
	};
	double y = 20;
	for (const CodeRun& line : kLines) {
		double x = 19 + line.indent;
		for (int part = 0; part < 3; part++) {
			double length = line.lengths[part];
			if (length <= 0)
				continue;
			cairo_new_path(context);
			AddRoundedBox(context, x, y, length, 4, 1.5);
			SetSource(context, kParts[part]);
			cairo_fill(context);
			x += length + 3;
		}
		y += 10;
	}
}

// The visual page: a heading, a picture, text with a link in it.
void DrawVisualPage(cairo_t* context)
{
	DrawSheet(context, 46, 28, 72, 94, Hex(0xffffff), Hex(0xe9eef3));

	cairo_new_path(context);
	AddRoundedBox(context, 56, 39, 42, 8, 2);
	SetSource(context, Hex(0x1f7a8c));
	cairo_fill(context);

	cairo_save(context);
	cairo_rectangle(context, 56, 54, 25, 22);
	cairo_clip_preserve(context);
	FillShaded(context, 54, 76, Hex(0x86c6f0), Hex(0xe2f2fc));
	cairo_new_path(context);
	cairo_arc(context, 74, 60, 3.2, 0, 6.2832);
	SetSource(context, Hex(0xf6b028));
	cairo_fill(context);
	AddPolygon(context, {{55, 72}, {63, 63}, {69, 69}, {73, 66}, {82, 75}, {82, 77}, {55, 77}});
	FillShaded(context, 63, 76, Hex(0x86c85e), Hex(0x3b8a2c));
	cairo_restore(context);

	const Colour kText = Hex(0xa6b0bb);
	const double kBeside[] = {1, 0.85, 1};
	DrawTextLines(context, 86, 108, 55, 7.5, kBeside, 3, kText, 3);
	const double kBelow[] = {1, 1, 0.6};
	DrawTextLines(context, 56, 108, 84, 7.5, kBelow, 3, kText, 3);
	// A link inside the second line below the picture.
	cairo_rectangle(context, 70, 91.5, 20, 3);
	SetSource(context, Hex(0x2a62d0));
	cairo_fill(context);
}

} // namespace

void Draw(cairo_t* context, double x, double y, double size)
{
	cairo_save(context);
	cairo_translate(context, x, y);
	cairo_scale(context, size / 128, size / 128);
	DrawSourcePage(context);
	DrawVisualPage(context);
	cairo_restore(context);
}

} // namespace Emblem

#include "Artwork.h"

#include <algorithm>
#include <cmath>

#include "Emblem.h"
#include "Ink.h"

using namespace Ink;

namespace Artwork {

namespace {

const Colour kNameTop = Hex(0x133a4d);
const Colour kNameBottom = Hex(0x1f6e86);
const Colour kQuietText = Hex(0x3b6072);

// A pale sky with two slow waves along the bottom.
void DrawBackdrop(cairo_t* context, double width, double height)
{
	cairo_new_path(context);
	cairo_rectangle(context, 0, 0, width, height);
	FillShaded(context, 0, height, Hex(0xf7fbfc), Hex(0xd3e7ee));
	cairo_new_path(context);

	struct Wave {
		double start;
		double end;
		Colour colour;
	};
	const Wave kWaves[] = {
		{0.80, 0.70, Hex(0x2f8aa3, 0.14)},
		{0.88, 0.84, Hex(0x1f6e86, 0.18)},
	};
	for (const Wave& wave : kWaves) {
		cairo_move_to(context, 0, height * wave.start);
		cairo_curve_to(context, width * 0.3, height * (wave.start - 0.12), width * 0.65,
			height * (wave.end + 0.14), width, height * wave.end);
		cairo_line_to(context, width, height);
		cairo_line_to(context, 0, height);
		cairo_close_path(context);
		SetSource(context, wave.colour);
		cairo_fill(context);
	}
}

// The largest size up to limit at which the text fits the width.
double FittingSize(cairo_t* context, Typeface typeface, const char* text, double width,
	double limit)
{
	double widthAtLimit = TextWidth(context, typeface, limit, text);
	if (widthAtLimit <= width)
		return limit;
	return std::floor(limit * width / widthAtLimit);
}

void DrawName(cairo_t* context, double x, double baseline, double size)
{
	cairo_new_path(context);
	AddText(context, Typeface::kSansBold, size, "Velmora", x + 1, baseline + 1.5);
	SetSource(context, Hex(0xffffff, 0.7));
	cairo_fill(context);
	AddText(context, Typeface::kSansBold, size, "Velmora", x, baseline);
	FillShaded(context, baseline - size * 0.75, baseline, kNameTop, kNameBottom);
	cairo_new_path(context);
}

void DrawLine(cairo_t* context, Typeface typeface, double size, const char* text, double x,
	double baseline, Colour colour)
{
	cairo_new_path(context);
	AddText(context, typeface, size, text, x, baseline);
	SetSource(context, colour);
	cairo_fill(context);
}

// Where the parts of a title picture go: the emblem, and the name beside it
// at its largest size up to nameLimit that fits the picture's width.
struct TitleLayout {
	double width;
	double height;
	double emblemX;
	double emblemY;
	double emblemSize;
	double textLeft;
	double nameBaseline;
	double nameLimit;
};

void DrawTitle(cairo_t* context, const TitleLayout& layout)
{
	DrawBackdrop(context, layout.width, layout.height);
	Emblem::Draw(context, layout.emblemX, layout.emblemY, layout.emblemSize);
	double size = FittingSize(context, Typeface::kSansBold, "Velmora",
		layout.width - layout.textLeft - 16, layout.nameLimit);
	DrawName(context, layout.textLeft, layout.nameBaseline, size);
}

} // namespace

PictureRecipe LogoRecipe()
{
	return {"StartUpLogo", kLogoWidth, kLogoHeight, DrawLogo};
}

void DrawLogo(cairo_t* context)
{
	const TitleLayout kLayout = {kLogoWidth, kLogoHeight, 18, 16, 128, 160, 90, 56};
	DrawTitle(context, kLayout);
	DrawLine(context, Typeface::kSans, 16, "The visual HTML editor", kLayout.textLeft + 2, 118,
		kQuietText);
}

void DrawAbout(cairo_t* context, const std::string& version)
{
	const TitleLayout kLayout = {kAboutWidth, kAboutHeight, 18, 26, 112, 144, 74, 42};
	DrawTitle(context, kLayout);
	std::string versionLine = "Version " + version;
	DrawLine(context, Typeface::kSans, 14, versionLine.c_str(), kLayout.textLeft + 2, 100,
		kQuietText);
	DrawLine(context, Typeface::kSans, 13, "A visual HTML editor", kLayout.textLeft + 2, 122,
		kQuietText);
	DrawLine(context, Typeface::kSans, 12, "Made by the Velmora developers", 20, 220,
		Hex(0x24495a));
}

void DrawIcon(cairo_t* context)
{
	Emblem::Draw(context, 0, 0, kIconSize);
}

void DrawTestPicture(cairo_t* context)
{
	const double kWidth = kTestWidth;
	const double kHeight = kTestHeight;
	cairo_new_path(context);
	cairo_rectangle(context, 0, 0, kWidth, kHeight);
	FillShaded(context, 0, kHeight * 0.7, Hex(0x4f9de0), Hex(0xf4e3c0));
	cairo_new_path(context);

	// The sun with a glow around it.
	cairo_pattern_t* glow = cairo_pattern_create_radial(118, 34, 6, 118, 34, 40);
	cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.7, 0.9);
	cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.95, 0.7, 0);
	cairo_set_source(context, glow);
	cairo_paint(context);
	cairo_pattern_destroy(glow);
	cairo_arc(context, 118, 34, 11, 0, 2 * M_PI);
	SetSource(context, Hex(0xffd659));
	cairo_fill(context);

	// Far hills, a lake, near hills.
	cairo_move_to(context, 0, 78);
	cairo_curve_to(context, 30, 56, 60, 60, 84, 72);
	cairo_curve_to(context, 108, 60, 136, 58, 160, 70);
	cairo_line_to(context, 160, 90);
	cairo_line_to(context, 0, 90);
	cairo_close_path(context);
	FillShaded(context, 56, 90, Hex(0x6f8fb0), Hex(0x4e6f8a));
	cairo_new_path(context);
	cairo_rectangle(context, 0, 84, kWidth, 12);
	FillShaded(context, 84, 96, Hex(0x86b9dc), Hex(0x3d7fb0));
	cairo_new_path(context);
	cairo_move_to(context, 0, 100);
	cairo_curve_to(context, 40, 86, 90, 88, 160, 96);
	cairo_line_to(context, 160, 120);
	cairo_line_to(context, 0, 120);
	cairo_close_path(context);
	FillShaded(context, 88, 120, Hex(0x7fc14f), Hex(0x2f6e22));
	cairo_new_path(context);

	// A red-roofed house on the near bank.
	cairo_rectangle(context, 30, 92, 18, 12);
	SetSource(context, Hex(0xf2ece0));
	cairo_fill(context);
	AddPolygon(context, {{27, 93}, {39, 83}, {51, 93}});
	SetSource(context, Hex(0xc8372b));
	cairo_fill(context);
	cairo_rectangle(context, 36, 97, 5, 7);
	SetSource(context, Hex(0x5b3a22));
	cairo_fill(context);
}

} // namespace Artwork

#include "ContactSheet.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "Artwork.h"
#include "Canvas.h"
#include "Ink.h"
#include "PictureFiles.h"
#include "StatusIcons.h"
#include "ToolBarIcons.h"

using namespace Ink;

namespace ContactSheet {

namespace {

const int kMargin = 12;
const int kSpacing = 3;
const int kEnlarged = 4;
const size_t kEnlargedPerRow = 6;
const int kWidth = 800;
const int kHeight = 1280;

// Draws what the function draws on a canvas of its size, scaled, with
// every pixel a square.
void Place(cairo_t* sheet, int width, int height, const std::function<void(cairo_t*)>& draw,
	double x, double y, int scale)
{
	Canvas canvas(width, height);
	draw(canvas.Context());
	cairo_surface_flush(canvas.Surface());
	cairo_save(sheet);
	cairo_translate(sheet, x, y);
	cairo_scale(sheet, scale, scale);
	cairo_set_source_surface(sheet, canvas.Surface(), 0, 0);
	cairo_pattern_set_filter(cairo_get_source(sheet), CAIRO_FILTER_NEAREST);
	cairo_paint(sheet);
	cairo_restore(sheet);
}

void FillBand(cairo_t* sheet, double y, double height, Colour colour)
{
	cairo_rectangle(sheet, 0, y, kWidth, height);
	SetSource(sheet, colour);
	cairo_fill(sheet);
}

// A row of recipes at a scale on a band of the given colour; returns the
// height it took.
double PlaceRow(cairo_t* sheet, const std::vector<PictureRecipe>& recipes, double y, int scale,
	Colour background)
{
	int height = 0;
	for (const PictureRecipe& recipe : recipes)
		height = std::max(height, recipe.height * scale);
	FillBand(sheet, y, height + 2 * kMargin, background);
	double x = kMargin;
	for (const PictureRecipe& recipe : recipes) {
		Place(sheet, recipe.width, recipe.height, recipe.draw, x, y + kMargin, scale);
		x += recipe.width * scale + (scale == 1 ? kSpacing : kMargin);
	}
	return height + 2 * kMargin;
}

} // namespace

status_t Write(const std::string& path, const std::string& version)
{
	std::vector<PictureRecipe> icons = ToolBarIcons::Recipes();
	std::vector<PictureRecipe> status = StatusIcons::Recipes();
	const Colour kBar = Hex(0xdcdcdc);
	const Colour kList = Hex(0xffffff);

	Canvas sheet(kWidth, kHeight);
	cairo_t* context = sheet.Context();
	FillBand(context, 0, kHeight, Hex(0xb8b8b8));
	double y = 0;
	y += PlaceRow(context, icons, y, 1, kBar);
	for (size_t first = 0; first < icons.size(); first += kEnlargedPerRow) {
		std::vector<PictureRecipe> row(icons.begin() + first,
			icons.begin() + std::min(icons.size(), first + kEnlargedPerRow));
		y += PlaceRow(context, row, y, kEnlarged, kBar);
	}
	y += PlaceRow(context, status, y, 1, kList);
	y += PlaceRow(context, status, y, kEnlarged, kList);

	y += kMargin;
	Place(context, Artwork::kLogoWidth, Artwork::kLogoHeight, Artwork::DrawLogo, kMargin, y, 1);
	Place(context, Artwork::kIconSize, Artwork::kIconSize, Artwork::DrawIcon,
		2 * kMargin + Artwork::kLogoWidth, y, 1);
	Place(context, 48, 48, [](cairo_t* icon) {
		cairo_scale(icon, 48.0 / Artwork::kIconSize, 48.0 / Artwork::kIconSize);
		Artwork::DrawIcon(icon);
	}, 3 * kMargin + Artwork::kLogoWidth + Artwork::kIconSize, y, 1);
	y += Artwork::kLogoHeight + kMargin;
	Place(context, Artwork::kAboutWidth, Artwork::kAboutHeight,
		[&version](cairo_t* about) { Artwork::DrawAbout(about, version); }, kMargin, y, 1);
	Place(context, Artwork::kTestWidth, Artwork::kTestHeight, Artwork::DrawTestPicture,
		2 * kMargin + Artwork::kAboutWidth, y, 1);

	std::string bytes;
	status_t result = PictureFiles::EncodePNG(sheet.Surface(), &bytes);
	if (result == B_OK)
		result = PictureFiles::Replace(path, bytes);
	return result;
}

} // namespace ContactSheet

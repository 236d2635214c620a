#ifndef _VELMORA_INK_H
#define _VELMORA_INK_H

#include <initializer_list>

#include <cairo.h>

#include <SupportDefs.h>

#include "PictureFonts.h"

// The shared vocabulary of the program's pictures: colours, the shaded
// fills and outlines that give every icon the same light (from the upper
// left) and the same dark rim, and the shapes that recur (pages, rounded
// boxes, lettering). Every function works on the context's current path
// or adds to it, as cairo's own operations do.
namespace Ink {

struct Colour {
	double red;
	double green;
	double blue;
	double alpha = 1.0;
};

// From 0xRRGGBB.
Colour Hex(uint32 rgb, double alpha = 1.0);
// A mix of two colours; 0 gives a, 1 gives b.
Colour Mix(Colour a, Colour b, double amount);

// The rim drawn around every icon shape, and the colour of paper.
extern const Colour kRim;
extern const Colour kPaperTop;
extern const Colour kPaperBottom;

void SetSource(cairo_t* context, Colour colour);

// Fills the current path with a vertical gradient from top to bottom (in
// user space) and keeps the path.
void FillShaded(cairo_t* context, double top, double bottom, Colour topColour,
	Colour bottomColour);
// Fills the current path with a radial light from the upper left of the
// circle it lies in, and keeps the path.
void FillLit(cairo_t* context, double centreX, double centreY, double radius, Colour light,
	Colour dark);
// Strokes the current path and clears it; corners are mitred unless
// another join is asked for.
void Stroke(cairo_t* context, Colour colour, double width,
	cairo_line_join_t join = CAIRO_LINE_JOIN_MITER);
// Strokes with round ends and joins, for pen lines that are not outlines.
void StrokeRound(cairo_t* context, Colour colour, double width);

struct Point {
	double x;
	double y;
};

// A closed outline through the points, as a new sub-path.
void AddPolygon(cairo_t* context, std::initializer_list<Point> points);
// An open line through the points, as a new sub-path.
void AddPolyline(cairo_t* context, std::initializer_list<Point> points);
void AddRoundedBox(cairo_t* context, double x, double y, double width, double height,
	double radius);

// A sheet of paper with its upper right corner folded over, outlined.
// Coordinates are the outline's (use half-pixel positions for crisp rims).
void DrawPage(cairo_t* context, double left, double top, double right, double bottom,
	double fold);
// Grey lines of text on a page, from left to right, starting at top, each
// gap apart; widths are fractions of the line length, for ragged ends.
void DrawTextLines(cairo_t* context, double left, double right, double top, double gap,
	const double* widths, int count, Colour colour, double thickness);

// Lettering: text as glyph outlines in a typeface at a size in pixels.
// Width of the text as it would be drawn.
double TextWidth(cairo_t* context, Typeface typeface, double size, const char* text);
// Adds the glyph outlines of the text with its baseline starting at (x, y).
void AddText(cairo_t* context, Typeface typeface, double size, const char* text, double x,
	double y);
// Adds the outlines of the text centred on its ink: the drawn glyphs'
// bounding box is centred at (centreX, centreY).
void AddCentredText(cairo_t* context, Typeface typeface, double size, const char* text,
	double centreX, double centreY);

} // namespace Ink

#endif

#ifndef _VELMORA_PAINTER_H
#define _VELMORA_PAINTER_H

#include <memory>
#include <optional>
#include <vector>

#include <cairo.h>

#include <Font.h>
#include <GraphicsDefs.h>
#include <Rect.h>
#include <Region.h>

class BBitmap;
class BPolygon;

namespace BPrivate {

// The drawing state and operations of one view on a window's ARGB32 cairo
// surface, with BeOS semantics. Coordinates are the view's: integers name
// pixel centres, so a one-pixel line from (0, 0) to (9, 0) covers exactly
// pixels 0 to 9 of row 0, and a rectangle includes its right and bottom
// edges. Straight lines and rectangles on whole coordinates are drawn
// without anti-aliasing smear; curves and slanted lines are anti-aliased.
//
// Text is placed with the advances BFont::StringWidth measures, so a
// string drawn at x ends at x + StringWidth; its baseline lies on the top
// edge of the pixel row of the given y, so glyph bodies fill the rows
// above it and descenders the rows from y on.
//
// Bitmaps hold non-premultiplied pixels; they are premultiplied for cairo
// when drawn (B_OP_COPY ignores alpha, B_OP_OVER and B_OP_ALPHA blend by
// it; in B_RGB32 bitmaps, B_TRANSPARENT_COLOR pixels are clear in B_OP_OVER).
//
// A painter is used by one thread at a time (the one holding the window's
// lock); it is not locked itself.
class Painter {
public:
	explicit Painter(cairo_surface_t* surface = nullptr);
	~Painter();
	Painter(const Painter&) = delete;
	Painter& operator=(const Painter&) = delete;

	// The surface drawn on (a reference is taken); null draws nothing.
	// Call again after the window's surface is replaced.
	void SetSurface(cairo_surface_t* surface);
	cairo_surface_t* Surface() const { return fSurface; }

	// Where the view's (0, 0) lies on the surface.
	void SetOrigin(BPoint origin);
	BPoint Origin() const { return fOrigin; }
	// The part of the surface the view may draw on, in surface
	// coordinates (its visible part, or the part being updated); null
	// allows the whole surface.
	void SetClipping(const BRegion* surfaceRegion);
	// BView::ConstrainClippingRegion: a further limit in view coordinates;
	// null removes it.
	void ConstrainClippingRegion(const BRegion* viewRegion);
	// What may be drawn on now, in view coordinates.
	void GetClippingRegion(BRegion* region) const;

	// BView::PushState/PopState: colours, pen, drawing mode, font and the
	// view's own clipping limit.
	void PushState();
	void PopState();

	void SetHighColor(rgb_color color) { fState.high = color; }
	void SetHighColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { SetHighColor(make_color(r, g, b, a)); }
	rgb_color HighColor() const { return fState.high; }
	void SetLowColor(rgb_color color) { fState.low = color; }
	void SetLowColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { SetLowColor(make_color(r, g, b, a)); }
	rgb_color LowColor() const { return fState.low; }
	void SetPenSize(float size) { fState.penSize = size; }
	float PenSize() const { return fState.penSize; }
	void SetDrawingMode(drawing_mode mode) { fState.mode = mode; }
	drawing_mode DrawingMode() const { return fState.mode; }
	void SetFont(const BFont* font, uint32 properties = B_FONT_ALL);
	void GetFont(BFont* font) const { *font = fState.font; }
	const BFont& Font() const { return fState.font; }

	void MovePenTo(BPoint point) { fState.pen = point; }
	void MovePenTo(float x, float y) { fState.pen = BPoint(x, y); }
	void MovePenBy(float x, float y) { fState.pen += BPoint(x, y); }
	BPoint PenLocation() const { return fState.pen; }

	void StrokeLine(BPoint to, const pattern& p = B_SOLID_HIGH);
	void StrokeLine(BPoint from, BPoint to, const pattern& p = B_SOLID_HIGH);
	void BeginLineArray(int32 count);
	void AddLine(BPoint from, BPoint to, rgb_color color);
	void EndLineArray();

	void StrokeRect(BRect rect, const pattern& p = B_SOLID_HIGH);
	void FillRect(BRect rect, const pattern& p = B_SOLID_HIGH);
	void FillRegion(const BRegion* region, const pattern& p = B_SOLID_HIGH);
	void InvertRect(BRect rect);
	void StrokeRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p = B_SOLID_HIGH);
	void FillRoundRect(BRect rect, float xRadius, float yRadius, const pattern& p = B_SOLID_HIGH);
	void StrokeEllipse(BPoint center, float xRadius, float yRadius, const pattern& p = B_SOLID_HIGH);
	void StrokeEllipse(BRect rect, const pattern& p = B_SOLID_HIGH);
	void FillEllipse(BPoint center, float xRadius, float yRadius, const pattern& p = B_SOLID_HIGH);
	void FillEllipse(BRect rect, const pattern& p = B_SOLID_HIGH);
	// Angles in degrees, counter-clockwise from three o'clock.
	void StrokeArc(BPoint center, float xRadius, float yRadius, float startAngle, float arcAngle,
		const pattern& p = B_SOLID_HIGH);
	void StrokeArc(BRect rect, float startAngle, float arcAngle, const pattern& p = B_SOLID_HIGH);
	void FillArc(BPoint center, float xRadius, float yRadius, float startAngle, float arcAngle,
		const pattern& p = B_SOLID_HIGH);
	void FillArc(BRect rect, float startAngle, float arcAngle, const pattern& p = B_SOLID_HIGH);
	void StrokePolygon(const BPolygon* polygon, bool closed = true, const pattern& p = B_SOLID_HIGH);
	void StrokePolygon(const BPoint* points, int32 count, bool closed = true,
		const pattern& p = B_SOLID_HIGH);
	void FillPolygon(const BPolygon* polygon, const pattern& p = B_SOLID_HIGH);
	void FillPolygon(const BPoint* points, int32 count, const pattern& p = B_SOLID_HIGH);
	void StrokeTriangle(BPoint a, BPoint b, BPoint c, const pattern& p = B_SOLID_HIGH);
	void FillTriangle(BPoint a, BPoint b, BPoint c, const pattern& p = B_SOLID_HIGH);

	// Draws at the pen (or at a baseline point) in the current font and
	// moves the pen to the end of the string. Invalid UTF-8 bytes are drawn
	// as U+FFFD; underscore and strike-out faces draw their lines.
	void DrawString(const char* string);
	void DrawString(const char* string, int32 length);
	void DrawString(const char* string, BPoint baseline);
	void DrawString(const char* string, int32 length, BPoint baseline);

	// The whole bitmap with its top left at the pen, or at a point; or the
	// part source of it scaled into destination (both with inclusive edges).
	void DrawBitmap(const BBitmap* bitmap);
	void DrawBitmap(const BBitmap* bitmap, BPoint where);
	void DrawBitmap(const BBitmap* bitmap, BRect destination);
	void DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination);
	// Fills area with copies of the bitmap, one of which has its top left
	// at tileOrigin (a view's background picture).
	void DrawTiledBitmap(const BBitmap* bitmap, BRect area, BPoint tileOrigin);

	// Copies the pixels of source to destination (same size), as scrolling
	// does; both in view coordinates, clipped to what may be drawn.
	void CopyBits(BRect source, BRect destination);

	// The context, for drawing that has no BeOS operation; restore what
	// you change.
	cairo_t* Context() const { return fContext; }

private:
	struct State {
		rgb_color high = {0, 0, 0, 255};
		rgb_color low = {255, 255, 255, 255};
		float penSize = 1;
		drawing_mode mode = B_OP_COPY;
		BFont font;
		BPoint pen;
		std::optional<BRegion> viewClipping;
	};
	struct PendingLine {
		BPoint from;
		BPoint to;
		rgb_color color;
	};
	enum class Cover { kFill, kStroke };

	bool _Ready() const { return fContext != nullptr; }
	void _Recover();
	void _ApplyClipping();
	double _X(float x) const { return x + fOrigin.x; }
	double _Y(float y) const { return y + fOrigin.y; }
	int _PenWidth() const;
	void _AddBox(BRect rect);
	void _Draw(const pattern& p, Cover cover);
	void _DrawMasked(cairo_pattern_t* mask, const pattern& p);
	void _DrawPixelLine(BPoint from, BPoint to, const pattern& p);
	void _AddEllipsePath(double cx, double cy, double rx, double ry);
	void _AddArcPath(double cx, double cy, double rx, double ry, float start, float span, bool pie);
	void _AddRoundRectPath(double left, double top, double right, double bottom, double rx,
		double ry);
	void _StrokePoints(const BPoint* points, int32 count, bool closed, const pattern& p);
	void _FillPoints(const BPoint* points, int32 count, const pattern& p);
	void _DrawDecorations(double x, double y, float width);
	void _DrawBitmapArea(const BBitmap* bitmap, clipping_rect source, BRect destination);

	cairo_surface_t* fSurface = nullptr;
	cairo_t* fContext = nullptr;
	BPoint fOrigin;
	std::optional<BRegion> fSurfaceClipping;
	State fState;
	std::vector<State> fStateStack;
	std::vector<PendingLine> fLineArray;
	bool fInLineArray = false;
};

} // namespace BPrivate

#endif

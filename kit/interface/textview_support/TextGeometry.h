#ifndef _VELMORA_TEXT_GEOMETRY_H
#define _VELMORA_TEXT_GEOMETRY_H

#include <InterfaceDefs.h>
#include <Rect.h>

class BRegion;

namespace BPrivate {

class TextLayout;

// Where laid-out text stands in its view: the lines are placed from the
// text rectangle's top left, each moved right as the alignment asks. All
// coordinates here are the view's.
class TextGeometry {
public:
	explicit TextGeometry(const TextLayout& layout) : fLayout(layout) {}

	void SetTextRect(BRect rect) { fTextRect = rect; }
	BRect TextRect() const { return fTextRect; }
	void SetAlignment(alignment flag) { fAlignment = flag; }
	alignment Alignment() const { return fAlignment; }

	// Where a line's text begins; its top, and the last pixel row it covers.
	float LineLeft(int32 line) const;
	float LineTop(int32 line) const;
	float LineBottom(int32 line) const;
	// Below the last line.
	float TextBottom() const;

	BPoint PointAt(int32 offset, float* height = nullptr) const;
	int32 LineAt(BPoint point) const;
	int32 OffsetAt(BPoint point) const;

	// The rows of lines fromLine .. toLine between left and right.
	BRect LinesFrame(int32 fromLine, int32 toLine, float left, float right) const;
	// The part of line that start .. end covers; a range that goes on past
	// the line's end reaches the text rectangle's right edge.
	BRect RangeFrameOnLine(int32 line, int32 start, int32 end) const;
	BRect CaretFrame(int32 offset) const;
	// The rectangles start .. end covers on the lines that meet within,
	// one per line.
	void GetRangeRegion(int32 start, int32 end, BRect within, BRegion* region) const;

private:
	const TextLayout& fLayout;
	BRect fTextRect;
	alignment fAlignment = B_ALIGN_LEFT;
};

} // namespace BPrivate

#endif

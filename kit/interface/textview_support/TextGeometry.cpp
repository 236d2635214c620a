#include "TextGeometry.h"

#include <algorithm>
#include <cmath>

#include <Region.h>

#include "TextLayout.h"

namespace BPrivate {

float TextGeometry::LineLeft(int32 line) const
{
	float room = fTextRect.Width() - fLayout.LineWidth(line);
	if (room <= 0)
		return fTextRect.left;
	switch (fAlignment) {
		case B_ALIGN_RIGHT:
			return fTextRect.left + room;
		case B_ALIGN_CENTER:
			return fTextRect.left + std::floor(room / 2);
		default:
			return fTextRect.left;
	}
}

float TextGeometry::LineTop(int32 line) const
{
	line = std::clamp(line, 0, fLayout.CountLines() - 1);
	return fTextRect.top + fLayout.Lines()[line].top;
}

float TextGeometry::LineBottom(int32 line) const
{
	line = std::clamp(line, 0, fLayout.CountLines() - 1);
	return LineTop(line) + fLayout.LineHeight(line) - 1;
}

float TextGeometry::TextBottom() const
{
	return fTextRect.top + fLayout.TextHeight(0, fLayout.CountLines() - 1);
}

BPoint TextGeometry::PointAt(int32 offset, float* height) const
{
	BPoint point = fLayout.PointAt(offset, height);
	int32 line = fLayout.LineAt(offset);
	return BPoint(LineLeft(line) + point.x, fTextRect.top + point.y);
}

int32 TextGeometry::LineAt(BPoint point) const
{
	return fLayout.LineAt(BPoint(0, point.y - fTextRect.top));
}

int32 TextGeometry::OffsetAt(BPoint point) const
{
	int32 line = LineAt(point);
	return fLayout.OffsetAt(BPoint(point.x - LineLeft(line), LineTop(line) - fTextRect.top));
}

BRect TextGeometry::LinesFrame(int32 fromLine, int32 toLine, float left, float right) const
{
	return BRect(left, LineTop(fromLine), right, LineBottom(toLine));
}

// A character from x0 to x1 covers the pixel columns floor(x0) ..
// ceil(x1) - 1.
BRect TextGeometry::RangeFrameOnLine(int32 line, int32 start, int32 end) const
{
	int32 lineStart = fLayout.OffsetAt(line);
	int32 lineEnd = fLayout.OffsetAt(line + 1);
	float left = start <= lineStart ? LineLeft(line) : PointAt(start).x;
	float right;
	if (end >= lineEnd && line < fLayout.CountLines() - 1)
		right = std::max(fTextRect.right, std::ceil(LineLeft(line) + fLayout.LineWidth(line)));
	else
		right = std::ceil(PointAt(end).x) - 1;
	return BRect(std::floor(left), LineTop(line), right, LineBottom(line));
}

BRect TextGeometry::CaretFrame(int32 offset) const
{
	float height = 0;
	BPoint point = PointAt(offset, &height);
	float x = std::floor(point.x);
	return BRect(x, point.y, x, point.y + std::max(height, 1.0f) - 1);
}

void TextGeometry::GetRangeRegion(int32 start, int32 end, BRect within, BRegion* region) const
{
	region->MakeEmpty();
	if (start >= end)
		return;
	int32 first = std::max(fLayout.LineAt(start), LineAt(within.LeftTop()));
	int32 last = fLayout.LineAt(end);
	// A range that ends where a line begins does not reach into that line.
	if (last > 0 && fLayout.OffsetAt(last) >= end)
		last--;
	last = std::min(last, LineAt(within.LeftBottom()));
	for (int32 line = first; line <= last; line++) {
		BRect frame = RangeFrameOnLine(line, start, end) & within;
		if (frame.IsValid())
			region->Include(frame);
	}
}

} // namespace BPrivate

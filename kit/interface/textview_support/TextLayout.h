#ifndef _VELMORA_TEXT_LAYOUT_H
#define _VELMORA_TEXT_LAYOUT_H

#include <Point.h>

#include "LineBreaker.h"
#include "LineBuffer.h"

namespace BPrivate {

// What a re-layout changed: lines fromLine .. toLine were laid out anew;
// the lines after them kept their text and height and moved down by
// heightDelta (up when negative). fromLine > toLine when nothing changed.
struct LayoutChange {
	int32 fromLine;
	int32 toLine;
	float heightDelta;
};

// The lines of a styled text wrapped to a width, and the conversions
// between offsets, lines and points a text view needs. Points are relative
// to the top left of the text: the view adds its text rectangle's origin
// and any alignment shift (from LineWidth()).
class TextLayout {
public:
	TextLayout(const TextGapBuffer& text, const StyleBuffer& styles, TextMeasurer& measurer);

	LineBreaker& Breaker() { return fBreaker; }
	const LineBreaker& Breaker() const { return fBreaker; }
	const LineBuffer& Lines() const { return fLines; }

	// Lays out the whole text: after a change of width, wrapping, tab width
	// or line-end test, or of the whole text. Every line counts as changed.
	LayoutChange Layout();
	// After text and styles were changed from offset on, removing
	// removedLength bytes and putting insertedLength bytes in their place
	// (equal lengths for a change of style), re-wraps the lines from the one
	// before the change until a line starts where it started before.
	LayoutChange Relayout(int32 offset, int32 removedLength, int32 insertedLength);

	int32 CountLines() const { return fLines.NumLines(); }
	int32 LineAt(int32 offset) const;
	int32 LineAt(BPoint point) const;
	int32 OffsetAt(int32 line) const;
	int32 OffsetAt(BPoint point) const;
	BPoint PointAt(int32 offset, float* height = nullptr) const;
	float LineWidth(int32 line) const;
	float LineHeight(int32 line) const;
	float TextHeight(int32 fromLine, int32 toLine) const;

private:
	int32 _FirstAffectedLine(int32 offset) const;
	LayoutChange _Rewrap(int32 first, int32 editStart, int32 editEnd, float oldHeight);
	int32 _LineEnd(int32 line) const;

	const TextGapBuffer& fText;
	LineBreaker fBreaker;
	LineBuffer fLines;
};

} // namespace BPrivate

#endif

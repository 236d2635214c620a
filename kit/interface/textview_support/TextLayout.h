#ifndef _VELMORA_TEXT_LAYOUT_H
#define _VELMORA_TEXT_LAYOUT_H

#include <functional>
#include <optional>

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
	const LineBuffer& Lines() const;

	// While the test answers true (a view nobody sees), Relayout() keeps
	// the line records' offsets in step with the text but re-wraps nothing
	// and reports no change: the lines are wrapped once, all edits
	// together, when a query needs them or Settle() is called.
	void SetDeferTest(std::function<bool()> mayDefer);
	bool Defers() const { return fMayDefer && fMayDefer(); }
	// Re-wraps what waits. True when lines deferred by an edit were wrapped
	// since the last call, by this call or by a query: the caller cannot
	// know which lines changed then, only that some did.
	bool Settle();

	// Lays out the whole text: after a change of width, wrapping, tab width
	// or line-end test, or of the whole text. Every line counts as changed.
	LayoutChange Layout();
	// After text and styles were changed from offset on, removing
	// removedLength bytes and putting insertedLength bytes in their place
	// (equal lengths for a change of style), re-wraps the lines from the one
	// before the change until a line starts where it started before.
	LayoutChange Relayout(int32 offset, int32 removedLength, int32 insertedLength);
	// Counts Layout() and Relayout() calls, deferred or not.
	uint32 Generation() const { return fGeneration; }
	// Whether the one call since generation was a Relayout() that kept the
	// old lines from offset on, moved down by heightDelta (up when
	// negative). Not after a deferred one: which lines it keeps is decided
	// only when they are wrapped.
	bool KeptSince(uint32 generation, int32* offset, float* heightDelta) const;

	int32 CountLines() const;
	int32 LineAt(int32 offset) const;
	int32 LineAt(BPoint point) const;
	int32 OffsetAt(int32 line) const;
	int32 OffsetAt(BPoint point) const;
	BPoint PointAt(int32 offset, float* height = nullptr) const;
	float LineWidth(int32 line) const;
	float LineHeight(int32 line) const;
	float TextHeight(int32 fromLine, int32 toLine) const;

private:
	// What waits to be re-wrapped: the lines from firstLine on, over the
	// text from editStart to editEnd, of a text oldHeight high before.
	struct PendingEdit {
		int32 firstLine;
		int32 editStart;
		int32 editEnd;
		float oldHeight;
	};

	static PendingEdit _Merge(const PendingEdit& pending, const PendingEdit& edit,
		int32 removedLength);
	void _SettleForQuery() const;
	int32 _FirstAffectedLine(int32 offset) const;
	LayoutChange _Rewrap(int32 first, int32 editStart, int32 editEnd, float oldHeight);
	int32 _LineEnd(int32 line) const;

	const TextGapBuffer& fText;
	LineBreaker fBreaker;
	LineBuffer fLines;
	std::function<bool()> fMayDefer;
	std::optional<PendingEdit> fPending;
	bool fSettledDeferred = false;
	uint32 fGeneration = 0;
	// What the last Relayout() kept (see KeptSince()); offset -1 for none.
	int32 fKeptFrom = -1;
	float fKeptShift = 0;
};

} // namespace BPrivate

#endif

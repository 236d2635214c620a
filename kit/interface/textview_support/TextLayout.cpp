#include "TextLayout.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "TextGapBuffer.h"

namespace BPrivate {

TextLayout::TextLayout(const TextGapBuffer& text, const StyleBuffer& styles,
	TextMeasurer& measurer)
	:
	fText(text),
	fBreaker(text, styles, measurer)
{
}

LayoutChange TextLayout::Layout()
{
	fGeneration++;
	fKeptFrom = -1;
	fPending.reset();
	float oldHeight = fLines[fLines.NumLines()].top;
	fLines = LineBuffer();
	LayoutChange change = _Rewrap(0, 0, INT32_MAX, oldHeight);
	change.fromLine = 0;
	return change;
}

LayoutChange TextLayout::Relayout(int32 offset, int32 removedLength, int32 insertedLength)
{
	fGeneration++;
	fKeptFrom = -1;
	int32 length = fText.Length();
	offset = std::clamp(offset, 0, length);
	removedLength = std::max(removedLength, 0);
	insertedLength = std::clamp(insertedLength, 0, length - offset);
	float oldHeight = fLines[fLines.NumLines()].top;
	int32 first = _FirstAffectedLine(offset);
	// Bring the old line starts behind the edit into the new text, so that
	// re-wrapping can tell when it meets one of them again. A change of
	// style moves no text: the starts stay valid and are replaced as the
	// lines are wrapped again, without shifting the lines behind them.
	if (removedLength != insertedLength) {
		fLines.RemoveStartsIn(first, offset, offset + removedLength);
		fLines.BumpOffset(insertedLength - removedLength, fLines.FirstLineAfter(offset));
	}
	PendingEdit edit{first, offset, offset + insertedLength, oldHeight};
	if (fPending.has_value())
		edit = _Merge(*fPending, edit, removedLength);
	if (Defers()) {
		fPending = edit;
		return LayoutChange{0, -1, 0};
	}
	fPending.reset();
	LayoutChange change = _Rewrap(edit.firstLine, edit.editStart, edit.editEnd, edit.oldHeight);
	fKeptFrom = fLines[change.toLine + 1].offset;
	fKeptShift = change.heightDelta;
	return change;
}

bool TextLayout::KeptSince(uint32 generation, int32* offset, float* heightDelta) const
{
	if (fGeneration != generation + 1 || fKeptFrom < 0)
		return false;
	*offset = fKeptFrom;
	*heightDelta = fKeptShift;
	return true;
}

// One pending range that covers both: the earlier one's offsets are carried
// past the new edit, which replaced removedLength bytes at edit.editStart.
TextLayout::PendingEdit TextLayout::_Merge(const PendingEdit& pending, const PendingEdit& edit,
	int32 removedLength)
{
	int32 start = edit.editStart;
	int32 delta = edit.editEnd - start - removedLength;
	auto carried = [start, removedLength, delta](int32 position) {
		if (position < start)
			return position;
		return position >= start + removedLength ? position + delta : start;
	};
	// Records removed by the new edit lay behind its first line, so the
	// smaller of the two first lines still names the same record.
	return PendingEdit{std::min(pending.firstLine, edit.firstLine),
		std::min(carried(pending.editStart), start), std::max(carried(pending.editEnd), edit.editEnd),
		pending.oldHeight};
}

void TextLayout::SetDeferTest(std::function<bool()> mayDefer)
{
	fMayDefer = std::move(mayDefer);
}

bool TextLayout::Settle()
{
	_SettleForQuery();
	bool settled = fSettledDeferred;
	fSettledDeferred = false;
	return settled;
}

// Queries are answered from wrapped lines; wrapping what waits changes no
// text, only how the lines fall, so the layout stays logically unchanged.
void TextLayout::_SettleForQuery() const
{
	if (!fPending.has_value())
		return;
	TextLayout* self = const_cast<TextLayout*>(this);
	PendingEdit edit = *self->fPending;
	self->fPending.reset();
	self->_Rewrap(edit.firstLine, edit.editStart, edit.editEnd, edit.oldHeight);
	self->fSettledDeferred = true;
}

// The line that holds offset, or an earlier one whose end was decided by
// reading text at offset or behind it.
int32 TextLayout::_FirstAffectedLine(int32 offset) const
{
	int32 line = fLines.OffsetToLine(offset);
	while (line > 0 && fLines[line].offset + fLines[line - 1].lookahead > offset)
		line--;
	return line;
}

// Re-wraps from line first. A line that starts behind the edit (and not
// right at its end, where the line-end test still sees the edited text) at
// an offset where an old line started begins the same lines as before: from
// there the old lines are kept and only moved.
LayoutChange TextLayout::_Rewrap(int32 first, int32 editStart, int32 editEnd, float oldHeight)
{
	int32 length = fText.Length();
	int32 records = fLines.NumLines() + 1;
	LineRecord firstOld = fLines[first];
	int32 secondOld = first + 1 < records ? fLines[first + 1].offset : -1;
	std::vector<LineRecord> lines;
	int32 start = firstOld.offset;
	float top = firstOld.top;
	int32 old = first + 1;
	LayoutChange change{first, first, 0};
	while (true) {
		int32 next;
		LineRecord line = fBreaker.BreakLine(start, top, &next);
		lines.push_back(line);
		top += line.height;
		if (next >= length) {
			if (next > start && fText.RealCharAt(length - 1) == '\n') {
				lines.push_back(fBreaker.BreakLine(length, top, &next));
				top += lines.back().height;
			}
			lines.push_back(LineRecord{length, top, 0, 0, 0, 0});
			change.heightDelta = top - oldHeight;
			change.toLine = first + static_cast<int32>(lines.size()) - 2;
			fLines.Replace(first, records, lines);
			break;
		}
		start = next;
		if (start <= editEnd)
			continue;
		while (old < records && fLines[old].offset < start)
			old++;
		if (old < records - 1 && fLines[old].offset == start) {
			change.heightDelta = top - fLines[old].top;
			change.toLine = first + static_cast<int32>(lines.size()) - 1;
			fLines.Replace(first, old, lines);
			fLines.BumpOrigin(change.heightDelta, first + static_cast<int32>(lines.size()));
			break;
		}
	}
	// The line before the edit is re-wrapped in case the edit lets text move
	// up into it; when it kept its end and look, it needs no redraw.
	if (lines.size() > 1 && lines[0] == firstOld && lines[1].offset == secondOld
		&& secondOld <= editStart)
		change.fromLine++;
	return change;
}

// #pragma mark - Queries

const LineBuffer& TextLayout::Lines() const
{
	_SettleForQuery();
	return fLines;
}

int32 TextLayout::CountLines() const
{
	_SettleForQuery();
	return fLines.NumLines();
}

int32 TextLayout::_LineEnd(int32 line) const
{
	return fLines[line + 1].offset;
}

int32 TextLayout::LineAt(int32 offset) const
{
	_SettleForQuery();
	return fLines.OffsetToLine(std::clamp(offset, 0, fText.Length()));
}

int32 TextLayout::LineAt(BPoint point) const
{
	_SettleForQuery();
	return fLines.PixelToLine(point.y);
}

int32 TextLayout::OffsetAt(int32 line) const
{
	_SettleForQuery();
	if (line < 0)
		return 0;
	if (line >= CountLines())
		return fText.Length();
	return fLines[line].offset;
}

BPoint TextLayout::PointAt(int32 offset, float* height) const
{
	_SettleForQuery();
	offset = fText.CharBoundary(offset);
	LineRecord line = fLines[LineAt(offset)];
	float x = 0;
	for (int32 position = line.offset; position < offset;) {
		int32 next = fText.NextCharOffset(position);
		x += fBreaker.Advance(position, next - position, x);
		position = next;
	}
	if (height != nullptr)
		*height = line.height;
	return BPoint(x, line.top);
}

// The character boundary nearest to the point: a click on the right half of
// a character puts the caret after it. Beyond the end of a line the caret
// goes before its line feed, or before its last character when the line was
// wrapped, so that it stays on that line.
int32 TextLayout::OffsetAt(BPoint point) const
{
	_SettleForQuery();
	int32 index = LineAt(point);
	int32 end = _LineEnd(index);
	float x = 0;
	for (int32 position = fLines[index].offset; position < end;) {
		if (fText.RealCharAt(position) == '\n')
			return position;
		int32 next = fText.NextCharOffset(position);
		float advance = fBreaker.Advance(position, next - position, x);
		if (point.x < x + advance / 2)
			return position;
		x += advance;
		position = next;
	}
	if (end >= fText.Length())
		return fText.Length();
	return fText.PreviousCharOffset(end);
}

float TextLayout::LineWidth(int32 line) const
{
	_SettleForQuery();
	if (line < 0 || line >= CountLines())
		return 0;
	return fLines[line].width;
}

float TextLayout::LineHeight(int32 line) const
{
	_SettleForQuery();
	if (line < 0 || line >= CountLines())
		return 0;
	return fLines[line].height;
}

float TextLayout::TextHeight(int32 fromLine, int32 toLine) const
{
	_SettleForQuery();
	fromLine = std::max(fromLine, 0);
	toLine = std::min(toLine, CountLines() - 1);
	if (toLine < fromLine)
		return 0;
	return fLines[toLine + 1].top - fLines[fromLine].top;
}

} // namespace BPrivate

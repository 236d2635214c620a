#ifndef _VELMORA_LINE_BUFFER_H
#define _VELMORA_LINE_BUFFER_H

#include <vector>

#include "ShiftedArray.h"

namespace BPrivate {

// One laid-out line: where it starts in the text, its top edge, its height
// and baseline (ascent below the top), the width of its visible text, and
// how many bytes past its end the line breaking had to read to end it there
// (an edit that far ahead may move the line's end).
struct LineRecord {
	int32 offset;
	float top;
	float height;
	float ascent;
	float width;
	int32 lookahead;

	bool operator==(const LineRecord& other) const = default;
};

// The lines of a text view, followed by an end mark at the text's length
// whose top is the height of the text. Shifting the lines behind an edit is
// deferred (ShiftedArray), so an edit costs O(log lines) plus the lines it
// re-wraps.
class LineBuffer {
public:
	LineBuffer();

	int32 NumLines() const { return fLines.Count() - 1; }
	// Line index, or NumLines() for the end mark.
	LineRecord operator[](int32 index) const { return fLines.At(index); }

	int32 OffsetToLine(int32 offset) const;
	// The index of the first record that starts behind offset.
	int32 FirstLineAfter(int32 offset) const;
	int32 PixelToLine(float y) const;

	// Replaces records from .. to - 1 (to may take in the end mark) by lines.
	void Replace(int32 from, int32 to, const std::vector<LineRecord>& lines);
	// Drops the lines after line from that start at an offset in after ..
	// upTo (a span that an edit removed); returns how many went.
	int32 RemoveStartsIn(int32 from, int32 after, int32 upTo);
	void BumpOffset(int32 delta, int32 index);
	void BumpOrigin(float delta, int32 index);

private:
	struct Shift {
		int32 offset;
		float top;
		Shift& operator+=(const Shift& other)
		{
			offset += other.offset;
			top += other.top;
			return *this;
		}
	};
	struct Record : LineRecord {
		Record& operator+=(const Shift& shift);
		Record& operator-=(const Shift& shift);
	};

	ShiftedArray<Record, Shift> fLines;
};

} // namespace BPrivate

#endif

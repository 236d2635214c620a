#include "LineBuffer.h"

#include <algorithm>

namespace BPrivate {

LineBuffer::Record& LineBuffer::Record::operator+=(const Shift& shift)
{
	offset += shift.offset;
	top += shift.top;
	return *this;
}

LineBuffer::Record& LineBuffer::Record::operator-=(const Shift& shift)
{
	offset -= shift.offset;
	top -= shift.top;
	return *this;
}

LineBuffer::LineBuffer()
{
	fLines.Insert(0, Record{{0, 0, 0, 0, 0, 0}});
	fLines.Insert(1, Record{{0, 0, 0, 0, 0, 0}});
}

int32 LineBuffer::OffsetToLine(int32 offset) const
{
	return std::clamp(FirstLineAfter(offset) - 1, 0, NumLines() - 1);
}

int32 LineBuffer::FirstLineAfter(int32 offset) const
{
	return fLines.PartitionPoint(
		[offset](const Record& record) { return record.offset <= offset; });
}

int32 LineBuffer::PixelToLine(float y) const
{
	int32 line = fLines.PartitionPoint(
		[y](const Record& record) { return record.top <= y; }) - 1;
	return std::clamp(line, 0, NumLines() - 1);
}

void LineBuffer::Replace(int32 from, int32 to, const std::vector<LineRecord>& lines)
{
	int32 count = static_cast<int32>(lines.size());
	int32 kept = std::min(count, to - from);
	for (int32 i = 0; i < kept; i++)
		fLines.Set(from + i, Record{lines[i]});
	if (count > kept) {
		std::vector<Record> added;
		added.reserve(count - kept);
		for (int32 i = kept; i < count; i++)
			added.push_back(Record{lines[i]});
		fLines.Insert(from + kept, std::move(added));
	} else {
		fLines.Erase(from + kept, to);
	}
}

int32 LineBuffer::RemoveStartsIn(int32 from, int32 after, int32 upTo)
{
	int32 first = std::max(FirstLineAfter(after), from + 1);
	// The end mark stays, even when the span reaches the end of the text:
	// lines waiting to be wrapped again are still counted against it.
	int32 last = std::min(FirstLineAfter(upTo), NumLines());
	if (last <= first)
		return 0;
	fLines.Erase(first, last);
	return last - first;
}

void LineBuffer::BumpOffset(int32 delta, int32 index)
{
	if (delta == 0)
		return;
	fLines.ShiftFrom(index, Shift{delta, 0});
}

void LineBuffer::BumpOrigin(float delta, int32 index)
{
	if (delta == 0)
		return;
	fLines.ShiftFrom(index, Shift{0, delta});
}

} // namespace BPrivate

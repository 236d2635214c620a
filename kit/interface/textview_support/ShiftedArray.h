#ifndef _VELMORA_SHIFTED_ARRAY_H
#define _VELMORA_SHIFTED_ARRAY_H

#include <algorithm>
#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

// An array of position records (style runs, lines) in which an edit shifts
// every record behind it. The shift is not written into the tail at once:
// records from fStep on owe fShift, and only the records between the old
// and the new step are touched when the next edit lands elsewhere. The
// records are kept with a gap at the place of the last insertion or
// removal, so that records coming and going where the user types do not
// move the records behind them either. Typing at one place thus costs O(1)
// per keystroke however long the text is.
//
// Record must provide operator+= and operator-= taking a Shift; Shift must
// be value-initialisable to "no shift" and provide operator+=.
template <typename Record, typename Shift>
class ShiftedArray {
public:
	int32 Count() const { return static_cast<int32>(fRecords.size()) - fGapSize; }

	Record At(int32 index) const
	{
		Record record = fRecords[_Slot(index)];
		if (index >= fStep)
			record += fShift;
		return record;
	}

	void Set(int32 index, Record record)
	{
		if (index >= fStep)
			record -= fShift;
		fRecords[_Slot(index)] = record;
	}

	void Insert(int32 index, Record record)
	{
		Insert(index, std::vector<Record>{record});
	}

	void Insert(int32 index, std::vector<Record> records)
	{
		int32 count = static_cast<int32>(records.size());
		if (count == 0)
			return;
		if (index < fStep) {
			fStep += count;
		} else {
			for (Record& record : records)
				record -= fShift;
		}
		_OpenGapAt(index, count);
		std::copy(records.begin(), records.end(), fRecords.begin() + fGapStart);
		fGapStart += count;
		fGapSize -= count;
	}

	void Erase(int32 from, int32 to)
	{
		if (from >= to)
			return;
		_MoveGapTo(from);
		fGapSize += to - from;
		if (to <= fStep)
			fStep -= to - from;
		else if (from < fStep)
			fStep = from;
		_ForgetEmptyStep();
	}

	void Clear()
	{
		fRecords.clear();
		fGapStart = 0;
		fGapSize = 0;
		_ForgetEmptyStep();
	}

	// Adds shift to every record from index on. The step moves to index
	// either way, so that edits walking back through the text (an undo of
	// many changes, last first) cost the records between them, as edits
	// walking forward do: the records it passes are written relative to
	// the debt they take on.
	void ShiftFrom(int32 index, const Shift& shift)
	{
		if (index >= Count())
			return;
		if (index >= fStep) {
			for (int32 i = fStep; i < index; i++)
				fRecords[_Slot(i)] += fShift;
		} else {
			for (int32 i = index; i < fStep; i++)
				fRecords[_Slot(i)] -= fShift;
		}
		fStep = index;
		fShift += shift;
	}

	// The first index whose record does not satisfy before(record); the
	// records must be partitioned by it, as std::partition_point asks.
	template <typename Predicate>
	int32 PartitionPoint(Predicate before) const
	{
		int32 low = 0;
		int32 high = Count();
		while (low < high) {
			int32 middle = low + (high - low) / 2;
			if (before(At(middle)))
				low = middle + 1;
			else
				high = middle;
		}
		return low;
	}

private:
	int32 _Slot(int32 index) const { return index < fGapStart ? index : index + fGapSize; }

	// Moves the records between the gap and index across it.
	void _MoveGapTo(int32 index)
	{
		auto records = fRecords.begin();
		if (index < fGapStart) {
			std::move_backward(records + index, records + fGapStart,
				records + fGapStart + fGapSize);
		} else if (index > fGapStart) {
			std::move(records + fGapStart + fGapSize, records + index + fGapSize,
				records + fGapStart);
		}
		fGapStart = index;
	}

	// A gap of at least count records at index; a new one leaves room for
	// more, in proportion to the array, so that growing stays amortised.
	void _OpenGapAt(int32 index, int32 count)
	{
		if (fGapSize >= count) {
			_MoveGapTo(index);
			return;
		}
		int32 gap = count + std::max<int32>(16, Count() / 8);
		std::vector<Record> records;
		records.reserve(Count() + gap);
		for (int32 i = 0; i < index; i++)
			records.push_back(fRecords[_Slot(i)]);
		records.resize(records.size() + gap);
		for (int32 i = index; i < Count(); i++)
			records.push_back(fRecords[_Slot(i)]);
		fRecords = std::move(records);
		fGapStart = index;
		fGapSize = gap;
	}

	void _ForgetEmptyStep()
	{
		if (fStep >= Count()) {
			fStep = Count();
			fShift = Shift();
		}
	}

	std::vector<Record> fRecords;
	int32 fGapStart = 0;
	int32 fGapSize = 0;
	int32 fStep = 0;
	Shift fShift = Shift();
};

} // namespace BPrivate

#endif

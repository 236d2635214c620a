#ifndef _VELMORA_SHIFTED_ARRAY_H
#define _VELMORA_SHIFTED_ARRAY_H

#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

// An array of position records (style runs, lines) in which an edit shifts
// every record behind it. The shift is not written into the tail at once:
// records from fStep on owe fShift, and only the records between the old
// and the new step are touched when the next edit lands elsewhere. Typing
// at one place thus costs O(1) per keystroke however long the text is.
//
// Record must provide operator+= and operator-= taking a Shift; Shift must
// be value-initialisable to "no shift" and provide operator+=.
template <typename Record, typename Shift>
class ShiftedArray {
public:
	int32 Count() const { return static_cast<int32>(fRecords.size()); }

	Record At(int32 index) const
	{
		Record record = fRecords[index];
		if (index >= fStep)
			record += fShift;
		return record;
	}

	void Set(int32 index, Record record)
	{
		if (index >= fStep)
			record -= fShift;
		fRecords[index] = record;
	}

	void Insert(int32 index, Record record)
	{
		if (index < fStep)
			fStep++;
		else
			record -= fShift;
		fRecords.insert(fRecords.begin() + index, record);
	}

	void Insert(int32 index, std::vector<Record> records)
	{
		if (index < fStep) {
			fStep += static_cast<int32>(records.size());
		} else {
			for (Record& record : records)
				record -= fShift;
		}
		fRecords.insert(fRecords.begin() + index, records.begin(), records.end());
	}

	void Erase(int32 from, int32 to)
	{
		if (from >= to)
			return;
		fRecords.erase(fRecords.begin() + from, fRecords.begin() + to);
		if (to <= fStep)
			fStep -= to - from;
		else if (from < fStep)
			fStep = from;
		_ForgetEmptyStep();
	}

	void Clear()
	{
		fRecords.clear();
		_ForgetEmptyStep();
	}

	// Adds shift to every record from index on.
	void ShiftFrom(int32 index, const Shift& shift)
	{
		if (index >= Count())
			return;
		if (index >= fStep) {
			for (int32 i = fStep; i < index; i++)
				fRecords[i] += fShift;
			fStep = index;
		} else {
			for (int32 i = index; i < fStep; i++)
				fRecords[i] += shift;
		}
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
	void _ForgetEmptyStep()
	{
		if (fStep >= Count()) {
			fStep = Count();
			fShift = Shift();
		}
	}

	std::vector<Record> fRecords;
	int32 fStep = 0;
	Shift fShift = Shift();
};

} // namespace BPrivate

#endif

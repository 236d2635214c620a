#include <textview_support/ShiftedArray.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

using BPrivate::ShiftedArray;

namespace {

struct Position {
	int32 offset;
	Position& operator+=(int32 shift) { offset += shift; return *this; }
	Position& operator-=(int32 shift) { offset -= shift; return *this; }
};

} // namespace

// Insertions, removals, shifts and overwrites at random places, now near
// the last edit (the gap and the pending shift stay put) and now far from
// it (both move), sometimes more records than the gap holds: the array
// always reads as a plain vector edited the same way.
TEST(ShiftedArrayTest, RandomEditsReadAsAPlainVector)
{
	std::mt19937 random(11);
	ShiftedArray<Position, int32> array;
	std::vector<int32> model;
	int32 last = 0;
	for (int32 step = 0; step < 4000; step++) {
		int32 count = static_cast<int32>(model.size());
		int32 index = random() % 2 == 0 ? std::min(last, count)
			: static_cast<int32>(random() % (count + 1));
		switch (random() % 5) {
			case 0:
			case 1: {
				int32 many = random() % 10 == 0 ? 40 + random() % 60 : 1 + random() % 3;
				std::vector<Position> records;
				for (int32 i = 0; i < many; i++)
					records.push_back(Position{static_cast<int32>(random() % 1000)});
				array.Insert(index, records);
				for (int32 i = 0; i < many; i++)
					model.insert(model.begin() + index + i, records[i].offset);
				break;
			}
			case 2: {
				int32 to = std::min(count, index + static_cast<int32>(random() % 4));
				array.Erase(index, to);
				model.erase(model.begin() + index, model.begin() + to);
				break;
			}
			case 3: {
				int32 shift = static_cast<int32>(random() % 21) - 10;
				array.ShiftFrom(index, shift);
				for (int32 i = index; i < count; i++)
					model[i] += shift;
				break;
			}
			default:
				if (index < count) {
					array.Set(index, Position{-step});
					model[index] = -step;
				}
				break;
		}
		last = index;
		ASSERT_EQ(array.Count(), static_cast<int32>(model.size())) << "step " << step;
		for (int32 i = 0; i < array.Count(); i++)
			ASSERT_EQ(array.At(i).offset, model[i]) << "step " << step << ", record " << i;
		if (step % 1000 == 999) {
			array.Clear();
			model.clear();
		}
	}
}

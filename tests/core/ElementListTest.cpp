// The element list on its own: records in offset order, shifts, spaces,
// moves, growth and ownership. Elements here are bare ones that
// take themselves out of the list when they go.

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include <Message.h>

#include "Element_List.h"
#include "Visual_Element.h"

namespace {

class Marker : public Visual_Element {
public:
	Marker(Element_List* list, int* deleted = nullptr)
		: Visual_Element(0, nullptr, list), fDeleted(deleted) {}
	~Marker() override
	{
		ElementList()->Remove(this);
		if (fDeleted != nullptr)
			(*fDeleted)++;
	}
	void Archive(BMessage*) const override {}

private:
	int* fDeleted;
};

class ElementListTest : public testing::Test {
protected:
	Marker* AddAfter(long offset)
	{
		Marker* marker = new Marker(&fList);
		EXPECT_EQ(fList.AddAfter(offset, marker), 0);
		return marker;
	}
	Marker* AddBefore(long offset)
	{
		Marker* marker = new Marker(&fList);
		EXPECT_EQ(fList.AddBefore(offset, marker), 0);
		return marker;
	}
	// A marker that takes [offset + from, offset + to).
	Marker* WithSpace(long offset, long from, long to)
	{
		Marker* marker = AddAfter(offset);
		fList.SetSpaceFromToRelOffset(marker, from, to);
		return marker;
	}

	Element_List fList{nullptr, nullptr};
};

} // namespace

TEST_F(ElementListTest, ElementsAtOneOffsetKeepTheirOrderAndBeforeGoesInFront)
{
	Marker* first = AddAfter(5);
	Marker* second = AddAfter(5);
	Marker* front = AddBefore(5);
	Marker* earlier = AddAfter(2);
	EXPECT_EQ(earlier->ThisIndex(), 1u);
	EXPECT_EQ(front->ThisIndex(), 2u);
	EXPECT_EQ(first->ThisIndex(), 3u);
	EXPECT_EQ(second->ThisIndex(), 4u);
	for (unsigned long i = 0; i <= fList.LastIndex(); i++)
		EXPECT_EQ(fList[i].index, i);
}

TEST_F(ElementListTest, BadArgumentsAreRefused)
{
	EXPECT_EQ(fList.NextIndex(-1), 0u);
	EXPECT_EQ(fList.AddAfter(-1, nullptr), -1);
	Marker* marker = new Marker(&fList);
	EXPECT_EQ(fList.AddAfter(-3, marker), -1);
	EXPECT_EQ(fList.LastIndex(), 0u);
	delete marker;
	EXPECT_EQ(fList.IndexOf(nullptr), -1);
	Marker* a = AddAfter(3);
	fList.Adjust(4, 100);
	fList.Adjust(-1, 100);
	EXPECT_EQ(a->ThisOffset(), 3) << "nothing lies behind either place";
}

// Shifts are kept pending from one place and carried when the text
// changes elsewhere: however edits at different places, additions and
// removals follow each other, every offset and search is that of a list
// shifted at once.
TEST_F(ElementListTest, ShiftsAtChangingPlacesAmongAdditionsAndRemovalsKeepEveryOffset)
{
	std::mt19937 random(14);
	std::vector<Marker*> markers;
	std::vector<long> expected;
	for (long i = 0; i < 60; i++) {
		markers.push_back(AddAfter(i * 3 + 1));
		expected.push_back(i * 3 + 1);
	}
	for (int step = 0; step < 600; step++) {
		int what = std::uniform_int_distribution<int>(0, 9)(random);
		long at = std::uniform_int_distribution<long>(0, fList.LastOffset())(random);
		size_t behind = std::lower_bound(expected.begin(), expected.end(), at) - expected.begin();
		if (what < 7) {
			// A deletion ends where no element stands inside it.
			long before = behind > 0 ? expected[behind - 1] : 0;
			long delta = std::max<long>(std::uniform_int_distribution<long>(-3, 3)(random),
				before - at);
			fList.Adjust(at, delta);
			for (size_t i = behind; i < expected.size(); i++)
				expected[i] += delta;
		} else if (what < 9 || markers.empty()) {
			size_t place = std::upper_bound(expected.begin(), expected.end(), at)
				- expected.begin();
			markers.insert(markers.begin() + place, AddAfter(at));
			expected.insert(expected.begin() + place, at);
		} else {
			size_t gone = std::min(behind, markers.size() - 1);
			fList.Remove(markers[gone]);
			EXPECT_EQ(markers[gone]->ThisOffset(), expected[gone]) << "the offset it had last";
			delete markers[gone];
			markers.erase(markers.begin() + gone);
			expected.erase(expected.begin() + gone);
		}
		ASSERT_EQ(fList.LastIndex(), markers.size());
		for (size_t i = 0; i < markers.size(); i++) {
			ASSERT_EQ(markers[i]->ThisOffset(), expected[i]) << "step " << step;
			ASSERT_EQ(fList[i + 1].offset, expected[i]) << "step " << step;
			ASSERT_EQ(markers[i]->ThisIndex(), i + 1) << "step " << step;
		}
		if (!markers.empty()) {
			ASSERT_EQ(fList.Next(markers.back()), nullptr);
		}
		long probe = std::uniform_int_distribution<long>(0, fList.LastOffset() + 1)(random);
		size_t lower = std::lower_bound(expected.begin(), expected.end(), probe)
			- expected.begin();
		EXPECT_EQ(fList.PreviousIndex(probe), lower) << "step " << step;
	}
}

// Deletions in a row at scattered places each move the gap of the records
// there; each element must still be found at its place, whatever is asked
// in between, and an insertion or a move among them must put everything
// right.
TEST_F(ElementListTest, ManyDeletionsInARowLeaveEveryElementFoundAtItsPlace)
{
	std::mt19937 random(24);
	std::vector<Marker*> markers;
	for (long i = 0; i < 300; i++)
		markers.push_back(AddAfter(i * 2));
	auto expectInPlace = [&](int step) {
		ASSERT_EQ(fList.LastIndex(), markers.size()) << "step " << step;
		for (size_t i = 0; i < markers.size(); i++) {
			ASSERT_EQ(markers[i]->ThisIndex(), i + 1) << "step " << step;
			ASSERT_EQ(fList.IndexOf(markers[i]), static_cast<long>(i + 1)) << "step " << step;
			ASSERT_EQ(fList[i + 1].index, i + 1) << "step " << step;
			ASSERT_EQ(markers[i]->ThisOffset(), fList[i + 1].offset) << "step " << step;
			ASSERT_EQ(fList.Next(markers[i]), i + 1 < markers.size() ? markers[i + 1] : nullptr);
		}
	};
	for (int step = 0; step < 200; step++) {
		size_t gone = std::uniform_int_distribution<size_t>(0, markers.size() - 1)(random);
		delete markers[gone];
		markers.erase(markers.begin() + static_cast<long>(gone));
		if (step == 40) {
			// An insertion and a move while records are stale.
			Marker* added = AddAfter(markers[10]->ThisOffset());
			markers.insert(markers.begin() + 11, added);
			ASSERT_EQ(fList.MoveAtIndex(markers[50], 2, markers[0]->ThisOffset()), 0);
			Marker* moved = markers[50];
			markers.erase(markers.begin() + 50);
			markers.insert(markers.begin() + 1, moved);
		}
		expectInPlace(step);
	}
}

// Elements deleted as one set, with a shift still pending and the gap left
// by a deletion before: the others stay in order at their offsets and know
// their index, and the order's watcher hears of the first record that
// moved.
TEST_F(ElementListTest, ASetDeletedTogetherLeavesEveryOtherElementAtItsPlace)
{
	std::vector<Marker*> markers;
	for (long i = 0; i < 100; i++)
		markers.push_back(AddAfter(i * 2));
	delete markers[5];
	markers.erase(markers.begin() + 5);
	fList.Adjust(markers[20]->ThisOffset(), 7);
	std::vector<Visual_Element*> gone;
	std::vector<Marker*> kept;
	std::vector<long> keptOffsets;
	for (size_t i = 0; i < markers.size(); i++) {
		if (i % 3 == 1 || i + 1 == markers.size()) {
			gone.push_back(markers[i]);
		} else {
			kept.push_back(markers[i]);
			keptOffsets.push_back(markers[i]->ThisOffset());
		}
	}
	unsigned long firstMoved = ULONG_MAX;
	fList.WatchOrder([&](unsigned long first) { firstMoved = std::min(firstMoved, first); });
	fList.Delete(gone);
	EXPECT_EQ(firstMoved, 2u);
	ASSERT_EQ(fList.LastIndex(), kept.size());
	for (size_t i = 0; i < kept.size(); i++) {
		ASSERT_EQ(kept[i]->ThisIndex(), i + 1);
		ASSERT_EQ(fList[i + 1].index, i + 1);
		ASSERT_EQ(kept[i]->ThisOffset(), keptOffsets[i]);
		ASSERT_EQ(fList.Next(kept[i]), i + 1 < kept.size() ? kept[i + 1] : nullptr);
	}
	Marker* added = AddAfter(keptOffsets[3]);
	EXPECT_EQ(added->ThisIndex(), 5u);
	EXPECT_EQ(kept[4]->ThisIndex(), 6u);
}

// Paragraphs typed and taken back at one place, with now and then a change
// at another place of a list longer than its gap grows at once: additions,
// removals, shifts kept pending among them, moves and sets deleted
// together must leave every element found at its place, at its offset.
TEST_F(ElementListTest, ChangesWanderingOverALongListLeaveEveryElementAtItsPlace)
{
	std::mt19937 random(31);
	auto pick = [&](long low, long high) {
		return std::uniform_int_distribution<long>(low, high)(random);
	};
	std::vector<Marker*> markers;
	std::vector<long> expected;
	for (long i = 0; i < 1500; i++) {
		markers.push_back(AddAfter(i * 2));
		expected.push_back(i * 2);
	}
	long place = 700;
	for (int step = 0; step < 1500; step++) {
		long count = static_cast<long>(markers.size());
		place = pick(0, 4) == 0 ? pick(0, count - 1)
			: std::clamp(place + pick(-3, 3), 0L, count - 1);
		int what = static_cast<int>(pick(0, 19));
		if (what < 8) {
			long at = expected[place];
			size_t into = std::upper_bound(expected.begin(), expected.end(), at)
				- expected.begin();
			markers.insert(markers.begin() + into, AddAfter(at));
			expected.insert(expected.begin() + into, at);
		} else if (what < 14 && count > 1) {
			delete markers[place];
			markers.erase(markers.begin() + place);
			expected.erase(expected.begin() + place);
		} else if (what < 17) {
			// A deletion ends where no element stands inside it.
			long at = std::clamp(expected[place] + pick(-1, 1), 0L, fList.LastOffset());
			size_t behind = std::lower_bound(expected.begin(), expected.end(), at)
				- expected.begin();
			long before = behind > 0 ? expected[behind - 1] : 0;
			long delta = std::max(pick(-3, 3), before - at);
			fList.Adjust(at, delta);
			for (size_t i = behind; i < expected.size(); i++)
				expected[i] += delta;
		} else if (what < 19) {
			// In front of the record at newIndex, at its predecessor's offset.
			long newIndex = pick(1, count + 1);
			Marker* moved = markers[place];
			markers.erase(markers.begin() + place);
			expected.erase(expected.begin() + place);
			long into = newIndex - 1 > place ? newIndex - 2 : newIndex - 1;
			long offset = into > 0 ? expected[into - 1] : 0;
			ASSERT_EQ(fList.MoveAtIndex(moved, static_cast<unsigned long>(newIndex), offset), 0)
				<< "step " << step;
			markers.insert(markers.begin() + into, moved);
			expected.insert(expected.begin() + into, offset);
		} else {
			std::vector<Visual_Element*> gone;
			long end = std::min(place + pick(1, 5), count - 1);
			for (long i = place; i < end; i += 2)
				gone.push_back(markers[i]);
			fList.Delete(gone);
			for (long i = end - 1; i >= place; i--) {
				if ((i - place) % 2 == 0) {
					markers.erase(markers.begin() + i);
					expected.erase(expected.begin() + i);
				}
			}
		}
		ASSERT_EQ(fList.LastIndex(), markers.size()) << "step " << step;
		for (size_t i = 0; i < markers.size(); i++) {
			ASSERT_EQ(fList.IndexOf(markers[i]), static_cast<long>(i + 1)) << "step " << step;
			ASSERT_EQ(fList[i + 1].element, markers[i]) << "step " << step;
			ASSERT_EQ(fList[i + 1].offset, expected[i]) << "step " << step;
			ASSERT_EQ(markers[i]->ThisOffset(), expected[i]) << "step " << step;
		}
		size_t here = std::min<size_t>(static_cast<size_t>(place), markers.size() - 1);
		ASSERT_EQ(fList.Previous(markers.front()), fList[0].element);
		ASSERT_EQ(fList.Next(markers[here]),
			here + 1 < markers.size() ? markers[here + 1] : nullptr);
	}
}

TEST_F(ElementListTest, MoveAtIndexRefusesTheSentinelAndBadPlaces)
{
	Marker* a = AddAfter(1);
	EXPECT_EQ(fList.MoveAtIndex(a, 0, 1), -1);
	EXPECT_EQ(fList.MoveAtIndex(a, 3, 1), -1);
	EXPECT_EQ(fList.MoveAtIndex(a, 1, -1), -1);
	EXPECT_EQ(fList.MoveAtIndex(fList[0].element, 1, 0), -1);
	EXPECT_EQ(fList.MoveAtIndex(a, 1, 1), 0);
}

TEST_F(ElementListTest, ASpaceIsFoundWhateverOtherElementsShareItsOffset)
{
	AddAfter(1);
	WithSpace(5, 0, 3);	// an image: three placeholders at 5, 6, 7
	AddAfter(8);
	EXPECT_EQ(fList.SpaceLengthAt(5), 3);
	EXPECT_EQ(fList.SpaceLengthAt(7), 1) << "two characters into three";
	EXPECT_EQ(fList.SpaceLengthAt(8), 0);
	EXPECT_EQ(fList.SpaceLengthAt(3), 0);
	AddAfter(10);
	Marker* rule = WithSpace(10, 0, 2);
	AddAfter(10);
	EXPECT_EQ(fList.InNullCharactersAt(10), static_cast<long>(rule->ThisIndex()));
	EXPECT_EQ(fList.InNullCharactersAt(11), static_cast<long>(rule->ThisIndex()));
	EXPECT_EQ(fList.SpaceLengthAt(10), 2);
}

// The line breaking asks for the placeholders at each blank in text order,
// and the list answers from where its last answer was. After any change of
// the list the answers must be those of the changed list, asked in order
// or at random.
TEST_F(ElementListTest, PlaceholdersAreFoundInTextOrderAcrossChangesOfTheList)
{
	struct Space {
		Marker* marker;
		long offset;
		long to;
	};
	std::mt19937 random(24);
	std::vector<Space> spaces;
	auto add = [&](long offset, long to) {
		Marker* marker = to > 0 ? WithSpace(offset, 0, to) : AddAfter(offset);
		size_t place = std::upper_bound(spaces.begin(), spaces.end(), offset,
			[](long at, const Space& space) { return at < space.offset; }) - spaces.begin();
		spaces.insert(spaces.begin() + place, Space{marker, offset, to});
	};
	for (long i = 0; i < 40; i++)
		add(i * 6 + 2, i % 3 == 0 ? 0 : 1 + i % 4);
	auto expected = [&](long probe) {
		long found = 0;
		for (size_t i = 0; i < spaces.size(); i++) {
			if (spaces[i].offset > probe)
				break;
			if (found == 0 || spaces[i].offset != spaces[found - 1].offset)
				found = 0;
			if (found == 0 && spaces[i].to > 0 && probe < spaces[i].offset + spaces[i].to)
				found = static_cast<long>(i) + 1;
		}
		return found;
	};
	for (int step = 0; step < 200; step++) {
		for (long probe = 0; probe <= fList.LastOffset() + 2; probe++)
			ASSERT_EQ(fList.InNullCharactersAt(probe), expected(probe)) << "step " << step;
		for (int ask = 0; ask < 20; ask++) {
			long probe = std::uniform_int_distribution<long>(0, fList.LastOffset() + 2)(random);
			ASSERT_EQ(fList.InNullCharactersAt(probe), expected(probe)) << "step " << step;
		}
		int what = std::uniform_int_distribution<int>(0, 2)(random);
		long at = std::uniform_int_distribution<long>(0, fList.LastOffset())(random);
		if (what == 0) {
			// Text typed at a place moves every record at and behind it.
			long delta = std::uniform_int_distribution<long>(1, 5)(random);
			fList.Adjust(at, delta);
			for (Space& space : spaces)
				space.offset += space.offset >= at ? delta : 0;
		} else if (what == 1) {
			add(at, std::uniform_int_distribution<long>(0, 2)(random));
		} else if (!spaces.empty()) {
			size_t gone = std::uniform_int_distribution<size_t>(0, spaces.size() - 1)(random);
			delete spaces[gone].marker;
			spaces.erase(spaces.begin() + gone);
		}
	}
}

TEST_F(ElementListTest, HTMLSpansAreRecordedForKnownElementsOnly)
{
	Marker* a = AddAfter(1);
	fList.SetHTMLStartFinish(a, 10, 20);
	fList.SetHTMLStartFinish(a, -1, 30);
	EXPECT_EQ(fList[a->ThisIndex()].htmlStart, 10);
	EXPECT_EQ(fList[a->ThisIndex()].htmlFinish, 20);
	Marker stranger(&fList);
	fList.SetSpaceFromToRelOffset(&stranger, 0, 5);
	EXPECT_EQ(fList.SpaceLengthAt(0), 0);
}

TEST_F(ElementListTest, GrowsPastItsBlockAndEmptiesBackDeletingEveryElement)
{
	int deleted = 0;
	for (int i = 0; i < 1300; i++)
		fList.AddAfter(i / 3, new Marker(&fList, &deleted));
	EXPECT_EQ(fList.LastIndex(), 1300u);
	EXPECT_EQ(fList.LastOffset(), 1299 / 3);
	fList.Empty();
	EXPECT_EQ(deleted, 1300);
	EXPECT_EQ(fList.LastIndex(), 0u);
	EXPECT_NE(fList[0].element, nullptr) << "the sentinel stays";
	AddAfter(1);
	EXPECT_EQ(fList.LastIndex(), 1u);
}

TEST_F(ElementListTest, AnAdoptedElementIsTheListsToDeleteOneThatNeverEnteredIsDeletedAtOnce)
{
	int deleted = 0;
	auto entered = std::make_unique<Marker>(&fList, &deleted);
	fList.AddAfter(3, entered.get());
	Visual_Element* adopted = fList.Adopt(std::move(entered));
	ASSERT_NE(adopted, nullptr);
	EXPECT_EQ(fList.Adopt(std::make_unique<Marker>(&fList, &deleted)), nullptr);
	EXPECT_EQ(deleted, 1) << "the stray element goes at once";
	fList.Delete(adopted);
	EXPECT_EQ(deleted, 2);
	EXPECT_EQ(fList.LastIndex(), 0u);
}

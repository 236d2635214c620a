#include "Element_List.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <typeinfo>

#include <Looper.h>

#include "NULL_Element.h"
#include "Page_Element.h"

namespace {

// The least width of the gap, and the records an empty list has room for.
constexpr unsigned long kLeastGap = 512;
// A gap that is used up grows to this share of the records.
constexpr unsigned long kGapShare = 4;

Element_List_Item BlankItem()
{
	Element_List_Item item;
	item.Reset();
	return item;
}

} // namespace

void Element_List_Item::Reset()
{
	element = nullptr;
	index = 0;
	offset = 0;
	spaceFrom = 0;
	spaceTo = -1;
	htmlStart = -1;
	htmlFinish = -1;
}

Element_List::Element_List(Visual_Engine* engine, BLooper* lock)
	:
	lock(lock),
	slots(kLeastGap, BlankItem()),
	gapStart(1),
	gapEnd(kLeastGap),
	last(0)
{
	sentinel = std::make_unique<NULL_Element>(engine, this);
	slots[0].element = sentinel.get();
}

Element_List::~Element_List()
{
	Empty();
}

// Searched from the index found last, in steps that double, before the
// halving: a page is built at its end, and styling it or writing its HTML
// asks for offset after offset in order, so the index sought is mostly a
// few records from the one before.
template <class Passes>
unsigned long Element_List::FirstPassing(unsigned long low, unsigned long high,
	Passes passes) const
{
	if (high < low || high == ULONG_MAX || !passes(Offset(high)))
		return high + 1;
	// The first passing index lies in [from, to]; to passes.
	unsigned long from = low;
	unsigned long to = high;
	unsigned long hint = std::clamp(searchHint.load(std::memory_order_relaxed), low, high);
	if (passes(Offset(hint))) {
		to = hint;
		for (unsigned long step = 1; to > low; step *= 2) {
			unsigned long probe = to - low > step ? to - step : low;
			if (!passes(Offset(probe))) {
				from = probe + 1;
				break;
			}
			to = probe;
		}
	} else {
		from = hint + 1;
		for (unsigned long step = 1; from < to; step *= 2) {
			unsigned long probe = to - from > step ? from + step : to;
			if (passes(Offset(probe))) {
				to = probe;
				break;
			}
			from = probe + 1;
		}
	}
	while (from < to) {
		unsigned long middle = from + (to - from) / 2;
		if (passes(Offset(middle)))
			to = middle;
		else
			from = middle + 1;
	}
	searchHint.store(to, std::memory_order_relaxed);
	return to;
}

unsigned long Element_List::FirstAbove(long offset, unsigned long low, unsigned long high) const
{
	return FirstPassing(low, high, [offset](long at) { return at > offset; });
}

unsigned long Element_List::FirstAtOrAbove(long offset, unsigned long low,
	unsigned long high) const
{
	return FirstPassing(low, high, [offset](long at) { return at >= offset; });
}

unsigned long Element_List::FirstAtOrAboveBeforeLast(long offset) const
{
	if (last == 0)
		return 0;
	return FirstAtOrAbove(offset, 0, last - 1);
}

void Element_List::TellSlots(unsigned long from, unsigned long to)
{
	for (unsigned long i = from; i <= to && i <= last; i++) {
		if (Visual_Element* element = Record(i).element)
			element->index = Slot(i);
	}
}

void Element_List::Settle()
{
	if (pendingShift != 0) {
		for (unsigned long i = pendingFrom; i <= last; i++)
			Record(i).offset += pendingShift;
	}
	pendingShift = 0;
	pendingFrom = 0;
}

void Element_List::MoveGapTo(unsigned long index)
{
	unsigned long width = gapEnd - gapStart;
	unsigned long from = std::min(index, gapStart);
	unsigned long to = std::max(index, gapStart);
	if (index < gapStart) {
		std::move_backward(slots.begin() + index, slots.begin() + gapStart,
			slots.begin() + gapEnd);
	} else {
		std::move(slots.begin() + gapEnd, slots.begin() + gapEnd + (index - gapStart),
			slots.begin() + gapStart);
	}
	gapStart = index;
	gapEnd = index + width;
	// The records between the two places moved over the gap.
	TellSlots(from, to - 1);
}

void Element_List::WidenGap()
{
	if (gapStart < gapEnd)
		return;
	unsigned long width = std::max(kLeastGap, (last + 1) / kGapShare);
	slots.insert(slots.begin() + gapStart, width, BlankItem());
	gapEnd = gapStart + width;
	TellSlots(gapStart, last);
}

long Element_List::InsertAt(unsigned long index, long offset, Visual_Element* element)
{
	assert(IsLocked());
	MoveGapTo(index);
	WidenGap();
	// The records behind move down a place, the pending ones among them.
	if (index < pendingFrom)
		pendingFrom++;
	Element_List_Item& item = slots[gapStart];
	item.Reset();
	item.element = element;
	item.offset = static_cast<int32>(offset - (index >= pendingFrom ? pendingShift : 0));
	element->index = gapStart;
	element->offset = offset;
	element->listed = true;
	gapStart++;
	last++;
	OrderChanged(index);
	return 0;
}

long Element_List::AddAfter(long offset, Visual_Element* element)
{
	if (offset < 0 || element == nullptr)
		return -1;
	return InsertAt(FirstAbove(offset, 1, last), offset, element);
}

long Element_List::AddBefore(long offset, Visual_Element* element)
{
	if (offset < 0 || element == nullptr)
		return -1;
	return InsertAt(FirstAtOrAbove(offset, 1, last), offset, element);
}

long Element_List::AddPair(long offsetA, Visual_Element* a, long offsetB, Visual_Element* b)
{
	long first = AddAfter(offsetA, a);
	long second = AddBefore(offsetB, b);
	return first < 0 || second < 0 ? -1 : 0;
}

void Element_List::RemoveAt(unsigned long index)
{
	assert(IsLocked());
	Element_List_Item& record = Record(index);
	if (record.element != nullptr) {
		record.element->index = 0;
		record.element->listed = false;
		record.element->offset = Offset(index);
	}
	if (leavingHoles) {
		record.element = nullptr;
		holesFrom = std::min(holesFrom, index);
		return;
	}
	// The gap takes the record in, from whichever side it is nearer.
	if (index < gapStart) {
		MoveGapTo(index + 1);
		gapStart--;
		slots[gapStart].Reset();
	} else {
		MoveGapTo(index);
		slots[gapEnd].Reset();
		gapEnd++;
	}
	last--;
	if (index < pendingFrom)
		pendingFrom--;
	OrderChanged(index);
}

void Element_List::Remove(Visual_Element* element)
{
	long index = IndexOf(element);
	if (index >= 1)
		RemoveAt(static_cast<unsigned long>(index));
}

void Element_List::RemovePair(Visual_Element* a, Visual_Element* b)
{
	Remove(a);
	Remove(b);
}

long Element_List::MoveAfter(long offset, Visual_Element* element)
{
	Remove(element);
	return AddAfter(offset, element);
}

long Element_List::MoveBefore(long offset, Visual_Element* element)
{
	Remove(element);
	return AddBefore(offset, element);
}

long Element_List::MoveAtIndex(Visual_Element* element, unsigned long newIndex, long newOffset)
{
	long current = IndexOf(element);
	if (newIndex < 1 || newIndex > last + 1 || newOffset < 0 || current < 1)
		return -1;
	unsigned long from = static_cast<unsigned long>(current);
	Settle();
	Record(from).offset = static_cast<int32>(newOffset);
	element->offset = newOffset;
	if (from == newIndex)
		return 0;
	// Taken out, the record leaves a gap: coming from below, the records
	// up to newIndex move down one, so it lands one place lower.
	unsigned long target = from < newIndex ? newIndex - 1 : newIndex;
	unsigned long low = std::min(from, target);
	unsigned long high = std::max(from, target);
	// The records that turn round lie together.
	if (gapStart > low && gapStart <= high)
		MoveGapTo(low);
	auto at = [this](unsigned long index) { return slots.begin() + Slot(index); };
	if (from < target)
		std::rotate(at(from), at(from) + 1, at(target) + 1);
	else
		std::rotate(at(target), at(from), at(from) + 1);
	TellSlots(low, high);
	OrderChanged(low);
	return 0;
}

// Each element's destructor takes its own record out. They go from the
// last one down, so that no deletion moves the records behind it; the
// page ends up empty all the same.
void Element_List::Discard()
{
	discarding = true;
	Empty();
	discarding = false;
}

Visual_Element* Element_List::Adopt(std::unique_ptr<Visual_Element> element)
{
	if (IndexOf(element.get()) < 1)
		return nullptr;
	return element.release();
}

void Element_List::Delete(Visual_Element* element)
{
	long index = IndexOf(element);
	if (index < 1)
		return;
	Deleting(element);
	delete element;
	// An element whose destructor left its record behind is taken out here
	// (the pointer is only compared, never followed).
	if (static_cast<unsigned long>(index) <= last && Record(index).element == element) {
		Record(index).element = nullptr;
		RemoveAt(static_cast<unsigned long>(index));
	}
}

void Element_List::Delete(const std::vector<Visual_Element*>& elements)
{
	assert(IsLocked());
	leavingHoles = true;
	for (Visual_Element* element : elements)
		Delete(element);
	leavingHoles = false;
	CloseHoles();
}

// The records behind the first hole close up at the end of the array,
// where the gap is put first.
void Element_List::CloseHoles()
{
	if (holesFrom > last) {
		holesFrom = ULONG_MAX;
		return;
	}
	Settle();
	MoveGapTo(last + 1);
	unsigned long kept = holesFrom;
	for (unsigned long i = holesFrom; i <= last; i++) {
		if (slots[i].element != nullptr)
			slots[kept++] = slots[i];
	}
	for (unsigned long i = kept; i <= last; i++)
		slots[i].Reset();
	last = static_cast<uint32>(kept - 1);
	gapStart = kept;
	TellSlots(holesFrom, last);
	OrderChanged(holesFrom);
	holesFrom = ULONG_MAX;
}

void Element_List::Empty()
{
	while (last > 0) {
		Visual_Element* element = Record(last).element;
		uint32 before = last;
		Deleting(element);
		delete element;
		if (last == before) {
			Record(last).element = nullptr;
			RemoveAt(last);
		}
	}
	slots.resize(kLeastGap);
	slots.shrink_to_fit();
	std::fill(slots.begin() + 1, slots.end(), BlankItem());
	gapStart = 1;
	gapEnd = kLeastGap;
}

// The records from the first one at offset on move by delta: the pending
// shift is carried from where it was pending to there, record by record
// between the two places, and grows by delta.
void Element_List::Adjust(long offset, long delta)
{
	assert(IsLocked());
	if (offset < 0 || offset > LastOffset() || delta == 0)
		return;
	unsigned long from = FirstAtOrAbove(offset, 1, last);
	if (pendingShift == 0)
		pendingFrom = from;
	for (unsigned long i = from; i < pendingFrom; i++)
		Record(i).offset -= pendingShift;
	for (unsigned long i = pendingFrom; i < from && i <= last; i++)
		Record(i).offset += pendingShift;
	pendingFrom = from;
	pendingShift += static_cast<int32>(delta);
}

void Element_List::SetSpaceFromToRelOffset(Visual_Element* element, long from, long to)
{
	long index = IndexOf(element);
	if (index < 0)
		return;
	Record(index).spaceFrom = static_cast<int32>(from);
	Record(index).spaceTo = static_cast<int32>(to);
}

void Element_List::SetHTMLStartFinish(Visual_Element* element, long start, long finish)
{
	long index = IndexOf(element);
	if (index < 0 || start < 0 || finish < 0)
		return;
	Record(index).htmlStart = static_cast<int32>(start);
	Record(index).htmlFinish = static_cast<int32>(finish);
}

Element_List_Item Element_List::operator[](unsigned long index) const
{
	index = std::min<unsigned long>(index, last);
	Element_List_Item item = Record(index);
	item.index = static_cast<uint32>(index);
	item.offset = Offset(index);
	return item;
}

long Element_List::IndexOf(const Visual_Element* element) const
{
	if (element == nullptr || !element->listed)
		return -1;
	unsigned long slot = element->index;
	bool inGap = slot >= gapStart && slot < gapEnd;
	if (slot >= slots.size() || inGap || slots[slot].element != element)
		return -1;
	return static_cast<long>(slot < gapStart ? slot : slot - (gapEnd - gapStart));
}

long Element_List::OffsetOf(const Visual_Element* element) const
{
	long index = IndexOf(element);
	return index >= 0 ? Offset(static_cast<unsigned long>(index)) : element->offset;
}

Visual_Element* Element_List::Next(const Visual_Element* element) const
{
	long index = IndexOf(element);
	if (index < 0 || static_cast<unsigned long>(index) >= last)
		return nullptr;
	return Record(index + 1).element;
}

Visual_Element* Element_List::Previous(const Visual_Element* element) const
{
	long index = IndexOf(element);
	if (index <= 0)
		return nullptr;
	return Record(index - 1).element;
}

bool Element_List::Contains(const Visual_Element* element) const
{
	if (element == nullptr)
		return false;
	for (unsigned long i = 1; i <= last; i++) {
		if (Record(i).element == element)
			return true;
	}
	return false;
}

unsigned long Element_List::FirstIndexAbove(long offset) const
{
	return FirstAbove(offset, 1, last);
}

unsigned long Element_List::FirstIndexAtOrAbove(long offset) const
{
	return FirstAtOrAbove(offset, 1, last);
}

long Element_List::IndexOfAt(long offset, long* counter) const
{
	if (offset < 0 || counter == nullptr || *counter < 0)
		return -1;
	unsigned long index = FirstAtOrAbove(offset, 0, last) + static_cast<unsigned long>(*counter);
	if (index > last || Offset(index) != offset)
		return -1;
	(*counter)++;
	return static_cast<long>(index);
}

unsigned long Element_List::NextIndex(long offset) const
{
	if (offset < 0)
		return 0;
	if (last <= 1)
		return 1;
	unsigned long found = FirstAbove(offset, 1, last - 1);
	return found <= last - 1 ? found : last;
}

unsigned long Element_List::NextOrAtIndex(long offset) const
{
	unsigned long index = NextIndex(offset);
	if (index >= 1 && Offset(index - 1) == offset)
		return index - 1;
	return index;
}

long Element_List::NextOffset(long offset) const
{
	return (*this)[NextIndex(offset)].offset;
}

unsigned long Element_List::PreviousIndex(long offset) const
{
	if (offset < 0)
		return 0;
	unsigned long index = FirstAtOrAboveBeforeLast(offset);
	if (Offset(index) >= offset && index > 0)
		return index - 1;
	return index;
}

unsigned long Element_List::PreviousOrAtIndex(long offset) const
{
	if (offset < 0)
		return 0;
	if (offset == 0 && last >= 1 && Offset(1) == 0)
		return 1;
	unsigned long index = FirstAtOrAboveBeforeLast(offset);
	if (Offset(index) > offset && index > 0)
		return index - 1;
	return index;
}

// Elements that share an offset with one that takes room take none
// themselves, so every record at the found element's offset is asked.
// The line breaking asks this of every blank, in the order of the text:
// the record found for the previous blank, or one a few records behind it,
// is mostly the one, and is checked before the list is searched.
unsigned long Element_List::LastAtOrBelow(long offset) const
{
	constexpr int kStepsAhead = 4;
	unsigned long hint = spaceHint.load(std::memory_order_relaxed);
	for (int step = 0; step < kStepsAhead && hint >= 1 && hint <= last; step++, hint++) {
		if (Offset(hint) > offset)
			break;
		if (hint == last || Offset(hint + 1) > offset) {
			spaceHint.store(hint, std::memory_order_relaxed);
			return hint;
		}
	}
	unsigned long found = FirstAbove(offset, 1, last) - 1;
	if (found >= 1)
		spaceHint.store(found, std::memory_order_relaxed);
	return found;
}

long Element_List::SpaceHolderAt(long offset, bool placeholdersOnly) const
{
	if (offset < 0)
		return 0;
	unsigned long found = LastAtOrBelow(offset);
	if (found == 0)
		return 0;
	long start = Offset(found);
	// The records at start lie just before the one found: no further
	// searches of the whole list.
	unsigned long first = found;
	while (first > 1 && Offset(first - 1) == start)
		first--;
	for (unsigned long i = first; i <= last && Offset(i) == start; i++) {
		const Element_List_Item& item = Record(i);
		long from = placeholdersOnly ? start + item.spaceFrom : start;
		if (item.spaceTo > 0 && offset >= from && offset < start + item.spaceTo)
			return static_cast<long>(i);
	}
	return 0;
}

long Element_List::InElementSpaceAt(long offset) const
{
	return SpaceHolderAt(offset, false);
}

long Element_List::InNullCharactersAt(long offset) const
{
	return SpaceHolderAt(offset, true);
}

long Element_List::SpaceLengthAt(long offset) const
{
	if (offset < 0)
		return 0;
	unsigned long first = FirstAtOrAbove(offset, 1, last);
	unsigned long end = FirstAbove(offset, 1, last);
	if (first < end) {
		int32 longest = 0;
		for (unsigned long i = first; i < end; i++)
			longest = std::max(longest, Record(i).spaceTo);
		return longest;
	}
	long holder = InNullCharactersAt(offset);
	if (holder <= 0)
		return 0;
	long start = Offset(holder);
	unsigned long groupEnd = FirstAbove(start, 1, last);
	int32 longest = 0;
	for (unsigned long i = FirstAtOrAbove(start, 1, last); i < groupEnd; i++)
		longest = std::max(longest, Record(i).spaceTo);
	return std::max<long>(longest - (offset - start), 0);
}

long Element_List::ContainsNullCharacters(long from, long to) const
{
	long holder = InNullCharactersAt(from);
	if (holder > 0)
		return holder;
	unsigned long end = PreviousIndex(to);
	for (unsigned long i = NextIndex(from); i >= 1 && i <= end && i <= last; i++) {
		if (Record(i).spaceTo > 0 && Offset(i) < to)
			return static_cast<long>(i);
	}
	return -1;
}

long Element_List::ContainsElement(long from, long to) const
{
	long holder = InNullCharactersAt(from);
	if (holder > 0)
		return holder;
	holder = InNullCharactersAt(to);
	if (holder > 0)
		return holder;
	unsigned long next = NextIndex(from);
	if (next >= 1 && next <= last && Offset(next) <= to)
		return static_cast<long>(next);
	return -1;
}

Page_Element* Element_List::ElementForNode(const _node* node) const
{
	if (node == nullptr)
		return nullptr;
	for (unsigned long i = 0; i <= last; i++) {
		Page_Element* element = dynamic_cast<Page_Element*>(Record(i).element);
		if (element != nullptr && element->MyNode() == node)
			return element;
	}
	return nullptr;
}

Page_Element* Element_List::ElementForNodeFrom(const _node* node, long offset) const
{
	if (node == nullptr)
		return nullptr;
	Page_Element* first = nullptr;
	for (unsigned long i = last; i >= 1 && Offset(i) >= offset; i--) {
		Page_Element* element = dynamic_cast<Page_Element*>(Record(i).element);
		if (element != nullptr && element->MyNode() == node)
			first = element;
	}
	return first;
}

Page_Element* Element_List::LastAddedAt(const _node* node, long offset) const
{
	unsigned long behind = FirstIndexAbove(offset);
	Page_Element* element = behind > 1
		? dynamic_cast<Page_Element*>(Record(behind - 1).element) : nullptr;
	return element != nullptr && element->MyNode() == node ? element : nullptr;
}

bool Element_List::HTMLSpanOf(const Visual_Element* element, const _node* node, int32* start,
	int32* finish) const
{
	if (element == nullptr && node != nullptr)
		element = ElementForNode(node);
	for (unsigned long i = 0; element != nullptr && i <= last; i++) {
		if (Record(i).element == element) {
			*start = Record(i).htmlStart;
			*finish = Record(i).htmlFinish;
			return true;
		}
	}
	return false;
}

long Element_List::FindObject(long offset, const char* className) const
{
	if (offset < 0 || className == nullptr)
		return -1;
	size_t length = strlen(className);
	for (unsigned long i = NextOrAtIndex(offset); i <= last; i++) {
		if (Record(i).element == nullptr)
			continue;
		const char* name = typeid(*Record(i).element).name();
		size_t nameLength = strlen(name);
		if (nameLength >= length && strcmp(name + nameLength - length, className) == 0)
			return static_cast<long>(i);
	}
	return -1;
}

Page_Element* Element_List::PreviousSameTag(long offset, const _tagdict* tag) const
{
	if (offset < 0 || last == 0)
		return nullptr;
	unsigned long end = std::min<unsigned long>(FirstAtOrAbove(offset, 0, last), last);
	for (unsigned long i = end; i-- > 0;) {
		Page_Element* element = dynamic_cast<Page_Element*>(Record(i).element);
		if (element != nullptr && element->HTMLType() == tag)
			return element;
	}
	return nullptr;
}

Page_Element* Element_List::NextSameTag(long offset, const _tagdict* tag) const
{
	if (offset < 0)
		return nullptr;
	for (unsigned long i = FirstAbove(offset, 0, last); i < last; i++) {
		Page_Element* element = dynamic_cast<Page_Element*>(Record(i).element);
		if (element != nullptr && element->HTMLType() == tag)
			return element;
	}
	return nullptr;
}

// The stretch leaves the list with the records behind it; its records are
// then written again at the end, kept elements as they were and new ones
// by their makers, whose constructors add them behind the rest; last come
// the records behind the stretch. Elements that are not kept go last: none
// of them is in the list any more.
void Element_List::Rewrite(unsigned long first, unsigned long last,
	const std::vector<Rewritten>& records,
	const std::function<Visual_Element*(size_t, long)>& make)
{
	assert(IsLocked());
	if (first < 1 || first > this->last + 1)
		return;
	Settle();
	// With the gap behind the last record, kept elements are found by
	// their slot, which is their index.
	MoveGapTo(this->last + 1);
	last = std::min<unsigned long>(last, this->last);
	std::vector<Element_List_Item> stretch(slots.begin() + first,
		slots.begin() + std::max(first, last + 1));
	std::vector<Element_List_Item> behind(slots.begin() + std::max(first, last + 1),
		slots.begin() + this->last + 1);
	for (unsigned long i = first; i <= this->last; i++) {
		if (slots[i].element != nullptr) {
			// An element that is not written again keeps the offset it had.
			slots[i].element->listed = false;
			slots[i].element->offset = slots[i].offset;
		}
		slots[i].Reset();
	}
	this->last = static_cast<uint32>(first - 1);
	gapStart = first;
	auto append = [this](Element_List_Item item, long offset) {
		// A maker's text shifts only the records already written again.
		Settle();
		MoveGapTo(this->last + 1);
		WidenGap();
		item.offset = static_cast<int32>(offset);
		slots[gapStart] = item;
		item.element->index = gapStart;
		item.element->offset = offset;
		item.element->listed = true;
		gapStart++;
		this->last++;
	};
	for (size_t n = 0; n < records.size(); n++) {
		Visual_Element* element = records[n].element;
		if (element == nullptr) {
			make(n, records[n].offset);
			continue;
		}
		// A kept element still knows its index in the stretch until it is
		// written again.
		size_t at = element->index - first;
		if (element->index >= first && at < stretch.size() && stretch[at].element == element) {
			append(stretch[at], records[n].offset);
			stretch[at].element = nullptr;
		}
	}
	for (const Element_List_Item& item : behind)
		append(item, item.offset);
	for (const Element_List_Item& item : stretch) {
		if (item.element != nullptr) {
			Deleting(item.element);
			delete item.element;
		}
	}
	OrderChanged(first);
}

uint32 Element_List::WatchDeletion(const Visual_Element* element, const BMessenger& target,
	uint32 what)
{
	watches.push_back({++lastWatch, element, target, what});
	return lastWatch;
}

void Element_List::StopWatching(uint32 watch)
{
	std::erase_if(watches, [watch](const Watch& entry) { return entry.number == watch; });
}

bool Element_List::IsWatched(const Visual_Element* element, uint32 watch) const
{
	return std::any_of(watches.begin(), watches.end(), [&](const Watch& entry) {
		return entry.number == watch && entry.element == element;
	});
}

void Element_List::Deleting(const Visual_Element* element)
{
	if (watches.empty())
		return;
	std::erase_if(watches, [element](const Watch& watch) {
		if (watch.element != element)
			return false;
		watch.target.SendMessage(watch.what);
		return true;
	});
}

void Element_List::WatchOrder(std::function<void(unsigned long firstChanged)> watcher)
{
	orderWatcher = std::move(watcher);
}

void Element_List::OrderChanged(unsigned long firstChanged) const
{
	if (orderWatcher)
		orderWatcher(firstChanged);
}

bool Element_List::Lock()
{
	return lock == nullptr || lock->Lock();
}

void Element_List::Unlock()
{
	assert(IsLocked());
	if (lock != nullptr)
		lock->Unlock();
}

bool Element_List::IsLocked() const
{
	return lock == nullptr || lock->IsLocked();
}

#include "Element_List.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <typeinfo>

#include <Looper.h>

#include "NULL_Element.h"
#include "Page_Element.h"

namespace {

// The array grows and shrinks back in steps of this many records.
constexpr int32 kBlock = 512;

// Deletions after which the elements behind them are told their index:
// IndexOf() looks through at most this many records for a moved one.
constexpr unsigned long kDeletionsBeforeRenumbering = 64;

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
	capacity(kBlock),
	last(0)
{
	items.resize(capacity);
	for (Element_List_Item& item : items)
		item.Reset();
	sentinel = std::make_unique<NULL_Element>(engine, this);
	items[0].element = sentinel.get();
}

Element_List::~Element_List()
{
	Empty();
}

unsigned long Element_List::FirstAbove(long offset, unsigned long low, unsigned long high) const
{
	if (high < low || high == ULONG_MAX)
		return high + 1;
	unsigned long end = high + 1;
	while (low < end) {
		unsigned long middle = low + (end - low) / 2;
		if (Offset(middle) <= offset)
			low = middle + 1;
		else
			end = middle;
	}
	return low;
}

unsigned long Element_List::FirstAtOrAbove(long offset, unsigned long low,
	unsigned long high) const
{
	if (high < low || high == ULONG_MAX)
		return high + 1;
	unsigned long end = high + 1;
	while (low < end) {
		unsigned long middle = low + (end - low) / 2;
		if (Offset(middle) < offset)
			low = middle + 1;
		else
			end = middle;
	}
	return low;
}

unsigned long Element_List::FirstAtOrAboveBeforeLast(long offset) const
{
	if (last == 0)
		return 0;
	return FirstAtOrAbove(offset, 0, last - 1);
}

void Element_List::Renumber(unsigned long from, unsigned long to)
{
	for (unsigned long i = from; i <= to && i <= last; i++) {
		items[i].index = static_cast<uint32>(i);
		if (items[i].element != nullptr)
			items[i].element->index = i;
	}
}

void Element_List::RenumberLater(unsigned long index)
{
	staleFrom = std::min(staleFrom, index);
	if (++staleBy >= kDeletionsBeforeRenumbering)
		RenumberNow();
}

void Element_List::RenumberNow()
{
	if (staleBy == 0)
		return;
	Renumber(staleFrom, last);
	staleFrom = ULONG_MAX;
	staleBy = 0;
}

void Element_List::Settle()
{
	if (pendingShift != 0) {
		for (unsigned long i = pendingFrom; i <= last; i++)
			items[i].offset += pendingShift;
	}
	pendingShift = 0;
	pendingFrom = 0;
}

void Element_List::RoomForOneMore()
{
	if (last + 1 < static_cast<uint32>(capacity))
		return;
	capacity += kBlock;
	items.resize(capacity);
	for (unsigned long i = last + 1; i < items.size(); i++)
		items[i].Reset();
}

long Element_List::InsertAt(unsigned long index, long offset, Visual_Element* element)
{
	assert(IsLocked());
	Settle();
	RenumberNow();
	RoomForOneMore();
	std::move_backward(items.begin() + index, items.begin() + last + 1,
		items.begin() + last + 2);
	last++;
	Renumber(index + 1, last);
	OrderChanged(index);
	Element_List_Item& item = items[index];
	item.Reset();
	item.element = element;
	item.offset = static_cast<int32>(offset);
	item.index = static_cast<uint32>(index);
	element->index = index;
	element->offset = offset;
	element->listed = true;
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
	Settle();
	if (items[index].element != nullptr) {
		items[index].element->index = 0;
		items[index].element->listed = false;
		items[index].element->offset = items[index].offset;
	}
	if (leavingGaps) {
		items[index].element = nullptr;
		gapsFrom = std::min(gapsFrom, index);
		return;
	}
	std::move(items.begin() + index + 1, items.begin() + last + 1, items.begin() + index);
	items[last].Reset();
	last--;
	RenumberLater(index);
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
	RenumberNow();
	items[from].offset = static_cast<int32>(newOffset);
	element->offset = newOffset;
	if (from == newIndex)
		return 0;
	// Taken out, the record leaves a gap: coming from below, the records
	// up to newIndex move down one, so it lands one place lower.
	unsigned long target = from < newIndex ? newIndex - 1 : newIndex;
	if (from < target)
		std::rotate(items.begin() + from, items.begin() + from + 1, items.begin() + target + 1);
	else
		std::rotate(items.begin() + target, items.begin() + from, items.begin() + from + 1);
	Renumber(std::min(from, target), std::max(from, target));
	OrderChanged(std::min(from, target));
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
	if (static_cast<unsigned long>(index) <= last && items[index].element == element) {
		items[index].element = nullptr;
		RemoveAt(static_cast<unsigned long>(index));
	}
}

void Element_List::Delete(const std::vector<Visual_Element*>& elements)
{
	assert(IsLocked());
	Settle();
	RenumberNow();
	leavingGaps = true;
	for (Visual_Element* element : elements)
		Delete(element);
	leavingGaps = false;
	CloseGaps();
}

void Element_List::CloseGaps()
{
	if (gapsFrom > last) {
		gapsFrom = ULONG_MAX;
		return;
	}
	unsigned long kept = gapsFrom;
	for (unsigned long i = gapsFrom; i <= last; i++) {
		if (items[i].element != nullptr)
			items[kept++] = items[i];
	}
	for (unsigned long i = kept; i <= last; i++)
		items[i].Reset();
	last = static_cast<uint32>(kept - 1);
	Renumber(gapsFrom, last);
	OrderChanged(gapsFrom);
	gapsFrom = ULONG_MAX;
}

void Element_List::Empty()
{
	while (last > 0) {
		Visual_Element* element = items[last].element;
		uint32 before = last;
		Deleting(element);
		delete element;
		if (last == before) {
			items[last].element = nullptr;
			RemoveAt(last);
		}
	}
	capacity = kBlock;
	items.resize(capacity);
	items.shrink_to_fit();
	for (unsigned long i = 1; i < items.size(); i++)
		items[i].Reset();
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
		items[i].offset -= pendingShift;
	for (unsigned long i = pendingFrom; i < from && i <= last; i++)
		items[i].offset += pendingShift;
	pendingFrom = from;
	pendingShift += static_cast<int32>(delta);
}

void Element_List::SetSpaceFromToRelOffset(Visual_Element* element, long from, long to)
{
	long index = IndexOf(element);
	if (index < 0)
		return;
	items[index].spaceFrom = static_cast<int32>(from);
	items[index].spaceTo = static_cast<int32>(to);
}

void Element_List::SetHTMLStartFinish(Visual_Element* element, long start, long finish)
{
	long index = IndexOf(element);
	if (index < 0 || start < 0 || finish < 0)
		return;
	items[index].htmlStart = static_cast<int32>(start);
	items[index].htmlFinish = static_cast<int32>(finish);
}

Element_List_Item Element_List::operator[](unsigned long index) const
{
	index = std::min<unsigned long>(index, last);
	Element_List_Item item = items[index];
	item.index = static_cast<uint32>(index);
	item.offset = Offset(index);
	return item;
}

long Element_List::IndexOf(const Visual_Element* element) const
{
	if (element == nullptr || !element->listed)
		return -1;
	// Elements know their index, or one a few deletions too high; the
	// search is for a record that moved without telling its element.
	unsigned long known = element->index;
	if (known <= last && items[known].element == element)
		return static_cast<long>(known);
	if (known >= staleFrom) {
		unsigned long lowest = std::max(staleFrom, known - std::min(known, staleBy));
		for (unsigned long i = std::min<unsigned long>(known, last); i >= lowest && i > 0; i--) {
			if (items[i].element == element)
				return static_cast<long>(i);
		}
	}
	for (unsigned long i = 0; i <= last; i++) {
		if (items[i].element == element)
			return static_cast<long>(i);
	}
	return -1;
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
	return items[index + 1].element;
}

Visual_Element* Element_List::Previous(const Visual_Element* element) const
{
	long index = IndexOf(element);
	if (index <= 0)
		return nullptr;
	return items[index - 1].element;
}

bool Element_List::Contains(const Visual_Element* element) const
{
	if (element == nullptr)
		return false;
	for (unsigned long i = 1; i <= last; i++) {
		if (items[i].element == element)
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
		const Element_List_Item& item = items[i];
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
			longest = std::max(longest, items[i].spaceTo);
		return longest;
	}
	long holder = InNullCharactersAt(offset);
	if (holder <= 0)
		return 0;
	long start = Offset(holder);
	unsigned long groupEnd = FirstAbove(start, 1, last);
	int32 longest = 0;
	for (unsigned long i = FirstAtOrAbove(start, 1, last); i < groupEnd; i++)
		longest = std::max(longest, items[i].spaceTo);
	return std::max<long>(longest - (offset - start), 0);
}

long Element_List::ContainsNullCharacters(long from, long to) const
{
	long holder = InNullCharactersAt(from);
	if (holder > 0)
		return holder;
	unsigned long end = PreviousIndex(to);
	for (unsigned long i = NextIndex(from); i >= 1 && i <= end && i <= last; i++) {
		if (items[i].spaceTo > 0 && Offset(i) < to)
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
		Page_Element* element = dynamic_cast<Page_Element*>(items[i].element);
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
		Page_Element* element = dynamic_cast<Page_Element*>(items[i].element);
		if (element != nullptr && element->MyNode() == node)
			first = element;
	}
	return first;
}

bool Element_List::HTMLSpanOf(const Visual_Element* element, const _node* node, int32* start,
	int32* finish) const
{
	if (element == nullptr && node != nullptr)
		element = ElementForNode(node);
	for (unsigned long i = 0; element != nullptr && i <= last; i++) {
		if (items[i].element == element) {
			*start = items[i].htmlStart;
			*finish = items[i].htmlFinish;
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
		if (items[i].element == nullptr)
			continue;
		const char* name = typeid(*items[i].element).name();
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
		Page_Element* element = dynamic_cast<Page_Element*>(items[i].element);
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
		Page_Element* element = dynamic_cast<Page_Element*>(items[i].element);
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
	// Kept elements are found by their index.
	RenumberNow();
	last = std::min<unsigned long>(last, this->last);
	std::vector<Element_List_Item> stretch(items.begin() + first,
		items.begin() + std::max(first, last + 1));
	std::vector<Element_List_Item> behind(items.begin() + std::max(first, last + 1),
		items.begin() + this->last + 1);
	for (unsigned long i = first; i <= this->last; i++) {
		if (items[i].element != nullptr) {
			// An element that is not written again keeps the offset it had.
			items[i].element->listed = false;
			items[i].element->offset = items[i].offset;
		}
		items[i].Reset();
	}
	this->last = static_cast<uint32>(first - 1);
	auto append = [this](Element_List_Item item, long offset) {
		// A maker's text shifts only the records already written again.
		Settle();
		RoomForOneMore();
		this->last++;
		item.offset = static_cast<int32>(offset);
		item.index = this->last;
		items[this->last] = item;
		item.element->index = this->last;
		item.element->offset = offset;
		item.element->listed = true;
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

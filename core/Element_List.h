#ifndef VELMORA_ELEMENT_LIST_H
#define VELMORA_ELEMENT_LIST_H

#include <atomic>
#include <climits>
#include <functional>
#include <memory>
#include <vector>

#include <Messenger.h>
#include <SupportDefs.h>

class BLooper;
class NULL_Element;
class Page_Element;
class Visual_Element;
class Visual_Engine;
struct _node;
struct _tagdict;

// One element's record: where it sits in the visual text, the room it
// takes there and the span of generated HTML it wrote. The element
// occupies [offset, offset + spaceTo); [offset + spaceFrom, offset +
// spaceTo) are placeholder characters that are not page text.
struct Element_List_Item {
	Visual_Element* element;	// owned by the list once adopted (see Element_List)
	uint32 index;
	int32 offset;
	int32 spaceFrom;
	int32 spaceTo;		// <= 0: the element takes no room
	int32 htmlStart;
	int32 htmlFinish;

	void Reset();
};

// The elements of one page in visual order, with their text offsets.
// Record 0 holds a NULL_Element at offset 0; records 1..last ascend by
// offset, and elements at one offset keep the order they were added in.
// Elements add themselves when they are made and take themselves out when
// they are deleted; the engine's factory hands each new element to
// Adopt(), and from then on the list owns it: Delete() and Empty() delete
// elements, nobody else does.
//
// Typing shifts every element behind the caret. The shift is kept pending
// for the records from one index on and applied to them only when the
// text changes at another place or records are moved or rewritten, so that
// keystrokes at one place cost no walk of the list; records added or
// removed keep it pending. Offset() of a record, and every offset the list
// hands out, includes it.
//
// The records lie in one array with a gap at the place the list changed
// last: an addition there fills the gap and a removal widens it, and only
// a change at another place moves the records between the two places to
// move the gap there. Each element knows the slot of its record, which no
// addition or removal at the gap changes, so that typing paragraphs into
// a long page costs no walk of the records behind the caret, and IndexOf()
// needs no search.
//
// Lock() and Unlock() are the engine's lock, which the list is handed:
// whoever changes the list holds it, as does whoever walks it while
// another thread might change it.
class Element_List {
public:
	// engine: the sentinel's; lock: the engine lock (null for a list that
	// only one thread uses).
	Element_List(Visual_Engine* engine, BLooper* lock);
	~Element_List();
	Element_List(const Element_List&) = delete;
	Element_List& operator=(const Element_List&) = delete;

	// 0, or -1 for a negative offset or a null element.
	long AddAfter(long offset, Visual_Element* element);
	long Add(long offset, Visual_Element* element) { return AddAfter(offset, element); }
	long AddBefore(long offset, Visual_Element* element);
	long AddPair(long offsetA, Visual_Element* a, long offsetB, Visual_Element* b);
	void Remove(Visual_Element* element);
	void RemovePair(Visual_Element* a, Visual_Element* b);
	long MoveAfter(long offset, Visual_Element* element);
	long MoveBefore(long offset, Visual_Element* element);
	// Puts the element at newOffset, in front of the record now at newIndex
	// (LastIndex() + 1: behind the last one).
	long MoveAtIndex(Visual_Element* element, unsigned long newIndex, long newOffset);
	// Takes ownership of an element that entered the list; one that did not
	// is deleted, and the result is null.
	Visual_Element* Adopt(std::unique_ptr<Visual_Element> element);
	// Deletes an element of the list; its destructor takes it out.
	void Delete(Visual_Element* element);
	// Deletes elements of the list that own no characters, the records
	// behind them moving up once for all: one by one, each deletion moved
	// every record behind it, and clearing a long page's code deletes
	// hundreds.
	void Delete(const std::vector<Visual_Element*>& elements);
	// One record of a stretch written anew: an element of the stretch that
	// stays, at its new offset, or (null) a new element that the maker
	// makes at the offset.
	struct Rewritten {
		Visual_Element* element;
		long offset;
	};
	// Replaces the records first..last by the given ones in one pass:
	// elements of the stretch that are not among them are deleted, and
	// make(n, offset) makes the n-th record's element, which enters the
	// list behind the records written so far. The offsets ascend, from
	// the offset of the record before first to that of the one after last.
	// Elements that own characters are neither made nor deleted here.
	void Rewrite(unsigned long first, unsigned long last, const std::vector<Rewritten>& records,
		const std::function<Visual_Element*(size_t, long)>& make);
	void Empty();
	// Empty(), but the characters of the elements stay in the text for the
	// caller to clear at once: taken out one by one, a long page would be
	// laid out anew for every element.
	void Discard();
	// While Discard() runs: elements being deleted leave the text alone.
	bool IsDiscarding() const { return discarding; }
	// After text was inserted (delta > 0) or deleted (delta < 0) at offset.
	void Adjust(long offset, long delta);
	void SetSpaceFromToRelOffset(Visual_Element* element, long from, long to);
	void SetHTMLStartFinish(Visual_Element* element, long start, long finish);

	Element_List_Item operator[](unsigned long index) const;
	unsigned long LastIndex() const { return last; }
	long LastOffset() const { return Offset(last); }
	long IndexOf(const Visual_Element* element) const;
	// Whether the element is in the list; the pointer is only compared, so
	// it may be one that is gone.
	bool Contains(const Visual_Element* element) const;
	// The first index whose offset is above (at or above) offset;
	// LastIndex() + 1 when there is none.
	unsigned long FirstIndexAbove(long offset) const;
	unsigned long FirstIndexAtOrAbove(long offset) const;
	// The element's offset in the text; for an element that left the list,
	// the one it had last.
	long OffsetOf(const Visual_Element* element) const;
	Visual_Element* Next(const Visual_Element* element) const;
	Visual_Element* Previous(const Visual_Element* element) const;
	long IndexOfAt(long offset, long* counter) const;
	unsigned long NextIndex(long offset) const;
	unsigned long NextOrAtIndex(long offset) const;
	long NextOffset(long offset) const;
	unsigned long PreviousIndex(long offset) const;
	unsigned long PreviousOrAtIndex(long offset) const;
	long InElementSpaceAt(long offset) const;
	long InNullCharactersAt(long offset) const;
	long SpaceLengthAt(long offset) const;
	long ContainsNullCharacters(long from, long to) const;
	long ContainsElement(long from, long to) const;
	Page_Element* ElementForNode(const _node* node) const;
	// ElementForNode among the records at offset and behind it, looked for
	// from the end: a walk that appends to the page asks this of the
	// element it just made, and the whole list would be searched per node.
	Page_Element* ElementForNodeFrom(const _node* node, long offset) const;
	// The element last added at offset, when its node is node: an element
	// enters behind the ones already at its offset. Null otherwise.
	Page_Element* LastAddedAt(const _node* node, long offset) const;
	// The span of HTML the element (or the node's element) wrote last;
	// false when neither is in the list. The element may be gone: it is
	// looked for, never looked at, until found.
	bool HTMLSpanOf(const Visual_Element* element, const _node* node, int32* start,
		int32* finish) const;
	long FindObject(long offset, const char* className) const;
	Page_Element* PreviousSameTag(long offset, const _tagdict* tag) const;
	Page_Element* NextSameTag(long offset, const _tagdict* tag) const;

	bool Lock();
	void Unlock();
	bool IsLocked() const;

	// Sends target a message of what once the element is deleted, so that
	// a window that edits it closes; until then IsWatched() says it lives.
	// The watch's number, never 0.
	uint32 WatchDeletion(const Visual_Element* element, const BMessenger& target, uint32 what);
	void StopWatching(uint32 watch);
	bool IsWatched(const Visual_Element* element, uint32 watch) const;

	// Told the first index whose record changed whenever records are added,
	// removed or reordered (not when offsets shift), under the lock: what
	// was learnt from the elements in list order still holds below it.
	void WatchOrder(std::function<void(unsigned long firstChanged)> watcher);

private:
	struct Watch {
		uint32 number;
		const Visual_Element* element;
		BMessenger target;
		uint32 what;
	};

	// Tells the watchers of an element that it goes.
	void Deleting(const Visual_Element* element);
	// The slot of the record at index: behind the gap, the gap's width
	// further.
	unsigned long Slot(unsigned long index) const
	{
		return index < gapStart ? index : index + (gapEnd - gapStart);
	}
	Element_List_Item& Record(unsigned long index) { return slots[Slot(index)]; }
	const Element_List_Item& Record(unsigned long index) const { return slots[Slot(index)]; }
	int32 Offset(unsigned long index) const
	{
		return Record(index).offset + (index >= pendingFrom ? pendingShift : 0);
	}
	// Applies the pending shift to the records it is pending for.
	void Settle();
	// Puts the gap in front of the record at index (LastIndex() + 1: behind
	// the last one), telling the elements whose records move their slots.
	void MoveGapTo(unsigned long index);
	// Widens a gap that is used up, in proportion to the records, so that
	// the records behind it move seldom.
	void WidenGap();
	// The first index in [low, high] whose offset is above (at or above)
	// offset; high + 1 when there is none.
	unsigned long FirstAbove(long offset, unsigned long low, unsigned long high) const;
	unsigned long FirstAtOrAbove(long offset, unsigned long low, unsigned long high) const;
	// The first index in [low, high] whose offset passes (offsets ascend, so
	// once one passes all behind it do); high + 1 when none does.
	template <class Passes>
	unsigned long FirstPassing(unsigned long low, unsigned long high, Passes passes) const;
	// Where the last search ended (see FirstPassing); any value is valid,
	// so a reader without the engine lock may change it too.
	mutable std::atomic<unsigned long> searchHint{0};
	// The first index of the previous-index searches: in 0..last - 1.
	unsigned long FirstAtOrAboveBeforeLast(long offset) const;
	long InsertAt(unsigned long index, long offset, Visual_Element* element);
	void RemoveAt(unsigned long index);
	// Closes the holes that deletions left while leavingHoles was set.
	void CloseHoles();
	// Tells the elements of the records from..to their slots.
	void TellSlots(unsigned long from, unsigned long to);
	void OrderChanged(unsigned long firstChanged) const;
	// The index of the element whose space (or placeholder characters, with
	// placeholdersOnly) holds offset; 0 for none.
	long SpaceHolderAt(long offset, bool placeholdersOnly) const;
	// The last index in 1..last whose offset is at or below offset; 0 when
	// there is none.
	unsigned long LastAtOrBelow(long offset) const;

	BLooper* lock;		// not owned: the engine's window
	// The records 0..gapStart - 1, the gap, then the records from gapStart
	// on in slots gapEnd and above.
	std::vector<Element_List_Item> slots;
	unsigned long gapStart;
	unsigned long gapEnd;
	uint32 last;
	// Records from pendingFrom on lie pendingShift further than they say.
	unsigned long pendingFrom = 0;
	int32 pendingShift = 0;
	std::unique_ptr<NULL_Element> sentinel;
	bool discarding = false;
	// While a set of elements is deleted, a record taken out leaves a hole
	// (a record without element) instead of moving the ones behind it;
	// holesFrom is the first hole, ULONG_MAX when there is none.
	bool leavingHoles = false;
	unsigned long holesFrom = ULONG_MAX;
	std::vector<Watch> watches;
	uint32 lastWatch = 0;
	std::function<void(unsigned long)> orderWatcher;
	// Where LastAtOrBelow found its last answer. Only a hint: it is checked
	// against the records before use, so no change of the list makes it
	// wrong, and it needs no resetting. Atomic, as readers of one list may
	// run at once.
	mutable std::atomic<unsigned long> spaceHint{1};
};

#endif

#ifndef VELMORA_CODE_CLEARING_H
#define VELMORA_CODE_CLEARING_H

#include <array>
#include <initializer_list>
#include <unordered_set>
#include <vector>

#include "PairPartners.h"
#include "StyleGroup.h"

class BMessage;
class Element_List;
class Page_Element;
class Visual_Element;
class Visual_Engine;

// Walks a stretch of the element list and rewrites the style pairs that
// say a thing twice or cross each other, group by group:
// 1. a closing tag of a group with nothing open: left alone;
// 2. a style closed and at once opened again the same way: the two tags
//    go, the runs join;
// 3. the open element met again: nothing;
// 4. a closing tag: its style is no longer open;
// 5. a style opened inside an identical open one: the inner pair goes;
// 6. a member of the group opened inside another that it outlasts: one
//    of the two is cut where the other ends, so that they nest; a heading
//    or a link stays whole before any other style, and a heading before a
//    link. When the outer one is cut, it is cut where the inner one
//    starts: it ends there, starts again inside the inner one and ends
//    where it always did, so that it styles the same characters.
// Partners are found by their nesting. The walk ends at the last element
// at or before the stretch's end offset, found again after every change;
// it moves on at every step but after a cut of rule 6, and each cut ends
// one crossing for good, so it ends.
// Tags that rules 2 and 5 take out, and that own no characters, stay in
// the list, passed over as if gone, until a cut or the end of the walk:
// then they all go at once. A page of hundreds of nested identical tags
// has hundreds of them, and each deletion on its own moved every record
// behind it and renumbered every partner.
class CodeClearing {
public:
	explicit CodeClearing(Visual_Engine& engine);

	// tracked: an opening element the caller keeps hold of. When a rule
	// deletes it, the element that says the same and stays (the opening of
	// the joined run, the outer identical pair) takes its place, and
	// Tracked() gives it.
	void Run(long from, long to, Page_Element* tracked);
	Page_Element* Tracked() const { return tracked; }
	bool TrackedReplaced() const { return replaced; }

private:
	using Slot = std::vector<Page_Element*>;

	void Seed(unsigned long index);
	bool Step(unsigned long& index);
	bool JoinWithClosing(unsigned long& index, Page_Element* element, Slot& slot);
	bool DropIdentical(unsigned long& index, Page_Element* element, Page_Element* open);
	bool Uncross(unsigned long& index, Page_Element* element, Page_Element* open, Slot& slot);
	void CutAtClosing(Page_Element* cut, Page_Element* other);
	void CutAtOpening(Page_Element* cut, Page_Element* other);
	// A copy of an element's opening or closing tag at offset, in front of
	// before (behind the last element when null).
	Page_Element* Copy(Page_Element* element, bool open, long offset,
		const Visual_Element* before);
	bool SaysTheSame(const Page_Element* a, const Page_Element* b) const;
	long DeleteElement(Page_Element* element);
	// Whether the element can wait to be deleted: it owns no characters,
	// so that the offsets stay as they would be without it.
	bool TakeOut(unsigned long& index, std::initializer_list<Page_Element*> tags);
	bool CanWait(const Page_Element* element) const;
	void DeleteLater(Page_Element* element);
	bool IsDeletedLater(const Visual_Element* element) const;
	// Deletes the elements that waited; index, the walk's, stays at its
	// element.
	void DeleteWaiting(unsigned long& index);
	// The partner of an element; null for none or one that waits to go.
	Page_Element* PartnerOf(const Page_Element* element);
	// After a change of the pairs: they are found again.
	void Changed(long at, long growth);
	void MoveEnd(long at, long growth);
	void Replace(Page_Element* gone, Page_Element* by);

	Visual_Engine& engine;
	Element_List& list;
	std::array<Slot, GROUP_COUNT> open;
	// Found again after every change.
	PairPartners partners;
	// Taken out by the rules, not yet deleted, in the list still.
	std::vector<Page_Element*> waiting;
	std::unordered_set<const Visual_Element*> waitingSet;
	long to = 0;
	Page_Element* tracked = nullptr;
	bool replaced = false;
};

#endif

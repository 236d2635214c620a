#include "CodeClearing.h"

#include <algorithm>

#include <Message.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "Page_Element.h"
#include "PairWalk.h"
#include "StringHelpers.h"
#include "TagDictionary.h"
#include "TextChange.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

CodeClearing::CodeClearing(Visual_Engine& engine)
	:
	engine(engine),
	list(*engine.ElementList()),
	partners(list)
{
}

void CodeClearing::Run(long from, long to, Page_Element* tracked)
{
	this->tracked = tracked;
	replaced = false;
	if (from >= to)
		return;
	from = std::max<long>(from, 0);
	this->to = std::min(to, list.LastOffset());
	if (this->to < from)
		return;
	partners.Forget();
	unsigned long index = list.FirstIndexAtOrAbove(from);
	Seed(index);
	while (index <= list.LastIndex() && list[index].offset <= this->to) {
		if (!Step(index))
			index++;
	}
	DeleteWaiting(index);
}

void CodeClearing::Seed(unsigned long index)
{
	for (Slot& slot : open)
		slot.clear();
	for (const PairWalk::Open& pair : PairWalk::OpenBefore(list, index)) {
		style_group group = StyleGroups::GroupOf(pair.element);
		if (group != GROUP_NONE)
			open[group].push_back(pair.element);
	}
}

// Applies the first rule that fits the element at index; true when the
// rule chose the index to go on with.
bool CodeClearing::Step(unsigned long& index)
{
	Visual_Element* visual = list[index].element;
	style_group group = StyleGroups::GroupOf(visual);
	Page_Element* element = dynamic_cast<Page_Element*>(visual);
	if (group == GROUP_NONE || element == nullptr || IsDeletedLater(element))
		return false;
	Slot& slot = open[group];
	if (!PairRole::Of(element).open) {
		// Rules 1 and 4: a closing tag ends its own pair, if that is open.
		auto found = std::find(slot.begin(), slot.end(), PartnerOf(element));
		if (found != slot.end())
			slot.erase(found);
		return false;
	}
	if (slot.empty()) {
		if (JoinWithClosing(index, element, slot))
			return true;
		slot.push_back(element);
		return false;
	}
	Page_Element* current = slot.back();
	if (current == element)
		return false;
	if (PairRole::Of(current).SameKey(PairRole::Of(element)) && SaysTheSame(current, element))
		return DropIdentical(index, element, current);
	return Uncross(index, element, current, slot);
}

// Rule 2: the closing tag just before the element, at its offset, ends a
// run that says the same: both tags go, and that run goes on.
bool CodeClearing::JoinWithClosing(unsigned long& index, Page_Element* element, Slot& slot)
{
	if (index < 2)
		return false;
	unsigned long before = index - 1;
	while (before >= 1 && IsDeletedLater(list[before].element))
		before--;
	if (before < 1 || list[before].offset != list[index].offset)
		return false;
	Page_Element* closing = dynamic_cast<Page_Element*>(list[before].element);
	PairRole role = PairRole::Of(closing);
	if (closing == nullptr || role.open || !role.SameKey(PairRole::Of(element)))
		return false;
	Page_Element* opening = PartnerOf(closing);
	if (opening == nullptr || !SaysTheSame(opening, element))
		return false;
	// The run's own closing ends the joined run.
	Page_Element* runEnd = PartnerOf(element);
	if (TakeOut(index, {element, closing}))
		index++;
	else
		index--;
	if (runEnd != nullptr)
		partners.Pair(static_cast<unsigned long>(list.IndexOf(opening)),
			static_cast<unsigned long>(list.IndexOf(runEnd)));
	Replace(element, opening);
	slot.push_back(opening);
	return true;
}

// Rule 5: inside an identical open style, the inner pair says nothing.
bool CodeClearing::DropIdentical(unsigned long& index, Page_Element* element,
	Page_Element* current)
{
	if (TakeOut(index, {PartnerOf(element), element}))
		index++;
	Replace(element, current);
	return true;
}

// Rule 6: another member of the group opens inside the open one; where
// it outlasts it, one of the two is cut.
bool CodeClearing::Uncross(unsigned long& index, Page_Element* element, Page_Element* current,
	Slot& slot)
{
	Page_Element* elementEnd = PartnerOf(element);
	Page_Element* currentEnd = PartnerOf(current);
	if (elementEnd == nullptr || currentEnd == nullptr
			|| elementEnd->ThisIndex() < currentEnd->ThisIndex()) {
		slot.push_back(element);
		return false;
	}
	// The cuts make elements and move them: the list is made whole first.
	DeleteWaiting(index);
	const _tagdict* inner = element->HTMLType();
	const _tagdict* outer = current->HTMLType();
	bool cutOuter = (TextChange::IsUnbreakable(inner) && !TextChange::IsUnbreakable(outer))
		|| (TextChange::IsUnbreakable(inner) && outer == tag_a && inner != tag_a);
	if (!cutOuter) {
		CutAtClosing(element, current);
		slot.push_back(element);
		return false;
	}
	CutAtOpening(current, element);
	slot.erase(std::find(slot.begin(), slot.end(), current));
	index = static_cast<unsigned long>(list.IndexOf(element));
	return true;
}

// The cut pair ends where the other ends, in front of its closing tag,
// opens again behind it and ends where it used to.
void CodeClearing::CutAtClosing(Page_Element* cut, Page_Element* other)
{
	Page_Element* cutEnd = partners.Of(cut);
	Page_Element* otherEnd = partners.Of(other);
	Visual_Element* behindCutEnd = list.Next(cutEnd);
	long length = engine.View()->TextLength();
	long noted = cutEnd->ThisOffset();
	engine.MoveBefore(otherEnd->ThisOffset(), cutEnd);
	engine.PlaceBefore(cutEnd, otherEnd);
	// A closing that owns characters took them along, in front of the
	// place it left.
	noted += PairRole::OwnedLength(cutEnd->ElementListItem());
	long reopen = otherEnd->ThisOffset() + PairRole::OwnedLength(otherEnd->ElementListItem());
	partners.Forget();
	if (reopen >= noted)
		return;
	length = engine.View()->TextLength();
	Copy(cut, true, reopen, list.Next(otherEnd));
	noted += engine.View()->TextLength() - length;
	Copy(cut, false, noted, behindCutEnd);
}

// The cut pair ends where the other starts, in front of it, and opens again
// right behind its start, inside it.
void CodeClearing::CutAtOpening(Page_Element* cut, Page_Element* other)
{
	Copy(cut, false, other->ThisOffset(), other);
	Copy(cut, true, other->ThisOffset() + PairRole::OwnedLength(other->ElementListItem()),
		list.Next(other));
}

Page_Element* CodeClearing::Copy(Page_Element* element, bool open, long offset,
	const Visual_Element* before)
{
	if (offset < 0)
		return nullptr;
	BMessage archive;
	element->Archive(&archive);
	archive.AddInt32("relative_offset", 0);
	if (!open)
		PairRole::MakeClosing(&archive);
	long length = engine.View()->TextLength();
	engine.MyPage()->VisualChanged();
	Page_Element* copy = engine.Instantiate(&archive, offset);
	if (copy != nullptr)
		engine.PlaceBefore(copy, before);
	Changed(offset, engine.View()->TextLength() - length);
	return copy;
}

bool CodeClearing::SaysTheSame(const Page_Element* a, const Page_Element* b) const
{
	BMessage first;
	BMessage second;
	a->Archive(&first);
	b->Archive(&second);
	return CompareMessages(&first, &second);
}

long CodeClearing::DeleteElement(Page_Element* element)
{
	long at = element->ThisOffset();
	long index = list.IndexOf(element);
	long removed = engine.Delete(element);
	if (index >= 1)
		partners.Removed(static_cast<unsigned long>(index));
	else
		partners.Forget();
	MoveEnd(at, -removed);
	return removed;
}

// Tags that own no characters wait to be deleted with the others of the
// walk; any other goes at once, with those waiting before it. True when
// they wait.
bool CodeClearing::TakeOut(unsigned long& index, std::initializer_list<Page_Element*> tags)
{
	bool wait = std::all_of(tags.begin(), tags.end(),
		[this](const Page_Element* tag) { return tag == nullptr || CanWait(tag); });
	if (!wait)
		DeleteWaiting(index);
	for (Page_Element* tag : tags) {
		if (tag != nullptr && wait)
			DeleteLater(tag);
		else if (tag != nullptr)
			DeleteElement(tag);
	}
	return wait;
}

bool CodeClearing::CanWait(const Page_Element* element) const
{
	return PairRole::OwnedLength(element->ElementListItem()) == 0 && !element->HasParagraph();
}

void CodeClearing::DeleteLater(Page_Element* element)
{
	if (waitingSet.insert(element).second)
		waiting.push_back(element);
}

bool CodeClearing::IsDeletedLater(const Visual_Element* element) const
{
	return !waitingSet.empty() && waitingSet.count(element) != 0;
}

void CodeClearing::DeleteWaiting(unsigned long& index)
{
	if (waiting.empty())
		return;
	std::vector<unsigned long> indices;
	indices.reserve(waiting.size());
	for (const Page_Element* element : waiting)
		indices.push_back(static_cast<unsigned long>(list.IndexOf(element)));
	std::sort(indices.begin(), indices.end());
	index -= static_cast<unsigned long>(
		std::lower_bound(indices.begin(), indices.end(), index) - indices.begin());
	engine.Delete(std::vector<Visual_Element*>(waiting.begin(), waiting.end()));
	partners.Removed(indices);
	waiting.clear();
	waitingSet.clear();
}

Page_Element* CodeClearing::PartnerOf(const Page_Element* element)
{
	Page_Element* partner = partners.Of(element);
	return IsDeletedLater(partner) ? nullptr : partner;
}

void CodeClearing::Changed(long at, long growth)
{
	partners.Forget();
	MoveEnd(at, growth);
}

// The walk ends at the same characters however the text before them grew
// or shrank.
void CodeClearing::MoveEnd(long at, long growth)
{
	if (at < to)
		to += growth;
}

void CodeClearing::Replace(Page_Element* gone, Page_Element* by)
{
	if (tracked == gone) {
		tracked = by;
		replaced = true;
	}
}

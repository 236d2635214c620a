#include "VFinder.h"

#include "Element_List.h"
#include "EntityTable.h"
#include "Visual_Engine.h"
#include "Visual_View.h"

namespace {

// How the visual text stands for a non-breaking space.
constexpr char kNonBreakingSpace = static_cast<char>(kNonBreakingSpaceCode);

Visual_View* ViewOf(const Visual_Engine* engine)
{
	return static_cast<Visual_View*>(engine->View());
}

} // namespace

VFinder::VFinder(Visual_Engine* engine, BWindow* window)
	:
	KFinder(window),
	engine(engine)
{
	Run();
}

BTextView* VFinder::SearchedView() const
{
	return engine->View();
}

// No element space may hold a character of the match: neither one that
// holds its first character nor one that starts inside it.
bool VFinder::MayMatch(int32 start, int32 end) const
{
	const Element_List* list = engine->ElementList();
	if (list->InElementSpaceAt(start) > 0)
		return false;
	for (unsigned long index = list->FirstIndexAbove(start); index <= list->LastIndex();
			index++) {
		Element_List_Item item = (*list)[index];
		if (item.offset >= end)
			break;
		if (item.spaceTo > 0)
			return false;
	}
	return true;
}

void VFinder::AdaptPattern(FindPattern& pattern) const
{
	pattern.SetNonBreakingSpace(kNonBreakingSpace);
}

int32 VFinder::TypeOver(int32 start, int32 end, const std::string& replacement)
{
	return ViewOf(engine)->TypeOver(start, end, replacement);
}

void VFinder::BeginReplacing(int32 from, int32 to)
{
	Visual_View* view = ViewOf(engine);
	view->BeginUndoGroup(from, to);
	view->BlockRefresh();
}

// The styles of the typed text and the places of the element views were
// left while the replacements were typed: both are brought up to date
// once, over what changed, and at once, so that what the finder says in
// the status bar comes after the refresh's own word there.
void VFinder::EndReplacing(int32 changedFrom, int32 changedTo)
{
	Visual_View* view = ViewOf(engine);
	view->UnblockRefresh();
	view->EndUndoGroup();
	view->_Refresh(changedFrom, changedTo);
	engine->Place(changedFrom, 0);
	view->Invalidate();
}

#include "RefreshWalk.h"

#include <cmath>
#include <memory>

#include "Element_List.h"
#include "Environment.h"
#include "RestyleRuns.h"
#include "Visual_Element.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

RefreshWalk::RefreshWalk(Visual_Text* view, std::function<void(int32 percent)> progress,
	std::function<bool()> stopRequested)
	:
	fView(view),
	fProgress(std::move(progress)),
	fStopRequested(std::move(stopRequested))
{
}

// Blocks are set apart by one room, as a page's margins between blocks
// collapse into one. A paragraph break adds none of its own when another
// break follows it at once (a heading's end before a paragraph: the
// paragraph's room sets them apart), nor right behind a rule, whose line
// is room enough above and below it.
bool RefreshWalk::RoomCollapses(const Visual_Element* element, int32 offset) const
{
	if (!element->HasParagraph())
		return false;
	const Element_List* list = fView->Engine()->ElementList();
	Element_List_Item item = element->ElementListItem();
	int32 roomEnd = offset + item.spaceTo;
	bool breakFollows = roomEnd < fView->TextLength() && fView->ByteAt(roomEnd) == '\n'
		&& list->InElementSpaceAt(roomEnd) > 0;
	bool behindRule = offset > 0 && fView->ByteAt(offset - 1) == '\n'
		&& list->InElementSpaceAt(offset - 1) > 0;
	return breakFollows || behindRule;
}

// A walk from the start of the text begins with a fresh environment and
// applies the elements at offset 0 in the loop; a later one takes the
// environment in force just before start.
bool RefreshWalk::Run(int32 start, int32 finish)
{
	Visual_Engine* engine = fView->Engine();
	Element_List* list = engine->ElementList();
	std::unique_ptr<Environment> environment = start == 0
		? std::make_unique<Environment>() : engine->EnvironmentAt(start - 1);
	RestyleRuns runs(fView, start);
	int32 length = fView->TextLength();
	int32 shown = 0;
	for (int32 offset = start; offset < finish;) {
		environment->placeholderFrom = 0;
		environment->placeholderTo = -1;
		long counter = 0;
		bool collapses = false;
		for (long index = list->IndexOfAt(offset, &counter); index >= 0;
				index = list->IndexOfAt(offset, &counter)) {
			const Visual_Element* element = (*list)[index].element;
			element->GetEnvironment(environment.get());
			collapses = collapses || RoomCollapses(element, offset);
		}
		long next = list->NextOffset(offset);
		if (next <= offset)
			next = finish + 1;
		runs.Add(environment.get(), offset, static_cast<int32>(std::min<long>(next, length)),
			collapses);
		offset = static_cast<int32>(next);
		int32 percent = static_cast<int32>(std::lround(
			(std::min(offset, finish) - start) * 100.0 / std::max(finish - start, 1)));
		if (percent > shown) {
			shown = percent;
			fProgress(percent);
		}
		if (fStopRequested())
			return false;
	}
	runs.Apply();
	return true;
}

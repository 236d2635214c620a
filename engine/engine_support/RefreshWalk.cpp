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
		for (long index = list->IndexOfAt(offset, &counter); index >= 0;
				index = list->IndexOfAt(offset, &counter))
			(*list)[index].element->GetEnvironment(environment.get());
		long next = list->NextOffset(offset);
		if (next <= offset)
			next = finish + 1;
		runs.Add(environment.get(), offset, static_cast<int32>(std::min<long>(next, length)));
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

#include "HFinder.h"

#include <Window.h>

#include "HTML_View.h"

HFinder::HFinder(HTML_View* view, BWindow* window)
	:
	KFinder(window),
	view(view)
{
	Run();
}

BTextView* HFinder::SearchedView() const
{
	return view;
}

int32 HFinder::TypeOver(int32 start, int32 end, const std::string& replacement)
{
	view->Delete(start, end);
	view->Insert(start, replacement.data(), static_cast<int32>(replacement.size()));
	return start + static_cast<int32>(replacement.size());
}

void HFinder::BeginReplacing(int32, int32)
{
	view->BeginUndoStep(B_UNDO_REPLACE);
	view->BlockColorize();
}

void HFinder::EndReplacing(int32, int32)
{
	view->UnblockColorize();
	view->EndUndoStep();
}

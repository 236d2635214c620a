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

BLooper* HFinder::TextLooper() const
{
	return view->Window();
}

std::string_view HFinder::SearchedText() const
{
	return std::string_view(view->Text(), view->TextLength());
}

int32 HFinder::SearchedLength() const
{
	return view->TextLength();
}

void HFinder::ShowMatch(int32 start, int32 end)
{
	view->Select(start, end);
	view->ScrollToSelection();
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

#include "HTML_View.h"

#include "HWindow.h"

HTML_View::HTML_View(BRect frame, HWindow* window)
	:
	BTextView(frame, "HTML view", BRect(4, 4, frame.Width() - 4, frame.Height() - 4),
		B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE),
	htmlWindow(window)
{
	SetStylable(true);
	SetWordWrap(false);
	SetDoesUndo(true);
	BFont font(be_fixed_font);
	SetFontAndColor(&font);
}

void HTML_View::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	BTextView::InsertText(text, length, offset, runs);
	htmlWindow->Changed();
}

void HTML_View::DeleteText(int32 start, int32 finish)
{
	BTextView::DeleteText(start, finish);
	htmlWindow->Changed();
}

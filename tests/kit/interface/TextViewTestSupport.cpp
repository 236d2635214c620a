#include "TextViewTestSupport.h"

#include <WindowTesting.h>

namespace TextViewTests {

LoggingTextView::LoggingTextView(BRect frame, BRect textRect)
	:
	BTextView(frame, "text", textRect, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE)
{
}

void LoggingTextView::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	log.push_back("insert " + std::to_string(offset) + " +" + std::string(text, length));
	BTextView::InsertText(text, length, offset, runs);
}

void LoggingTextView::DeleteText(int32 fromOffset, int32 toOffset)
{
	log.push_back("delete " + std::to_string(fromOffset) + ".." + std::to_string(toOffset));
	BTextView::DeleteText(fromOffset, toOffset);
}

void LoggingTextView::Select(int32 startOffset, int32 endOffset)
{
	log.push_back("select " + std::to_string(startOffset) + ".." + std::to_string(endOffset));
	BTextView::Select(startOffset, endOffset);
}

TestClipboard::TestClipboard()
{
	fEnvironment.Set("XDG_RUNTIME_DIR", fDirectory.Path());
	fClipboard = std::make_unique<BClipboard>("textview-test");
	fPrevious = be_clipboard;
	be_clipboard = fClipboard.get();
}

TestClipboard::~TestClipboard()
{
	be_clipboard = fPrevious;
	fClipboard.reset();
}

void TextViewWindowTest::Open(BTextView* view, bool scrollView, BRect windowFrame)
{
	fWindow = MakeWindow(windowFrame);
	fView = view;
	if (scrollView) {
		fScrollView = new BScrollView("scroll", view, B_FOLLOW_ALL_SIDES, 0, false, true);
		fWindow->AddChild(fScrollView);
	} else {
		fWindow->AddChild(view);
	}
	view->MakeFocus(true);
	ShowAndWait(fWindow);
}

BPoint TextViewWindowTest::InWindow(BPoint viewPoint)
{
	Locked lock(fWindow);
	return fWindow->ConvertFromScreen(fView->ConvertToScreen(viewPoint));
}

void TextViewWindowTest::Key(const char* bytes, uint32 modifiers)
{
	ASSERT_EQ(BPrivate::PostKey(fWindow, bytes, modifiers), B_OK);
	Idle();
}

void TextViewWindowTest::Type(const char* text)
{
	ASSERT_EQ(BPrivate::TypeText(fWindow, text), B_OK);
	Idle();
}

void TextViewWindowTest::Press(BPoint viewPoint, int32 clicks, uint32 modifiers)
{
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, InWindow(viewPoint), B_PRIMARY_MOUSE_BUTTON,
		clicks, modifiers), B_OK);
	Idle();
}

void TextViewWindowTest::MoveTo(BPoint viewPoint, uint32 buttons)
{
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, InWindow(viewPoint), buttons), B_OK);
	Idle();
}

void TextViewWindowTest::Release(BPoint viewPoint, uint32 modifiers)
{
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, InWindow(viewPoint), 0, modifiers), B_OK);
	Idle();
}

void TextViewWindowTest::Click(BPoint viewPoint, int32 clicks, uint32 modifiers)
{
	Press(viewPoint, clicks, modifiers);
	Release(viewPoint, modifiers);
}

std::string TextViewWindowTest::Text()
{
	Locked lock(fWindow);
	return fView->Text();
}

std::pair<int32, int32> TextViewWindowTest::Selection()
{
	Locked lock(fWindow);
	return SelectionOf(fView);
}

std::pair<int32, int32> SelectionOf(const BTextView* view)
{
	int32 start = 0;
	int32 end = 0;
	view->GetSelection(&start, &end);
	return {start, end};
}

BFont FontAt(const BTextView* view, int32 offset)
{
	BFont font;
	view->GetFontAndColor(offset, &font);
	return font;
}

rgb_color ColorAt(const BTextView* view, int32 offset)
{
	BFont font;
	rgb_color color;
	view->GetFontAndColor(offset, &font, &color);
	return color;
}

BFont SizedFont(float size, uint16 face)
{
	BFont font;
	font.SetSize(size);
	if (face != font.Face())
		font.SetFace(face);
	return font;
}

} // namespace TextViewTests

#include "HWindow.h"

#include <cstring>

#include <Autolock.h>
#include <File.h>
#include <Message.h>
#include <NodeInfo.h>
#include <ScrollView.h>

#include <ScrollBar.h>

#include "HTMLPaletteWindow.h"
#include "HTML_View.h"
#include "KBottomBar.h"
#include "VWindow.h"
#include "WindowedPage.h"
#include "page_support/PageText.h"

HWindow::HWindow(BRect frame, const char* title, WindowedPage* page)
	:
	PageWindow(frame, title, page),
	view(nullptr),
	scrollView(nullptr),
	palette(nullptr),
	noUpdateFromVisual(false)
{
	CreatePalette();
	BRect viewFrame = Bounds();
	viewFrame.right -= B_V_SCROLL_BAR_WIDTH;
	viewFrame.bottom = BottomBar()->Frame().top - 1;
	view = new HTML_View(viewFrame, this);
	scrollView = new BScrollView("HTML scroll view", view, B_FOLLOW_ALL_SIDES, 0, false, true);
	AddChild(scrollView);
	Run();
}

void HWindow::Quit()
{
	// The palette only posts to this window, so it can be waited for.
	if (palette != nullptr && palette->Lock())
		palette->Quit();
	palette = nullptr;
	PageWindow::Quit();
}

void HWindow::Show()
{
	BAutolock lock(this);
	if (IsHidden())
		BWindow::Show();
}

void HWindow::Hide()
{
	BAutolock lock(this);
	if (!IsHidden()) {
		BWindow::Hide();
		TellPaletteState(false);
	}
}

void HWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'rpst':
			InsertFromPalette(message);
			break;
		case 'shpl':
			if (palette != nullptr)
				palette->PostMessage(HTMLPaletteWindow::kShow);
			break;
		default:
			PageWindow::MessageReceived(message);
			break;
	}
}

// The palette: Ctrl+P shows it.
void HWindow::CreatePalette()
{
	palette = new HTMLPaletteWindow(this);
	AddShortcut('P', B_COMMAND_KEY, new BMessage('shpl'), this);
}

// The palette follows this window: it hides with it and comes back with it.
void HWindow::TellPaletteState(bool front)
{
	if (palette == nullptr)
		return;
	BMessage state(HTMLPaletteWindow::kOwnerState);
	state.AddBool("front", front);
	state.AddBool("shown", !IsHidden());
	palette->PostMessage(&state);
}

// "text" goes in at the start of the selection; with "movecursor" the
// caret goes behind it, otherwise it stays in front of it.
void HWindow::InsertFromPalette(const BMessage* message)
{
	const char* text = nullptr;
	if (message->FindString("text", &text) != B_OK)
		return;
	bool moveCursor = false;
	message->FindBool("movecursor", &moveCursor);
	int32 start = 0;
	int32 finish = 0;
	view->GetSelection(&start, &finish);
	int32 length = static_cast<int32>(strlen(text));
	view->Insert(start, text, length);
	int32 caret = moveCursor ? start + length : start;
	view->Select(caret, caret);
	view->ScrollToSelection();
}

PageWindow* HWindow::Partner() const
{
	return page != nullptr ? page->VisualWindow() : nullptr;
}

void HWindow::WindowActivated(bool active)
{
	PageWindow::WindowActivated(active);
	TellPaletteState(active);
	if (active && TakesOverOnActivation() && page != nullptr && !page->IsDeleting())
		view->MakeFocus(true);
}

void HWindow::TakeOverPartnerEdits()
{
	page->UpdateFromVisual();
}

void HWindow::Working()
{
	BAutolock lock(this);
}

void HWindow::FinishedWorking()
{
	BAutolock lock(this);
	if (view->IsHidden(view))
		view->Show();
}

void HWindow::SetText(BFile* file)
{
	std::string bytes;
	if (PageText::ReadFile(file, bytes) != B_OK)
		return;
	TextEncoding encoding;
	std::string text = PageText::Decode(bytes, &encoding);
	BAutolock lock(this);
	if (page != nullptr)
		page->SetEncoding(encoding);
	view->SetFileText(text);
}

ssize_t HWindow::SaveTo(BFile* file) const
{
	if (file == nullptr || file->InitCheck() != B_OK || !file->IsWritable() || view == nullptr)
		return B_ERROR;
	std::string text;
	{
		BAutolock lock(const_cast<HWindow*>(this));
		text = view->Text();
	}
	TextEncoding encoding = page != nullptr ? page->Encoding() : TextEncoding();
	std::string bytes = PageText::Encode(text, encoding);
	status_t status = PageText::WriteFile(file, bytes);
	if (status != B_OK)
		return status;
	BNodeInfo(file).SetType("text/html");
	return static_cast<ssize_t>(bytes.size());
}

void HWindow::SelectRange(int32 start, int32 finish)
{
	BAutolock lock(this);
	int32 length = view->TextLength();
	if (start < 1 || finish < 1 || start >= length || finish >= length)
		return;
	if (IsHidden())
		Show();
	else
		Activate();
	view->Select(start, finish);
	view->ScrollToSelection();
}

#include "HWindow.h"

#include <cstring>

#include <Alert.h>
#include <Autolock.h>
#include <File.h>
#include <Font.h>
#include <MenuBar.h>
#include <Message.h>
#include <NodeInfo.h>
#include <ScrollBar.h>
#include <ScrollView.h>

#include "HTMLPaletteWindow.h"
#include "HTML_View.h"
#include "KBottomBar.h"
#include "HFinder.h"
#include "MenuTable.h"
#include "SafeSave.h"
#include "VWindow.h"
#include "WindowedPage.h"
#include "page_support/PageText.h"
#include "window_support/SourceMenus.h"

namespace {

const char kUpdating[] = "Updating …";
const char kUpdateQuestion[] = "The HTML window has changes that the visual window does not "
	"show. Replace them with the HTML of the visual window?";

} // namespace

HWindow::HWindow(BRect frame, const char* title, WindowedPage* page)
	:
	PageWindow(frame, title, page),
	view(nullptr),
	scrollView(nullptr),
	palette(nullptr),
	finder(nullptr),
	noUpdateFromVisual(false)
{
	palette = new HTMLPaletteWindow(this);
	AddMainMenu();
	BRect viewFrame = Bounds();
	viewFrame.top = menuBar->Frame().bottom + 1;
	viewFrame.right -= B_V_SCROLL_BAR_WIDTH;
	viewFrame.bottom = BottomBar()->Frame().top - 1;
	view = new HTML_View(viewFrame, this);
	scrollView = new BScrollView("HTML scroll view", view, B_FOLLOW_ALL_SIDES, 0, false, true);
	AddChild(scrollView);
	finder = new HFinder(view, this);
	Run();
}

void HWindow::AddMainMenu()
{
	BRect frame = Bounds();
	frame.bottom = frame.top + 14;
	menuBar = new BMenuBar(frame, "Main menu", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
		B_ITEMS_IN_ROW, true);
	AddChild(menuBar);
	MenuTable::AddTo(menuBar, SourceMenus::MainMenu(), nullptr);
	menuBar->ResizeToPreferred();
}

// The palette and the finder only post to this window, so they can be
// waited for.
void HWindow::Quit()
{
	if (palette != nullptr && palette->Lock())
		palette->Quit();
	palette = nullptr;
	if (finder != nullptr && finder->Lock())
		finder->Quit();
	finder = nullptr;
	PageWindow::Quit();
}

void HWindow::Show()
{
	BAutolock lock(this);
	if (IsHidden()) {
		BWindow::Show();
		view->ColorizeWaiting();
	}
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
	if (page == nullptr || page->IsDeleting()) {
		PageWindow::MessageReceived(message);
		return;
	}
	switch (message->what) {
		case 'udrd':
		case 'copy':
		case 'past':
		case 'cut ':
			EditText(view, message->what);
			break;
		case 'find':
		case KFinder::kFindFirst:
		case 'fnda':
			finder->TakeCommand(message->what);
			break;
		case 'shpl':
			palette->PostMessage(HTMLPaletteWindow::kShow);
			break;
		case 'rpst':
			InsertFromPalette(message);
			break;
		case 'updt':
			UpdateFromVisual();
			break;
		case 'chkh':
			page->CheckHTML();
			break;
		case 'corh':
			page->Correct();
			break;
		case 'colr':
			view->Colorize(0, view->TextLength());
			break;
		case 'rtst':
			view->Invalidate();
			break;
		case 'dlt ':
			break;
		default:
			PageWindow::MessageReceived(message);
			break;
	}
}

// The HTML window's own edits would be lost without a trace: they go only
// when the user says so. Afterwards both sides are in step.
void HWindow::UpdateFromVisual()
{
	if (IsChanged()) {
		BAlert* alert = new BAlert("Update from Visual?", kUpdateQuestion, "Replace",
			"Cancel", nullptr, B_WIDTH_AS_USUAL, B_WARNING_ALERT);
		if (alert->Go() != 0)
			return;
	}
	page->UpdateFromVisual();
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

// A save started here reads the edited HTML again without taking the
// user to the visual window, and leaves the caret where it was.
status_t HWindow::SavePage()
{
	int32 start = 0;
	int32 finish = 0;
	view->GetSelection(&start, &finish);
	page->SetActivateVisual(false);
	status_t status = PageWindow::SavePage();
	page->SetActivateVisual(true);
	view->Select(start, finish);
	view->ScrollToSelection();
	return status;
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
	ShowUpdating();
	page->UpdateFromVisual();
	view->Invalidate();
}

// Writing a long page anew takes a while: the view says so meanwhile.
void HWindow::ShowUpdating()
{
	BRect bounds = view->Bounds();
	view->PushState();
	view->FillRect(bounds, B_SOLID_LOW);
	view->SetHighColor(0, 0, 0);
	view->SetFont(be_plain_font);
	float width = view->StringWidth(kUpdating);
	view->DrawString(kUpdating, BPoint(bounds.left + (bounds.Width() - width) / 2,
		bounds.top + bounds.Height() / 2));
	view->PopState();
	view->Flush();
}

void HWindow::FinishedWorking()
{
	BAutolock lock(this);
	PageWindow::FinishedWorking();
	if (view->IsHidden(view)) {
		view->Show();
		view->ColorizeWaiting();
	}
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
	off_t length = 0;
	status_t status = PageText::WriteFile(file,
		[this](const PageText::PieceWriter& write) { return WriteText(write); }, &length);
	if (status != B_OK)
		return status;
	BNodeInfo(file).SetType("text/html");
	return static_cast<ssize_t>(length);
}

// Encoded from the view's own text: a copy of a big page's text would only
// raise the program's peak.
status_t HWindow::WriteText(const PageText::PieceWriter& write) const
{
	TextEncoding encoding = page != nullptr ? page->Encoding() : TextEncoding();
	BAutolock lock(const_cast<HWindow*>(this));
	return PageText::EncodeInPieces(std::string_view(view->Text(), view->TextLength()), encoding,
		write);
}

status_t HWindow::WriteTextTo(int fd) const
{
	return WriteText([fd](std::string_view bytes) { return SafeSave::WriteAll(fd, bytes); });
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

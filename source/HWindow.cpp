#include "HWindow.h"

#include <Autolock.h>
#include <File.h>
#include <Message.h>
#include <NodeInfo.h>
#include <ScrollView.h>

#include "HTML_View.h"
#include "Page.h"
#include "VWindow.h"
#include "WApplication.h"
#include "page_support/PageText.h"

namespace {

constexpr float kScrollBarRoom = 14;

} // namespace

HWindow::HWindow(BRect frame, const char* title, Page* page)
	:
	BWindow(frame, title, B_TITLED_WINDOW, B_ASYNCHRONOUS_CONTROLS),
	view(nullptr),
	scrollView(nullptr),
	page(page),
	changed(false),
	noUpdateFromVisual(false)
{
	BRect viewFrame = Bounds();
	viewFrame.right -= kScrollBarRoom;
	view = new HTML_View(viewFrame, this);
	scrollView = new BScrollView("HTML scroll view", view, B_FOLLOW_ALL_SIDES, 0, false, true);
	AddChild(scrollView);
	Run();
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
	if (!IsHidden())
		BWindow::Hide();
}

void HWindow::Quit()
{
	Lock();
	BWindow::Quit();
}

// Closing the window only hides it while the visual window shows;
// otherwise it closes the page.
bool HWindow::QuitRequested()
{
	if (page == nullptr || page->IsDeleting())
		return true;
	VWindow* visual = page->VisualWindow();
	if (visual == nullptr || visual->IsHidden())
		PostMessage('clos');
	else
		Hide();
	return false;
}

// 'clos' closes the page: the application owns the pages.
void HWindow::MessageReceived(BMessage* message)
{
	if (message->what == 'clos' && page != nullptr) {
		WApplication::PostClosePage(page->Index());
		return;
	}
	BWindow::MessageReceived(message);
}

void HWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (!active || noUpdateFromVisual || page == nullptr || page->IsDeleting())
		return;
	WApplication::NoteActiveWindow(this);
	VWindow* visual = page->VisualWindow();
	if (visual != nullptr && visual->IsChanged() && !page->IsUpdating()) {
		page->UpdateFromVisual();
		visual->NotChanged();
	}
	view->MakeFocus(true);
}

void HWindow::Changed()
{
	changed = true;
	if (page != nullptr && page->IsSaved())
		page->NotSaved();
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
	view->SetText(text.c_str(), static_cast<int32>(text.size()));
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

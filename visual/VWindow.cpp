#include "VWindow.h"

#include <Autolock.h>
#include <Message.h>
#include <View.h>

#include "HWindow.h"
#include "Page.h"
#include "WApplication.h"
#include "Visual_Engine.h"

namespace {

const rgb_color kBackground = {216, 216, 216, 255};

} // namespace

VWindow::VWindow(BRect frame, const char* title, Page* page)
	:
	BWindow(frame, title, B_TITLED_WINDOW, B_ASYNCHRONOUS_CONTROLS),
	engine(nullptr),
	page(page),
	changed(false),
	working(false),
	progressValue(0)
{
	BView* back = new BView(Bounds(), "back", B_FOLLOW_ALL_SIDES, 0);
	back->SetViewColor(kBackground);
	back->SetLowColor(kBackground);
	AddChild(back);
	engine = new Visual_Engine(Bounds(), this, page);
	Run();
}

VWindow::~VWindow()
{
	delete engine;
}

void VWindow::Quit()
{
	Lock();
	BWindow::Quit();
}

// Closing the window only hides it while the page's HTML window shows;
// otherwise it closes the page.
bool VWindow::QuitRequested()
{
	if (page == nullptr || page->IsDeleting())
		return true;
	HWindow* html = page->HTMLWindow();
	if (html == nullptr || html->IsHidden())
		PostMessage('clos');
	else
		Hide();
	return false;
}

// 'clos' closes the page: the application owns the pages.
void VWindow::MessageReceived(BMessage* message)
{
	if (message->what == 'clos' && page != nullptr) {
		WApplication::PostClosePage(page->Index());
		return;
	}
	BWindow::MessageReceived(message);
}

void VWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (!active || page == nullptr || page->IsDeleting())
		return;
	UpdateIfNeeded();
	WApplication::NoteActiveWindow(this);
	HWindow* html = page->HTMLWindow();
	if (html != nullptr && html->IsChanged() && !page->IsUpdating()) {
		page->UpdateFromHTML(false, nullptr);
		html->NotChanged();
	}
}

void VWindow::Changed()
{
	changed = true;
	if (page != nullptr && page->IsSaved())
		page->NotSaved();
}

void VWindow::Working()
{
	BAutolock lock(this);
	working = true;
}

void VWindow::FinishedWorking()
{
	BAutolock lock(this);
	working = false;
}

void VWindow::ResetProgress(const char* text)
{
	BAutolock lock(this);
	if (!lock.IsLocked())
		return;
	progressValue = 0;
	progressLabel = text != nullptr ? text : "";
}

void VWindow::ShowProgress(float value, const char* label)
{
	BAutolock lock(this);
	if (!lock.IsLocked())
		return;
	progressValue = value;
	progressLabel = label != nullptr ? label : "";
	UpdateIfNeeded();
}

float VWindow::ProgressValue() const
{
	BAutolock lock(const_cast<VWindow*>(this));
	return progressValue;
}

std::string VWindow::ProgressLabel() const
{
	BAutolock lock(const_cast<VWindow*>(this));
	return progressLabel;
}

#include "VWindow.h"

#include <Autolock.h>
#include <Message.h>
#include <ScrollView.h>
#include <View.h>

#include "HWindow.h"
#include "Visual_Engine.h"
#include "WindowedPage.h"

namespace {

const rgb_color kBackground = {216, 216, 216, 255};

} // namespace

VWindow::VWindow(BRect frame, const char* title, WindowedPage* page)
	:
	PageWindow(frame, title, page),
	working(false),
	progressValue(0)
{
	BView* back = new BView(Bounds(), "back", B_FOLLOW_ALL_SIDES, 0);
	back->SetViewColor(kBackground);
	back->SetLowColor(kBackground);
	AddChild(back);
	engine = std::make_unique<Visual_Engine>(Bounds(), this, page);
	back->AddChild(engine->ScrollView());
	// Window managers often take F11 (and F12) for themselves: the HTML
	// window and the external editor have Ctrl shortcuts too.
	AddShortcut('T', 0, new BMessage('shww'), this);
	AddShortcut('E', 0, new BMessage('sexe'), this);
	Run();
}

VWindow::~VWindow()
{
}

PageWindow* VWindow::Partner() const
{
	return page != nullptr ? page->HTMLWindow() : nullptr;
}

void VWindow::TakeOverPartnerEdits()
{
	page->UpdateFromHTML(false, nullptr);
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

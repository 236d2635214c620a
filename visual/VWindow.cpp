#include "VWindow.h"

#include <Autolock.h>
#include <Message.h>
#include <ScrollView.h>
#include <View.h>

#include "Anchor.h"
#include "HWindow.h"
#include "TagSettingsWindow.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
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

void VWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'tset':
			OpenTagSettings(message);
			break;
		case TagSettingsWindow::kDone:
			TakeTagSettings(message);
			break;
		default:
			PageWindow::MessageReceived(message);
	}
}

// The element comes with a message: by now it may be gone, so it is looked
// for in the list before it is looked at.
void VWindow::OpenTagSettings(const BMessage* message)
{
	void* pointer = nullptr;
	int32 flag = INSERT_PLAIN;
	if (message->FindPointer("element", &pointer) != B_OK || pointer == nullptr)
		return;
	message->FindInt32("flag", &flag);
	Anchor* anchor = static_cast<Anchor*>(pointer);
	Element_List* list = engine->ElementList();
	if (!list->Contains(anchor))
		return;
	TagSettingsWindow::Open(anchor, static_cast<insertflag>(flag), list, BMessenger(this));
}

void VWindow::TakeTagSettings(const BMessage* message)
{
	const Anchor* anchor = TagSettingsWindow::ElementOf(message);
	if (!TagSettingsWindow::TakeValues(message, engine->ElementList()))
		return;
	Changed();
	const Anchor* closing = anchor->FindOpeningClosing();
	long end = closing != nullptr ? closing->ThisOffset() : anchor->ThisOffset();
	engine->View()->Refresh(static_cast<int32>(anchor->ThisOffset()), static_cast<int32>(end));
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

#include "TagSettingsWindow.h"

#include <cstring>
#include <string>

#include <Button.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>

#include "Anchor.h"
#include "Element_List.h"
#include "WImage.h"

namespace {

constexpr uint32 kLink = 'link';
constexpr uint32 kName = 'name';
constexpr uint32 kAlt = 'alt ';
constexpr uint32 kKeep = 'keep';
const rgb_color kPanel = {216, 216, 216, 255};

} // namespace

TagSettingsWindow* TagSettingsWindow::Open(Anchor* anchor, insertflag flag, Element_List* list,
	const BMessenger& visualWindow)
{
	if (anchor != nullptr && !anchor->OpenTag())
		anchor = anchor->FindOpeningClosing();
	if (anchor == nullptr || list == nullptr)
		return nullptr;
	TagSettingsWindow* window = new TagSettingsWindow(anchor, visualWindow);
	BView* back = window->AddPanel();
	window->linkTo = new BTextControl(BRect(5, 5, 460, 20), "link", "Link to:",
		anchor->LinkTo(), new BMessage(kLink));
	window->targetName = new BTextControl(BRect(5, 32, 460, 50), "name",
		"Link target name: #", anchor->Name(), new BMessage(kName));
	back->AddChild(window->linkTo);
	back->AddChild(window->targetName);
	BTextControl* focus = flag == INSERT_LINK_TARGET ? window->targetName : window->linkTo;
	if (flag == INSERT_MAIL_LINK)
		window->linkTo->SetText("mailto:");
	focus->MakeFocus(true);
	int32 end = static_cast<int32>(strlen(focus->Text()));
	focus->TextView()->Select(end, end);
	window->Watch(list);
	return window;
}

TagSettingsWindow* TagSettingsWindow::Open(WImage* image, Element_List* list,
	const BMessenger& visualWindow)
{
	if (image == nullptr || list == nullptr)
		return nullptr;
	TagSettingsWindow* window = new TagSettingsWindow(image, visualWindow);
	BView* back = window->AddPanel();
	window->alternative = new BTextControl(BRect(5, 5, 460, 20), "alt", "Alternative text:",
		image->Alt(), new BMessage(kAlt));
	back->AddChild(window->alternative);
	window->alternative->MakeFocus(true);
	window->alternative->TextView()->SelectAll();
	window->Watch(list);
	return window;
}

TagSettingsWindow::TagSettingsWindow(Page_Element* element, const BMessenger& visualWindow)
	:
	BWindow(BRect(80, 100, 550, 187), "Tag settings window", B_TITLED_WINDOW_LOOK,
		B_MODAL_SUBSET_WINDOW_FEEL, B_NOT_ZOOMABLE | B_NOT_RESIZABLE | B_ASYNCHRONOUS_CONTROLS),
	element(element),
	watch(0),
	visualWindow(visualWindow),
	linkTo(nullptr),
	targetName(nullptr),
	alternative(nullptr),
	finished(false)
{
}

// The panel with its OK button, for the fields of the element's kind.
BView* TagSettingsWindow::AddPanel()
{
	BView* back = new BView(Bounds(), "back", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	back->SetViewColor(kPanel);
	back->SetLowColor(kPanel);
	AddChild(back);
	back->AddChild(new BButton(BRect(380, 58, 460, 80), "ok", "OK", new BMessage(kKeep)));
	return back;
}

void TagSettingsWindow::Watch(Element_List* list)
{
	watch = list->WatchDeletion(element, BMessenger(this), kElementGone);
	Show();
}

// Enter in a field sends its message; a field that loses the focus with
// a changed text sends it too, and that closes nothing.
void TagSettingsWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kLink:
		case kName:
		case kAlt: {
			BTextControl* field = message->what == kLink ? linkTo
				: message->what == kName ? targetName : alternative;
			if (field->TextView()->IsFocus())
				Finish(true);
			break;
		}
		case kKeep:
			Finish(true);
			break;
		case kElementGone:
			finished = true;
			Quit();
			break;
		default:
			BWindow::MessageReceived(message);
	}
}

void TagSettingsWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	const char* bytes = nullptr;
	if (message->what == B_KEY_DOWN && message->FindString("bytes", &bytes) == B_OK
			&& bytes != nullptr && bytes[0] == B_ESCAPE) {
		Finish(false);
		return;
	}
	BWindow::DispatchMessage(message, handler);
}

// The close box keeps the values, as Enter does.
bool TagSettingsWindow::QuitRequested()
{
	if (!finished)
		Finish(true);
	return true;
}

void TagSettingsWindow::Finish(bool keep)
{
	if (finished)
		return;
	finished = true;
	BMessage done(kDone);
	done.AddPointer("element", element);
	done.AddInt32("watch", static_cast<int32>(watch));
	done.AddBool("keep", keep);
	if (alternative != nullptr) {
		done.AddString("alt", alternative->Text());
	} else {
		done.AddString("link", linkTo->Text());
		done.AddString("name", targetName->Text());
	}
	visualWindow.SendMessage(&done);
	PostMessage(B_QUIT_REQUESTED);
}

const Page_Element* TagSettingsWindow::ElementOf(const BMessage* done)
{
	void* pointer = nullptr;
	done->FindPointer("element", &pointer);
	return static_cast<const Page_Element*>(pointer);
}

bool TagSettingsWindow::TakeValues(const BMessage* done, Element_List* list)
{
	Page_Element* element = const_cast<Page_Element*>(ElementOf(done));
	int32 watch = 0;
	bool keep = false;
	done->FindInt32("watch", &watch);
	done->FindBool("keep", &keep);
	// Only compared: the element may be gone.
	if (element == nullptr || !list->IsWatched(element, static_cast<uint32>(watch)))
		return false;
	list->StopWatching(static_cast<uint32>(watch));
	if (!keep)
		return false;
	if (WImage* image = dynamic_cast<WImage*>(element)) {
		const char* alt = nullptr;
		if (done->FindString("alt", &alt) != B_OK)
			return false;
		bool changed = image->Alt() == nullptr || strcmp(image->Alt(), alt) != 0;
		image->SetAlt(alt);
		return changed;
	}
	Anchor* anchor = dynamic_cast<Anchor*>(element);
	const char* link = nullptr;
	const char* name = nullptr;
	if (anchor == nullptr || done->FindString("link", &link) != B_OK
			|| done->FindString("name", &name) != B_OK)
		return false;
	bool changed = strcmp(anchor->LinkTo(), link) != 0 || strcmp(anchor->Name(), name) != 0;
	anchor->SetLinkTo(link);
	anchor->SetName(name);
	return changed;
}

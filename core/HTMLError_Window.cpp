#include "HTMLError_Window.h"

#include <strings.h>

#include <cstring>
#include <mutex>
#include <string>

#include <Autolock.h>
#include <ListView.h>

#include "HTMLError_Item.h"
#include "KWindow.h"
#include "ProgramPictures.h"
#include "StringHelpers.h"

namespace {

const char kCountLineEnd[] = "warnings/errors were found.";
const uint32 kInvokeCommand = 'hter';

bool EndsWith(const std::string& text, const char* end)
{
	size_t length = strlen(end);
	return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

} // namespace

HTMLError_Window::HTMLError_Window(BRect frame)
	:
	KListWindow(frame, "Vudav (:>)", kInvokeCommand),
	refreshBlocked(0)
{
	LoadIcons();
	Run();
}

// The rows point at the icons, which go before the list window deletes
// the rows: the rows go first.
HTMLError_Window::~HTMLError_Window()
{
	Empty();
}

void HTMLError_Window::LoadIcons()
{
	ProgramPictures pictures;
	errorIcon = pictures.Picture("VudavErrorIcon");
	warningIcon = pictures.Picture("VudavWarningIcon");
	noteIcon = pictures.Picture("VudavNoteIcon");
}

const BBitmap* HTMLError_Window::IconOf(VUDAV_message_type kind) const
{
	switch (kind) {
		case VUDAV_ERROR:
			return errorIcon.get();
		case VUDAV_WARNING:
			return warningIcon.get();
		case VUDAV_NOTE:
			return noteIcon.get();
	}
	return nullptr;
}

void HTMLError_Window::AppendEntry(BMessage& entries, BMessage* data, const char* text,
	VUDAV_message_type kind)
{
	entries.AddMessage("data", data);
	entries.AddString("errormsg", text);
	entries.AddInt32("type", kind);
}

void HTMLError_Window::Post(BMessage* data, const char* text, VUDAV_message_type kind)
{
	std::lock_guard<std::mutex> guard(heldLock);
	if (IsRefreshBlocked()) {
		if (held == nullptr)
			held = std::make_unique<BMessage>('add ');
		AppendEntry(*held, data, text, kind);
		if (++heldCount == kHeldAtMost)
			PostHeld();
		return;
	}
	BMessage entry('add ');
	AppendEntry(entry, data, text, kind);
	PostMessage(&entry);
}

void HTMLError_Window::Add(long start, long finish, const char* text, VUDAV_message_type kind)
{
	if (text == nullptr || start < 0 || finish < 0)
		return;
	BMessage data;
	data.AddInt32("start", static_cast<int32>(start));
	data.AddInt32("finish", static_cast<int32>(finish));
	Post(&data, text, kind);
}

void HTMLError_Window::Add(const _node* node, const char* text, VUDAV_message_type kind)
{
	if (node == nullptr || text == nullptr)
		return;
	BMessage data;
	data.AddPointer("Node*", node);
	Post(&data, text, kind);
}

void HTMLError_Window::Add(const Visual_Element* element, const char* text,
	VUDAV_message_type kind)
{
	if (element == nullptr || text == nullptr)
		return;
	BMessage data;
	data.AddPointer("Visual_Element*", element);
	Post(&data, text, kind);
}

void HTMLError_Window::RemoveMatching(const BMessage& data)
{
	std::string flat = FlattenedMessage(&data);
	if (flat.empty())
		return;
	BAutolock lock(this);
	for (int32 i = CountItems(); i-- > 0;) {
		if (ItemAt(i)->HasFlattenedData(flat.data(), flat.size()))
			RemoveItem(i);
	}
}

void HTMLError_Window::Remove(long start, long finish)
{
	if (start < 0 || finish < 0)
		return;
	BMessage data;
	data.AddInt32("start", static_cast<int32>(start));
	data.AddInt32("finish", static_cast<int32>(finish));
	RemoveMatching(data);
}

void HTMLError_Window::Remove(const _node* node)
{
	if (node == nullptr)
		return;
	BMessage data;
	data.AddPointer("Node*", node);
	RemoveMatching(data);
}

void HTMLError_Window::Remove(const Visual_Element* element)
{
	if (element == nullptr)
		return;
	BMessage data;
	data.AddPointer("Visual_Element*", element);
	RemoveMatching(data);
}

void HTMLError_Window::BlockRefresh()
{
	std::lock_guard<std::mutex> guard(heldLock);
	refreshBlocked++;
}

// The held entries go in marked as held, in their place among what was
// posted before and after them; a long run of them goes in a few hundred at
// a time, so that no message holds them all.
void HTMLError_Window::UnblockRefresh()
{
	std::lock_guard<std::mutex> guard(heldLock);
	if (refreshBlocked.load() > 0 && --refreshBlocked == 0)
		PostHeld();
}

void HTMLError_Window::PostHeld()
{
	if (held == nullptr)
		return;
	held->AddBool("held", true);
	PostMessage(held.get());
	held.reset();
	heldCount = 0;
}

void HTMLError_Window::ShowResult()
{
	PostMessage('sres');
}

void HTMLError_Window::EmptyList()
{
	std::lock_guard<std::mutex> guard(heldLock);
	held.reset();
	heldCount = 0;
	PostMessage('empt');
}

void HTMLError_Window::StayHidden()
{
	BAutolock lock(this);
	stayHidden = true;
}

void HTMLError_Window::InvokeFirstError()
{
	PostMessage('ifer');
}

// The messenger is made now, while the window surely exists; by the time
// the list gets to it the window may be gone, which a messenger survives.
void HTMLError_Window::HandFrontTo(KWindow* window)
{
	{
		std::lock_guard<std::mutex> guard(frontLock);
		frontWindow = BMessenger(window);
	}
	PostMessage('hfrt');
}

void HTMLError_Window::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'empt':
			selectLastPending = false;
			Empty();
			break;
		case kSelectLast:
			if (selectLastPending)
				SelectItem(CountItems() - 1);
			selectLastPending = false;
			break;
		case 'ifer':
			selectLastPending = false;
			for (int32 i = 0; i < CountItems(); i++) {
				if (strncasecmp(ItemText(i), "Error", 5) == 0) {
					SelectItem(i);
					InvokeItem(i);
					break;
				}
			}
			break;
		case 'add ':
			AddEntry(message);
			break;
		case 'hfrt': {
			BMessenger window;
			{
				std::lock_guard<std::mutex> guard(frontLock);
				window = frontWindow;
			}
			window.SendMessage(KWindow::kShowInFront);
			break;
		}
		case 'sres':
			selectLastPending = false;
			if (!stayHidden) {
				if (IsHidden())
					Show();
				else
					Activate();
			}
			SelectResultLine();
			break;
		default:
			KListWindow::MessageReceived(message);
	}
}

void HTMLError_Window::AddEntry(const BMessage* message)
{
	const char* text = nullptr;
	for (int32 i = 0; message->FindString("errormsg", i, &text) == B_OK; i++) {
		auto data = std::make_unique<BMessage>();
		message->FindMessage("data", i, data.get());
		int32 type = -1;
		message->FindInt32("type", i, &type);
		auto kind = static_cast<VUDAV_message_type>(type);
		ListView()->AddItem(new HTMLError_Item(text, data.release(), IconOf(kind), kind));
	}
	if (IsRefreshBlocked() || message->HasBool("held"))
		return;
	if (IsHidden() && !stayHidden)
		Show();
	// Selecting looks at every entry: a burst of reports (a big page has
	// thousands) selects its last entry once, behind the burst, unless a
	// selection asked for meanwhile comes first.
	if (!selectLastPending) {
		selectLastPending = true;
		PostMessage(kSelectLast);
	}
}

void HTMLError_Window::SelectResultLine()
{
	for (int32 i = CountItems(); i-- > 0;) {
		if (EndsWith(ItemText(i), kCountLineEnd)) {
			SelectItem(i);
			return;
		}
	}
}

const char* HTMLError_Window::ItemText(int32 index) const
{
	KListItem* item = ItemAt(index);
	return item != nullptr ? item->Text() : nullptr;
}

const BMessage* HTMLError_Window::ItemData(int32 index) const
{
	KListItem* item = ItemAt(index);
	return item != nullptr ? item->Data() : nullptr;
}

VUDAV_message_type HTMLError_Window::ItemKind(int32 index) const
{
	auto* item = dynamic_cast<HTMLError_Item*>(ItemAt(index));
	return item != nullptr ? item->Kind() : VUDAV_NOTE;
}

const BBitmap* HTMLError_Window::ItemIcon(int32 index) const
{
	KListItem* item = ItemAt(index);
	return item != nullptr ? item->Icon() : nullptr;
}

int32 HTMLError_Window::CurrentSelection() const
{
	return ListView()->CurrentSelection();
}

void HTMLError_Window::InvokeItem(int32 index)
{
	if (const BMessage* data = ItemData(index))
		Invoked(data);
}

// The element's span of the generated HTML, or the range the entry names.
void HTMLError_Window::Invoked(const BMessage* data)
{
	if (data == nullptr || !rangeSelector)
		return;
	void* element = nullptr;
	void* node = nullptr;
	int32 start = -1;
	int32 finish = -1;
	data->FindPointer("Visual_Element*", &element);
	data->FindPointer("Node*", &node);
	data->FindInt32("start", &start);
	data->FindInt32("finish", &finish);
	if ((element != nullptr || node != nullptr) && spanFinder)
		spanFinder(static_cast<const Visual_Element*>(element), static_cast<const _node*>(node),
			&start, &finish);
	if (start < 0 || finish < 0)
		return;
	rangeSelector(start, finish);
}

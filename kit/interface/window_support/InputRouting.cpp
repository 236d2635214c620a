#include "InputRouting.h"

#include <atomic>
#include <cstring>

#include <AppPrivate.h>
#include <Button.h>
#include <DisplayServer.h>
#include <WindowPrivate.h>

#include "ViewTree.h"
#include "WindowAccess.h"
#include "WindowDirectory.h"

namespace BPrivate {

namespace {

std::atomic<MenuShortcutHandler> sMenuShortcutHandler{nullptr};

// Input for a window behind a modal window goes nowhere; the modal window
// comes to the front instead, as on BeOS.
bool BlockedByModal(BWindow* window)
{
	WindowDirectory::Entry modal;
	if (!WindowDirectory::BlockingModal(window, &modal))
		return false;
	DisplayServer::Default()->ActivateWindow(modal.display, true);
	return true;
}

// Headless, the pointer and the modifiers are where the last message
// handled said they were, so that views asking during a message see the
// state of that message.
void NoteHeadlessState(const BMessage* message)
{
	DisplayServer* display = DisplayServer::Default();
	if (!display->IsHeadless())
		return;
	int32 modifiers = 0;
	if (message->FindInt32("modifiers", &modifiers) == B_OK)
		display->NoteModifiers(static_cast<uint32>(modifiers));
	BPoint screen;
	int32 buttons = 0;
	if (message->FindPoint("screen_where", &screen) == B_OK
		&& message->FindInt32("buttons", &buttons) == B_OK)
		display->NoteMouse(screen, static_cast<uint32>(buttons));
}

void SetViewWhere(BMessage* message, BView* view, BPoint windowWhere)
{
	BPoint where = FromWindow(view, windowWhere);
	message->ReplacePoint("where", where);
	if (message->ReplacePoint("be:view_where", where) != B_OK)
		message->AddPoint("be:view_where", where);
}

void SetTransit(BMessage* message, uint32 transit)
{
	if (message->ReplaceInt32("be:transit", static_cast<int32>(transit)) != B_OK)
		message->AddInt32("be:transit", static_cast<int32>(transit));
}

bool HandleShortcut(BWindow* window, WindowData& data, BMessage* message)
{
	MenuShortcutHandler menus = sMenuShortcutHandler.load();
	if (menus != nullptr && data.keyMenuBar != nullptr && menus(window, data.keyMenuBar, message))
		return true;
	ShortcutList::Match match;
	if (!data.shortcuts.Find(message, &match))
		return false;
	BHandler* target = match.target;
	if (target == nullptr)
		target = data.focus != nullptr ? static_cast<BHandler*>(data.focus) : window;
	match.message.AddInt64("when", system_time());
	BMessenger(target).SendMessage(&match.message);
	return true;
}

// Enter without modifiers belongs to the default button, wherever the
// focus is, as long as the button can act.
BView* DefaultButtonFor(const WindowData& data, const char* bytes, int32 modifiers)
{
	const int32 chordKeys = B_SHIFT_KEY | B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY;
	BButton* button = data.defaultButton;
	if (button == nullptr || strcmp(bytes, "\n") != 0 || (modifiers & chordKeys) != 0
		|| !button->IsEnabled() || button->IsHidden())
		return nullptr;
	return button;
}

void HandleKey(BWindow* window, WindowData& data, BMessage* message)
{
	bool down = message->what == B_KEY_DOWN;
	int32 modifiers = 0;
	message->FindInt32("modifiers", &modifiers);
	if (down && (modifiers & (B_COMMAND_KEY | B_OPTION_KEY)) != 0
		&& HandleShortcut(window, data, message))
		return;
	const char* bytes = nullptr;
	if (message->FindString("bytes", &bytes) != B_OK)
		return;
	BView* receiver = data.focus;
	if (BView* button = DefaultButtonFor(data, bytes, modifiers))
		receiver = button;
	if (receiver == nullptr)
		return;
	int32 length = static_cast<int32>(strlen(bytes));
	if (down)
		receiver->KeyDown(bytes, length);
	else
		receiver->KeyUp(bytes, length);
}

const BMessage* DraggedMessage(const WindowData& data)
{
	return data.drag != nullptr ? &data.drag->message : nullptr;
}

void TellMoved(BView* view, BMessage* message, BPoint windowWhere, uint32 transit,
	const BMessage* dragged)
{
	SetViewWhere(message, view, windowWhere);
	SetTransit(message, transit);
	view->MouseMoved(FromWindow(view, windowWhere), transit, dragged);
}

void HandleMouseMoved(WindowData& data, BMessage* message, BPoint where)
{
	const BMessage* dragged = DraggedMessage(data);
	int32 transit = -1;
	if (message->FindInt32("be:transit", &transit) == B_OK && transit == B_EXITED_VIEW) {
		// The pointer left the window.
		if (BView* left = data.mouseView) {
			data.mouseView = nullptr;
			TellMoved(left, message, where, B_EXITED_VIEW, dragged);
		}
		return;
	}
	BView* under = ViewAt(data.topView.get(), where);
	BView* before = data.mouseView;
	data.mouseView = under;
	if (before != nullptr && before != under)
		TellMoved(before, message, where, B_EXITED_VIEW, dragged);
	// A hook may have removed the view under the pointer.
	if (data.mouseView == under)
		TellMoved(under, message, where, before == under ? B_INSIDE_VIEW : B_ENTERED_VIEW, dragged);
	BView* tracking = data.pointerView;
	if (tracking != nullptr && tracking != under && tracking != before) {
		bool inside = tracking->Bounds().Contains(FromWindow(tracking, where));
		TellMoved(tracking, message, where, inside ? B_INSIDE_VIEW : B_OUTSIDE_VIEW, dragged);
	}
}

void Drop(BWindow* window, WindowData& data, BPoint where)
{
	std::unique_ptr<DragState> drag = std::move(data.drag);
	BPoint screen = window->ConvertToScreen(where);
	BMessage dropped = drag->message;
	MarkMessageDropped(&dropped, screen, drag->offset);
	BMessenger target;
	WindowDirectory::Entry entry;
	if (window->Bounds().Contains(where))
		target = BMessenger(window);
	else if (WindowDirectory::WindowAt(screen, &entry))
		target = entry.messenger;
	target.SendMessage(&dropped, drag->replyTo, 100000);
}

void HandleMouseButton(BWindow* window, WindowData& data, BMessage* message, BPoint where)
{
	bool down = message->what == B_MOUSE_DOWN;
	int32 buttons = 0;
	message->FindInt32("buttons", &buttons);
	data.mouseButtons = static_cast<uint32>(buttons);
	if (down && !data.active && (data.flags & B_AVOID_FOCUS) == 0)
		window->Activate(true);
	if (!down && data.drag != nullptr)
		Drop(window, data, where);
	BView* receiver = data.pointerView;
	if (receiver == nullptr || down)
		receiver = ViewAt(data.topView.get(), where);
	SetViewWhere(message, receiver, where);
	if (down) {
		receiver->MouseDown(FromWindow(receiver, where));
		return;
	}
	receiver->MouseUp(FromWindow(receiver, where));
	if (buttons == 0 && data.pointerView != nullptr) {
		WindowAccess::Of(data.pointerView).mouseEventMask = 0;
		data.pointerView = nullptr;
	}
}

void HandleDropped(BWindow* window, WindowData& data, BMessage* message)
{
	BPoint where = window->ConvertFromScreen(message->DropPoint());
	BView* view = ViewAt(data.topView.get(), where);
	window->BLooper::DispatchMessage(message, view);
}

} // namespace

void SetMenuShortcutHandler(MenuShortcutHandler handler)
{
	sMenuShortcutHandler = handler;
}

bool RouteInput(BWindow* window, BMessage* message)
{
	WindowData& data = WindowAccess::Of(window);
	if (data.topView == nullptr)
		return false;
	if (message->WasDropped()) {
		HandleDropped(window, data, message);
		return true;
	}
	BPoint where;
	switch (message->what) {
		case B_KEY_DOWN:
		case B_KEY_UP:
			NoteHeadlessState(message);
			if (message->what == B_KEY_DOWN && BlockedByModal(window))
				return true;
			HandleKey(window, data, message);
			return true;
		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
		case B_MOUSE_MOVED:
			NoteHeadlessState(message);
			if (message->FindPoint("where", &where) != B_OK)
				return true;
			if (message->what == B_MOUSE_DOWN && BlockedByModal(window))
				return true;
			data.mouseWhere = where;
			if (message->what == B_MOUSE_MOVED)
				HandleMouseMoved(data, message, where);
			else
				HandleMouseButton(window, data, message, where);
			return true;
		case B_MOUSE_WHEEL_CHANGED:
			window->BLooper::DispatchMessage(message, ViewAt(data.topView.get(), data.mouseWhere));
			return true;
		default:
			return false;
	}
}

} // namespace BPrivate

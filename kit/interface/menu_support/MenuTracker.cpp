#include "MenuTracker.h"

#include <cctype>
#include <chrono>

#include <AppPrivate.h>
#include <DisplayServer.h>
#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Screen.h>
#include <Window.h>
#include <WindowPrivate.h>

#include "MenuAccess.h"

namespace BPrivate {

namespace {

// The tracking running now; guarded by sActiveLock.
std::mutex sActiveLock;
MenuTracker* sActive = nullptr;

// How long the tracking thread waits for input before it draws the
// owner window's updates anyway.
const auto kInputWait = std::chrono::milliseconds(20);

const uint32 kMenuWindowFlags = B_NOT_MOVABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE
	| B_NOT_MINIMIZABLE | B_NOT_RESIZABLE | B_AVOID_FOCUS | B_WILL_ACCEPT_FIRST_CLICK;

bool IsInput(uint32 what)
{
	switch (what) {
		case B_KEY_DOWN:
		case B_KEY_UP:
		case B_UNMAPPED_KEY_DOWN:
		case B_UNMAPPED_KEY_UP:
		case B_MODIFIERS_CHANGED:
		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
		case B_MOUSE_MOVED:
		case B_MOUSE_WHEEL_CHANGED:
			return true;
		default:
			return false;
	}
}

} // namespace

// Starting and ending.

BMenuItem* MenuTracker::Track(const MenuTrackingRequest& request)
{
	if (request.root == nullptr)
		return nullptr;
	MenuTracker tracker(request);
	{
		std::lock_guard<std::mutex> guard(sActiveLock);
		if (sActive != nullptr)
			return nullptr;
		sActive = &tracker;
	}
	BMenuItem* chosen = tracker._Run();
	std::lock_guard<std::mutex> guard(sActiveLock);
	sActive = nullptr;
	return chosen;
}

MenuTracker::MenuTracker(const MenuTrackingRequest& request)
	: fRequest(request),
	  fSticky(!request.buttonHeld)
{
}

MenuTracker::~MenuTracker() = default;

BMenuItem* MenuTracker::_Run()
{
	BWindow* owner = fRequest.owner;
	bool ownerActive = owner != nullptr && owner->IsActive();
	if (owner != nullptr)
		SetInputCatcher(owner, [this](const BMessage& input) { return _Catch(input, true); });
	_Open();
	while (!fDone)
		_WaitAndHandle();
	_CloseAbove(-1);
	if (owner != nullptr) {
		SetInputCatcher(owner, InputCatcher());
		// Without a window manager the display hands the keyboard to each
		// window it shows, menus too; it goes back where it was.
		if (ownerActive)
			owner->Activate(true);
	}
	std::lock_guard<std::mutex> guard(fLock);
	fQueue.clear();
	return fChosen;
}

void MenuTracker::_Open()
{
	if (fRequest.rootIsBar) {
		BMenu* bar = fRequest.root;
		fLevels.push_back(Level{bar, nullptr, bar->ConvertToScreen(bar->Bounds())});
		_NoteLevels();
		_Select(0, fRequest.titleIndex, true, fRequest.selectFirst);
		if (_SelectedItem(0) == nullptr)
			_Dismiss();
		return;
	}
	BPoint where = fRequest.where;
	_OpenMenu(fRequest.root, where, Placement::kAt, BRect(where, where), fRequest.selectFirst);
}

// Input.

bool MenuTracker::_Catch(const BMessage& input, bool fromOwner)
{
	bool taken = IsInput(input.what);
	// The owner losing the focus (a click into another window) ends the
	// menus; the window still hears of it.
	bool deactivated = false;
	if (fromOwner && input.what == B_WINDOW_ACTIVATED)
		deactivated = input.FindBool("active", &deactivated) == B_OK && !deactivated;
	if (!taken && !deactivated)
		return false;
	std::lock_guard<std::mutex> guard(fLock);
	fQueue.push_back(input);
	fArrived.notify_all();
	return taken;
}

void MenuTracker::_WaitAndHandle()
{
	std::deque<BMessage> batch;
	{
		std::unique_lock<std::mutex> guard(fLock);
		fBusy = false;
		fArrived.wait_for(guard, kInputWait, [this] { return !fQueue.empty(); });
		batch.swap(fQueue);
		fBusy = true;
	}
	for (const BMessage& input : batch) {
		if (fDone)
			break;
		_Handle(input);
	}
	// A window that waits here for its menus still shows their titles.
	if (BWindow* window = DispatchingWindow())
		window->UpdateIfNeeded();
}

void MenuTracker::_Handle(const BMessage& input)
{
	if (input.what == B_WINDOW_ACTIVATED) {
		_OwnerDeactivated();
		return;
	}
	if (input.what == B_KEY_DOWN) {
		_KeyDown(input);
		return;
	}
	BPoint where;
	if (input.FindPoint("screen_where", &where) != B_OK)
		return;
	// A window's notice that the pointer left it tells no place: the
	// display may not know it yet, and a motion where it went follows.
	int32 transit = -1;
	if (input.FindInt32("be:transit", &transit) == B_OK && transit == B_EXITED_VIEW)
		return;
	int32 buttons = 0;
	input.FindInt32("buttons", &buttons);
	// Headless, the display knows the pointer from the messages windows
	// handle; these never reach a window.
	DisplayServer* display = DisplayServer::Default();
	if (display->IsHeadless())
		display->NoteMouse(where, static_cast<uint32>(buttons));
	switch (input.what) {
		case B_MOUSE_MOVED:
			_MouseMoved(where);
			break;
		case B_MOUSE_DOWN:
			_MouseDown(where);
			break;
		case B_MOUSE_UP:
			_MouseUp(where);
			break;
		default:
			break;
	}
}

void MenuTracker::_OwnerDeactivated()
{
	// Showing a menu may take the focus for a moment (without a window
	// manager, the display gives it to every window it shows); the menus
	// close only when the user went elsewhere.
	BPoint pointer;
	uint32 buttons = 0;
	DisplayServer::Default()->GetMouse(&pointer, &buttons);
	if (_LevelAt(pointer) >= 0 || fRequest.owner->Frame().Contains(pointer))
		return;
	_Dismiss();
}

void MenuTracker::_MouseMoved(BPoint where)
{
	if (fKeyClosedSubmenu && where == fKeyClosedAt)
		return;
	fKeyClosedSubmenu = false;
	int32 level = _LevelAt(where);
	if (level >= 0) {
		int32 index = _ItemAt(level, where);
		// Between the titles of a bar the open menu stays.
		if (!_IsBar(level) || index >= 0)
			_Select(level, index, true, false);
		return;
	}
	// Outside every menu nothing is highlighted but the items whose
	// submenus are open.
	int32 deepest = _Deepest();
	if (!_IsBar(deepest))
		_SetSelected(deepest, -1);
}

void MenuTracker::_NoteKeyClosedSubmenu()
{
	uint32 buttons = 0;
	DisplayServer::Default()->GetMouse(&fKeyClosedAt, &buttons);
	fKeyClosedSubmenu = true;
}

void MenuTracker::_MouseDown(BPoint where)
{
	int32 level = _LevelAt(where);
	if (level < 0) {
		_Dismiss();
		return;
	}
	int32 index = _ItemAt(level, where);
	if (_IsBar(level)) {
		if (index < 0)
			return;
		// A click on the title whose menu is open closes it.
		if (fSticky && index == MenuAccess::Selected(fLevels[0].menu)) {
			_Dismiss();
			return;
		}
		fSticky = false;
	}
	_Select(level, index, true, false);
}

void MenuTracker::_MouseUp(BPoint where)
{
	int32 level = _LevelAt(where);
	if (level >= 0) {
		BMenuItem* item = fLevels[level].menu->ItemAt(_ItemAt(level, where));
		bool choosable = item != nullptr && item->IsEnabled() && item->Submenu() == nullptr;
		if (choosable && (!_IsBar(level) || item == _SelectedItem(level))) {
			_Choose(item);
			return;
		}
		// Released on a title, a submenu item, a separator or a disabled
		// item: the menus stay open for the next click.
		fSticky = true;
		return;
	}
	if (fSticky)
		return;
	bool keepOpen = fRequest.openAnyway
		|| (fRequest.clickToOpen.IsValid() && fRequest.clickToOpen.Contains(where));
	if (keepOpen)
		fSticky = true;
	else
		_Dismiss();
}

void MenuTracker::_KeyDown(const BMessage& key)
{
	const char* bytes = nullptr;
	int32 modifiers = 0;
	key.FindInt32("modifiers", &modifiers);
	if (key.FindString("bytes", &bytes) != B_OK || bytes[0] == '\0'
		|| (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) != 0)
		return;
	switch (bytes[0]) {
		case B_ESCAPE:
			if (_Deepest() > _FirstMenuLevel()) {
				_CloseAbove(_Deepest() - 1);
				_NoteKeyClosedSubmenu();
			} else
				_Dismiss();
			break;
		case B_UP_ARROW:
			_MoveSelection(-1, false);
			break;
		case B_DOWN_ARROW:
			_MoveSelection(1, false);
			break;
		case B_HOME:
			_MoveSelection(1, true);
			break;
		case B_END:
			_MoveSelection(-1, true);
			break;
		case B_RIGHT_ARROW:
		{
			BMenuItem* item = _SelectedItem(_Deepest());
			if (!_IsBar(_Deepest()) && item != nullptr && item->Submenu() != nullptr)
				_OpenSubmenu(_Deepest(), true);
			else
				_MoveTitle(1);
			break;
		}
		case B_LEFT_ARROW:
			if (_Deepest() > _FirstMenuLevel()) {
				_CloseAbove(_Deepest() - 1);
				_NoteKeyClosedSubmenu();
			} else
				_MoveTitle(-1);
			break;
		case B_ENTER:
		case B_SPACE:
			_Enter();
			break;
		default:
			if (isalnum(static_cast<unsigned char>(bytes[0])))
				_JumpTo(bytes[0]);
			break;
	}
}

// The keyboard's moves.

namespace {

// The next item after from (in the direction of step, round the end) that
// can be highlighted, or -1; from -1 starts at the first (or last) item.
int32 NextEnabled(BMenu* menu, int32 from, int32 step)
{
	int32 count = menu->CountItems();
	int32 index = from;
	for (int32 tried = 0; tried < count; tried++) {
		if (index < 0)
			index = step > 0 ? 0 : count - 1;
		else
			index = (index + step + count) % count;
		if (menu->ItemAt(index)->IsEnabled())
			return index;
	}
	return -1;
}

// Where the keyboard starts in a menu: at the choice of a radio-mode menu
// (a menu field's), or at the top.
int32 FirstChoice(BMenu* menu)
{
	BMenuItem* marked = menu->IsRadioMode() ? menu->FindMarked() : nullptr;
	if (marked != nullptr && marked->IsEnabled())
		return menu->IndexOf(marked);
	return NextEnabled(menu, -1, 1);
}

} // namespace

void MenuTracker::_MoveSelection(int32 step, bool fromEnd)
{
	int32 level = _Deepest();
	if (_IsBar(level))
		return;
	BMenu* menu = fLevels[level].menu;
	int32 from = fromEnd ? -1 : MenuAccess::Selected(menu);
	_Select(level, NextEnabled(menu, from, step), false, false);
}

void MenuTracker::_MoveTitle(int32 step)
{
	if (!fRequest.rootIsBar)
		return;
	BMenu* bar = fLevels[0].menu;
	int32 next = NextEnabled(bar, MenuAccess::Selected(bar), step);
	if (next >= 0 && next != MenuAccess::Selected(bar)) {
		_CloseAbove(0);
		_Select(0, next, true, true);
	}
}

void MenuTracker::_Enter()
{
	int32 level = _Deepest();
	BMenuItem* item = _SelectedItem(level);
	if (item == nullptr || !item->IsEnabled())
		return;
	if (item->Submenu() == nullptr)
		_Choose(item);
	else if (!_IsBar(level))
		_OpenSubmenu(level, true);
}

void MenuTracker::_JumpTo(char letter)
{
	int32 level = _Deepest();
	if (_IsBar(level))
		return;
	BMenu* menu = fLevels[level].menu;
	int32 count = menu->CountItems();
	int32 from = MenuAccess::Selected(menu);
	for (int32 step = 1; step <= count; step++) {
		int32 index = ((from < 0 ? -1 : from) + step + count) % count;
		BMenuItem* item = menu->ItemAt(index);
		if (item->IsEnabled()
			&& tolower(static_cast<unsigned char>(item->Label()[0]))
				== tolower(static_cast<unsigned char>(letter))) {
			_Select(level, index, false, false);
			return;
		}
	}
}

// Where things are.

int32 MenuTracker::_LevelAt(BPoint where) const
{
	for (int32 level = _Deepest(); level >= 0; level--) {
		if (fLevels[level].frame.Contains(where))
			return level;
	}
	return -1;
}

int32 MenuTracker::_ItemAt(int32 level, BPoint where) const
{
	const Level& found = fLevels[level];
	BPoint local = where - found.frame.LeftTop();
	for (int32 index = 0; BMenuItem* item = found.menu->ItemAt(index); index++) {
		if (item->Frame().Contains(local))
			return index;
	}
	return -1;
}

BMenuItem* MenuTracker::_SelectedItem(int32 level) const
{
	BMenu* menu = fLevels[level].menu;
	return menu->ItemAt(MenuAccess::Selected(menu));
}

bool MenuTracker::_IsBar(int32 level) const
{
	return fRequest.rootIsBar && level == 0;
}

int32 MenuTracker::_FirstMenuLevel() const
{
	return fRequest.rootIsBar ? 1 : 0;
}

int32 MenuTracker::_Deepest() const
{
	return static_cast<int32>(fLevels.size()) - 1;
}

// Highlighting, opening and closing.

void MenuTracker::_Select(int32 level, int32 index, bool openSubmenu, bool selectFirst)
{
	BMenu* menu = fLevels[level].menu;
	BMenuItem* item = menu->ItemAt(index);
	if (item == nullptr || !item->IsEnabled()) {
		item = nullptr;
		index = -1;
	}
	if (MenuAccess::Selected(menu) == index) {
		// The submenu of the highlighted item stays open as it is.
		bool submenuOpen = _Deepest() > level;
		if (item != nullptr && item->Submenu() != nullptr && openSubmenu && !submenuOpen)
			_OpenSubmenu(level, selectFirst);
		return;
	}
	_CloseAbove(level);
	_SetSelected(level, index);
	if (item != nullptr && item->Submenu() != nullptr && openSubmenu)
		_OpenSubmenu(level, selectFirst);
}

void MenuTracker::_SetSelected(int32 level, int32 index)
{
	Level& found = fLevels[level];
	// The menu's window draws it on its own thread.
	if (found.window != nullptr && !found.window->Lock())
		return;
	MenuAccess::SetSelected(found.menu, index);
	if (found.window != nullptr)
		found.window->Unlock();
}

void MenuTracker::_OpenSubmenu(int32 level, bool selectFirst)
{
	BMenuItem* item = _SelectedItem(level);
	BMenu* submenu = item != nullptr ? item->Submenu() : nullptr;
	if (submenu == nullptr)
		return;
	BRect anchor = item->Frame().OffsetByCopy(fLevels[level].frame.LeftTop());
	Placement placement = fLevels[level].menu->Layout() == B_ITEMS_IN_ROW ? Placement::kBelow
		: Placement::kBeside;
	_OpenMenu(submenu, MenuAccess::ScreenLocation(submenu), placement, anchor, selectFirst);
}

void MenuTracker::_OpenMenu(BMenu* menu, BPoint where, Placement placement, BRect anchor,
	bool selectFirst)
{
	float width = 0;
	float height = 0;
	menu->GetPreferredSize(&width, &height);
	BRect frame(where.x, where.y, where.x + width, where.y + height);
	// On the screen: a submenu goes to the left of its menu when there is
	// no room on the right, a bar's menu above its title when there is none
	// below.
	BRect screen = BScreen().Frame();
	if (frame.right > screen.right) {
		if (placement == Placement::kBeside)
			frame.OffsetTo(anchor.left - 1 - width, frame.top);
		else
			frame.OffsetBy(screen.right - frame.right, 0);
	}
	if (frame.left < screen.left)
		frame.OffsetBy(screen.left - frame.left, 0);
	if (frame.bottom > screen.bottom) {
		if (placement == Placement::kBelow && anchor.top - 1 - height >= screen.top)
			frame.OffsetTo(frame.left, anchor.top - 1 - height);
		else
			frame.OffsetBy(0, screen.bottom - frame.bottom);
	}
	if (frame.top < screen.top)
		frame.OffsetBy(0, screen.top - frame.top);

	// The window comes locked by its maker until Show().
	BWindow* window = new BWindow(frame, menu->Name(), B_NO_BORDER_WINDOW_LOOK, kMenuWindowFeel,
		kMenuWindowFlags);
	menu->MoveTo(0, 0);
	menu->ResizeTo(width, height);
	window->AddChild(menu);
	MenuAccess::SetSelected(menu, selectFirst ? FirstChoice(menu) : -1);
	SetInputCatcher(window, [this](const BMessage& input) { return _Catch(input, false); });
	fLevels.push_back(Level{menu, window, frame});
	_NoteLevels();
	window->Show();
}

void MenuTracker::_CloseAbove(int32 level)
{
	while (_Deepest() > level) {
		Level last = fLevels.back();
		fLevels.pop_back();
		_NoteLevels();
		if (last.window == nullptr) {
			MenuAccess::SetSelected(last.menu, -1);
			continue;
		}
		SetInputCatcher(last.window, InputCatcher());
		if (!last.window->Lock())
			continue;
		MenuAccess::SetSelected(last.menu, -1);
		last.window->RemoveChild(last.menu);
		last.window->Quit();
	}
}

void MenuTracker::_NoteLevels()
{
	std::lock_guard<std::mutex> guard(fLock);
	fOpenMenus.clear();
	for (const Level& level : fLevels)
		fOpenMenus.push_back(OpenMenu{level.menu, level.window});
}

void MenuTracker::_Choose(BMenuItem* item)
{
	fChosen = item;
	fDone = true;
}

void MenuTracker::_Dismiss()
{
	fChosen = nullptr;
	fDone = true;
}

// The testing hooks.

std::vector<OpenMenu> MenuTracker::OpenMenus()
{
	std::lock_guard<std::mutex> active(sActiveLock);
	if (sActive == nullptr)
		return {};
	std::lock_guard<std::mutex> guard(sActive->fLock);
	return sActive->fOpenMenus;
}

status_t MenuTracker::WaitForMenus(bool open, bigtime_t timeout)
{
	bigtime_t deadline = system_time() + timeout;
	while (true) {
		bool ready = false;
		std::vector<OpenMenu> menus;
		{
			std::lock_guard<std::mutex> active(sActiveLock);
			if (sActive == nullptr) {
				ready = !open;
			} else if (open) {
				std::lock_guard<std::mutex> guard(sActive->fLock);
				ready = !sActive->fBusy && sActive->fQueue.empty();
				menus = sActive->fOpenMenus;
			}
		}
		if (ready) {
			for (const OpenMenu& menu : menus) {
				if (menu.window != nullptr)
					WaitForLooperIdle(menu.window, std::max<bigtime_t>(deadline - system_time(), 0));
			}
			return B_OK;
		}
		if (system_time() >= deadline)
			return B_TIMED_OUT;
		snooze(2000);
	}
}

std::vector<OpenMenu> OpenMenus()
{
	return MenuTracker::OpenMenus();
}

status_t WaitForMenus(bool open, bigtime_t timeout)
{
	return MenuTracker::WaitForMenus(open, timeout);
}

} // namespace BPrivate

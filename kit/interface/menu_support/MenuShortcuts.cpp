#include "MenuShortcuts.h"

#include <mutex>

#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>
#include <WindowPrivate.h>

namespace BPrivate {

namespace {

BMenuItem* ItemForKey(BMenu* menu, const BMessage* keyDown)
{
	for (int32 index = 0; BMenuItem* item = menu->ItemAt(index); index++) {
		uint32 modifiers = 0;
		char shortcut = item->Shortcut(&modifiers);
		if (shortcut != 0 && ShortcutMatches(static_cast<uint8>(shortcut), modifiers, keyDown))
			return item;
		if (BMenu* submenu = item->Submenu()) {
			if (BMenuItem* found = ItemForKey(submenu, keyDown))
				return found;
		}
	}
	return nullptr;
}

// Through the menu bars of a view tree, all but skip.
BMenuItem* ItemForKeyIn(BView* view, const BView* skip, const BMessage* keyDown)
{
	BMenuBar* bar = dynamic_cast<BMenuBar*>(view);
	if (bar != nullptr && bar != skip) {
		if (BMenuItem* item = ItemForKey(bar, keyDown))
			return item;
	}
	for (int32 index = 0; BView* child = view->ChildAt(index); index++) {
		if (BMenuItem* item = ItemForKeyIn(child, skip, keyDown))
			return item;
	}
	return nullptr;
}

bool OpenByTrigger(BMenuBar* bar, const BMessage* keyDown)
{
	int32 rawChar = 0;
	if (bar == nullptr || !bar->IsEnabled() || keyDown->FindInt32("raw_char", &rawChar) != B_OK)
		return false;
	int32 index = bar->IndexOfTrigger(static_cast<char>(rawChar));
	if (index < 0)
		return false;
	bar->StartMenuBar(index, true, true);
	return true;
}

bool HandleMenuKey(BWindow* window, BView* keyMenuBar, BMessage* keyDown)
{
	int32 modifiers = 0;
	keyDown->FindInt32("modifiers", &modifiers);
	BMenuBar* keyBar = dynamic_cast<BMenuBar*>(keyMenuBar);
	if ((modifiers & B_COMMAND_KEY) == 0)
		return (modifiers & B_OPTION_KEY) != 0 && OpenByTrigger(keyBar, keyDown);
	BMenuItem* item = keyBar != nullptr ? ItemForKey(keyBar, keyDown) : nullptr;
	for (int32 index = 0; item == nullptr && window->ChildAt(index) != nullptr; index++)
		item = ItemForKeyIn(window->ChildAt(index), keyBar, keyDown);
	if (item == nullptr)
		return false;
	// The window may bring its items up to date first, as before showing
	// its menus. A disabled item (or bar) keeps the key to itself.
	window->MenusBeginning();
	if (item->IsEnabled())
		item->Invoke();
	window->MenusEnded();
	return true;
}

} // namespace

void InstallMenuShortcuts()
{
	static std::once_flag installed;
	std::call_once(installed, [] { SetMenuShortcutHandler(HandleMenuKey); });
}

} // namespace BPrivate

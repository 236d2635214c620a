#ifndef VELMORA_MENU_TEST_SUPPORT_H
#define VELMORA_MENU_TEST_SUPPORT_H

#include <algorithm>
#include <string>
#include <vector>

#include <AppPrivate.h>
#include <Looper.h>
#include <Menu.h>
#include <MenuItem.h>
#include <MenuPrivate.h>
#include <Message.h>

#include "WindowTestSupport.h"

namespace MenuTests {

inline BMenuItem* Item(const char* label, uint32 command, char shortcut = 0,
	uint32 modifiers = 0)
{
	return new BMenuItem(label, new BMessage(command), shortcut, modifiers);
}

// The middle of an item, in the coordinates of its menu (which fills the
// window that shows an open menu).
inline BPoint Middle(BMenuItem* item)
{
	BRect frame = item->Frame();
	return BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}

// A point of one window in another's coordinates. Neither is locked: the
// window of an open menu bar is busy with its menus, and input meant for it
// goes to a menu's window, at a point outside that window.
inline BPoint Between(BWindow* from, BPoint where, BWindow* to)
{
	return to->ConvertFromScreen(from->ConvertToScreen(where));
}

inline size_t Count(const std::vector<std::string>& entries, const std::string& entry)
{
	return static_cast<size_t>(std::count(entries.begin(), entries.end(), entry));
}

// Closes what a failed test left open, one Escape per level, through the
// window the menus belong to.
inline void CloseOpenMenus(BWindow* owner)
{
	for (size_t open = BPrivate::OpenMenus().size(); open > 0; open--)
		BPrivate::PostKey(owner, "\x1b");
	BPrivate::WaitForMenus(false);
}

// The open menu at a depth (0: the outermost), and the window showing it.
inline BPrivate::OpenMenu OpenMenuAt(size_t depth)
{
	std::vector<BPrivate::OpenMenu> menus = BPrivate::OpenMenus();
	return depth < menus.size() ? menus[depth] : BPrivate::OpenMenu{nullptr, nullptr};
}

using ControlTests::Receiver;

// A window that notes when its menus begin and end.
class MenuWindow : public WindowTests::RecordingWindow {
public:
	MenuWindow(BRect frame, std::shared_ptr<WindowTests::Journal> journal)
		: RecordingWindow(frame, "w", journal), fNotes(journal) {}

	void MenusBeginning() override
	{
		fNotes->Add("w:MenusBeginning");
		if (onMenusBeginning)
			onMenusBeginning();
	}
	void MenusEnded() override { fNotes->Add("w:MenusEnded"); }

	std::function<void()> onMenusBeginning;

private:
	std::shared_ptr<WindowTests::Journal> fNotes;
};

} // namespace MenuTests

#endif

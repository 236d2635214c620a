#ifndef _VELMORA_MENU_PRIVATE_H
#define _VELMORA_MENU_PRIVATE_H

#include <vector>

#include <SupportDefs.h>

class BMenu;
class BWindow;

// Hooks of the menus for tests; not BeOS API.
namespace BPrivate {

// A menu the user is working with: a menu bar in its window (window is
// then null), or a menu in the pop-up window that shows it.
struct OpenMenu {
	BMenu* menu;
	BWindow* window;
};

// The menus open now, outermost first; empty when no menu is open.
std::vector<OpenMenu> OpenMenus();

// Until menus are open (open) or none is (!open), every input they took
// is handled and their windows have drawn it. Input for open menus goes to
// their windows (PostMouseDown(menuWindow, ...) with points in that
// window's coordinates, inside or outside it, or PostKey to it or to the
// window they belong to): the window they belong to may be busy with them.
status_t WaitForMenus(bool open, bigtime_t timeout = 10000000);

} // namespace BPrivate

#endif

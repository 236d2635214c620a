#ifndef _VELMORA_MENU_ACCESS_H
#define _VELMORA_MENU_ACCESS_H

#include <Menu.h>
#include <MenuItem.h>

namespace BPrivate {

// The menu helpers' way to the private parts of menus and items.
class MenuAccess {
public:
	// The highlighted item of an open menu (-1: none); setting it redraws
	// both items, so the menu's window must be locked.
	static int32 Selected(const BMenu* menu) { return menu->fSelected; }
	static void SetSelected(BMenu* menu, int32 index);
	static void SetSuperitem(BMenu* menu, BMenuItem* item) { menu->fSuperitem = item; }
	static void Layout(BMenu* menu) { menu->LayoutItems(); }
	static BPoint ScreenLocation(BMenu* menu) { return menu->ScreenLocation(); }
};

} // namespace BPrivate

#endif

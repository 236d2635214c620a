#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

// A menu that opens where it is asked to and waits for the user's choice.
class BPopUpMenu : public BMenu {
public:
	explicit BPopUpMenu(const char* name, bool radioMode = true, bool labelFromMarked = true,
		menu_layout layout = B_ITEMS_IN_COLUMN);
	~BPopUpMenu() override;

	// Opens the menu with its top left at where (on the screen, moved to
	// stay on it) and returns the item the user chooses, or null when the
	// menu is dismissed: by a click outside it, by Escape, or by releasing
	// the button that opened it outside the menu. Releasing that button
	// inside clickToOpenRect (on the screen), or anywhere with openAnyway,
	// keeps the menu open for a click. With deliversMessage the chosen item
	// is also invoked. The calling thread waits; a window calling this from
	// a message handler goes on drawing meanwhile.
	BMenuItem* Go(BPoint where, bool deliversMessage = false, bool openAnyway = false);
	BMenuItem* Go(BPoint where, bool deliversMessage, bool openAnyway, BRect clickToOpenRect);

protected:
	BPoint ScreenLocation() override;

private:
	BPoint fWhere;
};

#endif

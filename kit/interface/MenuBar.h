#ifndef _MENU_BAR_H
#define _MENU_BAR_H

#include <Menu.h>

enum menu_bar_border {
	B_BORDER_FRAME,
	B_BORDER_CONTENTS,
	B_BORDER_EACH_ITEM
};

// A row of menu titles at the top of a window. A click on a title opens
// its menu: releasing the button over an item chooses it, releasing it on
// the title keeps the menu open until the next click. Alt with a title's
// underlined letter opens that menu from the keyboard; the arrows then
// move through the menus and their items. The first bar attached to a
// window becomes its key menu bar, whose items' shortcuts the window
// answers (disabled items and a disabled bar refuse them). While menus are
// open the window's thread stays with them, drawing but handling no other
// message; BWindow::MenusBeginning() and MenusEnded() come before and
// after.
class BMenuBar : public BMenu {
public:
	BMenuBar(BRect frame, const char* name,
		uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
		menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
	~BMenuBar() override;

	void AttachedToWindow() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void FrameResized(float width, float height) override;
	// A bar that fits itself to its items and follows both sides of its
	// parent is as wide as the parent.
	void GetPreferredSize(float* width, float* height) override;

	virtual void SetBorder(menu_bar_border border);
	menu_bar_border Border() const;

	// Opens the menu of the title at menuIndex and stays with the user
	// until the menus close. sticky: the menu stays open without a button
	// held (as after a click or a key); showMenu: its first item is
	// highlighted (or the marked one), as when opened by the keyboard.
	void StartMenuBar(int32 menuIndex, bool sticky = true, bool showMenu = false,
		BRect* specialRect = NULL);

	// The title that Alt with the letter opens, or -1. Each title takes the
	// first letter or digit of its label that no title before it took.
	int32 IndexOfTrigger(char letter);

protected:
	void DrawBackground(BRect updateRect) override;

private:
	char _TriggerOf(int32 index);

	menu_bar_border fBorder = B_BORDER_FRAME;
};

#endif

#ifndef _MENU_H
#define _MENU_H

#include <memory>
#include <vector>

#include <Messenger.h>
#include <View.h>

class BHandler;
class BMenuItem;

namespace BPrivate {
class MenuAccess;
}

enum menu_layout {
	B_ITEMS_IN_ROW = 0,
	B_ITEMS_IN_COLUMN,
	B_ITEMS_IN_MATRIX
};

// A list of items shown in a column in a pop-up window of its own while
// the user works with it (opened from a menu bar, a menu field, a
// superitem or BPopUpMenu::Go), or in a row as a menu bar. A menu owns its
// items; a submenu belongs to the item that opens it.
//
// Open menus follow the mouse and the keys: the arrows move through the
// items (Right opens a submenu, Left closes it), Enter or Space chooses,
// Escape closes one level, and the first letter of a label jumps to it.
class BMenu : public BView {
public:
	explicit BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
	~BMenu() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void GetPreferredSize(float* width, float* height) override;
	void SetFont(const BFont* font, uint32 mask = B_FONT_ALL) override;

	bool AddItem(BMenuItem* item);
	bool AddItem(BMenuItem* item, int32 index);
	// Adds an item that opens the menu, labelled with the menu's name.
	bool AddItem(BMenu* menu);
	bool AddItem(BMenu* menu, int32 index);
	bool AddSeparatorItem();
	// Removing hands the item back to the caller; RemoveItems deletes the
	// items only when asked.
	bool RemoveItem(BMenuItem* item);
	BMenuItem* RemoveItem(int32 index);
	bool RemoveItems(int32 index, int32 count, bool deleteItems = false);
	bool RemoveItem(BMenu* menu);

	BMenuItem* ItemAt(int32 index) const;
	BMenu* SubmenuAt(int32 index) const;
	int32 CountItems() const;
	int32 IndexOf(BMenuItem* item) const;
	int32 IndexOf(BMenu* menu) const;
	// The first item with the command (or the label) in this menu or any
	// menu below it, or null.
	BMenuItem* FindItem(uint32 command) const;
	BMenuItem* FindItem(const char* label) const;
	BMenuItem* FindMarked();

	// Every item of this menu (not of its submenus) gets the target.
	virtual status_t SetTargetForItems(BHandler* target);
	virtual status_t SetTargetForItems(BMessenger messenger);
	// A disabled menu shows its items greyed and none can be chosen, by
	// the mouse, the keys or a shortcut.
	virtual void SetEnabled(bool enabled);
	// In radio mode at most one item is marked: the one chosen last.
	virtual void SetRadioMode(bool on);
	// The superitem's label follows the marked item (a menu field shows
	// the choice this way).
	virtual void SetLabelFromMarked(bool on);
	bool IsLabelFromMarked();
	bool IsEnabled() const;
	bool IsRadioMode() const;
	BMenu* Supermenu() const;
	BMenuItem* Superitem() const;
	menu_layout Layout() const;
	// Labels wider than this are cut short with an ellipsis (0: no limit).
	void SetMaxContentWidth(float width);
	float MaxContentWidth() const;

protected:
	BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags, menu_layout layout,
		bool resizeToFit);

	// Where a pop-up window with this menu opens, on the screen.
	virtual BPoint ScreenLocation();
	// What lies behind the items: the frame of a pop-up menu, a bar's
	// background.
	virtual void DrawBackground(BRect updateRect);
	void SetItemMargins(float left, float top, float right, float bottom);
	void GetItemMargins(float* left, float* top, float* right, float* bottom) const;

	// The frames of the items, from the item sizes; done before drawing
	// and measuring whenever an item, the font or the margins changed.
	void LayoutItems();
	void InvalidateLayout();
	bool IsResizeToFit() const;

private:
	friend class BMenuItem;
	friend class BPrivate::MenuAccess;

	void _Init(menu_layout layout);
	void _ItemMarked(BMenuItem* item);
	void _LayoutColumn();
	void _LayoutRow();
	bool _AddItem(BMenuItem* item, int32 index);

	std::vector<std::unique_ptr<BMenuItem>> fItems;
	BMenuItem* fSuperitem = nullptr;  // not owned: the item that owns this menu
	menu_layout fLayout;
	float fMargins[4];                // left, top, right, bottom around each label
	float fMaxContentWidth = 0;
	float fPreferredWidth = 0;
	float fPreferredHeight = 0;
	float fShortcutWidth = 0;         // the widest shortcut label, when there is one
	int32 fSelected = -1;             // highlighted while the menu is open
	bool fLayoutValid = false;
	bool fEnabled = true;
	bool fRadioMode = false;
	bool fLabelFromMarked = false;
	bool fResizeToFit = true;
	bool fHasSubmenus = false;
};

#endif

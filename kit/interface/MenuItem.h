#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <memory>
#include <string>

#include <Invoker.h>
#include <Rect.h>

class BMenu;
class BMessage;

namespace BPrivate {
class MenuAccess;
}

// An entry of a menu: a label that sends its message when it is chosen, or
// the title of a submenu, which the item owns. The message goes to the
// item's target or, when none was set, to the window of the menu bar (or
// menu field) the item belongs to. The shortcut is a character taken with
// the command key and any further modifiers (B_SHIFT_KEY, B_CONTROL_KEY,
// B_OPTION_KEY); the Ctrl key is the command key on Linux, a shortcut that
// also asks for the control key takes Ctrl+Shift, and the menu writes it
// that way ("Ctrl+Shift+H").
//
// Like every view's data, an item of a menu that is in a window is changed
// only with that window locked.
class BMenuItem : public BInvoker {
public:
	BMenuItem(const char* label, BMessage* message, char shortcut = 0, uint32 modifiers = 0);
	// An item that opens menu; its label is the menu's name.
	explicit BMenuItem(BMenu* menu, BMessage* message = NULL);
	~BMenuItem() override;

	virtual void SetLabel(const char* label);
	// An item with a submenu passes this on to the submenu.
	virtual void SetEnabled(bool enabled);
	// In a radio-mode menu, marking an item unmarks the one marked before;
	// in a menu whose label follows the marked item, the label changes.
	virtual void SetMarked(bool marked);
	virtual void SetShortcut(char shortcut, uint32 modifiers);

	const char* Label() const;
	// False when the item, or any menu above it, is disabled.
	bool IsEnabled() const;
	bool IsMarked() const;
	char Shortcut(uint32* modifiers = NULL) const;
	BMenu* Submenu() const;
	BMenu* Menu() const;
	// In the coordinates of the menu.
	BRect Frame() const;

	// Marks the item in a radio-mode menu, then sends a copy of the message
	// (or of the item's) with "when", "source" (this item) and "index" (its
	// place in its menu). B_ERROR for a disabled item, B_BAD_VALUE without
	// a message, B_BAD_HANDLER without a target.
	status_t Invoke(BMessage* message = NULL) override;

protected:
	// The room the label takes, without the shortcut and the submenu arrow.
	virtual void GetContentSize(float* width, float* height);
	// Draws the label at ContentLocation(); called by Draw().
	virtual void DrawContent();
	// Draws the whole item into its menu, which is locked in its window.
	virtual void Draw();
	virtual void Highlight(bool highlighted);
	bool IsSelected() const;
	// Where the label starts, in the menu's coordinates.
	BPoint ContentLocation() const;

private:
	friend class BMenu;
	friend class BPrivate::MenuAccess;

	void _SetSupermenu(BMenu* menu);
	void _Invalidate();

	std::string fLabel;
	std::unique_ptr<BMenu> fSubmenu;
	BMenu* fSuper = nullptr;  // not owned: the menu that owns this item
	BRect fBounds;
	uint32 fModifiers = 0;
	char fShortcut = 0;
	bool fEnabled = true;
	bool fMarked = false;
	bool fSelected = false;
};

// BeOS declares the separator with the item.
#include <SeparatorItem.h>

#endif

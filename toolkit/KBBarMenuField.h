#ifndef VELMORA_KBBAR_MENU_FIELD_H
#define VELMORA_KBBAR_MENU_FIELD_H

#include <MenuField.h>

#include "KBBarItem.h"

class BLooper;
class BMessage;
class BPopUpMenu;

// A tool bar menu: a box that always shows its label (it is a list of
// commands, not a choice) and drops down its menu when clicked. The field
// has no label of its own and is named after the menu's label. The box
// keeps the horizontal spacing on its left and right and the vertical
// spacing above and below it; 0 or less takes the defaults, 1 and 2.
class KBBarMenuField : public BMenuField, public KBBarItem {
public:
	explicit KBBarMenuField(const char* label, float horizontalSpacing = 1,
		float verticalSpacing = 2);
	~KBBarMenuField() override;

	BView* View() override { return this; }
	void AttachedToWindow() override;
	void FrameResized(float width, float height) override;
	// The box's preferred size with the spacing around it.
	void GetPreferredSize(float* width, float* height) override;

	// Appends an item; its message goes to target when one is given, or
	// else to the window. Takes the message; null for a null label.
	BMenuItem* AddItem(const char* label, BMessage* message, char shortcut = 0,
		uint32 modifiers = 0, BLooper* target = NULL);
	BMenuItem* AddItem(const char* label, uint32 command, char shortcut = 0,
		uint32 modifiers = 0, BLooper* target = NULL);
	bool AddSeparatorItem();

	BPopUpMenu* PopUpMenu() const;
	float HorizontalSpacing() const { return fHorizontalSpacing; }
	float VerticalSpacing() const { return fVerticalSpacing; }

private:
	void _InsetBox();

	const float fHorizontalSpacing;
	const float fVerticalSpacing;
};

#endif

#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <string>

#include <InterfaceDefs.h>
#include <View.h>

class BMenu;
class BMenuBar;
class BMenuItem;

// A label and a box that shows a menu's choice (its marked item, when the
// menu's label follows the marked item) and opens the menu below it when
// clicked, or from the keyboard with Space, Enter or Down while the field
// has the focus. The field owns the menu.
class BMenuField : public BView {
public:
	BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// fixedSize: the box fills the field; otherwise it is as wide as the
	// menu's widest item needs (at most the field).
	BMenuField(BRect frame, const char* name, const char* label, BMenu* menu, bool fixedSize,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~BMenuField() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void FrameResized(float width, float height) override;
	void GetPreferredSize(float* width, float* height) override;

	void SetLabel(const char* label);
	// Null when the field has no label.
	const char* Label() const;
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;
	void SetAlignment(alignment label);
	alignment Alignment() const;
	// Where the box starts: the label takes the room left of it.
	void SetDivider(float x);
	float Divider() const;

	BMenu* Menu() const;
	BMenuBar* MenuBar() const;
	// The item of the box: its label is what the field shows.
	BMenuItem* MenuItem() const;

private:
	void _Init(const char* label, BMenu* menu, bool fixedSize);
	void _PlaceBar();

	std::string fLabel;
	bool fHasLabel = false;
	BMenu* fMenu;                 // owned through the bar's item
	BMenuBar* fMenuBar;           // a child view
	float fDivider = 0;
	alignment fAlignment = B_ALIGN_LEFT;
	bool fFixedSize = true;
	bool fEnabled = true;
	bool fNavigable = false;  // as made; Tab skips it while disabled
};

#endif

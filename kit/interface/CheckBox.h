#ifndef _CHECK_BOX_H
#define _CHECK_BOX_H

#include <Control.h>

// A box with a label that is on or off. A click (released over the box or
// its label) toggles it and invokes it; so do Space and Enter when it has
// the focus, which its underlined label shows.
class BCheckBox : public BControl {
public:
	BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~BCheckBox() override;

	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void GetPreferredSize(float* width, float* height) override;

private:
	BRect _BoxFrame() const;

	// The mouse is held over the control.
	bool fPressed = false;
};

#endif

#ifndef _BUTTON_H
#define _BUTTON_H

#include <Control.h>

// A push button. It looks pressed while the mouse holds it and invokes
// when the mouse is released over it, or at once on Space or Enter when it
// has the focus. The window's default button (MakeDefault) wears a ring
// and is invoked by Enter wherever the focus is. Its value is
// B_CONTROL_ON while it is held and during Invoke().
class BButton : public BControl {
public:
	BButton(BRect frame, const char* name, const char* label, BMessage* message,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~BButton() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void GetPreferredSize(float* width, float* height) override;

	// Makes this the window's default button (or stops it being one); the
	// window keeps one at most.
	virtual void MakeDefault(bool flag);
	bool IsDefault() const { return fDefault; }

	status_t Invoke(BMessage* message = NULL) override;

private:
	bool fDefault = false;
};

#endif

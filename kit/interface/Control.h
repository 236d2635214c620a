#ifndef _CONTROL_H
#define _CONTROL_H

#include <Invoker.h>
#include <View.h>
#include <control_support/OptionalText.h>

enum {
	B_CONTROL_OFF = 0,
	B_CONTROL_ON = 1
};

// A view the user acts on: it has a label, an int32 value and an enabled
// state, and sends its model message to its target when invoked (the window
// unless another target is set before it is attached). The message carries
// "when", "source" (the control) and "be:value".
//
// Keyboard: a B_NAVIGABLE control takes the focus by Tab; Space and Enter
// toggle the value and invoke it (buttons override this). A disabled control
// is skipped by Tab and ignores the mouse and the keys.
class BControl : public BView, public BInvoker {
public:
	BControl(BRect frame, const char* name, const char* label, BMessage* message,
		uint32 resizingMode, uint32 flags);
	~BControl() override;

	void AttachedToWindow() override;
	void MakeFocus(bool focus = true) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void WindowActivated(bool active) override;

	virtual void SetLabel(const char* label);
	const char* Label() const;

	virtual void SetValue(int32 value);
	int32 Value() const { return fValue; }

	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const { return fEnabled; }

	status_t Invoke(BMessage* message = NULL) override;

protected:
	// True while MakeFocus() runs, so that Draw() can tell a focus change.
	bool IsFocusChanging() const { return fFocusChanging; }
	bool IsTracking() const { return fTracking; }
	void SetTracking(bool state) { fTracking = state; }
	// Changes the value without drawing or telling anybody.
	void SetValueNoUpdate(int32 value) { fValue = value; }
	// The focus is drawn only while the window is active.
	bool ShowsFocus() const;
	// The ControlLook flags of the control's state.
	uint32 LookFlags() const;

private:
	BPrivate::OptionalText fLabel;
	int32 fValue = B_CONTROL_OFF;
	bool fEnabled = true;
	bool fTracking = false;
	bool fFocusChanging = false;
	// Whether Tab may reach the control when it is enabled.
	bool fNavigable;
};

#endif

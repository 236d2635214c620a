#include <Button.h>

#include <algorithm>
#include <cmath>

#include <OS.h>
#include <Window.h>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

namespace {

// How long a button invoked from the keyboard shows itself pressed.
const bigtime_t kKeyPressShown = 50000;

} // namespace

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags)
{
}

BButton::~BButton() = default;

void BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	if (fDefault)
		Window()->SetDefaultButton(this);
}

void BButton::Draw(BRect)
{
	uint32 flags = LookFlags();
	if (Value() != B_CONTROL_OFF)
		flags |= ControlLook::kPressed;
	if (fDefault)
		flags |= ControlLook::kDefault;
	BRect bounds = Bounds();
	ControlLook::DrawButton(this, bounds, flags);
	ControlLook::DrawLabel(this, Label(), ControlLook::ButtonLabelRect(bounds, flags),
		B_ALIGN_CENTER, flags);
}

void BButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	SetValue(B_CONTROL_ON);
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
}

void BButton::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (IsTracking())
		SetValue(Bounds().Contains(where) ? B_CONTROL_ON : B_CONTROL_OFF);
}

void BButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (Bounds().Contains(where))
		Invoke();
	else
		SetValue(B_CONTROL_OFF);
}

void BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1 || (bytes[0] != B_SPACE && bytes[0] != B_ENTER)) {
		BControl::KeyDown(bytes, numBytes);
		return;
	}
	if (!IsEnabled())
		return;
	// Shown pressed for a moment, so that a key press is seen to act.
	SetValue(B_CONTROL_ON);
	if (Window() != nullptr) {
		Window()->UpdateIfNeeded();
		snooze(kKeyPressShown);
	}
	Invoke();
}

void BButton::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float labelWidth = Label() != nullptr ? std::ceil(font.StringWidth(Label())) : 0;
	float room = 2 * (ControlLook::kDefaultRingInset + 3);
	if (width != nullptr)
		*width = std::max(labelWidth + room + 16, 75.0f) - 1;
	if (height != nullptr)
		*height = ControlLook::LineHeight(font) + 2 * (ControlLook::kDefaultRingInset + 5) - 1;
}

void BButton::MakeDefault(bool flag)
{
	if (flag != fDefault) {
		fDefault = flag;
		Invalidate();
	}
	BWindow* window = Window();
	if (window == nullptr)
		return;
	if (flag && window->DefaultButton() != this)
		window->SetDefaultButton(this);
	else if (!flag && window->DefaultButton() == this)
		window->SetDefaultButton(nullptr);
}

status_t BButton::Invoke(BMessage* message)
{
	// The message tells that the button was down when it acted, as BeOS's.
	SetValue(B_CONTROL_ON);
	status_t result = BControl::Invoke(message);
	SetValue(B_CONTROL_OFF);
	return result;
}

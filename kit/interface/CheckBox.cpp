#include <CheckBox.h>

#include <algorithm>
#include <cmath>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

namespace {

// Room between the box and the label.
const float kLabelGap = 6;

} // namespace

BCheckBox::BCheckBox(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags)
{
}

BCheckBox::~BCheckBox() = default;

BRect BCheckBox::_BoxFrame() const
{
	BRect bounds = Bounds();
	float size = ControlLook::kCheckBoxSize;
	float top = std::floor(bounds.top + (bounds.Height() + 1 - size) / 2);
	return BRect(bounds.left + 1, top, bounds.left + size, top + size - 1);
}

void BCheckBox::Draw(BRect)
{
	uint32 flags = LookFlags();
	if (fPressed)
		flags |= ControlLook::kPressed;
	BRect box = _BoxFrame();
	ControlLook::DrawCheckBox(this, box, Value() != B_CONTROL_OFF, flags);
	BRect labelRect = Bounds();
	labelRect.left = box.right + 1 + kLabelGap;
	BRect text = ControlLook::DrawLabel(this, Label(), labelRect, B_ALIGN_LEFT, flags);
	if (flags & ControlLook::kFocused)
		ControlLook::DrawFocusUnderline(this, text);
}

void BCheckBox::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetTracking(true);
	fPressed = true;
	Invalidate();
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
}

void BCheckBox::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (!IsTracking())
		return;
	bool inside = Bounds().Contains(where);
	if (inside != fPressed) {
		fPressed = inside;
		Invalidate();
	}
}

void BCheckBox::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	fPressed = false;
	Invalidate();
	if (!Bounds().Contains(where))
		return;
	SetValue(Value() == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
	Invoke();
}

void BCheckBox::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float labelWidth = Label() != nullptr ? std::ceil(font.StringWidth(Label())) : 0;
	if (width != nullptr)
		*width = 1 + ControlLook::kCheckBoxSize + kLabelGap + labelWidth + 1;
	if (height != nullptr)
		*height = std::max(ControlLook::LineHeight(font) + 4, ControlLook::kCheckBoxSize + 2) - 1;
}

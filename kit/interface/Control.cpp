#include <Control.h>

#include <Message.h>
#include <OS.h>
#include <Window.h>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

BControl::BControl(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags),
	  BInvoker(message, nullptr, nullptr),
	  fNavigable((flags & B_NAVIGABLE) != 0)
{
	fLabel.Set(label);
}

BControl::~BControl() = default;

void BControl::AttachedToWindow()
{
	// A control sits on its parent's panel.
	rgb_color color = ControlLook::ParentPanelColor(this);
	SetViewColor(color);
	SetLowColor(color);
	if (!Messenger().IsValid())
		SetTarget(Window());
}

void BControl::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	fFocusChanging = true;
	BView::MakeFocus(focus);
	fFocusChanging = false;
	Invalidate();
}

void BControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		if (IsEnabled()) {
			SetValue(Value() == B_CONTROL_OFF ? B_CONTROL_ON : B_CONTROL_OFF);
			Invoke();
		}
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void BControl::WindowActivated(bool active)
{
	BView::WindowActivated(active);
	if (IsFocus())
		Invalidate();
}

void BControl::SetLabel(const char* label)
{
	if (fLabel.Set(label))
		Invalidate();
}

const char* BControl::Label() const
{
	return fLabel.Get();
}

void BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}

void BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (fNavigable)
		SetFlags(enabled ? Flags() | B_NAVIGABLE : Flags() & ~B_NAVIGABLE);
	// Keys must not reach a control that cannot act on them.
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}

status_t BControl::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	if (!Messenger().IsValid())
		return B_BAD_HANDLER;
	// Built here rather than by BInvoker so that "source" is the control
	// itself, which receivers cast back to their control class.
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", static_cast<BControl*>(this));
	copy.AddInt32("be:value", fValue);
	return Messenger().SendMessage(&copy, HandlerForReply(), Timeout());
}

bool BControl::ShowsFocus() const
{
	return IsFocus() && Window() != nullptr && Window()->IsActive();
}

uint32 BControl::LookFlags() const
{
	uint32 flags = 0;
	if (!fEnabled)
		flags |= ControlLook::kDisabled;
	if (ShowsFocus())
		flags |= ControlLook::kFocused;
	return flags;
}

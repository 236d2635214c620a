#include "PanelButton.h"

#include <algorithm>
#include <cmath>

#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

namespace BPrivate {

PanelButton::PanelButton(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode)
	: BView(frame, name, resizingMode, B_WILL_DRAW | B_NAVIGABLE),
	  BInvoker(message, nullptr, nullptr),
	  fLabel(label != nullptr ? label : "")
{
}

void PanelButton::AttachedToWindow()
{
	SetViewColor(Parent() != nullptr ? Parent()->ViewColor() : ui_color(B_PANEL_BACKGROUND_COLOR));
	if (!Messenger().IsValid())
		SetTarget(Window());
}

void PanelButton::Draw(BRect)
{
	BRect frame = Bounds();
	rgb_color base = ui_color(B_CONTROL_BACKGROUND_COLOR);
	SetHighColor(ViewColor());
	FillRect(frame);
	if (fDefault) {
		SetHighColor(tint_color(base, B_DARKEN_4_TINT));
		StrokeRect(frame);
	}
	frame.InsetBy(fDefault ? 2 : 0, fDefault ? 2 : 0);
	SetHighColor(fPressed ? tint_color(base, B_DARKEN_2_TINT) : tint_color(base, B_LIGHTEN_1_TINT));
	FillRect(frame.InsetByCopy(1, 1));
	SetHighColor(IsFocus() && fEnabled ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
		: tint_color(base, B_DARKEN_3_TINT));
	StrokeRect(frame);
	font_height height;
	GetFontHeight(&height);
	float width = StringWidth(fLabel.c_str());
	float x = std::floor((frame.left + frame.right + 1 - width) / 2);
	float y = std::floor((frame.top + frame.bottom + 1 - (height.ascent + height.descent)) / 2)
		+ std::ceil(height.ascent);
	SetHighColor(fEnabled ? ui_color(B_CONTROL_TEXT_COLOR) : tint_color(base, B_DISABLED_LABEL_TINT));
	DrawString(fLabel.c_str(), BPoint(x, y));
}

void PanelButton::MouseDown(BPoint)
{
	if (!fEnabled)
		return;
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS);
	_SetPressed(true);
}

void PanelButton::MouseUp(BPoint where)
{
	if (!fTracking)
		return;
	fTracking = false;
	_SetPressed(false);
	if (Bounds().Contains(where))
		Invoke();
}

void PanelButton::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (fTracking)
		_SetPressed(Bounds().Contains(where));
}

void PanelButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (fEnabled && numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void PanelButton::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	Invalidate();
}

void PanelButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != nullptr)
		*width = std::max(std::ceil(StringWidth(fLabel.c_str())) + 24, 75.0f);
	if (height != nullptr)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent) + 12;
}

void PanelButton::SetLabel(const char* label)
{
	fLabel = label != nullptr ? label : "";
	Invalidate();
}

const char* PanelButton::Label() const
{
	return fLabel.c_str();
}

void PanelButton::SetEnabled(bool enabled)
{
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	Invalidate();
}

bool PanelButton::IsEnabled() const
{
	return fEnabled;
}

void PanelButton::MakeDefault(bool isDefault)
{
	fDefault = isDefault;
	Invalidate();
}

void PanelButton::_SetPressed(bool pressed)
{
	if (fPressed == pressed)
		return;
	fPressed = pressed;
	Invalidate();
}

} // namespace BPrivate

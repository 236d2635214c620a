#include <TextControl.h>

#include <algorithm>
#include <cmath>

#include <Message.h>
#include <Window.h>

#include "control_support/ControlLook.h"
#include "control_support/TextControlField.h"

using BPrivate::ControlLook;
using BPrivate::TextControlField;

namespace {

// The sunken frame around the field, and room between the label and it.
const float kFrameInset = 2;
const float kLabelGap = 6;
// Room left and right of the text inside the field.
const float kTextPadding = 2;

} // namespace

BTextControl::BTextControl(BRect frame, const char* name, const char* label,
	const char* initialText, BMessage* message, uint32 resizingMode, uint32 flags)
	// The field, not the control, is what Tab stops at.
	: BControl(frame, name, label, message, resizingMode, flags & ~B_NAVIGABLE),
	  fField(nullptr),
	  fSentText(initialText != nullptr ? initialText : ""),
	  fNavigableField((flags & B_NAVIGABLE) != 0)
{
	fDivider = label != nullptr ? std::ceil(StringWidth(label)) + kLabelGap : 0;
	float height = 0;
	GetPreferredSize(nullptr, &height);
	ResizeTo(Bounds().Width(), height);
	fField = new TextControlField(_FieldFrame(), this,
		B_WILL_DRAW | (flags & B_NAVIGABLE));
	fField->SetQuiet(true);
	fField->SetText(fSentText.c_str());
	fField->SetQuiet(false);
	AddChild(fField);
	_PlaceField();
}

BTextControl::~BTextControl() = default;

void BTextControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	// The field keeps the document's white unless disabled.
	SetEnabled(IsEnabled());
}

BRect BTextControl::_FieldFrame() const
{
	BRect bounds = Bounds();
	BRect field(std::min(fDivider, bounds.right), bounds.top, bounds.right, bounds.bottom);
	return field.InsetByCopy(kFrameInset, kFrameInset);
}

void BTextControl::_PlaceField()
{
	BRect frame = _FieldFrame();
	fField->MoveTo(frame.LeftTop());
	fField->ResizeTo(std::max(frame.Width(), 1.0f), std::max(frame.Height(), 1.0f));
	BRect text = fField->Bounds().InsetByCopy(kTextPadding, 0);
	BFont font;
	fField->GetFont(&font);
	// One line, centred in the field's height.
	float lineHeight = ControlLook::LineHeight(font);
	text.top = std::floor((fField->Bounds().Height() + 1 - lineHeight) / 2);
	text.bottom = text.top + lineHeight - 1;
	fField->SetTextRect(text);
}

void BTextControl::Draw(BRect)
{
	uint32 flags = LookFlags();
	if (fField->IsFocus() && Window() != nullptr && Window()->IsActive())
		flags |= ControlLook::kFocused;
	BRect bounds = Bounds();
	if (Label() != nullptr) {
		BRect labelRect(bounds.left, bounds.top, std::max(fDivider - kLabelGap, bounds.left),
			bounds.bottom);
		ControlLook::DrawLabel(this, Label(), labelRect, fLabelAlignment,
			flags & ~ControlLook::kFocused);
	}
	BRect frame = _FieldFrame().InsetByCopy(-kFrameInset, -kFrameInset);
	ControlLook::DrawSunkenField(this, frame, fField->ViewColor(), flags);
}

void BTextControl::MouseDown(BPoint)
{
	// A click on the label puts the caret in the field.
	if (IsEnabled())
		fField->MakeFocus(true);
}

void BTextControl::MakeFocus(bool focus)
{
	fField->MakeFocus(focus);
}

void BTextControl::FrameResized(float, float)
{
	_PlaceField();
	Invalidate();
}

void BTextControl::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	float lineHeight = ControlLook::LineHeight(font);
	if (width != nullptr) {
		float textWidth = std::ceil(font.StringWidth(Text())) + 2 * (kFrameInset + kTextPadding);
		*width = std::max(fDivider + textWidth + 20, Bounds().Width());
	}
	if (height != nullptr)
		*height = lineHeight + 2 * (kFrameInset + 1) - 1;
}

void BTextControl::SetText(const char* text)
{
	fField->SetQuiet(true);
	fField->SetText(text != nullptr ? text : "");
	fField->SetQuiet(false);
	fSentText = fField->Text();
	if (fField->IsFocus())
		fField->SelectAll();
}

const char* BTextControl::Text() const
{
	return fField->Text();
}

BTextView* BTextControl::TextView() const
{
	return fField;
}

status_t BTextControl::Invoke(BMessage* message)
{
	fSentText = fField->Text();
	return BControl::Invoke(message);
}

void BTextControl::SetEnabled(bool enabled)
{
	BControl::SetEnabled(enabled);
	fField->MakeEditable(enabled);
	fField->MakeSelectable(enabled);
	rgb_color fill = enabled ? ui_color(B_DOCUMENT_BACKGROUND_COLOR)
		: tint_color(ControlLook::PanelColor(), B_LIGHTEN_1_TINT);
	fField->SetViewColor(fill);
	fField->SetLowColor(fill);
	rgb_color text = ControlLook::LabelColor(enabled ? 0 : ControlLook::kDisabled);
	fField->SetFontAndColor(0, fField->TextLength(), nullptr, 0, &text);
	if (enabled)
		fField->SetFlags(fField->Flags() | (fNavigableField ? uint32(B_NAVIGABLE) : 0));
	else
		fField->SetFlags(fField->Flags() & ~B_NAVIGABLE);
	fField->Invalidate();
}

void BTextControl::SetModificationMessage(BMessage* message)
{
	fModificationMessage.reset(message);
}

void BTextControl::SetAlignment(alignment label, alignment text)
{
	fLabelAlignment = label;
	fField->SetAlignment(text);
	Invalidate();
}

void BTextControl::GetAlignment(alignment* label, alignment* text) const
{
	if (label != nullptr)
		*label = fLabelAlignment;
	if (text != nullptr)
		*text = fField->Alignment();
}

void BTextControl::SetDivider(float position)
{
	fDivider = std::max(std::floor(position), 0.0f);
	_PlaceField();
	Invalidate();
}

void BTextControl::_Modified()
{
	if (fModificationMessage == nullptr)
		return;
	// Not Invoke(): what the target heard of is the text last committed.
	BControl::Invoke(fModificationMessage.get());
}

void BTextControl::_FocusChanged(bool focused)
{
	Invalidate();
	if (!focused && fSentText != fField->Text())
		Invoke();
}

void BTextControl::_Entered()
{
	if (IsEnabled())
		Invoke();
}

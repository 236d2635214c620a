#include "ControlLook.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <View.h>

#include "menu_support/MenuLook.h"

namespace BPrivate {

const float ControlLook::kDefaultRingInset = 3;
const float ControlLook::kCheckBoxSize = 12;

namespace {

// A rectangle outline whose four corner pixels are left out, which reads as
// a slightly rounded edge without the smear of anti-aliased curves.
void StrokeCutCornerRect(BView* view, BRect rect, rgb_color color)
{
	view->BeginLineArray(4);
	view->AddLine(BPoint(rect.left + 1, rect.top), BPoint(rect.right - 1, rect.top), color);
	view->AddLine(BPoint(rect.left + 1, rect.bottom), BPoint(rect.right - 1, rect.bottom), color);
	view->AddLine(BPoint(rect.left, rect.top + 1), BPoint(rect.left, rect.bottom - 1), color);
	view->AddLine(BPoint(rect.right, rect.top + 1), BPoint(rect.right, rect.bottom - 1), color);
	view->EndLineArray();
}

// Top and left in one colour, bottom and right in another.
void StrokeBevel(BView* view, BRect rect, rgb_color topLeft, rgb_color bottomRight)
{
	view->BeginLineArray(4);
	view->AddLine(rect.LeftBottom(), rect.LeftTop(), topLeft);
	view->AddLine(rect.LeftTop(), rect.RightTop(), topLeft);
	view->AddLine(BPoint(rect.right, rect.top + 1), rect.RightBottom(), bottomRight);
	view->AddLine(rect.RightBottom(), BPoint(rect.left + 1, rect.bottom), bottomRight);
	view->EndLineArray();
}


} // namespace

rgb_color ControlLook::PanelColor()
{
	return ui_color(B_PANEL_BACKGROUND_COLOR);
}

rgb_color ControlLook::ParentPanelColor(const BView* view)
{
	BView* parent = view->Parent();
	rgb_color color = parent != nullptr ? parent->ViewColor() : B_TRANSPARENT_COLOR;
	return color == B_TRANSPARENT_COLOR ? PanelColor() : color;
}

rgb_color ControlLook::LabelColor(uint32 flags)
{
	rgb_color text = ui_color(B_CONTROL_TEXT_COLOR);
	if ((flags & kDisabled) == 0)
		return text;
	return tint_color(PanelColor(), B_DARKEN_3_TINT);
}

rgb_color ControlLook::FocusColor()
{
	return ui_color(B_KEYBOARD_NAVIGATION_COLOR);
}

rgb_color ControlLook::ShineOf(rgb_color base)
{
	return tint_color(base, B_LIGHTEN_MAX_TINT);
}

rgb_color ControlLook::ShadowOf(rgb_color base)
{
	return tint_color(base, B_DARKEN_2_TINT);
}

rgb_color ControlLook::EdgeOf(rgb_color base)
{
	return tint_color(base, B_DARKEN_4_TINT);
}

void ControlLook::DrawButton(BView* view, BRect frame, uint32 flags)
{
	rgb_color panel = PanelColor();
	bool disabled = (flags & kDisabled) != 0;
	bool pressed = (flags & kPressed) != 0 && !disabled;
	view->PushState();
	view->SetDrawingMode(B_OP_COPY);
	if (flags & kDefault) {
		rgb_color ring = tint_color(panel, disabled ? B_DARKEN_1_TINT : B_DARKEN_3_TINT);
		StrokeCutCornerRect(view, frame, ring);
		view->SetHighColor(ring);
		view->StrokeRect(frame.InsetByCopy(1, 1));
	}
	BRect button = frame.InsetByCopy(kDefaultRingInset, kDefaultRingInset);
	rgb_color face = tint_color(panel, pressed ? B_DARKEN_1_TINT : B_LIGHTEN_1_TINT);
	rgb_color edge = disabled ? tint_color(panel, B_DARKEN_2_TINT) : EdgeOf(panel);
	StrokeCutCornerRect(view, button, edge);
	BRect inside = button.InsetByCopy(1, 1);
	view->SetHighColor(face);
	view->FillRect(inside);
	if (pressed)
		StrokeBevel(view, inside, ShadowOf(face), face);
	else if (!disabled)
		StrokeBevel(view, inside, ShineOf(face), ShadowOf(face));
	if ((flags & kFocused) && !disabled) {
		view->SetHighColor(FocusColor());
		view->StrokeRect(inside.InsetByCopy(1, 1));
	}
	view->PopState();
}

BRect ControlLook::ButtonLabelRect(BRect frame, uint32 flags)
{
	BRect rect = frame.InsetByCopy(kDefaultRingInset + 3, kDefaultRingInset + 1);
	// A held button's label sinks with its face.
	if ((flags & kPressed) && !(flags & kDisabled))
		rect.OffsetBy(1, 1);
	return rect;
}

void ControlLook::DrawBevel(BView* view, BRect frame, rgb_color base, uint32 flags)
{
	bool pressed = (flags & kPressed) != 0;
	rgb_color face = base;
	if (pressed)
		face = tint_color(base, B_DARKEN_1_TINT);
	else if (flags & kHovered)
		face = tint_color(base, B_LIGHTEN_1_TINT);
	view->PushState();
	view->SetDrawingMode(B_OP_COPY);
	view->SetHighColor(face);
	view->FillRect(frame);
	if (pressed)
		StrokeBevel(view, frame, EdgeOf(base), ShineOf(base));
	else
		StrokeBevel(view, frame, ShineOf(face), ShadowOf(base));
	view->PopState();
}

BRect ControlLook::DrawSunkenField(BView* view, BRect frame, rgb_color fill, uint32 flags)
{
	rgb_color panel = PanelColor();
	bool disabled = (flags & kDisabled) != 0;
	view->PushState();
	view->SetDrawingMode(B_OP_COPY);
	StrokeBevel(view, frame, tint_color(panel, B_DARKEN_1_TINT), ShineOf(panel));
	BRect inner = frame.InsetByCopy(1, 1);
	if ((flags & kFocused) && !disabled) {
		view->SetHighColor(FocusColor());
		view->StrokeRect(inner);
	} else {
		rgb_color dark = tint_color(panel, disabled ? B_DARKEN_2_TINT : B_DARKEN_4_TINT);
		StrokeBevel(view, inner, dark, panel);
	}
	BRect inside = inner.InsetByCopy(1, 1);
	view->SetHighColor(disabled ? tint_color(panel, B_LIGHTEN_1_TINT) : fill);
	view->FillRect(inside);
	view->PopState();
	return inside;
}

void ControlLook::DrawCheckBox(BView* view, BRect box, bool checked, uint32 flags)
{
	bool disabled = (flags & kDisabled) != 0;
	rgb_color fill = ui_color(B_DOCUMENT_BACKGROUND_COLOR);
	if ((flags & kPressed) && !disabled)
		fill = tint_color(fill, B_DARKEN_2_TINT);
	// The focus of a check box is its label's underline, not its box.
	BRect inside = DrawSunkenField(view, box, fill, flags & ~kFocused);
	if (!checked)
		return;
	view->PushState();
	view->SetHighColor(disabled ? LabelColor(flags) : ui_color(B_CONTROL_TEXT_COLOR));
	view->SetPenSize(2);
	BPoint mark[3] = {
		BPoint(inside.left + 1.5f, inside.top + inside.Height() * 0.55f),
		BPoint(inside.left + inside.Width() * 0.4f, inside.bottom - 1.5f),
		BPoint(inside.right - 1, inside.top + 1)
	};
	view->StrokePolygon(mark, 3, false);
	view->PopState();
}

void ControlLook::DrawGroupFrame(BView* view, BRect frame, border_style border)
{
	rgb_color panel = PanelColor();
	view->PushState();
	view->SetDrawingMode(B_OP_COPY);
	if (border == B_FANCY_BORDER) {
		view->SetHighColor(ShadowOf(panel));
		view->StrokeRect(BRect(frame.left, frame.top, frame.right - 1, frame.bottom - 1));
		view->BeginLineArray(4);
		rgb_color shine = ShineOf(panel);
		view->AddLine(BPoint(frame.left + 1, frame.top + 1),
			BPoint(frame.right - 2, frame.top + 1), shine);
		view->AddLine(BPoint(frame.left + 1, frame.top + 2),
			BPoint(frame.left + 1, frame.bottom - 2), shine);
		view->AddLine(BPoint(frame.left, frame.bottom), frame.RightBottom(), shine);
		view->AddLine(BPoint(frame.right, frame.top), BPoint(frame.right, frame.bottom - 1), shine);
		view->EndLineArray();
	} else if (border == B_PLAIN_BORDER) {
		view->SetHighColor(tint_color(panel, B_DARKEN_3_TINT));
		view->StrokeRect(frame);
	}
	view->PopState();
}

void ControlLook::DrawProgressBar(BView* view, BRect frame, float fraction, rgb_color barColor)
{
	BRect inside = DrawSunkenField(view, frame, tint_color(PanelColor(), B_LIGHTEN_2_TINT), 0);
	fraction = std::clamp(fraction, 0.0f, 1.0f);
	float width = std::round((inside.Width() + 1) * fraction);
	if (width < 1)
		return;
	BRect done(inside.left, inside.top, inside.left + width - 1, inside.bottom);
	view->PushState();
	view->SetHighColor(barColor);
	view->FillRect(done);
	view->SetHighColor(tint_color(barColor, B_LIGHTEN_1_TINT));
	view->StrokeLine(done.LeftTop(), done.RightTop());
	view->SetHighColor(tint_color(barColor, B_DARKEN_1_TINT));
	if (done.Height() > 1)
		view->StrokeLine(done.LeftBottom(), done.RightBottom());
	view->PopState();
}

BRect ControlLook::DrawLabel(BView* view, const char* label, BRect rect, alignment align,
	uint32 flags)
{
	view->PushState();
	view->SetHighColor(LabelColor(flags));
	BRect extent = DrawText(view, label, rect, align);
	view->PopState();
	return extent;
}

BRect ControlLook::DrawText(BView* view, const char* text, BRect rect, alignment align)
{
	if (text == nullptr || text[0] == '\0')
		return BRect();
	BFont font;
	view->GetFont(&font);
	std::string shown = MenuLook::FittedLabel(font, text, rect.Width() + 1);
	float width = font.StringWidth(shown.c_str());
	float x = rect.left;
	if (align == B_ALIGN_RIGHT)
		x = rect.right + 1 - width;
	else if (align == B_ALIGN_CENTER)
		x = rect.left + std::floor((rect.Width() + 1 - width) / 2);
	float baseline = BaselineFor(font, rect);
	view->PushState();
	view->SetDrawingMode(B_OP_OVER);
	view->DrawString(shown.c_str(), BPoint(x, baseline));
	view->PopState();
	font_height height;
	font.GetHeight(&height);
	return BRect(x, baseline - std::ceil(height.ascent), x + width - 1, baseline);
}

void ControlLook::DrawFocusUnderline(BView* view, BRect textExtent)
{
	if (!textExtent.IsValid())
		return;
	view->PushState();
	view->SetHighColor(FocusColor());
	float y = textExtent.bottom + 2;
	view->StrokeLine(BPoint(textExtent.left, y), BPoint(textExtent.right, y));
	view->PopState();
}

float ControlLook::BaselineFor(const BFont& font, BRect rect)
{
	font_height height;
	font.GetHeight(&height);
	float middle = (rect.top + rect.bottom + 1) / 2;
	return std::floor(middle + (height.ascent - height.descent) / 2 + 0.5f);
}

float ControlLook::LineHeight(const BFont& font)
{
	font_height height;
	font.GetHeight(&height);
	return std::ceil(height.ascent + height.descent + height.leading);
}

} // namespace BPrivate

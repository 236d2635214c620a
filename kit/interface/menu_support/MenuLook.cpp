#include "MenuLook.h"

#include <cmath>

#include <InterfaceDefs.h>
#include <UTF8.h>
#include <View.h>

namespace BPrivate {
namespace MenuLook {

rgb_color Background()
{
	return ui_color(B_MENU_BACKGROUND_COLOR);
}

rgb_color TextColor(bool enabled, bool selected)
{
	if (!enabled)
		return tint_color(Background(), B_DISABLED_LABEL_TINT);
	return ui_color(selected ? B_MENU_SELECTED_ITEM_TEXT_COLOR : B_MENU_ITEM_TEXT_COLOR);
}

rgb_color ShortcutColor(bool enabled, bool selected)
{
	if (!enabled || selected)
		return TextColor(enabled, selected);
	return tint_color(Background(), B_DARKEN_4_TINT);
}

std::string FittedLabel(const BFont& font, const std::string& label, float width)
{
	if (width <= 0 || font.StringWidth(label.c_str()) <= width)
		return label;
	static const char kEllipsis[] = "\xE2\x80\xA6";
	float room = width - font.StringWidth(kEllipsis);
	size_t end = label.size();
	while (end > 0) {
		end = UTF8::Previous(label, end);
		if (font.StringWidth(label.c_str(), static_cast<int32>(end)) <= room)
			break;
	}
	return label.substr(0, end) + kEllipsis;
}

float LineHeight(const BFont& font)
{
	font_height height;
	font.GetHeight(&height);
	return std::ceil(height.ascent + height.descent + height.leading) + 2 * kItemMargin;
}

float Baseline(const BFont& font, float top)
{
	font_height height;
	font.GetHeight(&height);
	return top + kItemMargin + std::ceil(height.ascent);
}

void DrawMenuFrame(BView* view, BRect bounds)
{
	rgb_color background = Background();
	view->SetHighColor(tint_color(background, B_DARKEN_3_TINT));
	view->StrokeRect(bounds);
	BRect inner = bounds.InsetByCopy(kBorder, kBorder);
	view->BeginLineArray(4);
	rgb_color shine = tint_color(background, B_LIGHTEN_2_TINT);
	rgb_color shade = tint_color(background, B_DARKEN_1_TINT);
	view->AddLine(inner.LeftBottom(), inner.LeftTop(), shine);
	view->AddLine(inner.LeftTop(), inner.RightTop(), shine);
	view->AddLine(inner.RightTop(), inner.RightBottom(), shade);
	view->AddLine(inner.RightBottom(), inner.LeftBottom(), shade);
	view->EndLineArray();
}

void DrawItemBackground(BView* view, BRect frame, bool selected)
{
	view->SetHighColor(selected ? ui_color(B_MENU_SELECTION_BACKGROUND_COLOR) : Background());
	view->FillRect(frame);
}

void DrawMark(BView* view, BRect frame, bool radio, bool enabled, bool selected)
{
	float middle = std::floor((frame.top + frame.bottom) / 2);
	float left = frame.left + 6;
	view->SetHighColor(TextColor(enabled, selected));
	if (radio) {
		view->FillEllipse(BPoint(left + 4, middle), 3, 3);
		return;
	}
	float penSize = view->PenSize();
	view->SetPenSize(2);
	view->StrokeLine(BPoint(left, middle), BPoint(left + 3, middle + 3));
	view->StrokeLine(BPoint(left + 3, middle + 3), BPoint(left + 9, middle - 4));
	view->SetPenSize(penSize);
}

void DrawSubmenuArrow(BView* view, BRect frame, bool enabled, bool selected)
{
	float middle = std::floor((frame.top + frame.bottom) / 2);
	float right = frame.right - 6;
	view->SetHighColor(TextColor(enabled, selected));
	view->FillTriangle(BPoint(right - 4, middle - 4), BPoint(right, middle),
		BPoint(right - 4, middle + 4));
}

void DrawSeparator(BView* view, BRect frame)
{
	rgb_color background = Background();
	view->SetHighColor(background);
	view->FillRect(frame);
	float middle = std::floor((frame.top + frame.bottom) / 2);
	view->BeginLineArray(2);
	view->AddLine(BPoint(frame.left + 4, middle), BPoint(frame.right - 4, middle),
		tint_color(background, B_DARKEN_2_TINT));
	view->AddLine(BPoint(frame.left + 4, middle + 1), BPoint(frame.right - 4, middle + 1),
		tint_color(background, B_LIGHTEN_2_TINT));
	view->EndLineArray();
}

void DrawBarBackground(BView* view, BRect bounds)
{
	rgb_color background = Background();
	view->SetHighColor(background);
	view->FillRect(bounds);
	view->BeginLineArray(2);
	view->AddLine(bounds.LeftTop(), bounds.RightTop(), tint_color(background, B_LIGHTEN_2_TINT));
	view->AddLine(bounds.LeftBottom(), bounds.RightBottom(),
		tint_color(background, B_DARKEN_2_TINT));
	view->EndLineArray();
}

void DrawPopUpArrow(BView* view, BRect frame, bool enabled)
{
	float middle = std::floor((frame.top + frame.bottom) / 2);
	float right = frame.right - 6;
	view->SetHighColor(TextColor(enabled, false));
	view->FillTriangle(BPoint(right - 8, middle - 2), BPoint(right, middle - 2),
		BPoint(right - 4, middle + 2));
}

} // namespace MenuLook
} // namespace BPrivate

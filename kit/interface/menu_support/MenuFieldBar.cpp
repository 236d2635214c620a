#include "MenuFieldBar.h"

#include <algorithm>
#include <cmath>

#include <InterfaceDefs.h>
#include <MenuItem.h>
#include <Window.h>

#include "MenuAccess.h"
#include "MenuLook.h"

namespace BPrivate {

namespace Look = MenuLook;

namespace {

// Room for the down arrow at the right of the box.
const float kArrowRoom = 18;

} // namespace

MenuFieldBar::MenuFieldBar(BRect frame)
	: BMenuBar(frame, "_mc_mb_", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, false)
{
}

void MenuFieldBar::AttachedToWindow()
{
	// A field's box answers no window-wide keys of its own beyond its
	// items' shortcuts: the window's key menu bar stays what it was.
	BView* keyBar = Window()->KeyMenuBar();
	BMenuBar::AttachedToWindow();
	Window()->SetKeyMenuBar(keyBar);
}

void MenuFieldBar::Draw(BRect)
{
	LayoutItems();
	BRect bounds = Bounds();
	bool enabled = IsEnabled();
	bool open = MenuAccess::Selected(this) == 0;
	rgb_color base = ui_color(B_CONTROL_BACKGROUND_COLOR);
	SetHighColor(open ? ui_color(B_MENU_SELECTION_BACKGROUND_COLOR)
		: tint_color(base, B_LIGHTEN_1_TINT));
	FillRect(bounds);
	SetHighColor(fFocused && enabled ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
		: tint_color(base, B_DARKEN_3_TINT));
	StrokeRect(bounds);
	BRect inner = bounds.InsetByCopy(1, 1);
	BeginLineArray(4);
	rgb_color shine = tint_color(base, B_LIGHTEN_2_TINT);
	rgb_color shade = tint_color(base, B_DARKEN_1_TINT);
	AddLine(inner.LeftBottom(), inner.LeftTop(), shine);
	AddLine(inner.LeftTop(), inner.RightTop(), shine);
	AddLine(inner.RightTop(), inner.RightBottom(), shade);
	AddLine(inner.RightBottom(), inner.LeftBottom(), shade);
	EndLineArray();

	if (BMenuItem* item = ItemAt(0)) {
		BFont font;
		GetFont(&font);
		font_height height;
		font.GetHeight(&height);
		float room = bounds.Width() - Look::kTitleMargin - kArrowRoom;
		std::string label = Look::FittedLabel(font, item->Label(), room);
		float textHeight = std::ceil(height.ascent + height.descent);
		float baseline = std::floor((bounds.Height() + 1 - textHeight) / 2) + std::ceil(height.ascent);
		SetHighColor(Look::TextColor(enabled, open));
		DrawString(label.c_str(), BPoint(bounds.left + Look::kTitleMargin, baseline));
	}
	Look::DrawPopUpArrow(this, bounds, enabled);
}

void MenuFieldBar::MouseDown(BPoint)
{
	if (IsEnabled() && ItemAt(0) != nullptr)
		StartMenuBar(0, false, false);
}

void MenuFieldBar::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (height != nullptr)
		*height = Look::LineHeight(font) + 1;
	if (width == nullptr)
		return;
	float widest = 0;
	BMenu* menu = ItemAt(0) != nullptr ? ItemAt(0)->Submenu() : nullptr;
	for (int32 index = 0; menu != nullptr && menu->ItemAt(index) != nullptr; index++)
		widest = std::max(widest, font.StringWidth(menu->ItemAt(index)->Label()));
	if (ItemAt(0) != nullptr)
		widest = std::max(widest, font.StringWidth(ItemAt(0)->Label()));
	*width = std::ceil(widest) + Look::kTitleMargin + kArrowRoom;
}

void MenuFieldBar::SetFocused(bool focused)
{
	if (fFocused == focused)
		return;
	fFocused = focused;
	Invalidate();
}

} // namespace BPrivate

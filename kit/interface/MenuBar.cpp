#include <MenuBar.h>

#include <cctype>
#include <cstring>
#include <string>
#include <cmath>

#include <MenuItem.h>
#include <Window.h>

#include "menu_support/MenuLook.h"
#include "menu_support/MenuShortcuts.h"
#include "menu_support/MenuTracker.h"

namespace Look = BPrivate::MenuLook;

BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout layout,
	bool resizeToFit)
	: BMenu(frame, name, resizingMode, B_WILL_DRAW | B_FRAME_EVENTS, layout, resizeToFit)
{
	BPrivate::InstallMenuShortcuts();
}

BMenuBar::~BMenuBar() = default;

void BMenuBar::AttachedToWindow()
{
	BMenu::AttachedToWindow();
	if (Window()->KeyMenuBar() == nullptr)
		Window()->SetKeyMenuBar(this);
	if (IsResizeToFit())
		ResizeToPreferred();
}

void BMenuBar::DetachedFromWindow()
{
	if (Window()->KeyMenuBar() == this)
		Window()->SetKeyMenuBar(nullptr);
	BMenu::DetachedFromWindow();
}

void BMenuBar::Draw(BRect updateRect)
{
	BMenu::Draw(updateRect);
	if (Layout() != B_ITEMS_IN_ROW)
		return;
	// The letters that open the menus with Alt, underlined.
	BFont font;
	GetFont(&font);
	float left = 0;
	GetItemMargins(&left, nullptr, nullptr, nullptr);
	for (int32 index = 0; BMenuItem* item = ItemAt(index); index++) {
		char trigger = _TriggerOf(index);
		const char* label = item->Label();
		const char* found = trigger != 0 ? strchr(label, trigger) : nullptr;
		if (found == nullptr || !item->Frame().Intersects(updateRect))
			continue;
		float x = item->Frame().left + left
			+ font.StringWidth(label, static_cast<int32>(found - label));
		float y = Look::Baseline(font, item->Frame().top) + 2;
		SetHighColor(Look::TextColor(item->IsEnabled(), false));
		StrokeLine(BPoint(x, y), BPoint(x + std::ceil(font.StringWidth(found, 1)) - 1, y));
	}
}

void BMenuBar::DrawBackground(BRect updateRect)
{
	if (Layout() != B_ITEMS_IN_ROW) {
		BMenu::DrawBackground(updateRect);
		return;
	}
	Look::DrawBarBackground(this, Bounds());
}

void BMenuBar::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	for (int32 index = 0; BMenuItem* item = ItemAt(index); index++) {
		if (item->Frame().Contains(where)) {
			StartMenuBar(index, false, false);
			return;
		}
	}
}

void BMenuBar::FrameResized(float width, float height)
{
	BMenu::FrameResized(width, height);
	InvalidateLayout();
}

void BMenuBar::GetPreferredSize(float* width, float* height)
{
	BMenu::GetPreferredSize(width, height);
	bool followsBothSides = (ResizingMode() & B_FOLLOW_LEFT_RIGHT) == B_FOLLOW_LEFT_RIGHT;
	if (width == nullptr || !IsResizeToFit() || !followsBothSides)
		return;
	if (Parent() != nullptr)
		*width = Parent()->Bounds().Width();
	else if (Window() != nullptr)
		*width = Window()->Bounds().Width();
}

void BMenuBar::SetBorder(menu_bar_border border)
{
	fBorder = border;
}

menu_bar_border BMenuBar::Border() const
{
	return fBorder;
}

void BMenuBar::StartMenuBar(int32 menuIndex, bool sticky, bool showMenu, BRect* specialRect)
{
	BWindow* window = Window();
	if (window == nullptr || !IsEnabled() || ItemAt(menuIndex) == nullptr)
		return;
	window->MenusBeginning();
	BPrivate::MenuTrackingRequest request;
	request.root = this;
	request.rootIsBar = true;
	request.owner = window;
	request.titleIndex = menuIndex;
	request.buttonHeld = !sticky;
	request.selectFirst = showMenu;
	if (specialRect != nullptr)
		request.clickToOpen = *specialRect;
	BMenuItem* chosen = BPrivate::MenuTracker::Track(request);
	window->MenusEnded();
	if (chosen != nullptr)
		chosen->Invoke();
}

int32 BMenuBar::IndexOfTrigger(char letter)
{
	int folded = tolower(static_cast<unsigned char>(letter));
	for (int32 index = 0; index < CountItems(); index++) {
		if (tolower(static_cast<unsigned char>(_TriggerOf(index))) == folded && folded != 0)
			return index;
	}
	return -1;
}

char BMenuBar::_TriggerOf(int32 index)
{
	std::string taken;
	char trigger = 0;
	for (int32 i = 0; i <= index; i++) {
		BMenuItem* item = ItemAt(i);
		if (item == nullptr)
			return 0;
		trigger = 0;
		for (const char* c = item->Label(); *c != '\0'; c++) {
			unsigned char byte = static_cast<unsigned char>(*c);
			if (byte < 128 && isalnum(byte) && taken.find(static_cast<char>(tolower(byte)))
				== std::string::npos) {
				trigger = *c;
				break;
			}
		}
		if (trigger != 0)
			taken += static_cast<char>(tolower(static_cast<unsigned char>(trigger)));
	}
	return trigger;
}

#include <Menu.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Handler.h>
#include <MenuItem.h>
#include <Message.h>
#include <Window.h>
#include <WindowPrivate.h>

#include "menu_support/MenuAccess.h"
#include "menu_support/MenuLook.h"

namespace Look = BPrivate::MenuLook;

namespace {

// Room for the frame of a menu that has no items yet.
const float kEmptyMenuWidth = 40;

} // namespace

BMenu::BMenu(const char* name, menu_layout layout)
	: BView(BRect(0, 0, 0, 0), name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
{
	_Init(layout);
}

BMenu::BMenu(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	menu_layout layout, bool resizeToFit)
	: BView(frame, name, resizingMode, flags)
{
	_Init(layout);
	fResizeToFit = resizeToFit;
}

void BMenu::_Init(menu_layout layout)
{
	fLayout = layout;
	if (layout == B_ITEMS_IN_ROW)
		SetItemMargins(Look::kTitleMargin, Look::kItemMargin, Look::kTitleMargin, Look::kItemMargin);
	else
		SetItemMargins(Look::kMarkColumn, Look::kItemMargin, Look::kRightMargin, Look::kItemMargin);
	SetViewColor(Look::Background());
	SetLowColor(Look::Background());
}

BMenu::~BMenu()
{
	// The items must not reach back into a menu that is going.
	for (std::unique_ptr<BMenuItem>& item : fItems)
		item->fSuper = nullptr;
	fItems.clear();
}

void BMenu::AttachedToWindow()
{
	LayoutItems();
}

void BMenu::Draw(BRect updateRect)
{
	LayoutItems();
	DrawBackground(updateRect);
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		if (item->Frame().Intersects(updateRect))
			item->Draw();
	}
}

void BMenu::DrawBackground(BRect updateRect)
{
	SetHighColor(Look::Background());
	FillRect(updateRect);
	if (fLayout != B_ITEMS_IN_ROW)
		Look::DrawMenuFrame(this, Bounds());
}

void BMenu::GetPreferredSize(float* width, float* height)
{
	LayoutItems();
	if (width != nullptr)
		*width = fPreferredWidth;
	if (height != nullptr)
		*height = fPreferredHeight;
}

void BMenu::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	InvalidateLayout();
}

// Items.

bool BMenu::AddItem(BMenuItem* item)
{
	return _AddItem(item, CountItems());
}

bool BMenu::AddItem(BMenuItem* item, int32 index)
{
	return _AddItem(item, index);
}

bool BMenu::AddItem(BMenu* menu)
{
	return AddItem(menu, CountItems());
}

bool BMenu::AddItem(BMenu* menu, int32 index)
{
	if (menu == nullptr || menu->fSuperitem != nullptr || index < 0 || index > CountItems())
		return false;
	return _AddItem(new BMenuItem(menu), index);
}

bool BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem());
}

bool BMenu::_AddItem(BMenuItem* item, int32 index)
{
	if (item == nullptr || item->fSuper != nullptr || index < 0 || index > CountItems())
		return false;
	fItems.insert(fItems.begin() + index, std::unique_ptr<BMenuItem>(item));
	item->_SetSupermenu(this);
	if (fSelected >= index)
		fSelected++;
	if (item->IsMarked())
		_ItemMarked(item);
	InvalidateLayout();
	return true;
}

bool BMenu::RemoveItem(BMenuItem* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	RemoveItem(index);
	return true;
}

BMenuItem* BMenu::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	BMenuItem* item = fItems[index].release();
	fItems.erase(fItems.begin() + index);
	item->_SetSupermenu(nullptr);
	if (fSelected == index)
		fSelected = -1;
	else if (fSelected > index)
		fSelected--;
	InvalidateLayout();
	return item;
}

bool BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		BMenuItem* item = RemoveItem(index);
		if (deleteItems)
			delete item;
	}
	return true;
}

bool BMenu::RemoveItem(BMenu* menu)
{
	int32 index = IndexOf(menu);
	if (index < 0)
		return false;
	// The item goes; the menu stays with the caller.
	BMenuItem* item = RemoveItem(index);
	item->fSubmenu.release();
	menu->fSuperitem = nullptr;
	delete item;
	return true;
}

BMenuItem* BMenu::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[index].get();
}

BMenu* BMenu::SubmenuAt(int32 index) const
{
	BMenuItem* item = ItemAt(index);
	return item != nullptr ? item->Submenu() : nullptr;
}

int32 BMenu::CountItems() const
{
	return static_cast<int32>(fItems.size());
}

int32 BMenu::IndexOf(BMenuItem* item) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (fItems[i].get() == item)
			return static_cast<int32>(i);
	}
	return -1;
}

int32 BMenu::IndexOf(BMenu* menu) const
{
	for (size_t i = 0; i < fItems.size(); i++) {
		if (menu != nullptr && fItems[i]->Submenu() == menu)
			return static_cast<int32>(i);
	}
	return -1;
}

BMenuItem* BMenu::FindItem(uint32 command) const
{
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		if (item->Message() != nullptr && item->Command() == command)
			return item.get();
		if (BMenu* submenu = item->Submenu()) {
			if (BMenuItem* found = submenu->FindItem(command))
				return found;
		}
	}
	return nullptr;
}

BMenuItem* BMenu::FindItem(const char* label) const
{
	if (label == nullptr)
		return nullptr;
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		if (strcmp(item->Label(), label) == 0)
			return item.get();
		if (BMenu* submenu = item->Submenu()) {
			if (BMenuItem* found = submenu->FindItem(label))
				return found;
		}
	}
	return nullptr;
}

BMenuItem* BMenu::FindMarked()
{
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		if (item->IsMarked())
			return item.get();
	}
	return nullptr;
}

// Settings.

status_t BMenu::SetTargetForItems(BHandler* target)
{
	status_t result = B_OK;
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		status_t status = item->SetTarget(target, nullptr);
		if (result == B_OK)
			result = status;
	}
	return result;
}

status_t BMenu::SetTargetForItems(BMessenger messenger)
{
	for (const std::unique_ptr<BMenuItem>& item : fItems)
		item->SetTarget(messenger);
	return B_OK;
}

void BMenu::SetEnabled(bool enabled)
{
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	if (LockLooper()) {
		Invalidate();
		UnlockLooper();
	}
	if (fSuperitem != nullptr)
		fSuperitem->_Invalidate();
}

void BMenu::SetRadioMode(bool on)
{
	fRadioMode = on;
	if (!on)
		return;
	// Radio mode keeps at most one mark: the first one stays.
	bool seen = false;
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		if (item->IsMarked() && seen)
			item->SetMarked(false);
		seen = seen || item->IsMarked();
	}
}

void BMenu::SetLabelFromMarked(bool on)
{
	fLabelFromMarked = on;
	if (BMenuItem* marked = on ? FindMarked() : nullptr)
		_ItemMarked(marked);
}

bool BMenu::IsLabelFromMarked()
{
	return fLabelFromMarked;
}

bool BMenu::IsEnabled() const
{
	if (!fEnabled)
		return false;
	BMenu* super = Supermenu();
	return super != nullptr ? super->IsEnabled() : true;
}

bool BMenu::IsRadioMode() const
{
	return fRadioMode;
}

BMenu* BMenu::Supermenu() const
{
	return fSuperitem != nullptr ? fSuperitem->Menu() : nullptr;
}

BMenuItem* BMenu::Superitem() const
{
	return fSuperitem;
}

menu_layout BMenu::Layout() const
{
	return fLayout;
}

void BMenu::SetMaxContentWidth(float width)
{
	fMaxContentWidth = std::max(width, 0.0f);
	InvalidateLayout();
}

float BMenu::MaxContentWidth() const
{
	return fMaxContentWidth;
}

void BMenu::_ItemMarked(BMenuItem* item)
{
	if (fLabelFromMarked && fSuperitem != nullptr)
		fSuperitem->SetLabel(item->Label());
}

// Placement and layout.

BPoint BMenu::ScreenLocation()
{
	BMenu* super = Supermenu();
	if (super == nullptr || super->Window() == nullptr)
		return B_ORIGIN;
	BRect frame = super->ConvertToScreen(fSuperitem->Frame());
	if (super->Layout() == B_ITEMS_IN_ROW)
		return BPoint(frame.left, frame.bottom + 1);
	// The submenu's first item beside its superitem.
	return BPoint(frame.right + 1, frame.top - Look::kBorder - Look::kPadding);
}

void BMenu::SetItemMargins(float left, float top, float right, float bottom)
{
	fMargins[0] = left;
	fMargins[1] = top;
	fMargins[2] = right;
	fMargins[3] = bottom;
	InvalidateLayout();
}

void BMenu::GetItemMargins(float* left, float* top, float* right, float* bottom) const
{
	if (left != nullptr)
		*left = fMargins[0];
	if (top != nullptr)
		*top = fMargins[1];
	if (right != nullptr)
		*right = fMargins[2];
	if (bottom != nullptr)
		*bottom = fMargins[3];
}

void BMenu::InvalidateLayout()
{
	fLayoutValid = false;
	if (Window() == nullptr)
		return;
	LayoutItems();
	Invalidate();
}

bool BMenu::IsResizeToFit() const
{
	return fResizeToFit;
}

void BMenu::LayoutItems()
{
	if (fLayoutValid)
		return;
	fLayoutValid = true;
	if (fLayout == B_ITEMS_IN_ROW)
		_LayoutRow();
	else
		_LayoutColumn();
}

void BMenu::_LayoutColumn()
{
	BFont font;
	GetFont(&font);
	float labelWidth = 0;
	fShortcutWidth = 0;
	fHasSubmenus = false;
	std::vector<float> heights;
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		float width = 0;
		float height = 0;
		item->GetContentSize(&width, &height);
		if (fMaxContentWidth > 0)
			width = std::min(width, fMaxContentWidth);
		labelWidth = std::max(labelWidth, width);
		uint32 modifiers = 0;
		if (char shortcut = item->Shortcut(&modifiers)) {
			std::string label = BPrivate::ShortcutLabel(static_cast<uint8>(shortcut), modifiers);
			fShortcutWidth = std::max(fShortcutWidth, std::ceil(font.StringWidth(label.c_str())));
		}
		fHasSubmenus = fHasSubmenus || item->Submenu() != nullptr;
		bool separator = dynamic_cast<BSeparatorItem*>(item.get()) != nullptr;
		heights.push_back(separator ? Look::kSeparatorHeight : height + fMargins[1] + fMargins[3]);
	}
	float width = fMargins[0] + labelWidth + fMargins[2];
	if (fShortcutWidth > 0)
		width += Look::kShortcutGap + fShortcutWidth;
	if (fHasSubmenus)
		width += Look::kArrowColumn;
	width = std::max(width + 2 * Look::kBorder, kEmptyMenuWidth);
	// A menu opened from a wider title (a menu field's) is at least as wide.
	if (fSuperitem != nullptr && Supermenu() != nullptr
		&& Supermenu()->Layout() == B_ITEMS_IN_ROW)
		width = std::max(width, fSuperitem->Frame().Width() + 1);

	float y = Look::kBorder + Look::kPadding;
	for (size_t i = 0; i < fItems.size(); i++) {
		fItems[i]->fBounds = BRect(Look::kBorder, y, width - 1 - Look::kBorder, y + heights[i] - 1);
		y += heights[i];
	}
	fPreferredWidth = width - 1;
	fPreferredHeight = y + Look::kPadding + Look::kBorder - 1;
}

void BMenu::_LayoutRow()
{
	BFont font;
	GetFont(&font);
	float lineHeight = 0;
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		float height = 0;
		item->GetContentSize(nullptr, &height);
		lineHeight = std::max(lineHeight, height + fMargins[1] + fMargins[3]);
	}
	if (fItems.empty())
		lineHeight = Look::LineHeight(font);
	// One line above (the light edge) and one below (the dark edge).
	fPreferredHeight = lineHeight + 1;
	float bottom = fResizeToFit ? lineHeight : std::max(lineHeight, Bounds().Height() - 1);
	float x = 1;
	for (const std::unique_ptr<BMenuItem>& item : fItems) {
		float width = 0;
		item->GetContentSize(&width, nullptr);
		if (fMaxContentWidth > 0)
			width = std::min(width, fMaxContentWidth);
		width += fMargins[0] + fMargins[2];
		item->fBounds = BRect(x, 1, x + width - 1, bottom);
		x += width;
	}
	fPreferredWidth = x;
	// The lone title of a bar that keeps its size (a menu field's) fills it.
	if (!fResizeToFit && fItems.size() == 1)
		fItems[0]->fBounds.right = std::max(fItems[0]->fBounds.right, Bounds().right - 1);
}

// The menu helpers.

void BPrivate::MenuAccess::SetSelected(BMenu* menu, int32 index)
{
	if (index == menu->fSelected)
		return;
	if (BMenuItem* before = menu->ItemAt(menu->fSelected))
		before->Highlight(false);
	menu->fSelected = menu->ItemAt(index) != nullptr ? index : -1;
	if (BMenuItem* now = menu->ItemAt(menu->fSelected))
		now->Highlight(true);
}

#include <MenuItem.h>

#include <algorithm>
#include <cmath>

#include <Menu.h>
#include <MenuBar.h>
#include <Message.h>
#include <Window.h>
#include <WindowPrivate.h>

#include "menu_support/MenuLook.h"

namespace Look = BPrivate::MenuLook;

BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut, uint32 modifiers)
	: BInvoker(message, nullptr, nullptr),
	  fLabel(label != nullptr ? label : ""),
	  fModifiers(shortcut != 0 ? modifiers | B_COMMAND_KEY : 0),
	  fShortcut(shortcut)
{
}

BMenuItem::BMenuItem(BMenu* menu, BMessage* message)
	: BInvoker(message, nullptr, nullptr),
	  fSubmenu(menu)
{
	if (menu == nullptr)
		return;
	fLabel = menu->Name() != nullptr ? menu->Name() : "";
	menu->fSuperitem = this;
}

BMenuItem::~BMenuItem()
{
	if (fSuper != nullptr)
		fSuper->RemoveItem(this);
	if (fSubmenu != nullptr)
		fSubmenu->fSuperitem = nullptr;
}

void BMenuItem::SetLabel(const char* label)
{
	std::string text = label != nullptr ? label : "";
	if (text == fLabel)
		return;
	fLabel = text;
	if (fSuper != nullptr)
		fSuper->InvalidateLayout();
}

void BMenuItem::SetEnabled(bool enabled)
{
	if (fSubmenu != nullptr) {
		fSubmenu->SetEnabled(enabled);
		_Invalidate();
		return;
	}
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	_Invalidate();
}

void BMenuItem::SetMarked(bool marked)
{
	if (marked && fSuper != nullptr && fSuper->IsRadioMode()) {
		for (int32 i = 0; BMenuItem* other = fSuper->ItemAt(i); i++) {
			if (other != this && other->fMarked) {
				other->fMarked = false;
				other->_Invalidate();
			}
		}
	}
	if (fMarked != marked) {
		fMarked = marked;
		_Invalidate();
	}
	if (marked && fSuper != nullptr)
		fSuper->_ItemMarked(this);
}

void BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = shortcut != 0 ? modifiers | B_COMMAND_KEY : 0;
	if (fSuper != nullptr)
		fSuper->InvalidateLayout();
}

const char* BMenuItem::Label() const
{
	return fLabel.c_str();
}

bool BMenuItem::IsEnabled() const
{
	if (fSubmenu != nullptr)
		return fSubmenu->IsEnabled();
	if (!fEnabled)
		return false;
	return fSuper != nullptr ? fSuper->IsEnabled() : true;
}

bool BMenuItem::IsMarked() const
{
	return fMarked;
}

char BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != nullptr)
		*modifiers = fModifiers;
	return fShortcut;
}

BMenu* BMenuItem::Submenu() const
{
	return fSubmenu.get();
}

BMenu* BMenuItem::Menu() const
{
	return fSuper;
}

BRect BMenuItem::Frame() const
{
	return fBounds;
}

status_t BMenuItem::Invoke(BMessage* message)
{
	if (!IsEnabled())
		return B_ERROR;
	if (fSuper != nullptr && fSuper->IsRadioMode())
		SetMarked(true);
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;

	BMessenger target = Messenger();
	if (!target.IsValid()) {
		// Without a target of its own, an item of a menu bar speaks to the
		// bar's window, as BeOS installs it there.
		BMenu* root = fSuper;
		while (root != nullptr && root->Supermenu() != nullptr)
			root = root->Supermenu();
		if (dynamic_cast<BMenuBar*>(root) != nullptr && root->Window() != nullptr)
			target = BMessenger(root->Window());
	}
	if (!target.IsValid())
		return B_BAD_HANDLER;

	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	copy.AddInt32("index", fSuper != nullptr ? fSuper->IndexOf(this) : -1);
	return target.SendMessage(&copy, HandlerForReply(), Timeout());
}

void BMenuItem::GetContentSize(float* width, float* height)
{
	BFont font(be_plain_font);
	if (fSuper != nullptr)
		fSuper->GetFont(&font);
	font_height fontHeight;
	font.GetHeight(&fontHeight);
	if (width != nullptr)
		*width = std::ceil(font.StringWidth(fLabel.c_str()));
	if (height != nullptr)
		*height = std::ceil(fontHeight.ascent + fontHeight.descent + fontHeight.leading);
}

void BMenuItem::DrawContent()
{
	BMenu* menu = fSuper;
	BFont font;
	menu->GetFont(&font);
	font_height fontHeight;
	font.GetHeight(&fontHeight);
	BPoint location = ContentLocation();
	float room = fBounds.right - menu->fMargins[2] + 1 - location.x;
	if (menu->Layout() != B_ITEMS_IN_ROW) {
		if (menu->fShortcutWidth > 0)
			room -= Look::kShortcutGap + menu->fShortcutWidth;
		if (menu->fHasSubmenus)
			room -= Look::kArrowColumn;
	}
	if (menu->fMaxContentWidth > 0)
		room = std::min(room, menu->fMaxContentWidth);
	bool enabled = IsEnabled();
	std::string text = Look::FittedLabel(font, fLabel, room);
	menu->SetHighColor(Look::TextColor(enabled, fSelected && enabled));
	menu->DrawString(text.c_str(), BPoint(location.x, location.y + std::ceil(fontHeight.ascent)));
}

void BMenuItem::Draw()
{
	BMenu* menu = fSuper;
	if (menu == nullptr)
		return;
	bool enabled = IsEnabled();
	bool selected = fSelected && enabled;
	if (menu->Layout() == B_ITEMS_IN_ROW) {
		if (selected)
			Look::DrawItemBackground(menu, fBounds, true);
		DrawContent();
		return;
	}
	Look::DrawItemBackground(menu, fBounds, selected);
	if (fMarked)
		Look::DrawMark(menu, fBounds, menu->IsRadioMode(), enabled, selected);
	DrawContent();
	if (fShortcut != 0) {
		std::string label = BPrivate::ShortcutLabel(static_cast<uint8>(fShortcut), fModifiers);
		float right = fBounds.right - Look::kRightMargin - (menu->fHasSubmenus ? Look::kArrowColumn : 0);
		float x = right - menu->StringWidth(label.c_str());
		BFont font;
		menu->GetFont(&font);
		menu->SetHighColor(Look::ShortcutColor(enabled, selected));
		menu->DrawString(label.c_str(), BPoint(x, Look::Baseline(font, fBounds.top)));
	}
	if (fSubmenu != nullptr)
		Look::DrawSubmenuArrow(menu, fBounds, enabled, selected);
}

void BMenuItem::Highlight(bool highlighted)
{
	if (fSelected == highlighted)
		return;
	fSelected = highlighted;
	_Invalidate();
}

bool BMenuItem::IsSelected() const
{
	return fSelected;
}

BPoint BMenuItem::ContentLocation() const
{
	if (fSuper == nullptr)
		return fBounds.LeftTop();
	return BPoint(fBounds.left + fSuper->fMargins[0], fBounds.top + fSuper->fMargins[1]);
}

void BMenuItem::_SetSupermenu(BMenu* menu)
{
	fSuper = menu;
	fSelected = false;
}

void BMenuItem::_Invalidate()
{
	if (fSuper != nullptr && fSuper->LockLooper()) {
		fSuper->Invalidate(fBounds);
		fSuper->UnlockLooper();
	}
}

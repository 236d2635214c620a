#include <SeparatorItem.h>

#include <Menu.h>

#include "menu_support/MenuLook.h"

BSeparatorItem::BSeparatorItem()
	: BMenuItem("", nullptr)
{
	BMenuItem::SetEnabled(false);
}

BSeparatorItem::~BSeparatorItem() = default;

void BSeparatorItem::SetEnabled(bool)
{
}

void BSeparatorItem::GetContentSize(float* width, float* height)
{
	if (width != nullptr)
		*width = 0;
	if (height != nullptr)
		*height = 0;
}

void BSeparatorItem::Draw()
{
	if (BMenu* menu = Menu())
		BPrivate::MenuLook::DrawSeparator(menu, Frame());
}

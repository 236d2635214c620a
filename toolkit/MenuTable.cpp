#include "MenuTable.h"

#include <cstring>

#include <Looper.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>

namespace {

BMenu* MenuNamed(BMenuBar* bar, const char* name)
{
	for (int32 index = 0; BMenu* menu = bar->SubmenuAt(index); index++) {
		if (strcmp(menu->Name(), name) == 0)
			return menu;
	}
	BMenu* menu = new BMenu(name);
	bar->AddItem(menu);
	return menu;
}

} // namespace

void MenuTable::AddTo(BMenuBar* bar, std::span<const Row> rows, BLooper* looper)
{
	for (const Row& row : rows) {
		BMenu* menu = MenuNamed(bar, row.menu);
		auto* item = new BMenuItem(row.label, new BMessage(row.command), row.shortcut,
			row.modifiers);
		if (row.toLooper && looper != nullptr)
			item->SetTarget(nullptr, looper);
		menu->AddItem(item);
		if (row.separatorAfter)
			menu->AddSeparatorItem();
	}
}

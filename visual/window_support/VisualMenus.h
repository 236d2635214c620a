#ifndef VELMORA_VISUAL_MENUS_H
#define VELMORA_VISUAL_MENUS_H

#include <span>

#include <SupportDefs.h>

#include "MenuTable.h"

// The commands of the visual window as its menus and tool bars offer
// them. Rows marked toLooper go to the engine's looper, which runs them in
// order with every other change of the page; the others to the window.
namespace VisualMenus {

// A button of the upper tool bar: its picture in the program's pictures,
// its name and command, and the hint the status bar shows for it.
struct Button {
	const char* picture;
	const char* name;
	uint32 command;
	bool toEngine;
	const char* hint;
	bool separatorAfter;
};

// One of the lower tool bar's menus of formatting commands.
struct Field {
	const char* label;
	std::span<const MenuTable::Row> items;
};

std::span<const MenuTable::Row> MainMenu();
std::span<const Button> UpperBar();
std::span<const Field> LowerBar();

} // namespace VisualMenus

#endif

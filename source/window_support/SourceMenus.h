#ifndef VELMORA_SOURCE_MENUS_H
#define VELMORA_SOURCE_MENUS_H

#include <span>

#include "MenuTable.h"

// The main menu of the HTML window. Every item goes to the window, which
// answers the page commands as the visual window does and the rest on the
// source text.
namespace SourceMenus {

std::span<const MenuTable::Row> MainMenu();

} // namespace SourceMenus

#endif

#include "SourceMenus.h"

namespace SourceMenus {

namespace {

using Row = MenuTable::Row;

constexpr bool kWindow = false;
constexpr bool kSeparator = true;

// Desktops take F10 for their own menu bar, so the visual window is also
// on Ctrl+T, the visual window's way to this one. Checking and correcting
// stand beside the error list they fill.
constexpr Row kMainMenu[] = {
	{"File", "New…", 'new '},
	{"File", "Open…", 'open', 'O'},
	{"File", "Save", 'save', 'S', 0, kWindow, kSeparator},
	{"File", "Save as…", 'spas'},
	{"File", "Revert", 'reld', 0, 0, kWindow, kSeparator},
	{"File", "Help", 'help'},
	{"File", "About", 'abot', 0, 0, kWindow, kSeparator},
	{"File", "Close", 'clos'},
	{"Edit", "Undo/Redo", 'udrd', 'Z', 0, kWindow, kSeparator},
	{"Edit", "Copy", 'copy', 'C'},
	{"Edit", "Paste", 'past', 'V'},
	{"Edit", "Cut", 'cut ', 'X', 0, kWindow, kSeparator},
	{"Edit", "Find…", 'find', 'F'},
	{"Edit", "Find again", 'fnda', 'G', 0, kWindow, kSeparator},
	{"Edit", "Preview", 'prew', 'R'},
	{"Edit", "Preferences…", 'pref', 0, 0, kWindow, kSeparator},
	{"Edit", "Show HTML palette", 'shpl', 'P'},
	{"Visual editor", "Show Visual editor - F10", 'shww', 'T'},
	{"Visual editor", "Update from Visual", 'updt'},
	{"Visual editor", "Show errors/warnings window", 'serr', 0, 0, kWindow, kSeparator},
	{"Visual editor", "Check HTML", 'chkh'},
	{"Visual editor", "Correct HTML", 'corh'},
};

} // namespace

std::span<const MenuTable::Row> MainMenu()
{
	return kMainMenu;
}

} // namespace SourceMenus

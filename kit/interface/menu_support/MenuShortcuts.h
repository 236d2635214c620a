#ifndef _VELMORA_MENU_SHORTCUTS_H
#define _VELMORA_MENU_SHORTCUTS_H

namespace BPrivate {

// Makes windows hand their command-key and Alt presses to their menu bars
// first: the command key goes to the item with that shortcut, in the key
// menu bar or else any other menu bar of the window (menu fields have one),
// and Alt with a letter opens the key menu bar's title it underlines.
// Once per process; menu bars call it when they are made.
void InstallMenuShortcuts();

} // namespace BPrivate

#endif

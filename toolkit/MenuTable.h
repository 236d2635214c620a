#ifndef VELMORA_MENU_TABLE_H
#define VELMORA_MENU_TABLE_H

#include <span>

#include <SupportDefs.h>

class BLooper;
class BMenuBar;

// The menus of an editor window written as a table, one row per item in
// the order the items stand: its menu, label, command and shortcut, where
// its message goes and whether a separator follows it. The menus come in
// the order of their first rows.
class MenuTable {
public:
	struct Row {
		const char* menu;
		const char* label;
		uint32 command;
		// With the command key (Ctrl); 0 for none.
		char shortcut = 0;
		// Further keys: B_CONTROL_KEY makes the shortcut Ctrl+Shift.
		uint32 modifiers = 0;
		// To the looper given to AddTo, not to the window.
		bool toLooper = false;
		bool separatorAfter = false;
	};

	// Adds the menus of the rows to the bar.
	static void AddTo(BMenuBar* bar, std::span<const Row> rows, BLooper* looper);
};

#endif

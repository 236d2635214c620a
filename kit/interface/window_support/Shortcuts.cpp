#include "Shortcuts.h"

#include <algorithm>
#include <cctype>

#include <InterfaceDefs.h>

namespace BPrivate {

namespace {

uint32 Folded(uint32 key)
{
	return key < 128 ? static_cast<uint32>(tolower(static_cast<int>(key))) : key;
}

bool SameShortcut(uint32 keyA, uint32 modifiersA, uint32 keyB, uint32 modifiersB)
{
	return Folded(keyA) == Folded(keyB) && ChordOfShortcut(modifiersA) == ChordOfShortcut(modifiersB);
}

} // namespace

KeyChord ChordOfShortcut(uint32 modifiers)
{
	KeyChord chord;
	// Every shortcut needs the command key, named or not.
	chord.ctrl = true;
	chord.shift = (modifiers & (B_SHIFT_KEY | B_CONTROL_KEY)) != 0;
	chord.alt = (modifiers & B_OPTION_KEY) != 0;
	return chord;
}

KeyChord ChordOfKeyDown(uint32 modifiers)
{
	KeyChord chord;
	chord.ctrl = (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) != 0;
	chord.shift = (modifiers & B_SHIFT_KEY) != 0;
	chord.alt = (modifiers & B_OPTION_KEY) != 0;
	return chord;
}

bool ShortcutMatches(uint32 key, uint32 modifiers, const BMessage* keyDown)
{
	if (keyDown == nullptr)
		return false;
	int32 pressedModifiers = 0;
	int32 rawChar = 0;
	if (keyDown->FindInt32("modifiers", &pressedModifiers) != B_OK
		|| keyDown->FindInt32("raw_char", &rawChar) != B_OK)
		return false;
	return Folded(static_cast<uint32>(rawChar)) == Folded(key)
		&& ChordOfKeyDown(static_cast<uint32>(pressedModifiers)) == ChordOfShortcut(modifiers);
}

namespace {

// The keys that have no printable character of their own, by name.
const char* KeyName(uint32 key)
{
	switch (key) {
		case B_ENTER: return "Enter";
		case B_SPACE: return "Space";
		case B_TAB: return "Tab";
		case B_BACKSPACE: return "Backspace";
		case B_DELETE: return "Delete";
		case B_ESCAPE: return "Esc";
		case B_INSERT: return "Insert";
		case B_HOME: return "Home";
		case B_END: return "End";
		case B_PAGE_UP: return "Page Up";
		case B_PAGE_DOWN: return "Page Down";
		case B_LEFT_ARROW: return "Left";
		case B_RIGHT_ARROW: return "Right";
		case B_UP_ARROW: return "Up";
		case B_DOWN_ARROW: return "Down";
		default: return nullptr;
	}
}

} // namespace

std::string ShortcutLabel(uint32 key, uint32 modifiers)
{
	KeyChord chord = ChordOfShortcut(modifiers);
	std::string label = "Ctrl+";
	if (chord.shift)
		label += "Shift+";
	if (chord.alt)
		label += "Alt+";
	if (const char* name = KeyName(key))
		label += name;
	else if (key > ' ' && key < 127)
		label += static_cast<char>(toupper(static_cast<int>(key)));
	return label;
}

void ShortcutList::Add(uint32 key, uint32 modifiers, BMessage* message, BHandler* target)
{
	Remove(key, modifiers);
	fEntries.push_back(Entry{key, modifiers, std::unique_ptr<BMessage>(message), target});
}

void ShortcutList::Remove(uint32 key, uint32 modifiers)
{
	fEntries.erase(std::remove_if(fEntries.begin(), fEntries.end(),
		[&](const Entry& entry) { return SameShortcut(entry.key, entry.modifiers, key, modifiers); }),
		fEntries.end());
}

bool ShortcutList::Has(uint32 key, uint32 modifiers) const
{
	return std::any_of(fEntries.begin(), fEntries.end(),
		[&](const Entry& entry) { return SameShortcut(entry.key, entry.modifiers, key, modifiers); });
}

bool ShortcutList::Find(const BMessage* keyDown, Match* match) const
{
	for (const Entry& entry : fEntries) {
		if (entry.message == nullptr || !ShortcutMatches(entry.key, entry.modifiers, keyDown))
			continue;
		match->message = *entry.message;
		match->target = entry.target;
		return true;
	}
	return false;
}

} // namespace BPrivate

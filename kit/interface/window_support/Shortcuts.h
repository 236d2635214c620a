#ifndef _VELMORA_SHORTCUTS_H
#define _VELMORA_SHORTCUTS_H

#include <memory>
#include <string>
#include <vector>

#include <Message.h>
#include <Messenger.h>
#include <WindowPrivate.h>

class BHandler;

namespace BPrivate {

// Which physical keys a shortcut asks for. The Ctrl key stands for the
// BeOS command key; a shortcut that also names the control key is
// answered by Ctrl+Shift, and shift and option (Alt) add themselves.
struct KeyChord {
	bool ctrl = false;
	bool shift = false;
	bool alt = false;
	bool operator==(const KeyChord& other) const = default;
};
KeyChord ChordOfShortcut(uint32 modifiers);
KeyChord ChordOfKeyDown(uint32 modifiers);
// ShortcutMatches() and ShortcutLabel() are in WindowPrivate.h: letters
// match in either case, the key pressed being "raw_char".

// A window's own shortcuts.
class ShortcutList {
public:
	// Replaces a shortcut with the same chord and key. Takes the message.
	void Add(uint32 key, uint32 modifiers, BMessage* message, BHandler* target);
	void Remove(uint32 key, uint32 modifiers);
	bool Has(uint32 key, uint32 modifiers) const;

	struct Match {
		BMessage message;
		BHandler* target = nullptr;  // null: the window's focus view
	};
	// The shortcut a key press calls for, if any.
	bool Find(const BMessage* keyDown, Match* match) const;

private:
	struct Entry {
		uint32 key;
		uint32 modifiers;
		std::unique_ptr<BMessage> message;
		BHandler* target;  // not owned
	};
	std::vector<Entry> fEntries;
};

} // namespace BPrivate

#endif

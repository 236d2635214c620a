#ifndef _VELMORA_SDL_KEYBOARD_H
#define _VELMORA_SDL_KEYBOARD_H

#include <SDL.h>

#include <map>
#include <string>
#include <vector>

#include <DisplayEvent.h>

namespace BPrivate {

// Turns SDL's key and text events into BeOS key events. A key that types
// text (a letter, a space) is announced by SDL twice, as a key and then as
// the text it typed; its B_KEY_DOWN waits for the text, so that "bytes"
// hold the typed character in the user's layout. Keys that type nothing
// (arrows, Return, function keys) and keys held with Ctrl (where Ctrl
// stands for the BeOS command key, which leaves the character as it is)
// go out at once.
class SdlKeyboard {
public:
	// The events a key press makes now (none while it waits for its text).
	std::vector<DisplayEvent> KeyDown(const SDL_KeyboardEvent& key);
	std::vector<DisplayEvent> KeyUp(const SDL_KeyboardEvent& key);
	// One B_KEY_DOWN per character of the text.
	std::vector<DisplayEvent> TextInput(const SDL_TextInputEvent& text, Uint16 modifiers);

private:
	struct Pending {
		bool waiting = false;
		SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN;
		int32 key = 0;
		int32 rawChar = 0;
		uint32 modifiers = 0;
		bool repeat = false;
	};

	DisplayEvent _Event(DisplayEvent::Kind kind, const std::string& bytes, int32 key,
		int32 rawChar, uint32 modifiers) const;

	Pending fPending;
	// What each held key typed, for its key-up.
	std::map<SDL_Scancode, std::string> fTyped;
};

} // namespace BPrivate

#endif

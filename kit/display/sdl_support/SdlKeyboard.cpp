#include "SdlKeyboard.h"

#include <cctype>

#include <OS.h>

#include "SdlKeys.h"

namespace BPrivate {

namespace {

const uint32 kCommandKey = 0x2;
const uint32 kShiftKey = 0x1;
const char kFunctionKeyByte = 0x10;

// The length of the UTF-8 character that starts with this byte.
size_t CharacterLength(unsigned char lead)
{
	if (lead >= 0xf0)
		return 4;
	if (lead >= 0xe0)
		return 3;
	if (lead >= 0xc0)
		return 2;
	return 1;
}

} // namespace

DisplayEvent SdlKeyboard::_Event(DisplayEvent::Kind kind, const std::string& bytes, int32 key,
	int32 rawChar, uint32 modifiers) const
{
	DisplayEvent event;
	event.kind = kind;
	event.when = system_time();
	event.bytes = bytes;
	event.key = key;
	event.rawChar = rawChar;
	event.modifiers = modifiers;
	return event;
}

std::vector<DisplayEvent> SdlKeyboard::KeyDown(const SDL_KeyboardEvent& key)
{
	std::vector<DisplayEvent> events;
	SDL_Keycode symbol = key.keysym.sym;
	uint32 modifiers = BeModifiers(key.keysym.mod);
	int32 code = BeKeyCode(key.keysym.scancode);
	fPending = Pending();
	std::string bytes;
	int32 rawChar = 0;
	if (int32 function = FunctionKeyCode(symbol)) {
		bytes = std::string(1, kFunctionKeyByte);
		rawChar = kFunctionKeyByte;
		code = function;
	} else if (uint8 special = SpecialKeyByte(symbol)) {
		bytes = std::string(1, static_cast<char>(special));
		rawChar = special;
	} else if ((modifiers & kCommandKey) != 0 && symbol > 0 && symbol < 128
		&& isprint(static_cast<int>(symbol))) {
		char typed = static_cast<char>(symbol);
		if ((modifiers & kShiftKey) != 0)
			typed = static_cast<char>(toupper(typed));
		bytes = std::string(1, typed);
		rawChar = static_cast<int32>(symbol);
	} else {
		// The text event that follows carries the character.
		fPending.waiting = true;
		fPending.scancode = key.keysym.scancode;
		fPending.key = code;
		fPending.rawChar = symbol > 0 && symbol < 128 ? static_cast<int32>(symbol) : 0;
		fPending.modifiers = modifiers;
		fPending.repeat = key.repeat != 0;
		return events;
	}
	DisplayEvent event = _Event(DisplayEvent::kKeyDown, bytes, code, rawChar, modifiers);
	event.repeat = key.repeat != 0;
	events.push_back(event);
	fTyped[key.keysym.scancode] = bytes;
	return events;
}

std::vector<DisplayEvent> SdlKeyboard::TextInput(const SDL_TextInputEvent& text,
	Uint16 modifiers)
{
	std::vector<DisplayEvent> events;
	std::string all(text.text);
	Pending pending = fPending;
	fPending = Pending();
	if (!pending.waiting)
		pending.modifiers = BeModifiers(modifiers);
	for (size_t i = 0; i < all.size();) {
		size_t length = CharacterLength(static_cast<unsigned char>(all[i]));
		std::string character = all.substr(i, length);
		i += length;
		int32 rawChar = pending.rawChar;
		if (rawChar == 0 && character.size() == 1)
			rawChar = tolower(static_cast<unsigned char>(character[0]));
		DisplayEvent event = _Event(DisplayEvent::kKeyDown, character, pending.key, rawChar,
			pending.modifiers);
		event.repeat = pending.repeat;
		events.push_back(event);
		if (pending.waiting)
			fTyped[pending.scancode] = character;
	}
	return events;
}

std::vector<DisplayEvent> SdlKeyboard::KeyUp(const SDL_KeyboardEvent& key)
{
	std::vector<DisplayEvent> events;
	auto typed = fTyped.find(key.keysym.scancode);
	if (typed == fTyped.end())
		return events;
	int32 code = BeKeyCode(key.keysym.scancode);
	if (int32 function = FunctionKeyCode(key.keysym.sym))
		code = function;
	unsigned char first = typed->second.empty() ? 0 : static_cast<unsigned char>(typed->second[0]);
	events.push_back(_Event(DisplayEvent::kKeyUp, typed->second, code,
		first < 128 ? tolower(first) : 0, BeModifiers(key.keysym.mod)));
	fTyped.erase(typed);
	return events;
}

} // namespace BPrivate

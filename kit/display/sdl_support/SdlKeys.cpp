#include "SdlKeys.h"

namespace BPrivate {

namespace {

// BeOS key bytes and modifier bits; kept here because the display knows
// nothing of the interface kit's headers.
enum : uint8 {
	kHome = 0x01, kEnd = 0x04, kInsert = 0x05, kBackspace = 0x08, kTab = 0x09,
	kReturn = 0x0a, kPageUp = 0x0b, kPageDown = 0x0c, kEscape = 0x1b, kLeft = 0x1c,
	kRight = 0x1d, kUp = 0x1e, kDown = 0x1f, kDelete = 0x7f
};
enum : uint32 {
	kShift = 0x1, kCommand = 0x2, kControl = 0x4, kCapsLock = 0x8, kNumLock = 0x20,
	kOption = 0x40, kLeftShift = 0x100, kRightShift = 0x200, kLeftCommand = 0x400,
	kRightCommand = 0x800, kLeftControl = 0x1000, kRightControl = 0x2000,
	kLeftOption = 0x4000, kRightOption = 0x8000
};

struct ScancodeKey {
	SDL_Scancode scancode;
	int32 key;
};

// The BeOS keyboard's key codes, by position.
const ScancodeKey kKeyCodes[] = {
	{SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_F1, 0x02}, {SDL_SCANCODE_F2, 0x03},
	{SDL_SCANCODE_F3, 0x04}, {SDL_SCANCODE_F4, 0x05}, {SDL_SCANCODE_F5, 0x06},
	{SDL_SCANCODE_F6, 0x07}, {SDL_SCANCODE_F7, 0x08}, {SDL_SCANCODE_F8, 0x09},
	{SDL_SCANCODE_F9, 0x0a}, {SDL_SCANCODE_F10, 0x0b}, {SDL_SCANCODE_F11, 0x0c},
	{SDL_SCANCODE_F12, 0x0d}, {SDL_SCANCODE_PRINTSCREEN, 0x0e},
	{SDL_SCANCODE_SCROLLLOCK, 0x0f}, {SDL_SCANCODE_PAUSE, 0x10}, {SDL_SCANCODE_GRAVE, 0x11},
	{SDL_SCANCODE_1, 0x12}, {SDL_SCANCODE_2, 0x13}, {SDL_SCANCODE_3, 0x14},
	{SDL_SCANCODE_4, 0x15}, {SDL_SCANCODE_5, 0x16}, {SDL_SCANCODE_6, 0x17},
	{SDL_SCANCODE_7, 0x18}, {SDL_SCANCODE_8, 0x19}, {SDL_SCANCODE_9, 0x1a},
	{SDL_SCANCODE_0, 0x1b}, {SDL_SCANCODE_MINUS, 0x1c}, {SDL_SCANCODE_EQUALS, 0x1d},
	{SDL_SCANCODE_BACKSPACE, 0x1e}, {SDL_SCANCODE_INSERT, 0x1f}, {SDL_SCANCODE_HOME, 0x20},
	{SDL_SCANCODE_PAGEUP, 0x21}, {SDL_SCANCODE_NUMLOCKCLEAR, 0x22},
	{SDL_SCANCODE_KP_DIVIDE, 0x23}, {SDL_SCANCODE_KP_MULTIPLY, 0x24},
	{SDL_SCANCODE_KP_MINUS, 0x25}, {SDL_SCANCODE_TAB, 0x26}, {SDL_SCANCODE_Q, 0x27},
	{SDL_SCANCODE_W, 0x28}, {SDL_SCANCODE_E, 0x29}, {SDL_SCANCODE_R, 0x2a},
	{SDL_SCANCODE_T, 0x2b}, {SDL_SCANCODE_Y, 0x2c}, {SDL_SCANCODE_U, 0x2d},
	{SDL_SCANCODE_I, 0x2e}, {SDL_SCANCODE_O, 0x2f}, {SDL_SCANCODE_P, 0x30},
	{SDL_SCANCODE_LEFTBRACKET, 0x31}, {SDL_SCANCODE_RIGHTBRACKET, 0x32},
	{SDL_SCANCODE_BACKSLASH, 0x33}, {SDL_SCANCODE_DELETE, 0x34}, {SDL_SCANCODE_END, 0x35},
	{SDL_SCANCODE_PAGEDOWN, 0x36}, {SDL_SCANCODE_KP_7, 0x37}, {SDL_SCANCODE_KP_8, 0x38},
	{SDL_SCANCODE_KP_9, 0x39}, {SDL_SCANCODE_KP_PLUS, 0x3a}, {SDL_SCANCODE_CAPSLOCK, 0x3b},
	{SDL_SCANCODE_A, 0x3c}, {SDL_SCANCODE_S, 0x3d}, {SDL_SCANCODE_D, 0x3e},
	{SDL_SCANCODE_F, 0x3f}, {SDL_SCANCODE_G, 0x40}, {SDL_SCANCODE_H, 0x41},
	{SDL_SCANCODE_J, 0x42}, {SDL_SCANCODE_K, 0x43}, {SDL_SCANCODE_L, 0x44},
	{SDL_SCANCODE_SEMICOLON, 0x45}, {SDL_SCANCODE_APOSTROPHE, 0x46},
	{SDL_SCANCODE_RETURN, 0x47}, {SDL_SCANCODE_KP_4, 0x48}, {SDL_SCANCODE_KP_5, 0x49},
	{SDL_SCANCODE_KP_6, 0x4a}, {SDL_SCANCODE_LSHIFT, 0x4b}, {SDL_SCANCODE_Z, 0x4c},
	{SDL_SCANCODE_X, 0x4d}, {SDL_SCANCODE_C, 0x4e}, {SDL_SCANCODE_V, 0x4f},
	{SDL_SCANCODE_B, 0x50}, {SDL_SCANCODE_N, 0x51}, {SDL_SCANCODE_M, 0x52},
	{SDL_SCANCODE_COMMA, 0x53}, {SDL_SCANCODE_PERIOD, 0x54}, {SDL_SCANCODE_SLASH, 0x55},
	{SDL_SCANCODE_RSHIFT, 0x56}, {SDL_SCANCODE_UP, 0x57}, {SDL_SCANCODE_KP_1, 0x58},
	{SDL_SCANCODE_KP_2, 0x59}, {SDL_SCANCODE_KP_3, 0x5a}, {SDL_SCANCODE_KP_ENTER, 0x5b},
	{SDL_SCANCODE_LCTRL, 0x5c}, {SDL_SCANCODE_LALT, 0x5d}, {SDL_SCANCODE_SPACE, 0x5e},
	{SDL_SCANCODE_RALT, 0x5f}, {SDL_SCANCODE_RCTRL, 0x60}, {SDL_SCANCODE_LEFT, 0x61},
	{SDL_SCANCODE_DOWN, 0x62}, {SDL_SCANCODE_RIGHT, 0x63}, {SDL_SCANCODE_KP_0, 0x64},
	{SDL_SCANCODE_KP_PERIOD, 0x65}, {SDL_SCANCODE_LGUI, 0x66}, {SDL_SCANCODE_RGUI, 0x67},
	{SDL_SCANCODE_APPLICATION, 0x68}
};

} // namespace

uint8 SpecialKeyByte(SDL_Keycode key)
{
	switch (key) {
		case SDLK_RETURN:
		case SDLK_KP_ENTER: return kReturn;
		case SDLK_BACKSPACE: return kBackspace;
		case SDLK_TAB: return kTab;
		case SDLK_ESCAPE: return kEscape;
		case SDLK_LEFT: return kLeft;
		case SDLK_RIGHT: return kRight;
		case SDLK_UP: return kUp;
		case SDLK_DOWN: return kDown;
		case SDLK_INSERT: return kInsert;
		case SDLK_DELETE: return kDelete;
		case SDLK_HOME: return kHome;
		case SDLK_END: return kEnd;
		case SDLK_PAGEUP: return kPageUp;
		case SDLK_PAGEDOWN: return kPageDown;
		default: return 0;
	}
}

int32 FunctionKeyCode(SDL_Keycode key)
{
	if (key >= SDLK_F1 && key <= SDLK_F12)
		return 0x02 + (key - SDLK_F1);
	return 0;
}

int32 BeKeyCode(SDL_Scancode scancode)
{
	for (const ScancodeKey& entry : kKeyCodes) {
		if (entry.scancode == scancode)
			return entry.key;
	}
	return 0;
}

uint32 BeModifiers(Uint16 modifiers)
{
	uint32 result = 0;
	if (modifiers & KMOD_LSHIFT)
		result |= kShift | kLeftShift;
	if (modifiers & KMOD_RSHIFT)
		result |= kShift | kRightShift;
	if (modifiers & KMOD_LCTRL)
		result |= kCommand | kControl | kLeftCommand | kLeftControl;
	if (modifiers & KMOD_RCTRL)
		result |= kCommand | kControl | kRightCommand | kRightControl;
	if (modifiers & KMOD_LALT)
		result |= kOption | kLeftOption;
	if (modifiers & KMOD_RALT)
		result |= kOption | kRightOption;
	if (modifiers & KMOD_CAPS)
		result |= kCapsLock;
	if (modifiers & KMOD_NUM)
		result |= kNumLock;
	return result;
}

uint32 BeButtons(Uint32 mask)
{
	uint32 buttons = 0;
	if (mask & SDL_BUTTON_LMASK)
		buttons |= 0x01;
	if (mask & SDL_BUTTON_RMASK)
		buttons |= 0x02;
	if (mask & SDL_BUTTON_MMASK)
		buttons |= 0x04;
	return buttons;
}

} // namespace BPrivate

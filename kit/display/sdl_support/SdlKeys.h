#ifndef _VELMORA_SDL_KEYS_H
#define _VELMORA_SDL_KEYS_H

#include <SDL.h>

#include <SupportDefs.h>

namespace BPrivate {

// SDL's keys in BeOS terms. Keys that type text are left to SDL's text
// input; these cover the keys that do not.

// The BeOS byte of a key that types no text (B_RETURN, B_LEFT_ARROW,
// B_DELETE, ...), or 0.
uint8 SpecialKeyByte(SDL_Keycode key);
// B_F1_KEY .. B_F12_KEY for the function keys, else 0.
int32 FunctionKeyCode(SDL_Keycode key);
// The BeOS key code of a physical key (the US layout's positions), or 0.
int32 BeKeyCode(SDL_Scancode scancode);
// The physical Ctrl key sets B_COMMAND_KEY and B_CONTROL_KEY; Alt sets
// B_OPTION_KEY; Shift, Caps Lock and Num Lock their own bits.
uint32 BeModifiers(Uint16 modifiers);
// B_PRIMARY_MOUSE_BUTTON and friends of SDL's button mask.
uint32 BeButtons(Uint32 mask);

} // namespace BPrivate

#endif

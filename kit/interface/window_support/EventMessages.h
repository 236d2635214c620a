#ifndef _VELMORA_EVENT_MESSAGES_H
#define _VELMORA_EVENT_MESSAGES_H

#include <DisplayEvent.h>
#include <Message.h>

namespace BPrivate {

// Private commands of the window: draw pending updates.
enum {
	kUpdateMessage = '_UPD'
};

// The BeOS message for a display event, as the window's queue receives it:
//   B_KEY_DOWN, B_KEY_UP: "when", "modifiers", "key", "raw_char", "bytes",
//     "byte" (each byte), "be:key_repeat" when the key repeats
//   B_MOUSE_DOWN, B_MOUSE_UP, B_MOUSE_MOVED: "when", "where" (window
//     coordinates until the window hands it to a view), "screen_where",
//     "buttons", "modifiers", and "clicks" for B_MOUSE_DOWN; leaving the
//     window is a B_MOUSE_MOVED with "be:transit" B_EXITED_VIEW
//   B_MOUSE_WHEEL_CHANGED: "when", "be:wheel_delta_x", "be:wheel_delta_y"
//   B_WINDOW_ACTIVATED: "when", "active"
//   B_QUIT_REQUESTED for the close box
//   B_WINDOW_RESIZED: "when", "width", "height" (as Bounds() has them)
//   B_WINDOW_MOVED: "when", "where" (the content's new top left)
//   B_SIMPLE_DATA for files dropped from another program: "when", "refs"
//     (one entry_ref each), dropped at the pointer
BMessage MessageForEvent(const DisplayEvent& event);

} // namespace BPrivate

#endif

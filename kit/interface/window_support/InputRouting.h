#ifndef _VELMORA_INPUT_ROUTING_H
#define _VELMORA_INPUT_ROUTING_H

class BMessage;
class BWindow;

namespace BPrivate {

// Hands an input message of the window's queue to its view: keys to the
// shortcuts and then the focus view, mouse messages to the view under the
// pointer (or the view that asked for pointer events) with "where" in that
// view's coordinates, wheel messages to the view under the pointer, and
// dropped messages to the view under the drop point. Input for a window
// that a modal window blocks activates the modal window instead. False
// when the message is not input.
bool RouteInput(BWindow* window, BMessage* message);

} // namespace BPrivate

#endif

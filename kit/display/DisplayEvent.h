#ifndef _VELMORA_DISPLAY_EVENT_H
#define _VELMORA_DISPLAY_EVENT_H

#include <string>
#include <vector>

#include <Point.h>
#include <SupportDefs.h>

namespace BPrivate {

// One piece of input or window state that the display reports for one of
// its windows, already in BeOS terms (key bytes and codes, modifier bits,
// mouse button bits) so that the interface kit only has to wrap it into a
// message. Points are in the window's coordinates (its content's top left
// is (0, 0)); screenPoint is the same place on the screen.
struct DisplayEvent {
	enum Kind {
		kKeyDown,
		kKeyUp,
		kMouseDown,
		kMouseUp,
		kMouseMoved,
		kMouseExited,   // the pointer left the window
		kMouseWheel,
		kActivated,
		kDeactivated,
		kCloseRequested,
		kResized,       // width and height of the content, in pixels
		kMoved,         // screenPoint is the content's new top left
		kFilesDropped   // files dragged from another program, at point
	};

	Kind kind = kMouseMoved;
	bigtime_t when = 0;
	uint32 modifiers = 0;

	// Keys.
	std::string bytes;   // UTF-8 of one character, or a BeOS key byte
	int32 key = 0;       // BeOS key code
	int32 rawChar = 0;   // the character without modifiers
	bool repeat = false;

	// Mouse.
	BPoint point;
	BPoint screenPoint;
	uint32 buttons = 0;
	int32 clicks = 1;
	float wheelX = 0;
	float wheelY = 0;    // positive: towards the end of the document

	// Resizes.
	int32 width = 0;
	int32 height = 0;

	// Dropped files: absolute paths.
	std::vector<std::string> paths;
};

} // namespace BPrivate

#endif

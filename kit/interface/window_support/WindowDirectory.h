#ifndef _VELMORA_WINDOW_DIRECTORY_H
#define _VELMORA_WINDOW_DIRECTORY_H

#include <memory>
#include <vector>

#include <DisplayWindow.h>
#include <Messenger.h>
#include <Window.h>

namespace BPrivate {

// What every window of the process may know of the others without taking
// their locks: where they are, whether they are shown, their feel and
// subset, and how recently they came to the front. Each window keeps its
// own entry up to date; the entries are copied out under one mutex.
class WindowDirectory {
public:
	struct Entry {
		BWindow* window = nullptr;  // a key only: never followed
		BMessenger messenger;
		std::shared_ptr<DisplayWindow> display;
		BRect frame;
		bool shown = false;
		window_feel feel = B_NORMAL_WINDOW_FEEL;
		std::vector<BWindow*> subset;
		uint64 stamp = 0;           // higher: came to the front later
	};

	static void Enter(BWindow* window, const BMessenger& messenger,
		std::shared_ptr<DisplayWindow> display);
	static void Leave(BWindow* window);
	static void SetFrame(BWindow* window, BRect frame);
	static void SetShown(BWindow* window, bool shown);
	static void SetFeel(BWindow* window, window_feel feel, const std::vector<BWindow*>& subset);
	static void BringToFront(BWindow* window);

	// The front-most shown window whose frame holds the point.
	static bool WindowAt(BPoint screenPoint, Entry* found);
	// A shown modal window that keeps input from this one: a modal subset
	// window blocks its subset, modal app and modal all windows block every
	// window that is not modal itself.
	static bool BlockingModal(const BWindow* window, Entry* modal);
	// The display id of the window a floating or modal window belongs to:
	// the front-most of its subset, else the front-most normal window; -1.
	static int32 OwnerDisplayID(const BWindow* window);
	// The display connection of a window that has not left yet; null for a
	// window that is gone. It stays usable while held: events delivered to
	// it after the window has gone are dropped.
	static std::shared_ptr<DisplayWindow> DisplayOf(const BWindow* window);
	// Where a window that has not left yet is on the screen; false for a
	// window that is gone.
	static bool FrameOf(const BWindow* window, BRect* frame);
};

} // namespace BPrivate

#endif

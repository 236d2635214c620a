#ifndef _VELMORA_DISPLAY_WINDOW_H
#define _VELMORA_DISPLAY_WINDOW_H

#include <cairo.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include <DisplayEvent.h>

namespace BPrivate {

// A rectangle of whole pixels: x and y of its top left, and its size.
struct PixelRect {
	int32 x = 0;
	int32 y = 0;
	int32 width = 0;
	int32 height = 0;

	bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// How a window is shown on the desktop.
enum class WindowKind {
	kTitled,      // an ordinary decorated window
	kFloating,    // decorated, kept above the windows it floats over
	kFloatingAll, // decorated, kept above every window
	kModal,       // decorated dialog, kept above the window it belongs to
	kBorderless,  // a top-level window without decoration
	kPopUp        // a menu: no decoration, above everything, never focused
};

struct WindowSpec {
	WindowKind kind = WindowKind::kTitled;
	std::string title;
	PixelRect frame;          // the content on the screen
	bool resizable = true;
	bool movable = true;
	bool takesFocus = true;   // shown windows are activated
	int32 minWidth = 1;
	int32 minHeight = 1;
	int32 maxWidth = 32768;
	int32 maxHeight = 32768;
	int32 ownerID = -1;       // the window it belongs to or floats over, or -1
};

// The display's side of one window: where its events go and the pixels
// that are on the screen. The interface kit draws into a surface of its own
// and publishes the changed parts here; the display thread presents them.
// Shared by the window and the display, so either may go first.
class DisplayWindow {
public:
	typedef std::function<void(const DisplayEvent&)> EventHandler;

	DisplayWindow(int32 id, const WindowSpec& spec, EventHandler handler);
	~DisplayWindow();
	DisplayWindow(const DisplayWindow&) = delete;
	DisplayWindow& operator=(const DisplayWindow&) = delete;

	int32 ID() const { return fID; }

	// Passes an event to the window; from any thread. Nothing happens once
	// the window has detached. The handler must not wait long.
	void Deliver(const DisplayEvent& event);
	// No events after this returns (one being delivered is waited for).
	void Detach();

	// The current wish of the window; the display reads it.
	WindowSpec Spec() const;
	void SetSpec(const WindowSpec& spec);

	// Copies the given parts of an ARGB32 image surface of the window's
	// size to the pixels on the screen. True when no presentation was
	// pending: the caller then asks the display to present.
	bool Publish(cairo_surface_t* surface, const std::vector<PixelRect>& parts);
	// The display's side: the parts published since the last call (none:
	// nothing to do), with the front pixels locked while present() runs.
	typedef std::function<void(const uint8* pixels, int32 stride, int32 width, int32 height,
		const std::vector<PixelRect>& parts)> PresentFunction;
	void TakePublished(const PresentFunction& present);
	// All of the front pixels are due again (the screen lost them).
	void RepublishAll();
	// A copy of what is on the screen, as an ARGB32 surface (null before
	// anything was published); the caller destroys it.
	cairo_surface_t* CopyFront() const;

private:
	void _ResizeFront(int32 width, int32 height);

	const int32 fID;

	std::mutex fHandlerLock;
	EventHandler fHandler;

	mutable std::mutex fLock;  // guards everything below
	WindowSpec fSpec;
	std::vector<uint8> fFront;
	int32 fFrontWidth = 0;
	int32 fFrontHeight = 0;
	std::vector<PixelRect> fPublished;
	bool fPresentPending = false;
};

} // namespace BPrivate

#endif

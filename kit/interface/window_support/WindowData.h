#ifndef _VELMORA_WINDOW_DATA_H
#define _VELMORA_WINDOW_DATA_H

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include <DisplayWindow.h>
#include <Message.h>
#include <MessageRunner.h>
#include <Region.h>
#include <Window.h>

#include "Shortcuts.h"

namespace BPrivate {

struct SurfaceRelease {
	void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
typedef std::unique_ptr<cairo_surface_t, SurfaceRelease> SurfaceHolder;

// A message being dragged, from DragMessage() until it is dropped.
struct DragState {
	BMessage message;
	BPoint offset;          // where the pointer holds the dragged rectangle
	BMessenger replyTo;
};

// What a BWindow keeps. Used under the window's lock.
struct WindowData {
	std::string title;
	BRect frame;             // the content, on the screen
	window_look look = B_TITLED_WINDOW_LOOK;
	window_feel feel = B_NORMAL_WINDOW_FEEL;
	uint32 flags = 0;
	uint32 workspaces = B_CURRENT_WORKSPACE;
	float minWidth = 0;
	float maxWidth = 32767;
	float minHeight = 0;
	float maxHeight = 32767;
	std::vector<BWindow*> subset;  // not owned; compared, never followed

	std::unique_ptr<BView> topView;
	BView* focus = nullptr;        // not owned (views below topView)
	BView* mouseView = nullptr;    // the view the pointer was last over
	BView* pointerView = nullptr;  // asked for every pointer event
	BView* keyMenuBar = nullptr;
	BButton* defaultButton = nullptr;  // not owned (a view below topView)
	std::unique_ptr<DragState> drag;
	BPoint mouseWhere;             // window coordinates
	uint32 mouseButtons = 0;

	int32 showLevel = 1;           // above 0: hidden
	bool active = false;
	bool minimized = false;

	SurfaceHolder surface;
	BRegion dirty;                 // waits to be drawn
	BRegion changed;               // drawn, waits to be handed to the display
	bool updatePending = false;    // an update message is queued
	int32 updatesDisabled = 0;
	int32 transactions = 0;
	bool inUpdate = false;
	bigtime_t lastDrawn = 0;
	// Changes whenever a view moves, resizes, scrolls, shows, hides or
	// joins or leaves the tree: the views' cached regions are stale then.
	int32 geometryGeneration = 0;

	bigtime_t pulseRate = 500000;
	std::unique_ptr<BMessageRunner> pulseRunner;
	ShortcutList shortcuts;

	std::shared_ptr<DisplayWindow> display;
};

} // namespace BPrivate

#endif

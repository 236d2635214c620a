#ifndef _VELMORA_VIEW_DATA_H
#define _VELMORA_VIEW_DATA_H

#include <memory>
#include <string>
#include <vector>

#include <Bitmap.h>
#include <Region.h>
#include <View.h>

#include "../interface_support/Painter.h"

namespace BPrivate {

// What a BView keeps. Reached by the window's helpers through WindowAccess.
struct ViewData {
	BRect frame;              // in the parent's coordinates
	BPoint scrollOrigin;      // the left top of the bounds
	uint32 resizingMode = B_FOLLOW_NONE;
	uint32 flags = 0;
	BView* parent = nullptr;  // not owned
	std::vector<BView*> children;  // owned
	uint32 childrenChanges = 0;   // counts children added and removed
	BWindow* window = nullptr;     // not owned; set while attached
	int32 showLevel = 0;      // above 0: hidden
	rgb_color viewColor = {255, 255, 255, 255};
	uint32 mouseEventMask = 0;

	// The background picture: a copy of the part given, placed at
	// destination and repeated as the options say.
	std::unique_ptr<BBitmap> viewBitmap;
	BRect bitmapDestination;
	uint32 bitmapOptions = 0;

	// Colours, pen and font live in the painter even while detached.
	Painter painter;

	// The parts of the window this view covers, in window coordinates,
	// cached for one geometry generation of the window: clip is the frame
	// within the parents', visible also leaves out the shown children. A
	// child that moves changes its parent's visible part only, so that
	// moving each of many children finds the parent's clip still cached.
	int32 cacheGeneration = -1;
	int32 visibleGeneration = -1;
	BRegion clip;
	BRegion visible;
	int32 painterGeneration = -1;  // the generation the painter is set up for
	bool drawingUpdate = false;    // inside Draw() of an update
};

} // namespace BPrivate

#endif

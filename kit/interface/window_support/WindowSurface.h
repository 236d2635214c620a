#ifndef _VELMORA_WINDOW_SURFACE_H
#define _VELMORA_WINDOW_SURFACE_H

#include <DisplayWindow.h>
#include <SupportDefs.h>

class BWindow;

namespace BPrivate {

// The window's drawing surface: ARGB32, the size of its content, white
// where nothing was drawn; what it had is kept when it changes size.
// Resizes the surface, when the window has one yet.
void ResizeSurface(BWindow* window, int32 width, int32 height);
// The window's surface, made white the size of its frame when it has none.
// Under the window's lock.
cairo_surface_t* SurfaceOf(BWindow* window);
// Gives the window a new content size (as Bounds() has it): surface,
// frame and top view, whose children follow their resizing modes.
void ApplyWindowSize(BWindow* window, float width, float height);
// What the display should make of the window now.
WindowSpec SpecOf(const BWindow* window);
// Hands the changed pixels to the display, unless the window is hidden or
// inside a view transaction.
void PublishChanges(BWindow* window);

} // namespace BPrivate

#endif

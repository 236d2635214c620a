#ifndef _VELMORA_UPDATE_DRAWING_H
#define _VELMORA_UPDATE_DRAWING_H

class BRegion;
class BView;
class BWindow;

namespace BPrivate {

// Points a view's painter at the window's surface, its origin and its
// visible part, if the window's geometry changed since it last was.
void PreparePainter(BView* view);

// Draws what is waiting in the window's dirty region: for each shown view
// that meets it, parents first, the background (view colour or view bitmap)
// and then Draw() with the painter limited to the view's part of the
// region. The region drawn joins the window's changed pixels.
void DrawUpdate(BWindow* window);
// Whether a frame's time has passed since the window last drew: a window
// busy with a flood of messages draws at most at the display's pace.
bool FrameIsDue(BWindow* window);

// Adds a region (window coordinates) to what the window must draw and
// makes sure an update message is on its way.
void AddDirty(BWindow* window, const BRegion& region);
// Marks the views' cached regions stale after a change of the tree.
void GeometryChanged(BWindow* window);

} // namespace BPrivate

#endif

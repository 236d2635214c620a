#ifndef _VELMORA_VIEW_TREE_H
#define _VELMORA_VIEW_TREE_H

#include <functional>
#include <vector>

#include <Rect.h>
#include <Region.h>

class BView;

namespace BPrivate {

// Geometry of a window's tree of views. Window coordinates have the
// content's top left at (0, 0); the top view covers the window.

// Where a frame goes when its parent grows by (dx, dy): every edge follows
// its rule of the resizing mode (unchanged, by the full or by half the change).
BRect FollowResize(BRect frame, uint32 resizingMode, float dx, float dy);

BPoint ToWindow(const BView* view, BPoint point);
BPoint FromWindow(const BView* view, BPoint point);
BRect ToWindow(const BView* view, BRect rect);
BRect FromWindow(const BView* view, BRect rect);

// Whether the view and all its parents are shown (the window aside).
bool IsShownInTree(const BView* view);
// The view's frame within its parents' (its children included), and the
// part of that it draws on itself (shown children left out), in window
// coordinates. Both are cached until the window's geometry changes.
const BRegion& ClipOf(BView* view);
const BRegion& VisibleOf(BView* view);
// The view moved within its parent: its regions and those of the views in
// it are worked out anew, as is its parent's visible part if the parent
// leaves its children out of it. The rest of the window keeps its regions:
// moving a thousand pictures in a text view does not work out the regions
// of every other view a thousand times.
void ViewMoved(BView* view);

// The deepest shown view under a point of the window (later children lie
// on top of earlier ones); the top view when no other.
BView* ViewAt(BView* top, BPoint windowPoint);
// Every view below top (top included), parents before their children.
std::vector<BView*> ViewsOf(BView* top);
void ForEachView(BView* top, const std::function<void(BView*)>& visit);
// The next (or previous) shown B_NAVIGABLE view after from in tree order,
// wrapping around; null when there is none but from.
BView* NextNavigable(BView* top, BView* from, bool forward);

} // namespace BPrivate

#endif

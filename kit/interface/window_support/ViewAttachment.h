#ifndef _VELMORA_VIEW_ATTACHMENT_H
#define _VELMORA_VIEW_ATTACHMENT_H

class BView;
class BWindow;

namespace BPrivate {

// Puts a view and its children into a window: they become the window's
// handlers (a view's next handler is its parent, the top view's the
// window), draw on its surface, and hear AttachedToWindow() parents first,
// then AllAttached() children first. A view added by one of these hooks
// hears each hook once.
void AttachTree(BView* view, BWindow* window);
// The reverse, while the views are still in the window:
// DetachedFromWindow() parents first, AllDetached() children first; then
// the window forgets them (focus, pointer and menu bar included).
void DetachTree(BView* view);

} // namespace BPrivate

#endif

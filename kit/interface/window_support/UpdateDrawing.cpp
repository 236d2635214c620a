#include "UpdateDrawing.h"

#include "EventMessages.h"
#include "ViewTree.h"
#include "WindowAccess.h"
#include "WindowSurface.h"

namespace BPrivate {

namespace {

void FillBackground(BView* view, Painter& painter, const BRegion& area)
{
	ViewData& data = WindowAccess::Of(view);
	if (data.viewBitmap == nullptr && data.viewColor == B_TRANSPARENT_COLOR)
		return;
	painter.PushState();
	painter.ConstrainClippingRegion(nullptr);
	painter.SetDrawingMode(B_OP_COPY);
	BRect bounds = FromWindow(view, area.Frame());
	if (data.viewColor != B_TRANSPARENT_COLOR) {
		painter.SetHighColor(data.viewColor);
		painter.FillRect(bounds);
	}
	if (data.viewBitmap != nullptr) {
		const BBitmap* bitmap = data.viewBitmap.get();
		uint32 tiling = data.bitmapOptions & B_TILE_BITMAP;
		if (tiling == B_TILE_BITMAP) {
			painter.DrawTiledBitmap(bitmap, bounds, data.bitmapDestination.LeftTop());
		} else if (tiling != 0) {
			// Repeated along one axis only: a strip through the destination.
			BRect strip = bounds;
			if (tiling == B_TILE_BITMAP_X) {
				strip.top = data.bitmapDestination.top;
				strip.bottom = data.bitmapDestination.bottom;
			} else {
				strip.left = data.bitmapDestination.left;
				strip.right = data.bitmapDestination.right;
			}
			painter.DrawTiledBitmap(bitmap, strip & bounds, data.bitmapDestination.LeftTop());
		} else {
			painter.DrawBitmap(bitmap, bitmap->Bounds(), data.bitmapDestination);
		}
	}
	painter.PopState();
}

// The update of a view and its children. dirtyFrame is the bounding
// rectangle of dirty, and parentOrigin where the origin of the view's
// parent lies in the window: both are worked out once for all the
// children of a view, which may be a thousand pictures on a long page.
// The view's parents are shown, or it would not be reached.
void DrawView(BView* view, const BRegion& dirty, BRect dirtyFrame, BPoint parentOrigin)
{
	ViewData& data = WindowAccess::Of(view);
	if (data.showLevel > 0)
		return;
	// A view and its children draw within its frame: one away from what is
	// dirty (a picture far down a long page) is passed by without working
	// out its regions, which every move of a view makes anew.
	if (data.parent != nullptr
			&& !data.frame.OffsetByCopy(parentOrigin).Intersects(dirtyFrame))
		return;
	BRegion area = VisibleOf(view);
	area.IntersectWith(&dirty);
	if (area.CountRects() > 0) {
		PreparePainter(view);
		data.painter.SetClipping(&area);
		data.drawingUpdate = true;
		FillBackground(view, data.painter, area);
		if ((data.flags & B_WILL_DRAW) != 0)
			view->Draw(FromWindow(view, area.Frame()));
		data.drawingUpdate = false;
		// Back to the visible part for drawing outside updates.
		data.painter.SetClipping(&VisibleOf(view));
	}
	BPoint origin = parentOrigin + data.frame.LeftTop() - data.scrollOrigin;
	// A child may be removed by its parent's Draw(): walk a copy.
	std::vector<BView*> children = data.children;
	for (BView* child : children) {
		if (WindowAccess::Of(child).parent == view)
			DrawView(child, dirty, dirtyFrame, origin);
	}
}

} // namespace

void PreparePainter(BView* view)
{
	ViewData& data = WindowAccess::Of(view);
	WindowData& window = WindowAccess::Of(data.window);
	cairo_surface_t* surface = SurfaceOf(data.window);
	if (data.painterGeneration == window.geometryGeneration && data.painter.Surface() == surface)
		return;
	if (data.painter.Surface() != surface)
		data.painter.SetSurface(surface);
	data.painter.SetOrigin(ToWindow(view, B_ORIGIN));
	data.painter.SetClipping(&VisibleOf(view));
	data.painterGeneration = window.geometryGeneration;
}

void DrawUpdate(BWindow* window)
{
	WindowData& data = WindowAccess::Of(window);
	if (data.dirty.CountRects() == 0 || data.topView == nullptr)
		return;
	BRegion dirty = data.dirty;
	data.dirty.MakeEmpty();
	data.lastDrawn = system_time();
	data.inUpdate = true;
	DrawView(data.topView.get(), dirty, dirty.Frame(), B_ORIGIN);
	data.inUpdate = false;
	data.changed.Include(&dirty);
}

bool FrameIsDue(BWindow* window)
{
	constexpr bigtime_t kFrame = 16667;
	return system_time() - WindowAccess::Of(window).lastDrawn >= kFrame;
}

void AddDirty(BWindow* window, const BRegion& region)
{
	if (window == nullptr || region.CountRects() == 0)
		return;
	WindowData& data = WindowAccess::Of(window);
	data.dirty.Include(&region);
	if (data.updatePending)
		return;
	data.updatePending = true;
	window->PostMessage(kUpdateMessage);
}

void GeometryChanged(BWindow* window)
{
	if (window != nullptr)
		WindowAccess::Of(window).geometryGeneration++;
}

} // namespace BPrivate

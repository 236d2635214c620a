#include "ViewTree.h"

#include <utility>
#include <vector>

#include "WindowAccess.h"

namespace BPrivate {

namespace {

// How an edge moves when its parent grows by delta, by its 4-bit rule.
float EdgeShift(uint32 rule, float delta)
{
	switch (rule) {
		case _VIEW_BOTTOM_:
		case _VIEW_RIGHT_:
			return delta;
		case _VIEW_CENTER_:
			return delta / 2;
		default:
			return 0;
	}
}

void RefreshClip(BView* view)
{
	ViewData& data = WindowAccess::Of(view);
	int32 generation = WindowAccess::Of(data.window).geometryGeneration;
	if (data.cacheGeneration == generation)
		return;
	BRegion clip;
	if (IsShownInTree(view)) {
		if (data.parent == nullptr) {
			clip.Set(data.frame);
		} else {
			// A view wholly outside its parent's clip, as the pictures of a
			// long page are but for the few on screen, is clipped away: no
			// region is built for it. Placing every picture behind an edit
			// asks for the clip of each.
			BRect frame = ToWindow(data.parent, data.frame);
			const BRegion& parentClip = ClipOf(data.parent);
			if (parentClip.Intersects(frame)) {
				clip.Set(frame);
				clip.IntersectWith(&parentClip);
			}
		}
	}
	data.clip = std::move(clip);
	data.cacheGeneration = generation;
}

void RefreshVisible(BView* view)
{
	RefreshClip(view);
	ViewData& data = WindowAccess::Of(view);
	if (data.visibleGeneration == data.cacheGeneration)
		return;
	data.visible = data.clip;
	if ((data.flags & B_DRAW_ON_CHILDREN) == 0) {
		for (BView* child : data.children) {
			ViewData& childData = WindowAccess::Of(child);
			if (childData.showLevel > 0)
				continue;
			BRegion covered(ToWindow(view, childData.frame));
			data.visible.Exclude(&covered);
		}
	}
	data.visibleGeneration = data.cacheGeneration;
}

// A moved view and the views inside it work out their clips, visible
// parts and drawing origins again when next asked. Visited in place: the
// tree does not change meanwhile, and most moved views have no children.
void ForgetPlaces(BView* view)
{
	ViewData& data = WindowAccess::Of(view);
	data.cacheGeneration = -1;
	data.visibleGeneration = -1;
	data.painterGeneration = -1;
	for (BView* child : data.children)
		ForgetPlaces(child);
}

void CollectViews(BView* view, std::vector<BView*>& views)
{
	views.push_back(view);
	for (BView* child : WindowAccess::Of(view).children)
		CollectViews(child, views);
}

} // namespace

BRect FollowResize(BRect frame, uint32 resizingMode, float dx, float dy)
{
	frame.top += EdgeShift((resizingMode >> 12) & 0xf, dy);
	frame.left += EdgeShift((resizingMode >> 8) & 0xf, dx);
	frame.bottom += EdgeShift((resizingMode >> 4) & 0xf, dy);
	frame.right += EdgeShift(resizingMode & 0xf, dx);
	return frame;
}

BPoint ToWindow(const BView* view, BPoint point)
{
	for (; view != nullptr; view = WindowAccess::Of(view).parent) {
		const ViewData& data = WindowAccess::Of(view);
		point = point - data.scrollOrigin + data.frame.LeftTop();
	}
	return point;
}

BPoint FromWindow(const BView* view, BPoint point)
{
	if (view == nullptr)
		return point;
	const ViewData& data = WindowAccess::Of(view);
	point = FromWindow(data.parent, point);
	return point - data.frame.LeftTop() + data.scrollOrigin;
}

BRect ToWindow(const BView* view, BRect rect)
{
	return BRect(ToWindow(view, rect.LeftTop()), ToWindow(view, rect.RightBottom()));
}

BRect FromWindow(const BView* view, BRect rect)
{
	return BRect(FromWindow(view, rect.LeftTop()), FromWindow(view, rect.RightBottom()));
}

bool IsShownInTree(const BView* view)
{
	for (; view != nullptr; view = WindowAccess::Of(view).parent) {
		if (WindowAccess::Of(view).showLevel > 0)
			return false;
	}
	return true;
}

const BRegion& ClipOf(BView* view)
{
	RefreshClip(view);
	return WindowAccess::Of(view).clip;
}

const BRegion& VisibleOf(BView* view)
{
	RefreshVisible(view);
	return WindowAccess::Of(view).visible;
}

void ViewMoved(BView* view)
{
	ForgetPlaces(view);
	BView* parent = WindowAccess::Of(view).parent;
	if (parent != nullptr && (WindowAccess::Of(parent).flags & B_DRAW_ON_CHILDREN) == 0) {
		ViewData& data = WindowAccess::Of(parent);
		data.visibleGeneration = -1;
		data.painterGeneration = -1;
	}
}

BView* ViewAt(BView* top, BPoint windowPoint)
{
	const std::vector<BView*>& children = WindowAccess::Of(top).children;
	for (auto child = children.rbegin(); child != children.rend(); ++child) {
		if (IsShownInTree(*child) && ClipOf(*child).Contains(windowPoint))
			return ViewAt(*child, windowPoint);
	}
	return top;
}

std::vector<BView*> ViewsOf(BView* top)
{
	std::vector<BView*> views;
	CollectViews(top, views);
	return views;
}

void ForEachView(BView* top, const std::function<void(BView*)>& visit)
{
	for (BView* view : ViewsOf(top))
		visit(view);
}

BView* NextNavigable(BView* top, BView* from, bool forward)
{
	std::vector<BView*> views = ViewsOf(top);
	int32 count = static_cast<int32>(views.size());
	int32 start = -1;
	for (int32 i = 0; i < count; i++) {
		if (views[i] == from)
			start = i;
	}
	if (start < 0)
		start = forward ? -1 : count;
	for (int32 step = 1; step <= count; step++) {
		int32 index = ((forward ? start + step : start - step) % count + count) % count;
		BView* candidate = views[index];
		if (candidate != from && (WindowAccess::Of(candidate).flags & B_NAVIGABLE) != 0
			&& IsShownInTree(candidate))
			return candidate;
	}
	return nullptr;
}

} // namespace BPrivate

#include "ViewAttachment.h"

#include <vector>

#include <Button.h>

#include "ViewTree.h"
#include "WindowPulse.h"
#include "WindowAccess.h"

namespace BPrivate {

namespace {

void Enter(BView* view, BWindow* window, std::vector<BView*>& entered)
{
	ViewData& data = WindowAccess::Of(view);
	data.window = window;
	window->AddHandler(view);
	view->SetNextHandler(data.parent != nullptr ? static_cast<BHandler*>(data.parent)
		: static_cast<BHandler*>(window));
	data.cacheGeneration = -1;
	data.visibleGeneration = -1;
	data.painterGeneration = -1;
	entered.push_back(view);
	for (BView* child : data.children)
		Enter(child, window, entered);
}

bool StillIn(BView* view, BWindow* window)
{
	return window->IndexOf(view) >= 0 && WindowAccess::Of(view).window == window;
}

void Leave(BView* view)
{
	ViewData& data = WindowAccess::Of(view);
	for (BView* child : data.children)
		Leave(child);
	BWindow* window = data.window;
	if (window == nullptr)
		return;
	WindowData& windowData = WindowAccess::Of(window);
	if (windowData.focus == view) {
		windowData.focus = nullptr;
		window->SetPreferredHandler(nullptr);
	}
	if (windowData.mouseView == view)
		windowData.mouseView = nullptr;
	if (windowData.pointerView == view)
		windowData.pointerView = nullptr;
	if (windowData.keyMenuBar == view)
		windowData.keyMenuBar = nullptr;
	if (windowData.defaultButton != nullptr && static_cast<BView*>(windowData.defaultButton) == view)
		windowData.defaultButton = nullptr;
	window->RemoveHandler(view);
	view->SetNextHandler(nullptr);
	data.painter.SetSurface(nullptr);
	data.window = nullptr;
}

} // namespace

void AttachTree(BView* view, BWindow* window)
{
	std::vector<BView*> entered;
	Enter(view, window, entered);
	bool wantsPulse = false;
	for (BView* each : entered)
		wantsPulse |= (WindowAccess::Of(each).flags & B_PULSE_NEEDED) != 0;
	if (wantsPulse && WindowAccess::Of(window).pulseRunner == nullptr)
		RefreshPulse(window);
	// A hook may add or remove views: the ones it adds hear their own
	// hooks from AddChild, the ones it removes are skipped.
	for (BView* each : entered) {
		if (StillIn(each, window))
			each->AttachedToWindow();
	}
	for (auto each = entered.rbegin(); each != entered.rend(); ++each) {
		if (StillIn(*each, window))
			(*each)->AllAttached();
	}
}

void DetachTree(BView* view)
{
	BWindow* window = WindowAccess::Of(view).window;
	if (window == nullptr)
		return;
	std::vector<BView*> views = ViewsOf(view);
	for (BView* each : views) {
		if (StillIn(each, window))
			each->DetachedFromWindow();
	}
	for (auto each = views.rbegin(); each != views.rend(); ++each) {
		if (StillIn(*each, window))
			(*each)->AllDetached();
	}
	Leave(view);
}

} // namespace BPrivate

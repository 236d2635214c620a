#include "WindowPulse.h"

#include <vector>

#include "ViewTree.h"
#include "WindowAccess.h"

namespace BPrivate {

namespace {

bool WantsPulse(BView* top)
{
	bool wanted = false;
	ForEachView(top, [&](BView* view) {
		if ((WindowAccess::Of(view).flags & B_PULSE_NEEDED) != 0)
			wanted = true;
	});
	return wanted;
}

} // namespace

void RefreshPulse(BWindow* window)
{
	WindowData& data = WindowAccess::Of(window);
	bool needed = window->Thread() >= 0 && data.pulseRate > 0 && data.topView != nullptr
		&& WantsPulse(data.topView.get());
	if (!needed) {
		data.pulseRunner.reset();
		return;
	}
	bigtime_t interval = 0;
	int32 count = 0;
	if (data.pulseRunner != nullptr && data.pulseRunner->GetInfo(&interval, &count) == B_OK
		&& interval == data.pulseRate)
		return;
	BMessage pulse(B_PULSE);
	data.pulseRunner = std::make_unique<BMessageRunner>(BMessenger(window), &pulse,
		data.pulseRate);
}

void PulseViews(BWindow* window)
{
	WindowData& data = WindowAccess::Of(window);
	if (data.topView == nullptr)
		return;
	std::vector<BView*> views;
	ForEachView(data.topView.get(), [&](BView* view) {
		if ((WindowAccess::Of(view).flags & B_PULSE_NEEDED) != 0)
			views.push_back(view);
	});
	for (BView* view : views) {
		// An earlier Pulse() may have removed or hidden it.
		if (window->IndexOf(view) >= 0 && IsShownInTree(view))
			view->Pulse();
	}
}

} // namespace BPrivate

#include <AppPrivate.h>

#include <algorithm>
#include <mutex>

#include "looper_support/LooperRegistry.h"

namespace BPrivate {

namespace {

struct Windows {
	std::mutex lock;
	std::vector<BLooper*> loopers;
};

Windows& TheWindows()
{
	static Windows* windows = new Windows;
	return *windows;
}

} // namespace

void RegisterWindowLooper(BLooper* window)
{
	if (window == nullptr)
		return;
	Windows& windows = TheWindows();
	std::lock_guard<std::mutex> lock(windows.lock);
	if (std::find(windows.loopers.begin(), windows.loopers.end(), window) == windows.loopers.end())
		windows.loopers.push_back(window);
}

void UnregisterWindowLooper(BLooper* window)
{
	Windows& windows = TheWindows();
	std::lock_guard<std::mutex> lock(windows.lock);
	windows.loopers.erase(std::remove(windows.loopers.begin(), windows.loopers.end(), window),
		windows.loopers.end());
}

std::vector<BLooper*> WindowLoopers()
{
	Windows& windows = TheWindows();
	std::lock_guard<std::mutex> lock(windows.lock);
	return windows.loopers;
}

bool LockWindowLooper(BLooper* window, bigtime_t timeout)
{
	return LooperRegistry::Lock(window, timeout) == B_OK;
}

} // namespace BPrivate

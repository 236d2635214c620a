#include "DispatchObserver.h"

#include <atomic>
#include <memory>
#include <mutex>

#include <AppPrivate.h>

namespace BPrivate {

namespace {

// Every dispatch checks the flag alone while nobody observes.
std::atomic<bool> sObserving{false};
std::mutex sLock;
std::shared_ptr<DispatchObserver> sObserver;

} // namespace

void SetDispatchObserver(DispatchObserver observer)
{
	std::lock_guard<std::mutex> guard(sLock);
	sObserver = observer ? std::make_shared<DispatchObserver>(std::move(observer)) : nullptr;
	sObserving = sObserver != nullptr;
}

bool DispatchObserved(BLooper* looper, BMessage* message)
{
	if (!sObserving.load())
		return false;
	std::shared_ptr<DispatchObserver> observer;
	{
		std::lock_guard<std::mutex> guard(sLock);
		observer = sObserver;
	}
	return observer != nullptr && (*observer)(looper, message);
}

} // namespace BPrivate

#include "LooperLock.h"

#include <algorithm>
#include <chrono>

namespace BPrivate {

status_t LooperLock::Acquire(bigtime_t timeout)
{
	const thread_id self = find_thread(nullptr);
	// Only this thread can make itself the owner, so the check is exact.
	if (fOwner.load() == self) {
		fCount++;
		return B_OK;
	}

	std::unique_lock<std::mutex> lock(fMutex);
	fRequests++;
	auto canProceed = [this] { return fRetired || fOwner.load() == -1; };
	bool ready = true;
	if (timeout == B_INFINITE_TIMEOUT)
		fReleased.wait(lock, canProceed);
	else
		ready = fReleased.wait_for(lock, std::chrono::microseconds(std::max<bigtime_t>(timeout, 0)),
			canProceed);
	fRequests--;
	if (!ready)
		return B_TIMED_OUT;
	if (fRetired)
		return B_BAD_VALUE;
	fOwner.store(self);
	fCount.store(1);
	return B_OK;
}

void LooperLock::Release()
{
	if (fOwner.load() != find_thread(nullptr))
		return;
	if (--fCount > 0)
		return;
	// Notified under the mutex: once a waiter takes the lock it may delete
	// the looper, and this object with it when nobody else shares the port.
	std::lock_guard<std::mutex> lock(fMutex);
	fOwner.store(-1);
	fReleased.notify_one();
}

int32 LooperLock::ReleaseAll()
{
	if (fOwner.load() != find_thread(nullptr))
		return 0;
	int32 levels = fCount.exchange(0);
	std::lock_guard<std::mutex> lock(fMutex);
	fOwner.store(-1);
	fReleased.notify_one();
	return levels;
}

void LooperLock::Retire()
{
	std::lock_guard<std::mutex> lock(fMutex);
	fRetired = true;
	fReleased.notify_all();
}

bool LooperLock::IsHeldByCaller() const
{
	return fOwner.load() == find_thread(nullptr);
}

} // namespace BPrivate

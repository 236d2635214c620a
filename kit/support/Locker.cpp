#include <Locker.h>

#include <unistd.h>

#include <chrono>

BLocker::BLocker()
	: BLocker("some BLocker")
{
}

BLocker::BLocker(const char* name, bool)
	: fName(name != nullptr ? name : "")
{
}

BLocker::BLocker(bool)
	: BLocker("some BLocker")
{
}

BLocker::~BLocker() = default;

bool BLocker::IsLocked() const
{
	return fOwner.load() == gettid();
}

bool BLocker::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BLocker::LockWithTimeout(bigtime_t timeout)
{
	const pid_t self = gettid();
	// Only this thread can make itself the owner, so reading the owner
	// without the mutex is exact for the re-entrant case.
	if (fOwner.load() == self) {
		fCount++;
		return B_OK;
	}

	fRequests++;
	std::unique_lock<std::mutex> lock(fMutex);
	auto isFree = [this] { return fOwner.load() == -1; };
	if (timeout == B_INFINITE_TIMEOUT) {
		fReleased.wait(lock, isFree);
	} else if (!fReleased.wait_for(lock, std::chrono::microseconds(timeout < 0 ? 0 : timeout), isFree)) {
		fRequests--;
		return B_TIMED_OUT;
	}
	fOwner.store(self);
	fCount = 1;
	fRequests--;
	return B_OK;
}

void BLocker::Unlock()
{
	if (fOwner.load() != gettid())
		return;
	if (--fCount > 0)
		return;
	{
		std::lock_guard<std::mutex> lock(fMutex);
		fOwner.store(-1);
	}
	fReleased.notify_one();
}

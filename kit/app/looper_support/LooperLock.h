#ifndef _VELMORA_LOOPER_LOCK_H
#define _VELMORA_LOOPER_LOCK_H

#include <atomic>
#include <condition_variable>
#include <mutex>

#include <OS.h>

namespace BPrivate {

// A looper's recursive lock, owned by a thread. It lives in the looper's
// port, apart from the looper, so that a thread waiting for it when the
// looper is deleted wakes up and fails instead of touching freed memory.
class LooperLock {
public:
	// B_OK; B_TIMED_OUT; B_BAD_VALUE once the looper is retired. The owner
	// may lock again even after retirement (the deleting thread owns it).
	status_t Acquire(bigtime_t timeout);
	void Release();
	// Gives up every level the calling thread holds; returns how many.
	int32 ReleaseAll();
	// No thread may take the lock any more; waiters fail.
	void Retire();

	bool IsHeldByCaller() const;
	thread_id Owner() const { return fOwner.load(); }
	int32 Count() const { return fCount.load(); }
	int32 Requests() const { return fRequests.load(); }

private:
	std::mutex fMutex;
	std::condition_variable fReleased;
	std::atomic<thread_id> fOwner{-1};
	std::atomic<int32> fCount{0};
	std::atomic<int32> fRequests{0};
	bool fRetired = false;
};

} // namespace BPrivate

#endif

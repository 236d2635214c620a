#ifndef _LOCKER_H
#define _LOCKER_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>

#include <SupportDefs.h>

// A recursive lock owned by a thread: the owner may lock it again, and only
// the owner's last Unlock() frees it for others.
class BLocker {
public:
	BLocker();
	explicit BLocker(const char* name, bool benaphoreStyle = true);
	explicit BLocker(bool benaphoreStyle);
	~BLocker();

	BLocker(const BLocker&) = delete;
	BLocker& operator=(const BLocker&) = delete;

	status_t InitCheck() const { return B_OK; }

	bool Lock();
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();

	// The thread that holds the lock, or -1.
	pid_t LockingThread() const { return fOwner.load(); }
	// True when the calling thread holds the lock.
	bool IsLocked() const;
	int32 CountLocks() const { return fCount; }
	int32 CountLockRequests() const { return fRequests.load(); }
	const char* Name() const { return fName.c_str(); }

private:
	std::string fName;
	std::mutex fMutex;
	std::condition_variable fReleased;
	std::atomic<pid_t> fOwner{-1};
	int32 fCount = 0;          // nesting depth; touched only by the owner
	std::atomic<int32> fRequests{0};
};

#endif

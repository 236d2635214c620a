#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

// Holds a lock for the lifetime of a scope. Works with anything that has
// bool Lock() and void Unlock(): BLocker, BLooper, BWindow.
class BAutolock {
public:
	template <typename Lockable>
	explicit BAutolock(Lockable* lockable)
		: fObject(lockable),
		  fUnlock([](void* object) { static_cast<Lockable*>(object)->Unlock(); })
	{
		fLocked = lockable != nullptr && lockable->Lock();
	}

	template <typename Lockable>
	explicit BAutolock(Lockable& lockable)
		: BAutolock(&lockable)
	{
	}

	~BAutolock()
	{
		if (fLocked)
			fUnlock(fObject);
	}

	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

	bool IsLocked() const { return fLocked; }

private:
	void* fObject;
	void (*fUnlock)(void*);
	bool fLocked = false;
};

#endif

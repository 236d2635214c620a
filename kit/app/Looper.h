#ifndef _LOOPER_H
#define _LOOPER_H

#include <atomic>
#include <memory>
#include <vector>

#include <AppDefs.h>
#include <Handler.h>
#include <OS.h>

class BMessage;

namespace BPrivate {
struct LooperPort;
}

// A thread with a queue of messages, handled one at a time in arrival
// order under the looper's lock. The looper is locked by the thread that
// constructs it until Run(). Posting waits while the queue is full, except
// for the looper's own thread and threads holding its lock: the looper
// cannot drain its queue then, so their messages go past the capacity.
class BLooper : public BHandler {
public:
	explicit BLooper(const char* name = NULL, int32 priority = B_NORMAL_PRIORITY,
		int32 portCapacity = B_LOOPER_PORT_DEFAULT_CAPACITY);
	~BLooper() override;

	// PostMessage(message) aims at the looper itself; with a handler
	// argument, a null handler means the preferred handler.
	status_t PostMessage(uint32 command);
	status_t PostMessage(BMessage* message);
	status_t PostMessage(uint32 command, BHandler* handler, BHandler* replyTo = NULL);
	status_t PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo = NULL);

	virtual void DispatchMessage(BMessage* message, BHandler* handler);
	BMessage* CurrentMessage() const { return fCurrentMessage.get(); }
	BMessage* DetachCurrentMessage();

	void AddHandler(BHandler* handler);
	bool RemoveHandler(BHandler* handler);
	int32 CountHandlers() const;
	BHandler* HandlerAt(int32 index) const;
	int32 IndexOf(BHandler* handler) const;
	BHandler* PreferredHandler() const { return fPreferred; }
	void SetPreferredHandler(BHandler* handler);

	virtual thread_id Run();
	// From the looper's thread: the loop ends after the current message and
	// the looper is deleted. From another thread (which should hold the
	// lock): pending messages are dropped, the caller waits for the thread
	// to end, and the looper is gone when Quit() returns.
	virtual void Quit();
	virtual bool QuitRequested();

	// Fails when the looper is deleted while the caller waits. A looper that
	// may already be gone is locked through a handler's LockLooper() or a
	// BMessenger's LockTarget(), never by calling a member of it.
	bool Lock();
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();
	bool IsLocked() const;
	thread_id Thread() const { return fThread.load(); }
	thread_id LockingThread() const;
	int32 CountLocks() const;
	int32 CountLockRequests() const;

protected:
	// Whether messages wait behind the one being handled.
	bool IsMessageWaiting() const;

private:
	friend class BApplication;

	static status_t ThreadEntry(void* looper);
	thread_id StartThread(thread_func entry);
	void Loop();
	void DispatchOne(std::unique_ptr<BMessage> message);
	BHandler* TargetOf(const BMessage& message);
	void HandleQuitRequest(BMessage* message);
	status_t Post(BMessage* message, int32 handlerToken, BHandler* replyTo);

	std::shared_ptr<BPrivate::LooperPort> fPort;
	std::vector<BHandler*> fHandlers;    // not owned
	BHandler* fPreferred = nullptr;      // not owned
	std::unique_ptr<BMessage> fCurrentMessage;
	std::atomic<thread_id> fThread{-1};
	const int32 fPriority;
	std::atomic<bool> fTerminating{false};
	bool fRunCalled = false;
	// False for the application, which main() deletes after Run() returns.
	bool fDeleteWhenDone = true;
};

#endif

#ifndef _HANDLER_H
#define _HANDLER_H

#include <atomic>
#include <string>

#include <SupportDefs.h>

class BLooper;
class BMessage;

// Something that messages are delivered to. A handler belongs to at most
// one looper and is used under that looper's lock.
class BHandler {
public:
	explicit BHandler(const char* name = NULL);
	virtual ~BHandler();

	BHandler(const BHandler&) = delete;
	BHandler& operator=(const BHandler&) = delete;

	BLooper* Looper() const { return fLooper.load(); }
	void SetName(const char* name);
	const char* Name() const;

	// Passes the message to the next handler; at the end of the chain a
	// waiting sender is answered B_MESSAGE_NOT_UNDERSTOOD.
	virtual void MessageReceived(BMessage* message);
	virtual void SetNextHandler(BHandler* handler);
	BHandler* NextHandler() const { return fNextHandler; }

	// Locks the handler's looper; fails when it has none or it is gone.
	bool LockLooper();
	status_t LockLooperWithTimeout(bigtime_t timeout);
	void UnlockLooper();

private:
	friend class BLooper;
	friend class BMessenger;

	std::string fName;
	bool fHasName = false;
	std::atomic<BLooper*> fLooper{nullptr};  // not owned; set by BLooper::AddHandler
	BHandler* fNextHandler = nullptr;        // not owned
	const int32 fToken;
};

#endif

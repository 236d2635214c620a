#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <OS.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

namespace BPrivate {
struct MessengerAccess;
}

// A handle on a handler or a looper of this process that stays safe to use
// after its target is gone: it then reports itself invalid and sending fails.
class BMessenger {
public:
	BMessenger();
	// A handler (which must belong to a looper), or, with a null handler, the
	// looper's preferred handler.
	BMessenger(const BHandler* handler, const BLooper* looper = NULL, status_t* result = NULL);

	bool IsValid() const;
	bool IsTargetLocal() const { return true; }
	team_id Team() const;
	// The target handler (null for a looper's preferred handler) and its looper.
	BHandler* Target(BLooper** looper) const;
	bool LockTarget() const;
	status_t LockTargetWithTimeout(bigtime_t timeout) const;

	// Replies go to replyTo, or to the application when it is null. The
	// timeout bounds the wait for room in the target's queue.
	status_t SendMessage(uint32 command, BHandler* replyTo = NULL) const;
	status_t SendMessage(BMessage* message, BHandler* replyTo = NULL,
		bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	status_t SendMessage(BMessage* message, BMessenger replyTo,
		bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	// Waits for the reply (B_NO_REPLY when the target drops the message).
	// Sending to the calling thread's own looper, or to a looper whose lock
	// the caller holds, would never be answered: B_MESSAGE_TO_SELF.
	status_t SendMessage(uint32 command, BMessage* reply) const;
	status_t SendMessage(BMessage* message, BMessage* reply,
		bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
		bigtime_t replyTimeout = B_INFINITE_TIMEOUT) const;

	bool operator==(const BMessenger& other) const;
	bool operator!=(const BMessenger& other) const { return !(*this == other); }

private:
	friend struct BPrivate::MessengerAccess;

	int32 fLooperToken = -1;   // the looper's handler token; -1: no target
	int32 fHandlerToken = -1;  // -1: the looper's preferred handler
};

#endif

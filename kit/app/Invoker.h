#ifndef _INVOKER_H
#define _INVOKER_H

#include <memory>

#include <Messenger.h>

class BHandler;
class BLooper;
class BMessage;

// Something that sends a model message to a target when it is invoked:
// controls, menu items, list views, alerts.
class BInvoker {
public:
	BInvoker();
	// Takes ownership of the message.
	BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper = NULL);
	BInvoker(BMessage* message, BMessenger target);
	virtual ~BInvoker();

	BInvoker(const BInvoker&) = delete;
	BInvoker& operator=(const BInvoker&) = delete;

	// Replaces the model message (owned; null clears it).
	virtual status_t SetMessage(BMessage* message);
	BMessage* Message() const { return fMessage.get(); }
	uint32 Command() const;

	// With a null handler the looper itself is the target. A handler must
	// belong to a looper, or be one.
	virtual status_t SetTarget(const BHandler* handler, const BLooper* looper = NULL);
	virtual status_t SetTarget(BMessenger messenger);
	bool IsTargetLocal() const { return true; }
	BHandler* Target(BLooper** looper = NULL) const;
	BMessenger Messenger() const { return fMessenger; }

	status_t SetHandlerForReply(BHandler* handler);
	BHandler* HandlerForReply() const { return fReplyTo; }

	// Sends a copy of the message (or of the model message when it is null)
	// with "when" and "source" added. Without a target nothing is sent.
	virtual status_t Invoke(BMessage* message = NULL);

	status_t SetTimeout(bigtime_t timeout);
	bigtime_t Timeout() const { return fTimeout; }

private:
	std::unique_ptr<BMessage> fMessage;
	BMessenger fMessenger;
	BHandler* fReplyTo = nullptr;  // not owned
	bigtime_t fTimeout = B_INFINITE_TIMEOUT;
};

#endif

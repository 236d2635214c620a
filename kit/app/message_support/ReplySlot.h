#ifndef _VELMORA_REPLY_SLOT_H
#define _VELMORA_REPLY_SLOT_H

#include <condition_variable>
#include <memory>
#include <mutex>

#include <SupportDefs.h>

class BMessage;

namespace BPrivate {

// Where a synchronous sender waits for its reply. Shared by the sender and
// the message, so that either may go first.
class ReplySlot {
public:
	// The first answer counts; later ones are dropped.
	void Answer(std::unique_ptr<BMessage> reply);
	// B_OK with the reply moved into *reply, or B_TIMED_OUT; after a timeout
	// the slot no longer counts as waited on.
	status_t Wait(bigtime_t timeout, BMessage* reply);
	bool IsWaitedOn() const;

private:
	mutable std::mutex fLock;
	std::condition_variable fAnswered;
	std::unique_ptr<BMessage> fReply;
	bool fAbandoned = false;
};

} // namespace BPrivate

#endif

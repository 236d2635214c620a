#include "ReplySlot.h"

#include <algorithm>
#include <chrono>

#include <Message.h>

#include "MessageDelivery.h"

namespace BPrivate {

void ReplySlot::Answer(std::unique_ptr<BMessage> reply)
{
	std::unique_ptr<BMessage> unused;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fReply != nullptr || fAbandoned) {
			unused = std::move(reply);
			return;
		}
		fReply = std::move(reply);
	}
	fAnswered.notify_all();
}

status_t ReplySlot::Wait(bigtime_t timeout, BMessage* reply)
{
	std::unique_lock<std::mutex> lock(fLock);
	auto answered = [this] { return fReply != nullptr; };
	if (timeout == B_INFINITE_TIMEOUT) {
		fAnswered.wait(lock, answered);
	} else if (!fAnswered.wait_for(lock, std::chrono::microseconds(std::max<bigtime_t>(timeout, 0)),
			answered)) {
		fAbandoned = true;
		return B_TIMED_OUT;
	}
	*reply = *fReply;
	MessageAccess::Delivery(*reply).isReply = true;
	return B_OK;
}

bool ReplySlot::IsWaitedOn() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fReply == nullptr && !fAbandoned;
}

} // namespace BPrivate

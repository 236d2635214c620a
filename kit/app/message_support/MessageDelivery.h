#ifndef _VELMORA_MESSAGE_DELIVERY_H
#define _VELMORA_MESSAGE_DELIVERY_H

#include <memory>

#include <Messenger.h>
#include <Point.h>

#include "ReplySlot.h"

class BMessage;

namespace BPrivate {

constexpr int32 kPreferredHandler = -1;

// How a message travels: which handler of the receiving looper it is for,
// where its reply goes, and whether it was dropped on a view.
struct MessageDelivery {
	int32 targetToken = kPreferredHandler;
	BMessenger replyTo;
	// Set when the sender waits for the reply (BMessenger::SendMessage with a
	// reply message); the message answers B_NO_REPLY if deleted unanswered.
	std::shared_ptr<ReplySlot> replySlot;
	bool replied = false;
	bool isReply = false;

	bool wasDropped = false;
	BPoint dropPoint;
	BPoint dropOffset;
};

// The kit's own access to a message's private parts.
struct MessageAccess {
	static MessageDelivery& Delivery(BMessage& message);
	static const MessageDelivery* DeliveryIfAny(const BMessage& message);
	// A copy that carries the original's drop but none of its reply path.
	static std::unique_ptr<BMessage> CopyForSending(const BMessage& message);
};

} // namespace BPrivate

#endif

#ifndef _VELMORA_MESSENGER_ACCESS_H
#define _VELMORA_MESSENGER_ACCESS_H

#include <memory>

#include <Messenger.h>

class BMessage;

namespace BPrivate {

// The kit's own access to messengers and the one path by which messages
// enter a looper's queue.
struct MessengerAccess {
	static BMessenger Make(int32 looperToken, int32 handlerToken);
	static int32 LooperToken(const BMessenger& messenger) { return messenger.fLooperToken; }

	// Queues a message (already copied for sending) for the target. Replies
	// go to replyTo, or to the application when replyTo is not valid.
	static status_t Post(const BMessenger& target, std::unique_ptr<BMessage> message,
		const BMessenger& replyTo, bigtime_t timeout);
};

// The running application's messenger, invalid when there is none.
BMessenger ApplicationMessenger();

} // namespace BPrivate

#endif

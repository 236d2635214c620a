#include <Messenger.h>

#include <unistd.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "looper_support/HandlerRegistry.h"
#include "looper_support/LooperRegistry.h"
#include "message_support/MessageDelivery.h"
#include "messenger_support/MessengerAccess.h"

using BPrivate::LooperRegistry;
using BPrivate::MessageAccess;
using BPrivate::MessengerAccess;

BMessenger::BMessenger() = default;

BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* result)
{
	status_t status = B_OK;
	if (handler != nullptr) {
		BLooper* handlerLooper = handler->Looper();
		if (handlerLooper == nullptr)
			status = B_BAD_HANDLER;
		else if (looper != nullptr && looper != handlerLooper)
			status = B_MISMATCHED_VALUES;
		else {
			fLooperToken = handlerLooper->fToken;
			fHandlerToken = handler->fToken;
		}
	} else if (looper != nullptr) {
		if (LooperRegistry::IsLooperValid(looper))
			fLooperToken = looper->fToken;
		else
			status = B_BAD_VALUE;
	} else {
		status = B_BAD_VALUE;
	}
	if (result != nullptr)
		*result = status;
}

bool BMessenger::IsValid() const
{
	return fLooperToken >= 0 && LooperRegistry::PortFor(fLooperToken) != nullptr;
}

team_id BMessenger::Team() const
{
	return IsValid() ? getpid() : -1;
}

BHandler* BMessenger::Target(BLooper** looper) const
{
	BLooper* targetLooper = nullptr;
	bool alive = fLooperToken >= 0 && LooperRegistry::PortFor(fLooperToken, &targetLooper);
	if (looper != nullptr)
		*looper = alive ? targetLooper : nullptr;
	if (!alive || fHandlerToken == BPrivate::kPreferredHandler)
		return nullptr;
	return BPrivate::HandlerRegistry::Find(fHandlerToken);
}

bool BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	std::shared_ptr<BPrivate::LooperPort> port = LooperRegistry::PortFor(fLooperToken);
	if (port == nullptr)
		return B_BAD_VALUE;
	// Fails if the looper is deleted while this waits (the port outlives it).
	return port->lock.Acquire(timeout);
}

status_t BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}

status_t BMessenger::SendMessage(BMessage* message, BHandler* replyTo, bigtime_t timeout) const
{
	return SendMessage(message, BMessenger(replyTo), timeout);
}

status_t BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t timeout) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return MessengerAccess::Post(*this, MessageAccess::CopyForSending(*message), replyTo, timeout);
}

status_t BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}

status_t BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t deliveryTimeout,
	bigtime_t replyTimeout) const
{
	if (message == nullptr || reply == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<BPrivate::LooperPort> port = LooperRegistry::PortFor(fLooperToken);
	if (port == nullptr)
		return B_BAD_PORT_ID;
	// The target could not dispatch while this thread waits for its answer.
	if (port->thread.load() == find_thread(nullptr) || port->lock.IsHeldByCaller())
		return B_MESSAGE_TO_SELF;

	std::unique_ptr<BMessage> copy = MessageAccess::CopyForSending(*message);
	auto slot = std::make_shared<BPrivate::ReplySlot>();
	MessageAccess::Delivery(*copy).replySlot = slot;
	status_t status = MessengerAccess::Post(*this, std::move(copy), BMessenger(), deliveryTimeout);
	if (status != B_OK)
		return status;
	return slot->Wait(replyTimeout, reply);
}

bool BMessenger::operator==(const BMessenger& other) const
{
	return fLooperToken == other.fLooperToken && fHandlerToken == other.fHandlerToken;
}

namespace BPrivate {

BMessenger MessengerAccess::Make(int32 looperToken, int32 handlerToken)
{
	BMessenger messenger;
	messenger.fLooperToken = looperToken;
	messenger.fHandlerToken = handlerToken;
	return messenger;
}

status_t MessengerAccess::Post(const BMessenger& target, std::unique_ptr<BMessage> message,
	const BMessenger& replyTo, bigtime_t timeout)
{
	std::shared_ptr<LooperPort> port = LooperRegistry::PortFor(target.fLooperToken);
	if (port == nullptr)
		return B_BAD_PORT_ID;
	MessageDelivery& delivery = MessageAccess::Delivery(*message);
	delivery.targetToken = target.fHandlerToken;
	delivery.replyTo = replyTo.IsValid() ? replyTo : ApplicationMessenger();
	// The looper cannot drain its queue while its own thread or a holder of
	// its lock waits for room: those never wait.
	bool mayNotWait = port->thread.load() == find_thread(nullptr) || port->lock.IsHeldByCaller();
	return port->queue.Push(std::move(message), timeout,
		mayNotWait ? MessageQueue::Overfill::kAllowed : MessageQueue::Overfill::kWait);
}

} // namespace BPrivate

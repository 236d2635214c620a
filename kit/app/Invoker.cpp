#include <Invoker.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

BInvoker::BInvoker() = default;

BInvoker::BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper)
	: fMessage(message)
{
	SetTarget(handler, looper);
}

BInvoker::BInvoker(BMessage* message, BMessenger target)
	: fMessage(message), fMessenger(target)
{
}

BInvoker::~BInvoker() = default;

status_t BInvoker::SetMessage(BMessage* message)
{
	if (message != fMessage.get())
		fMessage.reset(message);
	return B_OK;
}

uint32 BInvoker::Command() const
{
	return fMessage != nullptr ? fMessage->what : 0;
}

status_t BInvoker::SetTarget(const BHandler* handler, const BLooper* looper)
{
	status_t result = B_OK;
	if (handler == nullptr && looper == nullptr)
		fMessenger = BMessenger();
	else
		fMessenger = BMessenger(handler != nullptr ? handler : looper, looper, &result);
	return result;
}

status_t BInvoker::SetTarget(BMessenger messenger)
{
	fMessenger = messenger;
	return B_OK;
}

BHandler* BInvoker::Target(BLooper** looper) const
{
	return fMessenger.Target(looper);
}

status_t BInvoker::SetHandlerForReply(BHandler* handler)
{
	fReplyTo = handler;
	return B_OK;
}

status_t BInvoker::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = fMessage.get();
	if (message == nullptr)
		return B_BAD_VALUE;
	if (!fMessenger.IsValid())
		return B_BAD_HANDLER;

	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	return fMessenger.SendMessage(&copy, fReplyTo, fTimeout);
}

status_t BInvoker::SetTimeout(bigtime_t timeout)
{
	fTimeout = timeout;
	return B_OK;
}

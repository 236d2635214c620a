#include <Handler.h>

#include <Looper.h>
#include <Message.h>

#include "looper_support/HandlerRegistry.h"
#include "looper_support/LooperRegistry.h"

BHandler::BHandler(const char* name)
	: fToken(BPrivate::HandlerRegistry::Add(this))
{
	SetName(name);
}

BHandler::~BHandler()
{
	if (LockLooper()) {
		BLooper* looper = Looper();
		looper->RemoveHandler(this);
		looper->Unlock();
	}
	BPrivate::HandlerRegistry::Remove(fToken);
}

void BHandler::SetName(const char* name)
{
	fHasName = name != nullptr;
	fName = name != nullptr ? name : "";
}

const char* BHandler::Name() const
{
	return fHasName ? fName.c_str() : nullptr;
}

void BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != nullptr && fNextHandler != this) {
		fNextHandler->MessageReceived(message);
		return;
	}
	if (message != nullptr && message->IsSourceWaiting())
		message->SendReply(B_MESSAGE_NOT_UNDERSTOOD);
}

void BHandler::SetNextHandler(BHandler* handler)
{
	fNextHandler = handler;
}

bool BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = fLooper.load();
	if (looper == nullptr)
		return B_BAD_VALUE;
	// The looper may already be gone, or be deleted while this waits: it is
	// reached through the registry only, which fails in both cases.
	status_t status = BPrivate::LooperRegistry::Lock(looper, timeout);
	if (status != B_OK)
		return status;
	if (fLooper.load() != looper) {
		looper->Unlock();
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}

void BHandler::UnlockLooper()
{
	if (BLooper* looper = fLooper.load())
		looper->Unlock();
}

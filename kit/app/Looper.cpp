#include <Looper.h>

#include <algorithm>
#include <cstdio>

#include <Message.h>
#include <Messenger.h>

#include "looper_support/DispatchObserver.h"
#include "looper_support/HandlerRegistry.h"
#include "looper_support/LooperPort.h"
#include "looper_support/LooperRegistry.h"
#include "message_support/MessageDelivery.h"
#include "messenger_support/MessengerAccess.h"

using BPrivate::LooperRegistry;
using BPrivate::MessageAccess;
using BPrivate::MessengerAccess;

BLooper::BLooper(const char* name, int32 priority, int32 portCapacity)
	: BHandler(name),
	  fPort(std::make_shared<BPrivate::LooperPort>(
		  portCapacity > 0 ? portCapacity : B_LOOPER_PORT_DEFAULT_CAPACITY)),
	  fPriority(priority)
{
	LooperRegistry::Add(this, fToken, fPort);
	// Locked by its creator until Run(), so that it can be set up in peace.
	fPort->lock.Acquire(B_INFINITE_TIMEOUT);
	AddHandler(this);
}

BLooper::~BLooper()
{
	for (BHandler* handler : fHandlers) {
		handler->fLooper = nullptr;
		if (handler->fNextHandler == this)
			handler->fNextHandler = nullptr;
	}
	fHandlers.clear();
	LooperRegistry::Remove(this);
	// Dropped messages are deleted here; a sender waiting on one of them is
	// answered B_NO_REPLY.
	fPort->queue.Close();
	// Last: threads waiting for the lock fail only once nothing of the
	// looper is left that they could touch (its handlers are detached).
	fPort->lock.Retire();
}

status_t BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return PostMessage(&message);
}

status_t BLooper::PostMessage(BMessage* message)
{
	return Post(message, fToken, nullptr);
}

status_t BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return PostMessage(&message, handler, replyTo);
}

status_t BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (handler != nullptr && handler->Looper() != this)
		return B_MISMATCHED_VALUES;
	return Post(message, handler != nullptr ? handler->fToken : BPrivate::kPreferredHandler,
		replyTo);
}

status_t BLooper::Post(BMessage* message, int32 handlerToken, BHandler* replyTo)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return MessengerAccess::Post(MessengerAccess::Make(fToken, handlerToken),
		MessageAccess::CopyForSending(*message), BMessenger(replyTo), B_INFINITE_TIMEOUT);
}

void BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_QUIT_REQUESTED && handler == this) {
		HandleQuitRequest(message);
		return;
	}
	handler->MessageReceived(message);
}

void BLooper::HandleQuitRequest(BMessage* message)
{
	bool agreed = QuitRequested();
	if (message->IsSourceWaiting()) {
		BMessage reply(B_REPLY);
		reply.AddBool("result", agreed);
		message->SendReply(&reply);
	}
	if (agreed)
		Quit();
}

BMessage* BLooper::DetachCurrentMessage()
{
	return fCurrentMessage.release();
}

void BLooper::AddHandler(BHandler* handler)
{
	if (handler == nullptr || handler->Looper() != nullptr)
		return;
	handler->fLooper = this;
	fHandlers.push_back(handler);
	if (handler != this && handler->fNextHandler == nullptr)
		handler->SetNextHandler(this);
}

bool BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == nullptr || handler == this || handler->Looper() != this)
		return false;
	fHandlers.erase(std::remove(fHandlers.begin(), fHandlers.end(), handler), fHandlers.end());
	handler->fLooper = nullptr;
	if (handler->fNextHandler == this)
		handler->SetNextHandler(nullptr);
	if (fPreferred == handler)
		fPreferred = nullptr;
	return true;
}

int32 BLooper::CountHandlers() const
{
	return static_cast<int32>(fHandlers.size());
}

BHandler* BLooper::HandlerAt(int32 index) const
{
	if (index < 0 || index >= CountHandlers())
		return nullptr;
	return fHandlers[index];
}

int32 BLooper::IndexOf(BHandler* handler) const
{
	auto found = std::find(fHandlers.begin(), fHandlers.end(), handler);
	return found == fHandlers.end() ? -1 : static_cast<int32>(found - fHandlers.begin());
}

void BLooper::SetPreferredHandler(BHandler* handler)
{
	fPreferred = handler != nullptr && handler->Looper() == this ? handler : nullptr;
}

thread_id BLooper::Run()
{
	if (fRunCalled)
		return fThread.load();
	return StartThread(ThreadEntry);
}

thread_id BLooper::StartThread(thread_func entry)
{
	thread_id thread = spawn_thread(entry, Name() != nullptr ? Name() : "looper", fPriority, this);
	if (thread < 0)
		return thread;
	fRunCalled = true;
	fThread = thread;
	fPort->thread = thread;
	// Hands over the lock taken by the constructor.
	if (IsLocked())
		Unlock();
	resume_thread(thread);
	return thread;
}

status_t BLooper::ThreadEntry(void* looper)
{
	static_cast<BLooper*>(looper)->Loop();
	return B_OK;
}

void BLooper::Loop()
{
	BPrivate::LooperPort& port = *fPort;
	while (std::unique_ptr<BMessage> message = port.queue.Pop()) {
		port.lock.Acquire(B_INFINITE_TIMEOUT);
		if (!fTerminating)
			DispatchOne(std::move(message));
		message.reset();
		if (fTerminating) {
			port.queue.DoneWithMessage();
			break;
		}
		port.lock.Release();
		port.queue.DoneWithMessage();
	}

	// The loop ends holding the lock, and deletes the looper with it held: a
	// thread waiting for it learns at the end of ~BLooper that it is gone.
	port.lock.Acquire(B_INFINITE_TIMEOUT);
	if (fDeleteWhenDone) {
		delete this;
		return;
	}
	port.lock.ReleaseAll();
}

void BLooper::DispatchOne(std::unique_ptr<BMessage> message)
{
	fCurrentMessage = std::move(message);
	if (BPrivate::DispatchObserved(this, fCurrentMessage.get())) {
		fCurrentMessage.reset();
		return;
	}
	if (BHandler* handler = TargetOf(*fCurrentMessage))
		DispatchMessage(fCurrentMessage.get(), handler);
	// Null when the handler detached it.
	fCurrentMessage.reset();
}

BHandler* BLooper::TargetOf(const BMessage& message)
{
	const BPrivate::MessageDelivery* delivery = MessageAccess::DeliveryIfAny(message);
	int32 token = delivery != nullptr ? delivery->targetToken : fToken;
	if (token == BPrivate::kPreferredHandler)
		return fPreferred != nullptr ? fPreferred : this;
	// A message for a handler that was deleted or moved on is dropped.
	return BPrivate::HandlerRegistry::FindIn(token, this);
}

void BLooper::Quit()
{
	if (!IsLocked() && !Lock())
		return;
	if (!fRunCalled) {
		delete this;
		return;
	}
	fTerminating = true;
	fPort->queue.Close();
	if (find_thread(nullptr) == fThread.load())
		return;

	thread_id thread = fThread.load();
	std::shared_ptr<BPrivate::LooperPort> port = fPort;
	// The loop needs the lock to delete the looper; from here on `this` may
	// be deleted at any moment by the looper's thread (the port survives).
	port->lock.ReleaseAll();
	wait_for_thread(thread, nullptr);
}

bool BLooper::QuitRequested()
{
	return true;
}

bool BLooper::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t BLooper::LockWithTimeout(bigtime_t timeout)
{
	return LooperRegistry::Lock(this, timeout);
}

void BLooper::Unlock()
{
	fPort->lock.Release();
}

bool BLooper::IsLocked() const
{
	std::shared_ptr<BPrivate::LooperPort> port = LooperRegistry::PortFor(this);
	return port != nullptr && port->lock.IsHeldByCaller();
}

thread_id BLooper::LockingThread() const
{
	return fPort->lock.Owner();
}

int32 BLooper::CountLocks() const
{
	return fPort->lock.Count();
}

int32 BLooper::CountLockRequests() const
{
	return fPort->lock.Requests();
}

bool BLooper::IsMessageWaiting() const
{
	return fPort->queue.Count() > 0;
}

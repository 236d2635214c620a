#include "MessageQueue.h"

#include <algorithm>
#include <chrono>

namespace BPrivate {

status_t MessageQueue::Push(std::unique_ptr<BMessage> message, bigtime_t timeout,
	Overfill overfill)
{
	std::unique_lock<std::mutex> lock(fLock);
	auto hasRoom = [this] {
		return fClosed || static_cast<int32>(fMessages.size()) < fCapacity;
	};
	if (overfill == Overfill::kWait && !hasRoom()) {
		if (timeout == 0) {
			return B_WOULD_BLOCK;
		} else if (timeout == B_INFINITE_TIMEOUT) {
			fRoom.wait(lock, hasRoom);
		} else if (!fRoom.wait_for(lock, std::chrono::microseconds(std::max<bigtime_t>(timeout, 0)),
				hasRoom)) {
			return B_TIMED_OUT;
		}
	}
	if (fClosed) {
		lock.unlock();
		message.reset();
		return B_BAD_PORT_ID;
	}
	fMessages.push_back(std::move(message));
	lock.unlock();
	fArrived.notify_one();
	return B_OK;
}

void MessageQueue::PushFront(std::unique_ptr<BMessage> message)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fClosed)
			return;
		fMessages.push_front(std::move(message));
	}
	fArrived.notify_one();
}

std::unique_ptr<BMessage> MessageQueue::Pop()
{
	std::unique_lock<std::mutex> lock(fLock);
	fArrived.wait(lock, [this] { return fClosed || !fMessages.empty(); });
	if (fClosed)
		return nullptr;
	std::unique_ptr<BMessage> message = std::move(fMessages.front());
	fMessages.pop_front();
	fDispatching = true;
	lock.unlock();
	fRoom.notify_one();
	return message;
}

void MessageQueue::DoneWithMessage()
{
	bool idle;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fDispatching = false;
		idle = IsIdle();
	}
	if (idle)
		fIdle.notify_all();
}

std::vector<std::unique_ptr<BMessage>> MessageQueue::Close()
{
	std::vector<std::unique_ptr<BMessage>> dropped;
	{
		std::lock_guard<std::mutex> lock(fLock);
		fClosed = true;
		for (auto& message : fMessages)
			dropped.push_back(std::move(message));
		fMessages.clear();
	}
	fArrived.notify_all();
	fRoom.notify_all();
	fIdle.notify_all();
	return dropped;
}

status_t MessageQueue::WaitForIdle(bigtime_t timeout)
{
	std::unique_lock<std::mutex> lock(fLock);
	auto idle = [this] { return IsIdle(); };
	if (timeout == B_INFINITE_TIMEOUT) {
		fIdle.wait(lock, idle);
		return B_OK;
	}
	return fIdle.wait_for(lock, std::chrono::microseconds(std::max<bigtime_t>(timeout, 0)), idle)
		? B_OK : B_TIMED_OUT;
}

int32 MessageQueue::Count() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return static_cast<int32>(fMessages.size());
}

} // namespace BPrivate

#include "RunnerThread.h"

namespace BPrivate {

RunnerThread::RunnerThread(BMessenger target, const BMessage& message, BMessenger replyTo,
	bigtime_t interval, int32 count)
	: fTarget(target),
	  fMessage(message),
	  fReplyTo(replyTo),
	  fInterval(interval),
	  fRemaining(count > 0 ? count : -1),
	  fNext(Clock::now() + std::chrono::microseconds(interval)),
	  fThread([this] { Run(); })
{
}

RunnerThread::~RunnerThread()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fStop = true;
	}
	fChanged.notify_all();
	fThread.join();
}

void RunnerThread::SetInterval(bigtime_t interval)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fInterval = interval;
		Restart();
	}
	fChanged.notify_all();
}

void RunnerThread::SetCount(int32 count)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fRemaining = count > 0 ? count : -1;
		Restart();
	}
	fChanged.notify_all();
}

void RunnerThread::Restart()
{
	fNext = Clock::now() + std::chrono::microseconds(fInterval);
	fScheduleChanged = true;
}

void RunnerThread::GetSchedule(bigtime_t* interval, int32* count) const
{
	std::lock_guard<std::mutex> lock(fLock);
	if (interval != nullptr)
		*interval = fInterval;
	if (count != nullptr)
		*count = fRemaining;
}

void RunnerThread::Run()
{
	std::unique_lock<std::mutex> lock(fLock);
	while (!fStop) {
		if (fRemaining == 0) {
			fChanged.wait(lock, [this] { return fStop || fScheduleChanged; });
			fScheduleChanged = false;
			continue;
		}
		if (fChanged.wait_until(lock, fNext, [this] { return fStop || fScheduleChanged; })) {
			fScheduleChanged = false;
			continue;
		}
		lock.unlock();
		bool targetAlive = Deliver();
		lock.lock();
		if (fScheduleChanged)
			continue;
		if (!targetAlive)
			fRemaining = 0;
		else if (fRemaining > 0)
			fRemaining--;
		// After a stall, go on from now instead of sending a burst.
		fNext = std::max(fNext + std::chrono::microseconds(fInterval), Clock::now());
	}
}

bool RunnerThread::Deliver()
{
	BMessage copy(fMessage);
	return fTarget.SendMessage(&copy, fReplyTo, 0) != B_BAD_PORT_ID;
}

} // namespace BPrivate

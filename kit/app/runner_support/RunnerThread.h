#ifndef _VELMORA_RUNNER_THREAD_H
#define _VELMORA_RUNNER_THREAD_H

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <Message.h>
#include <Messenger.h>

namespace BPrivate {

// The thread of one BMessageRunner: sleeps until the next delivery is due.
class RunnerThread {
public:
	RunnerThread(BMessenger target, const BMessage& message, BMessenger replyTo,
		bigtime_t interval, int32 count);
	~RunnerThread();

	// Both restart the schedule from now.
	void SetInterval(bigtime_t interval);
	void SetCount(int32 count);
	void GetSchedule(bigtime_t* interval, int32* count) const;

private:
	using Clock = std::chrono::steady_clock;

	void Run();
	void Restart();
	bool Deliver();

	const BMessenger fTarget;
	const BMessage fMessage;
	const BMessenger fReplyTo;

	mutable std::mutex fLock;
	std::condition_variable fChanged;
	bigtime_t fInterval;
	int32 fRemaining;        // -1: unlimited
	Clock::time_point fNext;
	bool fScheduleChanged = false;
	bool fStop = false;
	std::thread fThread;     // last: starts once the rest is set
};

} // namespace BPrivate

#endif

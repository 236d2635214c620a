#ifndef _MESSAGE_RUNNER_H
#define _MESSAGE_RUNNER_H

#include <memory>

#include <Messenger.h>

class BMessage;

namespace BPrivate {
class RunnerThread;
}

// Sends a copy of a message to a target every interval, count times (count
// <= 0: until the runner is deleted). A delivery that finds the target's
// queue full is skipped rather than delaying the others; a target that is
// gone ends the runner.
class BMessageRunner {
public:
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval,
		int32 count = -1);
	BMessageRunner(BMessenger target, const BMessage* message, bigtime_t interval, int32 count,
		BMessenger replyTo);
	virtual ~BMessageRunner();

	BMessageRunner(const BMessageRunner&) = delete;
	BMessageRunner& operator=(const BMessageRunner&) = delete;

	status_t InitCheck() const { return fInitStatus; }
	// Both restart the schedule: the next delivery is one interval from now.
	status_t SetInterval(bigtime_t interval);
	status_t SetCount(int32 count);
	// The count is what is left to send (-1: unlimited).
	status_t GetInfo(bigtime_t* interval, int32* count) const;

private:
	std::unique_ptr<BPrivate::RunnerThread> fThread;
	status_t fInitStatus;
};

#endif

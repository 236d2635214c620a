#ifndef _VELMORA_MESSAGE_QUEUE_H
#define _VELMORA_MESSAGE_QUEUE_H

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include <Message.h>

namespace BPrivate {

// A looper's queue of bounded capacity. It also knows whether its looper is
// dispatching, so that a test or the headless display can wait until the
// looper is idle.
class MessageQueue {
public:
	explicit MessageQueue(int32 capacity) : fCapacity(capacity) {}

	enum class Overfill { kWait, kAllowed };

	// Waits up to timeout for room unless overfilling is allowed. B_OK,
	// B_WOULD_BLOCK (full, timeout 0), B_TIMED_OUT, or B_BAD_PORT_ID once closed.
	status_t Push(std::unique_ptr<BMessage> message, bigtime_t timeout, Overfill overfill);
	// Ahead of everything queued, regardless of capacity.
	void PushFront(std::unique_ptr<BMessage> message);
	// The next message, waiting for one; null once closed. The looper counts
	// as dispatching until DoneWithMessage().
	std::unique_ptr<BMessage> Pop();
	void DoneWithMessage();
	// Refuses further messages and hands back those still queued, which the
	// caller deletes (outside this queue's lock: a deleted message may wake
	// its waiting sender).
	std::vector<std::unique_ptr<BMessage>> Close();

	// Until nothing is queued and nothing is being dispatched (or the queue
	// is closed). B_OK or B_TIMED_OUT.
	status_t WaitForIdle(bigtime_t timeout);
	int32 Count() const;

private:
	bool IsIdle() const { return fClosed || (fMessages.empty() && !fDispatching); }

	mutable std::mutex fLock;
	std::condition_variable fArrived;
	std::condition_variable fRoom;
	std::condition_variable fIdle;
	std::deque<std::unique_ptr<BMessage>> fMessages;
	const int32 fCapacity;
	bool fClosed = false;
	bool fDispatching = false;
};

} // namespace BPrivate

#endif

#ifndef _VELMORA_LOOPER_PORT_H
#define _VELMORA_LOOPER_PORT_H

#include <atomic>

#include <OS.h>

#include "LooperLock.h"
#include "MessageQueue.h"

namespace BPrivate {

// What others reach a looper through: its lock and its queue. Shared by the
// registry, messengers in flight and lock waiters, so it outlives the looper.
struct LooperPort {
	explicit LooperPort(int32 capacity) : queue(capacity) {}

	LooperLock lock;
	MessageQueue queue;
	std::atomic<thread_id> thread{-1};  // the thread running the loop, once it runs
};

} // namespace BPrivate

#endif

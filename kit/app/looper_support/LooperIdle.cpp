#include <AppPrivate.h>

#include <Looper.h>

#include "LooperRegistry.h"

namespace BPrivate {

status_t WaitForLooperIdle(BLooper* looper, bigtime_t timeout)
{
	std::shared_ptr<LooperPort> port = LooperRegistry::PortFor(looper);
	if (port == nullptr)
		return B_BAD_VALUE;
	// A holder of the lock keeps the looper from dispatching: waiting for a
	// busy looper would never end.
	if (port->lock.IsHeldByCaller() || port->thread.load() == find_thread(nullptr))
		return port->queue.WaitForIdle(0) == B_OK ? B_OK : B_WOULD_BLOCK;
	return port->queue.WaitForIdle(timeout);
}

} // namespace BPrivate

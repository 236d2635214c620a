#ifndef _VELMORA_LOOPER_REGISTRY_H
#define _VELMORA_LOOPER_REGISTRY_H

#include <memory>

#include <SupportDefs.h>

#include "LooperPort.h"

class BLooper;

namespace BPrivate {

// Every live looper of the process, by address and by token. A looper is
// entered by its constructor and removed before it is deleted; a pointer or
// token that is not found names a looper that is gone.
class LooperRegistry {
public:
	static void Add(BLooper* looper, int32 token, std::shared_ptr<LooperPort> port);
	static void Remove(const BLooper* looper);

	static std::shared_ptr<LooperPort> PortFor(const BLooper* looper);
	static std::shared_ptr<LooperPort> PortFor(int32 token, BLooper** looper = nullptr);
	static bool IsLooperValid(const BLooper* looper);
	// Locks a looper known only by its address, which may be stale: the
	// address is used as a key and never dereferenced.
	static status_t Lock(const BLooper* looper, bigtime_t timeout);
};

} // namespace BPrivate

#endif

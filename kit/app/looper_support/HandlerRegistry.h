#ifndef _VELMORA_HANDLER_REGISTRY_H
#define _VELMORA_HANDLER_REGISTRY_H

#include <SupportDefs.h>

class BHandler;
class BLooper;

namespace BPrivate {

// Every live handler by its token. Tokens are never reused, so a messenger
// or a queued message naming a deleted handler finds nothing.
class HandlerRegistry {
public:
	static int32 Add(BHandler* handler);
	static void Remove(int32 token);

	// The handler of a token, or null when it is gone.
	static BHandler* Find(int32 token);
	// The handler of a token if it is attached to that looper, else null.
	// Checked under the registry's lock, so a handler being deleted on
	// another thread is never touched.
	static BHandler* FindIn(int32 token, const BLooper* looper);
};

} // namespace BPrivate

#endif

#ifndef _VELMORA_DISPATCH_OBSERVER_H
#define _VELMORA_DISPATCH_OBSERVER_H

class BLooper;
class BMessage;

namespace BPrivate {

// Shows the message to the observer of the tests (SetDispatchObserver in
// AppPrivate.h); true when the observer keeps it from its handler.
bool DispatchObserved(BLooper* looper, BMessage* message);

} // namespace BPrivate

#endif

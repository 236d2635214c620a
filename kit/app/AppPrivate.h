#ifndef _VELMORA_APP_PRIVATE_H
#define _VELMORA_APP_PRIVATE_H

#include <functional>
#include <vector>

#include <Point.h>
#include <SupportDefs.h>

class BLooper;
class BMessage;

// Hooks of the app kit for the interface kit and for tests; not BeOS API.
namespace BPrivate {

// Marks a message as dropped at dropPoint (screen coordinates); offset is
// where in the dragged image the pointer held it. WasDropped() and
// DropPoint() then report it, and copies of the message keep it.
void MarkMessageDropped(BMessage* message, BPoint dropPoint, BPoint offset);

// Waits until the looper's queue is empty and it is not dispatching.
// B_OK, B_TIMED_OUT, B_BAD_VALUE for a looper that is gone, and
// B_WOULD_BLOCK when the caller holds the looper's lock while it is busy
// (the wait could never end). Messages posted while it is busy are waited
// for too; messages of a BMessageRunner that are not due yet are not.
status_t WaitForLooperIdle(BLooper* looper, bigtime_t timeout = B_INFINITE_TIMEOUT);

// The window registry: every BWindow enters itself when constructed and
// leaves when deleted. The application's default QuitRequested() asks each
// registered window (lock, QuitRequested(), Quit()), and ~BApplication
// quits those still open.
void RegisterWindowLooper(BLooper* window);
void UnregisterWindowLooper(BLooper* window);
// A snapshot; the windows in it may be gone by the time it is used, so lock
// each one with LockWindowLooper before anything else touches it.
std::vector<BLooper*> WindowLoopers();
// Locks a window of such a snapshot if it still exists; its address is a
// key in the looper registry, never read, until the lock is held. A window
// busy past the timeout (one waiting for an alert holds its lock) is false.
bool LockWindowLooper(BLooper* window, bigtime_t timeout = B_INFINITE_TIMEOUT);
// How long a look through the windows waits for a busy one before passing it.
constexpr bigtime_t kBusyWindow = 100000;

// Sees every message a looper is about to hand to its handler, on the
// looper's thread; returning true keeps the message from the handler.
// Tests use it to see where commands go without carrying them out.
typedef std::function<bool(BLooper* looper, BMessage* message)> DispatchObserver;
// Replaces the observer; an empty one ends the observing.
void SetDispatchObserver(DispatchObserver observer);

} // namespace BPrivate

#endif

#ifndef _VELMORA_WINDOW_PRIVATE_H
#define _VELMORA_WINDOW_PRIVATE_H

#include <functional>
#include <string>

#include <Window.h>

class BMessage;
class BView;

// What the menus, alerts and file panels build on; not BeOS API.
namespace BPrivate {

// The feel of menu windows: undecorated pop-ups above every other window
// that never take the keyboard focus (a menu reads the keys through the
// window it belongs to). Never blocked by modal windows.
const window_feel kMenuWindowFeel = static_cast<window_feel>(1025);

// Menus answer their items' shortcuts through this hook, installed once by
// the menu code. A window calls it for every B_KEY_DOWN with the command
// key, before its own shortcuts, and with the option key (Alt, which
// opens a menu of the bar), when it has a key menu bar; true means the
// key was taken. Runs on the window's thread with its lock held.
typedef bool (*MenuShortcutHandler)(BWindow* window, BView* keyMenuBar, BMessage* keyDown);
void SetMenuShortcutHandler(MenuShortcutHandler handler);

// While a menu is open it takes the input of the window it belongs to and
// of its own windows straight from the display, so that it hears the keys
// and the mouse even while that window's thread waits for it (a pop-up
// menu opened from a mouse-down handler). The catcher runs on the thread
// that delivers the input (the display's, or a test's) and must not wait;
// true means it took the message, which the window then never sees. One
// catcher per window; an empty one removes it, and removing waits for a
// catcher that is running.
typedef std::function<bool(const BMessage& input)> InputCatcher;
void SetInputCatcher(const BWindow* window, InputCatcher catcher);
// Offers input to the window's catcher; true when it was taken.
bool CatchInput(const BWindow* window, const BMessage& input);

// Whether a B_KEY_DOWN is the shortcut (key, modifiers), and how a menu
// writes it ("Ctrl+Shift+Z", "Ctrl+Enter"): the Ctrl key is the command key, and a
// shortcut that also names the control key takes Ctrl+Shift.
bool ShortcutMatches(uint32 key, uint32 modifiers, const BMessage* keyDown);
std::string ShortcutLabel(uint32 key, uint32 modifiers);

// A synchronous wait for something another window answers (BAlert::Go,
// a modal file panel, BPopUpMenu::Go): returns when done() is true, B_OK,
// or B_TIMED_OUT. When the calling thread is a window's thread (a window
// opening an alert from a message handler), that window keeps drawing and
// presenting its updates meanwhile, as on BeOS, though it handles no other
// message until the wait ends. done() is polled every 20 ms.
status_t WaitKeepingWindowUpdated(const std::function<bool()>& done,
	bigtime_t timeout = B_INFINITE_TIMEOUT);

// The window whose thread is the calling thread and is dispatching now,
// or null.
BWindow* DispatchingWindow();

} // namespace BPrivate

#endif

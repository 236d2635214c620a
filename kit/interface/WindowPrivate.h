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
// key, before its own shortcuts, when it has a key menu bar; true means
// the key was taken. Runs on the window's thread with its lock held.
typedef bool (*MenuShortcutHandler)(BWindow* window, BView* keyMenuBar, BMessage* keyDown);
void SetMenuShortcutHandler(MenuShortcutHandler handler);

// Whether a B_KEY_DOWN is the shortcut (key, modifiers), and how a menu
// writes it ("Ctrl+Shift+Z"): the Ctrl key is the command key, and a
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

#ifndef _VELMORA_WINDOW_TESTING_H
#define _VELMORA_WINDOW_TESTING_H

#include <functional>
#include <string>
#include <vector>

#include <InterfaceDefs.h>
#include <Rect.h>

class BBitmap;
class BWindow;

// Hooks for tests and for the classes that answer in their place when
// nobody can (alerts and file panels on the headless display). Input is
// posted to a window exactly as the display thread posts it: through the
// window's display connection, translated into the same messages.
namespace BPrivate {

// Keys. bytes is one character (UTF-8) or a BeOS key byte such as
// B_LEFT_ARROW; key is the BeOS key code ("key"); raw_char is the byte
// without shift. B_FUNCTION_KEY presses name the key (B_F1_KEY ...).
status_t PostKeyDown(BWindow* window, const char* bytes, uint32 modifiers = 0, int32 key = 0);
status_t PostKeyUp(BWindow* window, const char* bytes, uint32 modifiers = 0, int32 key = 0);
// Down and up.
status_t PostKey(BWindow* window, const char* bytes, uint32 modifiers = 0, int32 key = 0);
status_t PostFunctionKey(BWindow* window, int32 key, uint32 modifiers = 0);
// One key press per character of a UTF-8 text.
status_t TypeText(BWindow* window, const char* text);

// The mouse, at a point in window coordinates.
status_t PostMouseDown(BWindow* window, BPoint where, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
	int32 clicks = 1, uint32 modifiers = 0);
status_t PostMouseUp(BWindow* window, BPoint where, uint32 buttons = 0, uint32 modifiers = 0);
status_t PostMouseMoved(BWindow* window, BPoint where, uint32 buttons = 0);
status_t PostMouseExited(BWindow* window, BPoint where);
// Down and up at one point.
status_t PostClick(BWindow* window, BPoint where, uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
	int32 clicks = 1, uint32 modifiers = 0);
status_t PostWheel(BWindow* window, float deltaX, float deltaY);
// Files dragged from another program and dropped at a point of the window.
status_t PostFilesDropped(BWindow* window, BPoint where, const std::vector<std::string>& paths);
// Headless, GetMouse() reports the pointer of the mouse message a window
// handled last. Code that polls GetMouse() in a loop instead of handling
// messages (a menu tracking the mouse) is moved by this, at once.
void SetPointer(BPoint screenPoint, uint32 buttons);

// The window manager's side: the close box, and the user moving or
// resizing the window (width and height as Bounds() has them).
status_t PostCloseRequest(BWindow* window);
status_t PostUserResize(BWindow* window, float width, float height);
status_t PostUserMove(BWindow* window, BPoint where);

// Until the window's queue is empty and all of its updates are drawn.
// B_OK at once for a window that never ran.
status_t WaitForWindowIdle(BWindow* window, bigtime_t timeout = 10000000);
// The window's drawing surface (takes the window's lock) and what the
// display was last handed; the caller deletes the bitmap.
BBitmap* WindowSnapshot(BWindow* window);
BBitmap* PresentedSnapshot(BWindow* window);
status_t WriteWindowPNG(BWindow* window, const char* path);

// The headless display: its bell and its screen.
int32 BeepCount();
void SetScreenSize(int32 width, int32 height);

// Alerts. An alert that cannot be shown to anybody calls
// AnswerAlertHeadless(), which records it and returns the responder's
// answer, or without a responder the last button (the one Enter chooses).
struct AlertRecord {
	std::string title;
	std::string text;
	std::vector<std::string> buttons;
	int32 chosen = -1;
};
typedef std::function<int32(const AlertRecord& alert)> AlertResponder;
void SetAlertResponder(AlertResponder responder);
std::vector<AlertRecord> AlertsShown();
void ForgetAlertsShown();
int32 AnswerAlertHeadless(const AlertRecord& alert);

// File panels likewise: without a responder a panel is cancelled.
struct FilePanelRequest {
	bool save = false;
	std::string title;
	std::string directory;
	std::string name;           // the suggested file name of a save panel
	bool allowsMultiple = false;
};
struct FilePanelAnswer {
	bool cancelled = true;
	std::vector<std::string> paths;  // open: the chosen entries; save: one path
};
typedef std::function<FilePanelAnswer(const FilePanelRequest& request)> FilePanelResponder;
void SetFilePanelResponder(FilePanelResponder responder);
std::vector<FilePanelRequest> FilePanelsShown();
FilePanelAnswer AnswerFilePanelHeadless(const FilePanelRequest& request);

} // namespace BPrivate

#endif

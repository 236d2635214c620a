#ifndef _VELMORA_DISPLAY_SERVER_H
#define _VELMORA_DISPLAY_SERVER_H

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include <DisplayWindow.h>
#include <Point.h>
#include <SupportDefs.h>

namespace BPrivate {

// The process's connection to the screen. Exactly one exists per process,
// chosen on first use: the headless backend when "--headless" is on the
// command line, when VELMORA_DISPLAY=headless, or after UseHeadless();
// otherwise the desktop backend, or the headless one when no desktop can be
// reached. It knows nothing of messages: the app kit drives it (Run on the
// main thread, Quit when the application ends) and uses its clipboard and
// bell; the interface kit opens its windows here and hears their events
// through DisplayWindow. No call here waits for the display thread, so a
// window thread can never hang on a display that is not running yet.
class DisplayServer {
public:
	virtual ~DisplayServer();

	// Never deleted: window threads may still reach it while the process exits.
	static DisplayServer* Default();
	// Asks for the headless backend; has effect only before the first Default().
	static void UseHeadless();
	// Whether the headless backend was asked for (UseHeadless, the option or
	// the variable), as opposed to taken because no desktop could be reached.
	static bool HeadlessWanted();

	virtual bool IsHeadless() const = 0;
	virtual status_t InitCheck() const = 0;

	// The display loop, on the calling (main) thread, until Quit(). A Quit()
	// that comes before Run() makes the next Run() return at once.
	virtual void Run() = 0;
	virtual void Quit() = 0;

	// The desktop clipboard: text, and the same as HTML for programs that
	// keep styles (an empty html offers none). Callable from any thread.
	virtual void SetClipboard(const std::string& text, const std::string& html) = 0;
	void SetClipboardText(const std::string& text) { SetClipboard(text, std::string()); }
	// False when the desktop clipboard holds no text.
	virtual bool GetClipboardText(std::string* text) = 0;
	// False when the desktop clipboard holds no HTML.
	virtual bool GetClipboardHTML(std::string* html) = 0;

	// The display's bell. Callable from any thread.
	virtual void Beep() = 0;

	// Windows; every call may come from any thread. A window opens hidden.
	virtual std::shared_ptr<DisplayWindow> OpenWindow(const WindowSpec& spec,
		DisplayWindow::EventHandler handler) = 0;
	// Takes the window off the screen; its handler hears nothing more.
	virtual void CloseWindow(const std::shared_ptr<DisplayWindow>& window) = 0;
	virtual void ShowWindow(const std::shared_ptr<DisplayWindow>& window, bool show) = 0;
	// Gives the window the keyboard (or takes it away); the windows hear
	// kActivated and kDeactivated when it happens.
	virtual void ActivateWindow(const std::shared_ptr<DisplayWindow>& window, bool active) = 0;
	// Applies a changed spec: title, frame, kind and limits. A frame that
	// moves or resizes the window is reported back as kMoved or kResized.
	virtual void UpdateWindow(const std::shared_ptr<DisplayWindow>& window) = 0;
	// Shows what the window published (after Publish returned true).
	virtual void Present(const std::shared_ptr<DisplayWindow>& window) = 0;

	virtual void GetScreenSize(int32* width, int32* height) const = 0;

	// The pointer and the modifier keys as the display last saw them.
	void GetMouse(BPoint* screenPoint, uint32* buttons) const;
	uint32 Modifiers() const { return fModifiers.load(); }
	void NoteMouse(BPoint screenPoint, uint32 buttons);
	void NoteModifiers(uint32 modifiers) { fModifiers = modifiers; }

protected:
	int32 NextWindowID() { return fNextWindowID++; }

private:
	mutable std::mutex fMouseLock;
	BPoint fMousePoint;
	uint32 fMouseButtons = 0;
	std::atomic<uint32> fModifiers{0};
	std::atomic<int32> fNextWindowID{1};
};

} // namespace BPrivate

#endif

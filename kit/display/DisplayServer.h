#ifndef _VELMORA_DISPLAY_SERVER_H
#define _VELMORA_DISPLAY_SERVER_H

#include <string>

#include <SupportDefs.h>

namespace BPrivate {

// The process's connection to the screen. Exactly one exists per process,
// chosen on first use: the headless backend when "--headless" is on the
// command line, when VELMORA_DISPLAY=headless, or after UseHeadless();
// otherwise the desktop backend. It knows nothing of messages: the app kit
// drives it (Run on the main thread, Quit when the application ends) and
// uses its clipboard and bell.
class DisplayServer {
public:
	virtual ~DisplayServer();

	// Never deleted: window threads may still reach it while the process exits.
	static DisplayServer* Default();
	// Asks for the headless backend; has effect only before the first Default().
	static void UseHeadless();

	virtual bool IsHeadless() const = 0;
	virtual status_t InitCheck() const = 0;

	// The display loop, on the calling (main) thread, until Quit(). A Quit()
	// that comes before Run() makes the next Run() return at once.
	virtual void Run() = 0;
	virtual void Quit() = 0;

	// The desktop clipboard's text. Callable from any thread.
	virtual void SetClipboardText(const std::string& text) = 0;
	// False when the desktop clipboard holds no text.
	virtual bool GetClipboardText(std::string* text) = 0;

	// The display's bell. Callable from any thread.
	virtual void Beep() = 0;
};

} // namespace BPrivate

#endif

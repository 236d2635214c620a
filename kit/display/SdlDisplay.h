#ifndef _VELMORA_SDL_DISPLAY_H
#define _VELMORA_SDL_DISPLAY_H

#include <SDL.h>

#include <atomic>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <DisplayServer.h>

#include "sdl_support/SdlKeyboard.h"

namespace BPrivate {

class X11Clipboard;

// The desktop: real windows through SDL2. SDL is used on the main thread,
// which starts it and runs the display loop, and nowhere else: every other
// thread queues
// a command and wakes that thread, and never waits for it, except to read
// the clipboard, which gives up after a second. Windows are drawn by
// their own threads into their own surfaces; this thread only copies what
// they publish onto the screen.
class SdlDisplay : public DisplayServer {
public:
	// Null, with the reason, when there is no desktop to show windows on
	// (SDL would silently fall back to an offscreen driver).
	static std::unique_ptr<SdlDisplay> Open(std::string* error);
	~SdlDisplay() override;

	bool IsHeadless() const override { return false; }
	status_t InitCheck() const override { return B_OK; }

	void Run() override;
	void Quit() override;

	void SetClipboard(const std::string& text, const std::string& html) override;
	bool GetClipboardText(std::string* text) override;
	bool GetClipboardHTML(std::string* html) override;
	void Beep() override;

	std::shared_ptr<DisplayWindow> OpenWindow(const WindowSpec& spec,
		DisplayWindow::EventHandler handler) override;
	void CloseWindow(const std::shared_ptr<DisplayWindow>& window) override;
	void ShowWindow(const std::shared_ptr<DisplayWindow>& window, bool show) override;
	void ActivateWindow(const std::shared_ptr<DisplayWindow>& window, bool active) override;
	void UpdateWindow(const std::shared_ptr<DisplayWindow>& window) override;
	void Present(const std::shared_ptr<DisplayWindow>& window) override;
	void GetScreenSize(int32* width, int32* height) const override;

private:
	struct Shown {
		std::shared_ptr<DisplayWindow> window;
		SDL_Window* sdl = nullptr;
		WindowSpec applied;      // what SDL was last told
		PixelRect reported;      // what the window last heard of its frame
		bool visible = false;
	};
	typedef std::function<void()> Command;

	SdlDisplay();
	bool _Start(std::string* error);
	bool _OnDisplayThread() const;
	void _Queue(Command command);
	void _Wake();
	void _RunCommands();
	bool _Read(std::string* out, std::function<bool(std::string*)> read);
	void _HandleEvent(const SDL_Event& event);
	void _HandleWindowEvent(const SDL_WindowEvent& event);
	void _DeliverDrop(Uint32 sdlID);
	void _Deliver(Shown& shown, DisplayEvent event);
	Shown* _Find(int32 id);
	Shown* _FindSdl(Uint32 sdlID);
	void _Create(Shown& shown);
	void _Apply(Shown& shown);
	void _Report(Shown& shown, PixelRect frame);
	void _Present(Shown& shown);
	void _Destroy(int32 id);
	void _PassFocusOn(int32 id, bool hadFocus);
	void _RefreshScreenSize();

	Uint32 fWakeEvent = 0;
	// The thread SDL started on; -1 until it has.
	std::atomic<pid_t> fDisplayThread{-1};
	std::atomic<bool> fQuitPending{false};
	std::atomic<bool> fRunning{false};
	std::atomic<int32> fScreenWidth{1024};
	std::atomic<int32> fScreenHeight{768};

	std::mutex fCommandLock;
	std::deque<Command> fCommands;

	// Touched by the display thread only.
	std::map<int32, Shown> fWindows;
	// The windows in the order they last had the keyboard, latest last.
	std::vector<int32> fFocusOrder;
	SdlKeyboard fKeyboard;
	uint32 fButtons = 0;
	std::vector<std::string> fDroppedFiles;  // of the drop in progress
	// The X selection with HTML; null on Wayland, where SDL carries text.
	std::unique_ptr<X11Clipboard> fX11Clipboard;
};

} // namespace BPrivate

#endif

#ifndef _VELMORA_HEADLESS_DISPLAY_H
#define _VELMORA_HEADLESS_DISPLAY_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

#include <DisplayServer.h>

namespace BPrivate {

// The display of tests and batch use: nothing is shown, the desktop
// clipboard lives in memory and the bell only counts. Windows keep what
// they publish, and activation behaves as under a simple window manager:
// showing a window that takes the focus activates it, and when the active
// window hides or closes the one active before it (still shown) takes over.
class HeadlessDisplay : public DisplayServer {
public:
	bool IsHeadless() const override { return true; }
	status_t InitCheck() const override { return B_OK; }

	void Run() override;
	void Quit() override;

	void SetClipboard(const std::string& text, const std::string& html) override;
	bool GetClipboardText(std::string* text) override;
	bool GetClipboardHTML(std::string* html) override;

	void Beep() override;
	int32 BeepCount() const { return fBeeps.load(); }

	std::shared_ptr<DisplayWindow> OpenWindow(const WindowSpec& spec,
		DisplayWindow::EventHandler handler) override;
	void CloseWindow(const std::shared_ptr<DisplayWindow>& window) override;
	void ShowWindow(const std::shared_ptr<DisplayWindow>& window, bool show) override;
	void ActivateWindow(const std::shared_ptr<DisplayWindow>& window, bool active) override;
	void UpdateWindow(const std::shared_ptr<DisplayWindow>& window) override;
	void Present(const std::shared_ptr<DisplayWindow>&) override {}

	void GetScreenSize(int32* width, int32* height) const override;
	void SetScreenSize(int32 width, int32 height);

	// The id of the active window, or -1.
	int32 ActiveWindowID() const;

private:
	struct Entry {
		std::shared_ptr<DisplayWindow> window;
		bool visible = false;
		PixelRect reported;   // the frame the window last heard of
	};

	Entry* _Find(int32 id);
	void _Activate(const std::shared_ptr<DisplayWindow>& window);
	void _Deactivate(int32 id, bool passOn);
	static void _Tell(const std::shared_ptr<DisplayWindow>& window, DisplayEvent::Kind kind);

	std::mutex fLock;
	std::condition_variable fQuitSignal;
	bool fQuitPending = false;      // a Quit() that no Run() has consumed yet
	bool fHasClipboardText = false;
	std::string fClipboardText;
	std::string fClipboardHTML;
	std::atomic<int32> fBeeps{0};

	// Activation changes run one at a time, events included, so that every
	// window hears them in order. Taken before fLock.
	std::recursive_mutex fActivationLock;
	mutable std::mutex fWindowsLock;
	std::vector<Entry> fWindows;
	std::vector<int32> fActivationOrder;  // most recent last
	int32 fActiveID = -1;
	int32 fScreenWidth = 1024;
	int32 fScreenHeight = 768;
};

} // namespace BPrivate

#endif

#ifndef _VELMORA_HEADLESS_DISPLAY_H
#define _VELMORA_HEADLESS_DISPLAY_H

#include <atomic>
#include <condition_variable>
#include <mutex>

#include <DisplayServer.h>

namespace BPrivate {

// The display of tests and batch use: nothing is shown, the desktop
// clipboard lives in memory and the bell only counts.
class HeadlessDisplay : public DisplayServer {
public:
	bool IsHeadless() const override { return true; }
	status_t InitCheck() const override { return B_OK; }

	void Run() override;
	void Quit() override;

	void SetClipboardText(const std::string& text) override;
	bool GetClipboardText(std::string* text) override;

	void Beep() override;
	int32 BeepCount() const { return fBeeps.load(); }

private:
	std::mutex fLock;
	std::condition_variable fQuitSignal;
	bool fQuitPending = false;      // a Quit() that no Run() has consumed yet
	bool fHasClipboardText = false;
	std::string fClipboardText;
	std::atomic<int32> fBeeps{0};
};

} // namespace BPrivate

#endif

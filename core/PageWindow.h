#ifndef VELMORA_PAGE_WINDOW_H
#define VELMORA_PAGE_WINDOW_H

#include <atomic>

#include <Window.h>

class WindowedPage;

// One of the page's two editing windows, the visual and the HTML window.
// Closing one only hides it while the other shows, and closes the page
// otherwise; activating one first takes over what was edited in the other.
// Each keeps whether its side has edits the other side does not hold yet.
class PageWindow : public BWindow {
public:
	PageWindow(BRect frame, const char* title, WindowedPage* page);

	void Quit() override;
	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;
	void WindowActivated(bool active) override;

	// This side has edits the other side does not hold yet.
	void Changed();
	void NotChanged() { changed = false; }
	bool IsChanged() const { return changed.load(); }
	WindowedPage* MyPage() const { return page; }

protected:
	// The page's other editing window; null while it has none.
	virtual PageWindow* Partner() const = 0;
	// Brings this side into step with what was edited in the partner.
	virtual void TakeOverPartnerEdits() = 0;
	// Whether an activation now takes over the partner's edits.
	virtual bool TakesOverOnActivation() const { return true; }

	WindowedPage* page;		// not owned: the page owns the window

private:
	std::atomic<bool> changed;
};

#endif

#ifndef VELMORA_HWINDOW_H
#define VELMORA_HWINDOW_H

#include <atomic>

#include <Window.h>

class BFile;
class BScrollView;
class HTML_View;
class Page;

// The window in which the page's HTML is edited as text. It writes the
// text to files, and when it is activated after work in the visual window
// it asks the page to write the HTML anew from the visual side.
class HWindow : public BWindow {
public:
	HWindow(BRect frame, const char* title, Page* page);

	void Show() override;
	void Hide() override;
	void Quit() override;
	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;
	void WindowActivated(bool active) override;

	HTML_View* View() const { return view; }
	Page* MyPage() const { return page; }
	// The source was edited since the page last took it over.
	void Changed();
	void NotChanged() { changed = false; }
	bool IsChanged() const { return changed.load(); }
	// While false, activation does not regenerate the HTML.
	void SetUpdateFromVisual(bool update) { noUpdateFromVisual = !update; }
	void Working();
	void FinishedWorking();

	// Loads the page text the file holds (in the page's encoding).
	void SetText(BFile* file);
	// Writes the text into the file as a page file is written: CR LF line
	// ends, the page's encoding, type "text/html". The file ends with the
	// text. Returns the bytes written or an error.
	ssize_t SaveTo(BFile* file) const;

private:
	HTML_View* view;			// owned through the window's view tree
	BScrollView* scrollView;	// owned through the window's view tree
	Page* page;					// not owned: the page owns the window
	std::atomic<bool> changed;
	std::atomic<bool> noUpdateFromVisual;
};

#endif

#ifndef VELMORA_HWINDOW_H
#define VELMORA_HWINDOW_H

#include <atomic>

#include "PageWindow.h"

class BFile;
class BScrollView;
class HTML_View;

// The window in which the page's HTML is edited as text. It writes the
// text to files, and when it is activated after work in the visual window
// it asks the page to write the HTML anew from the visual side.
class HWindow : public PageWindow {
public:
	HWindow(BRect frame, const char* title, WindowedPage* page);

	void Show() override;
	void Hide() override;
	void WindowActivated(bool active) override;

	HTML_View* View() const { return view; }
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
	// Shows the window with [start, finish) of the text selected; a range
	// outside the text does nothing.
	void SelectRange(int32 start, int32 finish);

protected:
	PageWindow* Partner() const override;
	void TakeOverPartnerEdits() override;
	bool TakesOverOnActivation() const override { return !noUpdateFromVisual; }
	const char* TitlePrefix() const override { return "Velmora HTML editor"; }

private:
	HTML_View* view;			// owned through the window's view tree
	BScrollView* scrollView;	// owned through the window's view tree
	std::atomic<bool> noUpdateFromVisual;
};

#endif

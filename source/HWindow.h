#ifndef VELMORA_HWINDOW_H
#define VELMORA_HWINDOW_H

#include <atomic>

#include "PageWindow.h"

class BFile;
class BScrollView;
class HTMLPaletteWindow;
class HTML_View;

// The window in which the page's HTML is edited as text. It writes the
// text to files, and when it is activated after work in the visual window
// it asks the page to write the HTML anew from the visual side. It owns
// the page's elements palette, which floats above it and inserts what it
// builds at the caret ('rpst').
class HWindow : public PageWindow {
public:
	HWindow(BRect frame, const char* title, WindowedPage* page);

	void Quit() override;
	void Show() override;
	void Hide() override;
	void WindowActivated(bool active) override;
	void MessageReceived(BMessage* message) override;

	HTML_View* View() const { return view; }
	HTMLPaletteWindow* Palette() const { return palette; }
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

private:
	void CreatePalette();
	void TellPaletteState(bool front);
	void InsertFromPalette(const BMessage* message);

	HTML_View* view;			// owned through the window's view tree
	BScrollView* scrollView;	// owned through the window's view tree
	HTMLPaletteWindow* palette;	// quit with this window
	std::atomic<bool> noUpdateFromVisual;
};

#endif

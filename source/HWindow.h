#ifndef VELMORA_HWINDOW_H
#define VELMORA_HWINDOW_H

#include <atomic>

#include "PageWindow.h"
#include "page_support/PageText.h"

class BFile;
class BMenuBar;
class BScrollView;
class HTMLPaletteWindow;
class HTML_View;
class HFinder;

// The window in which the page's HTML is edited as text: a menu bar, the
// source view in its scroll view and the status bar. It writes the text to
// files, and when it is activated after work in the visual window it asks
// the page to write the HTML anew from the visual side, saying so in the
// view while it does. It owns the page's elements palette, which floats
// above it and inserts what it builds at the caret ('rpst'), and a finder.
//
// Commands of its own, besides the page commands of every page window:
//   'udrd', 'copy', 'past', 'cut '  on the source text, with the clipboard
//   'find'   the finder;  'fnda' its search again;  'shpl' the palette
//   'updt'   the HTML anew from the visual side, after asking whether the
//            HTML window's own edits may go
//   'chkh'   lists what the checker finds;  'corh' the checker's correction
//   'colr'   colours the whole text again;  'rtst' draws it again
//   'rpst'   inserts "text" at the caret (see InsertFromPalette)
// A save started here leaves this window in front.
class HWindow : public PageWindow {
public:
	HWindow(BRect frame, const char* title, WindowedPage* page);

	void Quit() override;
	void Show() override;
	void Hide() override;
	void WindowActivated(bool active) override;
	void MessageReceived(BMessage* message) override;
	void FinishedWorking() override;

	HTML_View* View() const { return view; }
	HTMLPaletteWindow* Palette() const { return palette; }
	HFinder* Finder() const { return finder; }
	BMenuBar* MainMenu() const { return menuBar; }
	// While false, activation does not regenerate the HTML.
	void SetUpdateFromVisual(bool update) { noUpdateFromVisual = !update; }

	// Loads the page text the file holds (in the page's encoding).
	void SetText(BFile* file);
	// Writes the text into the file as a page file is written: CR LF line
	// ends, the page's encoding, type "text/html". The file ends with the
	// text. Returns the bytes written or an error.
	ssize_t SaveTo(BFile* file) const;
	// The bytes SaveTo writes, handed to write a piece at a time under the
	// window's lock (PageText::EncodeInPieces); returns what write returns
	// first other than B_OK.
	status_t WriteText(const PageText::PieceWriter& write) const;
	// WriteText into a file descriptor (SafeSave::WriteAll).
	status_t WriteTextTo(int fd) const;
	// Shows the window with [start, finish) of the text selected; a range
	// outside the text does nothing.
	void SelectRange(int32 start, int32 finish);

protected:
	PageWindow* Partner() const override;
	void TakeOverPartnerEdits() override;
	bool TakesOverOnActivation() const override { return !noUpdateFromVisual; }
	const char* TitlePrefix() const override { return "Velmora HTML editor"; }
	status_t SavePage() override;

private:
	void AddMainMenu();
	void TellPaletteState(bool front);
	void InsertFromPalette(const BMessage* message);
	void UpdateFromVisual();
	void ShowUpdating();

	HTML_View* view;			// owned through the window's view tree
	BScrollView* scrollView;	// owned through the window's view tree
	HTMLPaletteWindow* palette;	// quit with this window
	HFinder* finder;			// quit with this window
	std::atomic<bool> noUpdateFromVisual;
};

#endif

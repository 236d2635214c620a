#ifndef VELMORA_PAGE_WINDOW_H
#define VELMORA_PAGE_WINDOW_H

#include <atomic>
#include <memory>
#include <string>

#include "KWindow.h"

class BMenuBar;
class ExtensionsFilePanel;
class KBottomBar;
class WindowedPage;

// One of the page's two editing windows, the visual and the HTML window.
// Closing one only hides it while the other shows, and closes the page
// otherwise; activating one first takes over what was edited in the other.
// Each keeps whether its side has edits the other side does not hold yet.
//
// Both have a status bar at the bottom and their own Save As panel, show
// the page's title and file with a leading "*" while the page has unsaved
// changes, and answer the page commands of their menus alike:
//   'new ', 'open', 'abot', 'exit'  asked of the application
//   'save'   saves a titled page; an untitled one gets the Save As panel
//   'spas'   the Save As panel; its answer (B_SAVE_REQUESTED) moves the
//            page to the chosen file and saves it there
//   'reld'   asks, then reads the page again from its file
//   'prew'   the preview, run by the engine's looper
//   'sexe'   hands the page to the external editor
//   'help'   the user's guide in the web browser
//   'shww'   the other editing window;  'serr' the error list
//   'sbtx'   shows the string "text" in the status bar
//   'clos'   closes the page
class BTextView;

class PageWindow : public KWindow {
public:
	PageWindow(BRect frame, const char* title, WindowedPage* page);
	~PageWindow() override;

	void Quit() override;
	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;
	void WindowActivated(bool active) override;
	void MenusBeginning() override;

	// This side has edits the other side does not hold yet.
	void Changed();
	void NotChanged() { changed = false; }
	bool IsChanged() const { return changed.load(); }
	WindowedPage* MyPage() const { return page; }
	KBottomBar* BottomBar() const { return bottomBar; }
	ExtensionsFilePanel* SavePanel() const { return savePanel.get(); }

	// From any thread: the page's title (null for none) and file name, and
	// whether it is saved, are shown again.
	void ShowPageState(const char* title, const char* fileName);
	void ShowSavedState();

	// While a page is read the menus take no commands; from any thread.
	virtual void Working();
	virtual void FinishedWorking();

protected:
	// The page's other editing window; null while it has none.
	virtual PageWindow* Partner() const = 0;
	// Brings this side into step with what was edited in the partner.
	virtual void TakeOverPartnerEdits() = 0;
	// Whether an activation now takes over the partner's edits.
	virtual bool TakesOverOnActivation() const { return true; }
	// What the window's title begins with.
	virtual const char* TitlePrefix() const = 0;
	// Commands are offered only while they can do something: 'save' while
	// the page has unsaved changes. The menu bar's items by default.
	virtual void EnableCommand(uint32 command, bool enabled);
	// Saves the page into its file, from 'save' and from the Save As
	// panel's answer.
	virtual status_t SavePage();
	// Undo ('udrd') and the clipboard's 'copy', 'past' and 'cut ' in the
	// window's text view.
	static void EditText(BTextView* view, uint32 command);

	WindowedPage* page;		// not owned: the page owns the window
	BMenuBar* menuBar;		// the window's menu bar, set by the window that makes it

private:
	void UpdateTitle();
	void Save();
	void ShowSavePanel();
	void SaveAs(const BMessage* reply);
	void AskToRevert();
	void ShowHelp();
	void ShowStatusText(const BMessage* message);
	void ShowPartner();
	void ShowErrorList();

	std::atomic<bool> changed;
	KBottomBar* bottomBar;	// a child of the window
	std::unique_ptr<ExtensionsFilePanel> savePanel;
	std::string pageTitle;	// of the page's last title message
	std::string fileName;
};

#endif

#ifndef VELMORA_WAPPLICATION_H
#define VELMORA_WAPPLICATION_H

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <Application.h>

#include "Config_.h"
#include "PageHost.h"

class BFilePanel;
class BWindow;
class ExtensionsFilePanel;
class Page;
class RecoveryCopy;
class SignalWatcher;
class StartWindow;

// The program's application: it reads the settings, shows the start window
// while it starts, makes the page of the document the program was started
// for (or of the program's start-up page) and loads it, hands pages to the
// web browser for previews and forwards changes of the pages' exchange
// files. The pages' windows ask it by message to show the open panel
// ('open') and the About window ('abot'). One process edits one document:
// a further document starts another process of the program.
class WApplication : public BApplication, public PageHost {
public:
	// path: the document to open; null for the start-up page, empty for a
	// new untitled page. Batch commands pass batch: the settings file is
	// then only read, and nothing is shown or tested.
	explicit WApplication(const char* path, bool batch = false);
	~WApplication() override;

	// False when the program is to end without running: its resources are
	// missing. (A start after a crash in the picture decoders' test runs
	// only to say so, then quits.)
	bool ShouldRun() const { return run; }

	void ReadyToRun() override;
	void RefsReceived(BMessage* message) override;
	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

	// Closes the page of a slot; closing the only page quits the program.
	void ClosePage(int index);
	// Offers to save every changed page, then ends the process at once.
	void ForceQuit();
	// Started to restore a recovery copy (the start's "--restore"): the
	// copy's page is opened with the copy's text as its changes.
	void RestoreAtStart(const char* copyPath);

	Config_* Config() const override { return settings.get(); }
	bool IsFirstStart() const { return firstStart; }
	bool IsStarting() const override { return starting.load(); }
	void StartingFinished() override;
	// Starts the web browser on scheme + "://" + path.
	void ShowInBrowser(const char* path, const char* scheme) override;
	// What a page's window posts when the user closes the page.
	void PostClosePage(int32 index) override;
	// A page window records itself as active.
	void NoteActiveWindow(BWindow* window) override;
	BHandler* ExchangeWatcher() override { return this; }
	void SetActiveWindow(BWindow* window) { activeWindow = window; }
	BWindow* ActiveWindow() const { return activeWindow.load(); }
	// The open panel of the "Open…" command; its choices come here as refs.
	BFilePanel* OpenPanel() const;
	// Shows it, or brings it to the front when it shows.
	void ShowOpenPanel();
	// The page in a slot of the page table; null for an empty slot.
	Page* PageAt(int32 index) const;
	// Makes the page of a slot (the caller loads it); null when the slot
	// is taken or out of the table.
	Page* MakePage(const char* path, int32 index);
	const char* StartPath() const { return startPath.c_str(); }
	// The start window while it shows; null after it closed.
	StartWindow* StartingWindow();

	// The desktop entry that lists the program among the user's
	// applications and offers it for HTML files.
	static std::string DesktopEntryPath();
	static std::string DesktopEntry(const char* appDirectory);

	static constexpr int32 kPageSlots = 512;

private:
	void FirstStart();
	void CloseStartWindow();
	void SetStartText(const char* text);
	void ForwardExchangeChange(const BMessage* message);
	int32 OpenPages() const;
	std::string ProgramFile() const;
	void DeletePage(std::unique_ptr<Page>& slot);

	// Recovery copies left by programs that ended abruptly, offered once
	// the first page is loaded.
	void OfferRecoveryCopies();
	void Restore(std::unique_ptr<RecoveryCopy> copy);
	// SIGINT, SIGTERM and SIGHUP end the program as a quit does, without
	// questions: the recovery copies first, then every page closes.
	void EndOnSignal(int signal);
	void EndSession();
	void MarkEnded();
	void EndAbruptly();

	std::vector<std::string> extensions;
	std::unique_ptr<ExtensionsFilePanel> openPanel;
	bool firstStart;
	std::unique_ptr<Config_> settings;
	std::unique_ptr<Page> pages[kPageSlots];
	std::atomic<bool> starting;
	std::mutex startWindowLock;
	StartWindow* startWindow;	// quits itself; null when none shows
	bool run;
	std::string startPath;
	std::atomic<BWindow*> activeWindow;	// not owned
	bool batch;
	std::unique_ptr<RecoveryCopy> copyToRestore;
	std::timed_mutex pagesLock;		// held while the page table changes
	std::unique_ptr<SignalWatcher> signalWatcher;
	std::atomic<bool> ending;
	std::mutex endLock;
	std::condition_variable endChanged;
	bool ended;						// under endLock
};

#endif

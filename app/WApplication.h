#ifndef VELMORA_WAPPLICATION_H
#define VELMORA_WAPPLICATION_H

#include <atomic>
#include <memory>
#include <string>

#include <Application.h>

#include "Config_.h"

class BWindow;
class Page;

// The program's application: it reads the settings, makes the page of the
// document the program was started for (or of the program's start-up
// page) and loads it, hands pages to the web browser for previews and
// forwards changes of the pages' exchange files. One process edits one
// document: a further document starts another process of the program.
class WApplication : public BApplication {
public:
	// path: the document to open; null or empty for the start-up page.
	// Batch commands pass batch: the settings file is then only read.
	explicit WApplication(const char* path, bool batch = false);
	~WApplication() override;

	void ReadyToRun() override;
	void RefsReceived(BMessage* message) override;
	void MessageReceived(BMessage* message) override;

	Config_* Config() const { return settings.get(); }
	bool IsFirstStart() const { return firstStart; }
	bool IsStarting() const { return starting.load(); }
	void StartingFinished();
	// Starts the web browser on scheme + "://" + path.
	void ShowInBrowser(const char* path, const char* scheme);
	void SetActiveWindow(BWindow* window) { activeWindow = window; }
	BWindow* ActiveWindow() const { return activeWindow; }
	// The page in a slot of the page table; null for an empty slot.
	Page* PageAt(int32 index) const;
	// Makes the page of a slot (the caller loads it); null when the slot
	// is taken or out of the table.
	Page* MakePage(const char* path, int32 index);
	const char* StartPath() const { return startPath.c_str(); }

	static constexpr int32 kPageSlots = 512;

private:
	void ForwardExchangeChange(const BMessage* message);

	bool firstStart;
	std::unique_ptr<Config_> settings;
	Page* pages[kPageSlots];	// owned: each page is deleted when it closes
	std::atomic<bool> starting;
	std::string startPath;
	BWindow* activeWindow;		// not owned
};

#endif

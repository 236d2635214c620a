#ifndef _FILE_PANEL_H
#define _FILE_PANEL_H

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <EntryRef.h>
#include <Messenger.h>
#include <RefFilter.h>
#include <StorageDefs.h>

class BDirectory;
class BEntry;
class BMessage;
class BWindow;

namespace BPrivate {
class FilePanelWindow;
}

enum file_panel_mode {
	B_OPEN_PANEL,
	B_SAVE_PANEL
};

enum file_panel_button {
	B_CANCEL_BUTTON,
	B_DEFAULT_BUTTON
};

// A window in which the user picks files to open, or a folder and a name
// to save under. It lists the entries of one folder (name, size, date;
// folders first; hidden entries and those the filter turns away left out),
// goes into a folder on a double click or Enter, up with the Up button or
// Backspace, and anywhere above through the path menu.
//
// Replies go to the target (by default the application): an open panel
// sends B_REFS_RECEIVED with "refs" (one entry_ref per chosen entry), a
// save panel B_SAVE_REQUESTED with "directory" (entry_ref) and "name"
// (string), both built on the message set with SetMessage() when there is
// one. Whenever the panel hides, after a choice too, it sends B_CANCEL
// with "old_what" (the command the reply had) and "source" (the panel).
//
// Where nobody can see a window (the headless display), Show() asks the
// file-panel responder of the window tests instead, at once, and replies
// the same way.
class BFilePanel {
public:
	BFilePanel(file_panel_mode mode = B_OPEN_PANEL, BMessenger* target = NULL,
		const entry_ref* directory = NULL, uint32 nodeFlavors = 0,
		bool allowMultipleSelection = true, BMessage* message = NULL, BRefFilter* filter = NULL,
		bool modal = false, bool hideWhenDone = true);
	virtual ~BFilePanel();

	void Show();
	void Hide();
	bool IsShowing() const;

	// Called when the panel hides; nothing by default.
	virtual void WasHidden();
	virtual void SelectionChanged();
	// Sends a reply; the default sends message to target.
	virtual void SendMessage(const BMessenger* target, BMessage* message);

	BWindow* Window() const;
	BMessenger Messenger() const;
	BRefFilter* RefFilter() const;
	file_panel_mode PanelMode() const;
	void GetPanelDirectory(entry_ref* ref) const;

	void SetTarget(BMessenger target);
	// A copy is kept; null goes back to the plain reply.
	void SetMessage(BMessage* message);
	// The filter stays the caller's; once this returns, the panel no
	// longer uses the filter it had.
	void SetRefFilter(BRefFilter* filter);
	// The name a save panel suggests.
	void SetSaveText(const char* text);
	void SetButtonLabel(file_panel_button button, const char* label);
	void SetPanelDirectory(const BEntry* entry);
	void SetPanelDirectory(const BDirectory* directory);
	void SetPanelDirectory(const entry_ref* ref);
	void SetPanelDirectory(const char* path);
	void SetHideWhenDone(bool hideWhenDone);
	bool HidesWhenDone() const;
	// Lists the folder again.
	void Refresh();

	// The entries selected in the list, one by one.
	void Rewind();
	status_t GetNextSelectedRef(entry_ref* ref);

private:
	friend class BPrivate::FilePanelWindow;

	void _ShowHeadless();
	// What the panel's window reports, on its own thread.
	void _Open(const std::vector<entry_ref>& refs);
	void _Save(const std::string& directory, const std::string& name);
	void _Done(bool chosen);
	void _WentTo(const std::string& directory);
	void _Selected(const std::vector<entry_ref>& refs);
	void _Send(BMessage* message);
	BMessage _Reply(uint32 command) const;

	const file_panel_mode fMode;
	const uint32 fNodeFlavors;
	const bool fAllowMultiple;

	// The settings, shared by the caller's thread and the window's.
	mutable std::mutex fLock;
	BMessenger fTarget;
	std::unique_ptr<BMessage> fMessage;
	BRefFilter* fFilter;               // not owned
	bool fHideWhenDone;
	std::string fDirectory;            // the folder shown
	std::string fSaveText;
	std::string fButtonLabels[2];
	std::vector<entry_ref> fSelection;
	int32 fNextSelected = 0;

	std::atomic<bool> fShowing{false};
	BPrivate::FilePanelWindow* fWindow;  // owned; quit with the panel
};

#endif

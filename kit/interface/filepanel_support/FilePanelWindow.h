#ifndef _VELMORA_FILE_PANEL_WINDOW_H
#define _VELMORA_FILE_PANEL_WINDOW_H

#include <string>
#include <vector>

#include <FilePanel.h>
#include <Window.h>

class BMenuField;
class BScrollView;
class BView;

namespace BPrivate {

class ColumnHeader;
class EntryListView;
class NameField;
class PanelButton;

// The window of a BFilePanel: the Up button and the path menu, the list of
// the folder's entries under its column titles, in a save panel the name
// line, and the Cancel and Open (or Save) buttons. Enter on a folder goes
// into it, on a file chooses it; Escape and the close box cancel. Views
// are named "up", "path", "entries", "name", "cancel" and "default".
//
// It reads the panel's settings under the panel's lock and answers
// through the panel, on its own thread.
class FilePanelWindow : public BWindow {
public:
	// What the panel asks of its window.
	enum {
		kShowFolder = '_fpF',   // list the panel's folder
		kSaveText = '_fpT',     // take the panel's save text
		kButtonLabels = '_fpB'  // take the panel's button labels
	};

	FilePanelWindow(BFilePanel* panel, file_panel_mode mode, bool allowMultiple, bool modal);
	~FilePanelWindow() override;

	// Shows the panel's folder as it is now.
	void Show() override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

private:
	void _Build(bool allowMultiple);
	void _Layout();
	bool _GoTo(const std::string& folder, const std::string& select = "");
	void _UpdatePathMenu();
	void _UpdateButtons();
	void _SelectionChanged();
	void _Invoked();
	void _Choose();
	void _ChooseToOpen();
	void _ChooseToSave();
	std::vector<entry_ref> _SelectedRefs(bool withFolders) const;

	BFilePanel* fPanel;  // not owned: the panel owns this window
	file_panel_mode fMode;
	std::string fFolder;
	BView* fBackground;
	PanelButton* fUp;
	BMenuField* fPath;
	ColumnHeader* fHeader;
	EntryListView* fList;  // in fScroll
	BScrollView* fScroll;
	NameField* fName = nullptr;
	PanelButton* fCancel;
	PanelButton* fDefault;
};

} // namespace BPrivate

#endif

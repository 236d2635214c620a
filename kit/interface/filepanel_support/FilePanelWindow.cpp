#include "FilePanelWindow.h"

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Alert.h>
#include <Beep.h>
#include <Entry.h>
#include <FindDirectory.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <ScrollView.h>
#include <View.h>
#include <storage_support/Paths.h>

#include "ColumnHeader.h"
#include "DirectoryListing.h"
#include "EntryListView.h"
#include "NameField.h"
#include "PanelButton.h"

namespace BPrivate {

namespace {

enum {
	kGoUp = 'fpUp',
	kPathChosen = 'fpPa',
	kSelected = 'fpSe',
	kInvoked = 'fpIn',
	kDefaultPressed = 'fpOK',
	kCancelPressed = 'fpCa',
	kNameChanged = 'fpNC',
	kNameEntered = 'fpNE'
};

const float kMargin = 8;
const float kUpWidth = 60;
const float kHeaderHeight = 18;

std::string HomeFolder()
{
	BPath home;
	if (find_directory(B_USER_DIRECTORY, &home) == B_OK && home.Path() != nullptr)
		return home.Path();
	return "/";
}

std::string LeafOf(const std::string& path)
{
	std::string folder;
	std::string leaf;
	Storage::SplitPath(path, &folder, &leaf);
	return leaf;
}

bool IsFolder(const std::string& path)
{
	struct stat info = {};
	return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Saving over a file loses it: the user says whether that is meant.
// Escape keeps it.
bool MayReplace(const std::string& path)
{
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return true;
	std::string text = "\"" + LeafOf(path)
		+ "\" already exists in this folder. Do you want to replace it?";
	auto* alert = new BAlert("Replace", text.c_str(), "Cancel", "Replace", nullptr,
		B_WIDTH_AS_USUAL, B_WARNING_ALERT);
	alert->SetShortcut(0, B_ESCAPE);
	return alert->Go() == 1;
}

bool RefOf(const std::string& path, entry_ref* ref)
{
	return BEntry(path.c_str()).GetRef(ref) == B_OK;
}

} // namespace

FilePanelWindow::FilePanelWindow(BFilePanel* panel, file_panel_mode mode, bool allowMultiple,
	bool modal)
	: BWindow(BRect(0, 0, 559, 419), mode == B_SAVE_PANEL ? "Save" : "Open", B_TITLED_WINDOW_LOOK,
		modal ? B_MODAL_APP_WINDOW_FEEL : B_NORMAL_WINDOW_FEEL, B_ASYNCHRONOUS_CONTROLS),
	  fPanel(panel),
	  fMode(mode)
{
	SetSizeLimits(420, 32767, 300, 32767);
	_Build(allowMultiple);
	CenterOnScreen();
}

FilePanelWindow::~FilePanelWindow() = default;

void FilePanelWindow::_Build(bool allowMultiple)
{
	fBackground = new BView(Bounds(), "background", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	fBackground->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(fBackground);
	std::string labels[2];
	{
		std::lock_guard<std::mutex> guard(fPanel->fLock);
		labels[0] = fPanel->fButtonLabels[B_CANCEL_BUTTON];
		labels[1] = fPanel->fButtonLabels[B_DEFAULT_BUTTON];
	}
	BRect someWhere(0, 0, 10, 10);
	fUp = new PanelButton(someWhere, "up", "Up", new BMessage(kGoUp), B_FOLLOW_LEFT | B_FOLLOW_TOP);
	fPath = new BMenuField(someWhere, "path", nullptr, new BPopUpMenu("path", false, false), true,
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fList = new EntryListView(someWhere,
		allowMultiple ? B_MULTIPLE_SELECTION_LIST : B_SINGLE_SELECTION_LIST, kGoUp);
	fList->SetSelectionMessage(new BMessage(kSelected));
	fList->SetInvocationMessage(new BMessage(kInvoked));
	fHeader = new ColumnHeader(someWhere, fList);
	if (fMode == B_SAVE_PANEL) {
		fName = new NameField(someWhere, "name", "Name:", new BMessage(kNameEntered),
			new BMessage(kNameChanged), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	}
	fCancel = new PanelButton(someWhere, "cancel", labels[0].c_str(),
		new BMessage(kCancelPressed), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fDefault = new PanelButton(someWhere, "default", labels[1].c_str(),
		new BMessage(kDefaultPressed), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fDefault->MakeDefault(true);
	fScroll = new BScrollView("scroll", fList, B_FOLLOW_ALL_SIDES, 0, false, true);
	for (BView* view : {static_cast<BView*>(fUp), static_cast<BView*>(fPath),
			static_cast<BView*>(fHeader), static_cast<BView*>(fScroll),
			static_cast<BView*>(fName), static_cast<BView*>(fCancel),
			static_cast<BView*>(fDefault)}) {
		if (view != nullptr)
			fBackground->AddChild(view);
	}
	_Layout();
	if (fName != nullptr)
		fName->MakeFocus();
	else
		fList->MakeFocus();
}

void FilePanelWindow::_Layout()
{
	BRect bounds = Bounds();
	float width = 0;
	float buttonHeight = 0;
	fUp->GetPreferredSize(&width, &buttonHeight);
	fUp->MoveTo(kMargin, kMargin);
	fUp->ResizeTo(kUpWidth, buttonHeight);
	float pathHeight = 0;
	fPath->GetPreferredSize(&width, &pathHeight);
	float pathLeft = kMargin + kUpWidth + 1 + kMargin;
	fPath->MoveTo(pathLeft, kMargin + std::floor((buttonHeight - pathHeight) / 2));
	fPath->ResizeTo(bounds.right - kMargin - pathLeft, pathHeight);

	float buttonsTop = bounds.bottom - kMargin - buttonHeight;
	float defaultWidth = 0;
	float cancelWidth = 0;
	fDefault->GetPreferredSize(&defaultWidth, nullptr);
	fCancel->GetPreferredSize(&cancelWidth, nullptr);
	fDefault->MoveTo(bounds.right - kMargin - defaultWidth, buttonsTop);
	fDefault->ResizeTo(defaultWidth, buttonHeight);
	fCancel->MoveTo(bounds.right - 2 * kMargin - defaultWidth - 1 - cancelWidth, buttonsTop);
	fCancel->ResizeTo(cancelWidth, buttonHeight);

	float listBottom = buttonsTop - kMargin;
	if (fName != nullptr) {
		float nameHeight = 0;
		fName->GetPreferredSize(nullptr, &nameHeight);
		listBottom -= nameHeight + kMargin;
		fName->MoveTo(kMargin, listBottom + 1 + kMargin);
		fName->ResizeTo(bounds.right - 2 * kMargin, nameHeight);
	}
	float headerTop = kMargin + buttonHeight + kMargin;
	fHeader->MoveTo(kMargin, headerTop);
	fHeader->ResizeTo(bounds.right - 2 * kMargin, kHeaderHeight);
	fScroll->MoveTo(kMargin, headerTop + kHeaderHeight + 1);
	fScroll->ResizeTo(bounds.right - 2 * kMargin, listBottom - (headerTop + kHeaderHeight + 1));
}

// Showing and the panel's requests.

void FilePanelWindow::Show()
{
	fPanel->fShowing = true;
	PostMessage(kShowFolder);
	BWindow::Show();
}

void FilePanelWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	const char* bytes = nullptr;
	int32 modifiers = 0;
	if (message->what == B_KEY_DOWN && message->FindString("bytes", &bytes) == B_OK
		&& strcmp(bytes, "\x1b") == 0) {
		message->FindInt32("modifiers", &modifiers);
		if ((modifiers & (B_COMMAND_KEY | B_CONTROL_KEY | B_OPTION_KEY)) == 0) {
			fPanel->_Done(false);
			return;
		}
	}
	BWindow::DispatchMessage(message, handler);
}

void FilePanelWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kShowFolder:
		{
			std::string folder;
			{
				std::lock_guard<std::mutex> guard(fPanel->fLock);
				folder = fPanel->fDirectory;
			}
			if (!_GoTo(folder) && fFolder.empty())
				_GoTo(HomeFolder());
			break;
		}
		case kSaveText:
			if (fName != nullptr) {
				std::lock_guard<std::mutex> guard(fPanel->fLock);
				fName->SetText(fPanel->fSaveText.c_str());
			}
			_UpdateButtons();
			break;
		case kButtonLabels:
		{
			std::lock_guard<std::mutex> guard(fPanel->fLock);
			fCancel->SetLabel(fPanel->fButtonLabels[B_CANCEL_BUTTON].c_str());
			fDefault->SetLabel(fPanel->fButtonLabels[B_DEFAULT_BUTTON].c_str());
			break;
		}
		case kGoUp:
			// Back in the folder above, the folder just left is selected.
			if (fFolder != "/")
				_GoTo(DirectoryListing::ParentOf(fFolder), LeafOf(fFolder));
			break;
		case kPathChosen:
		{
			const char* path = nullptr;
			if (message->FindString("path", &path) == B_OK)
				_GoTo(path);
			break;
		}
		case kSelected:
			_SelectionChanged();
			break;
		case kInvoked:
			_Invoked();
			break;
		case kDefaultPressed:
		case kNameEntered:
			_Choose();
			break;
		case kCancelPressed:
			fPanel->_Done(false);
			break;
		case kNameChanged:
			_UpdateButtons();
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

bool FilePanelWindow::QuitRequested()
{
	fPanel->_Done(false);
	return false;
}

// Going places.

bool FilePanelWindow::_GoTo(const std::string& folder, const std::string& select)
{
	std::vector<ListedEntry> entries;
	status_t status;
	{
		// The filter is used under the panel's lock, so that once
		// SetRefFilter() returns the old one is free to go.
		std::lock_guard<std::mutex> guard(fPanel->fLock);
		status = DirectoryListing::Read(folder, fPanel->fFilter, &entries);
	}
	if (status != B_OK) {
		beep();
		return false;
	}
	fFolder = folder;
	fPanel->_WentTo(folder);
	fList->SetEntries(entries);
	int32 index = select.empty() ? -1 : fList->IndexOfName(select);
	if (index >= 0) {
		fList->Select(index);
		fList->ScrollToSelection();
	}
	_UpdatePathMenu();
	_UpdateButtons();
	return true;
}

void FilePanelWindow::_UpdatePathMenu()
{
	BMenu* menu = fPath->Menu();
	menu->RemoveItems(0, menu->CountItems(), true);
	for (std::string folder = fFolder;; folder = DirectoryListing::ParentOf(folder)) {
		BMessage* message = new BMessage(kPathChosen);
		message->AddString("path", folder.c_str());
		menu->AddItem(new BMenuItem(folder.c_str(), message));
		if (folder == "/")
			break;
	}
	menu->AddSeparatorItem();
	BMessage* home = new BMessage(kPathChosen);
	home->AddString("path", HomeFolder().c_str());
	menu->AddItem(new BMenuItem("Home", home));
	fPath->MenuItem()->SetLabel(fFolder.c_str());
}

void FilePanelWindow::_UpdateButtons()
{
	fUp->SetEnabled(fFolder != "/");
	if (fName != nullptr)
		fDefault->SetEnabled(fName->Text()[0] != '\0');
	else
		fDefault->SetEnabled(fList->CurrentSelection() >= 0
			|| (fPanel->fNodeFlavors & B_DIRECTORY_NODE) != 0);
}

void FilePanelWindow::_SelectionChanged()
{
	fPanel->_Selected(_SelectedRefs(true));
	// A file picked in a save panel lends its name.
	const ListedEntry* entry = fList->EntryAt(fList->CurrentSelection());
	if (fName != nullptr && entry != nullptr && !entry->isDirectory)
		fName->SetText(entry->name.c_str());
	_UpdateButtons();
}

void FilePanelWindow::_Invoked()
{
	const ListedEntry* entry = fList->EntryAt(fList->CurrentSelection());
	if (entry == nullptr)
		return;
	if (entry->isDirectory && fList->CurrentSelection(1) < 0) {
		_GoTo(DirectoryListing::Join(fFolder, entry->name));
		return;
	}
	_Choose();
}

void FilePanelWindow::_Choose()
{
	if (fMode == B_SAVE_PANEL)
		_ChooseToSave();
	else
		_ChooseToOpen();
}

void FilePanelWindow::_ChooseToOpen()
{
	bool foldersAllowed = (fPanel->fNodeFlavors & B_DIRECTORY_NODE) != 0;
	int32 first = fList->CurrentSelection();
	const ListedEntry* entry = fList->EntryAt(first);
	// A lone folder that cannot be chosen is gone into instead.
	if (entry != nullptr && entry->isDirectory && !foldersAllowed
		&& fList->CurrentSelection(1) < 0) {
		_GoTo(DirectoryListing::Join(fFolder, entry->name));
		return;
	}
	std::vector<entry_ref> refs = _SelectedRefs(foldersAllowed);
	entry_ref folder;
	if (first < 0 && foldersAllowed && RefOf(fFolder, &folder))
		refs.push_back(folder);
	if (refs.empty()) {
		beep();
		return;
	}
	fPanel->_Open(refs);
	fPanel->_Done(true);
}

void FilePanelWindow::_ChooseToSave()
{
	std::string typed = fName->Text();
	if (typed.empty()) {
		beep();
		return;
	}
	// "~" is the home folder, as in a shell.
	if (typed == "~" || typed.rfind("~/", 0) == 0)
		typed = HomeFolder() + typed.substr(1);
	std::string path = DirectoryListing::Join(fFolder, typed);
	// A name that is a folder (or ends in a slash) goes there.
	if (typed.back() == '/' || IsFolder(path)) {
		if (_GoTo(path))
			fName->SetText("");
		return;
	}
	std::string folder = DirectoryListing::ParentOf(path);
	if (!IsFolder(folder)) {
		beep();
		return;
	}
	if (!MayReplace(path))
		return;
	fPanel->_Save(folder, LeafOf(path));
	fPanel->_Done(true);
}

std::vector<entry_ref> FilePanelWindow::_SelectedRefs(bool withFolders) const
{
	std::vector<entry_ref> refs;
	for (int32 n = 0, index; (index = fList->CurrentSelection(n)) >= 0; n++) {
		const ListedEntry* entry = fList->EntryAt(index);
		if (!entry->isDirectory || withFolders)
			refs.push_back(entry->ref);
	}
	return refs;
}

} // namespace BPrivate

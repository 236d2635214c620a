#include <FilePanel.h>

#include <Application.h>
#include <Directory.h>
#include <DisplayServer.h>
#include <Entry.h>
#include <FindDirectory.h>
#include <Message.h>
#include <Path.h>
#include <Window.h>
#include <WindowTesting.h>

#include "filepanel_support/DirectoryListing.h"
#include "filepanel_support/FilePanelWindow.h"

using BPrivate::DirectoryListing;
using BPrivate::FilePanelWindow;

namespace {

std::string PathOf(const entry_ref* ref)
{
	BPath path;
	BEntry entry(ref);
	if (ref == nullptr || entry.GetPath(&path) != B_OK || path.Path() == nullptr)
		return "";
	return path.Path();
}

std::string HomeFolder()
{
	BPath home;
	if (find_directory(B_USER_DIRECTORY, &home) == B_OK && home.Path() != nullptr)
		return home.Path();
	return "/";
}

bool RefOf(const std::string& path, entry_ref* ref)
{
	return BEntry(path.c_str()).GetRef(ref) == B_OK;
}

} // namespace

BFilePanel::BFilePanel(file_panel_mode mode, BMessenger* target, const entry_ref* directory,
	uint32 nodeFlavors, bool allowMultipleSelection, BMessage* message, BRefFilter* filter,
	bool modal, bool hideWhenDone)
	: fMode(mode),
	  fNodeFlavors(nodeFlavors != 0 ? nodeFlavors : static_cast<uint32>(B_FILE_NODE)),
	  fAllowMultiple(mode == B_OPEN_PANEL && allowMultipleSelection),
	  fTarget(target != nullptr ? *target : be_app_messenger),
	  fMessage(message != nullptr ? new BMessage(*message) : nullptr),
	  fFilter(filter),
	  fHideWhenDone(hideWhenDone)
{
	fDirectory = PathOf(directory);
	if (fDirectory.empty())
		fDirectory = HomeFolder();
	fButtonLabels[B_CANCEL_BUTTON] = "Cancel";
	fButtonLabels[B_DEFAULT_BUTTON] = mode == B_SAVE_PANEL ? "Save" : "Open";
	fWindow = new FilePanelWindow(this, mode, fAllowMultiple, modal);
	// Its loop runs from now on, hidden: a window that was never run stays
	// locked by the thread that made the panel, and the panel is shown,
	// set up and deleted from other threads too.
	fWindow->Run();
}

BFilePanel::~BFilePanel()
{
	if (fWindow->Lock())
		fWindow->Quit();
}

// Showing.

void BFilePanel::Show()
{
	if (BPrivate::DisplayServer::Default()->IsHeadless()) {
		_ShowHeadless();
		return;
	}
	fShowing = true;
	fWindow->PostMessage(FilePanelWindow::kShowFolder);
	if (fWindow->Lock()) {
		if (fWindow->IsHidden())
			fWindow->Show();
		fWindow->Activate();
		fWindow->Unlock();
	}
}

void BFilePanel::_ShowHeadless()
{
	BPrivate::FilePanelRequest request;
	request.save = fMode == B_SAVE_PANEL;
	if (fWindow->Lock()) {
		request.title = fWindow->Title();
		fWindow->Unlock();
	}
	{
		std::lock_guard<std::mutex> guard(fLock);
		request.directory = fDirectory;
		request.name = fSaveText;
	}
	request.allowsMultiple = fAllowMultiple;
	fShowing = true;
	BPrivate::FilePanelAnswer answer = BPrivate::AnswerFilePanelHeadless(request);
	if (answer.cancelled || answer.paths.empty()) {
		_Done(false);
		return;
	}
	if (fMode == B_SAVE_PANEL) {
		std::string path = DirectoryListing::Join(request.directory, answer.paths.front());
		_Save(DirectoryListing::ParentOf(path), path.substr(path.find_last_of('/') + 1));
	} else {
		std::vector<entry_ref> refs;
		for (const std::string& path : answer.paths) {
			entry_ref ref;
			if (RefOf(DirectoryListing::Join(request.directory, path), &ref))
				refs.push_back(ref);
		}
		_Open(refs);
	}
	_Done(true);
	// Nobody is left to answer a panel that stays: it is done.
	if (fShowing) {
		fShowing = false;
		WasHidden();
	}
}

void BFilePanel::Hide()
{
	if (!fShowing)
		return;
	if (fWindow->Lock()) {
		if (!fWindow->IsHidden())
			fWindow->Hide();
		fWindow->Unlock();
	}
	_Done(false);
}

bool BFilePanel::IsShowing() const
{
	return fShowing;
}

void BFilePanel::WasHidden()
{
}

void BFilePanel::SelectionChanged()
{
}

void BFilePanel::SendMessage(const BMessenger* target, BMessage* message)
{
	if (target != nullptr && message != nullptr)
		target->SendMessage(message);
}

// Settings.

BWindow* BFilePanel::Window() const
{
	return fWindow;
}

BMessenger BFilePanel::Messenger() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fTarget;
}

BRefFilter* BFilePanel::RefFilter() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fFilter;
}

file_panel_mode BFilePanel::PanelMode() const
{
	return fMode;
}

void BFilePanel::GetPanelDirectory(entry_ref* ref) const
{
	if (ref == nullptr)
		return;
	std::lock_guard<std::mutex> guard(fLock);
	RefOf(fDirectory, ref);
}

void BFilePanel::SetTarget(BMessenger target)
{
	std::lock_guard<std::mutex> guard(fLock);
	fTarget = target;
}

void BFilePanel::SetMessage(BMessage* message)
{
	std::lock_guard<std::mutex> guard(fLock);
	fMessage.reset(message != nullptr ? new BMessage(*message) : nullptr);
}

void BFilePanel::SetRefFilter(BRefFilter* filter)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		fFilter = filter;
	}
	Refresh();
}

void BFilePanel::SetSaveText(const char* text)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		fSaveText = text != nullptr ? text : "";
	}
	fWindow->PostMessage(FilePanelWindow::kSaveText);
}

void BFilePanel::SetButtonLabel(file_panel_button button, const char* label)
{
	if (button != B_CANCEL_BUTTON && button != B_DEFAULT_BUTTON)
		return;
	{
		std::lock_guard<std::mutex> guard(fLock);
		fButtonLabels[button] = label != nullptr ? label : "";
	}
	fWindow->PostMessage(FilePanelWindow::kButtonLabels);
}

void BFilePanel::SetPanelDirectory(const BEntry* entry)
{
	entry_ref ref;
	if (entry != nullptr && entry->GetRef(&ref) == B_OK)
		SetPanelDirectory(&ref);
}

void BFilePanel::SetPanelDirectory(const BDirectory* directory)
{
	BEntry entry;
	if (directory != nullptr && directory->GetEntry(&entry) == B_OK)
		SetPanelDirectory(&entry);
}

void BFilePanel::SetPanelDirectory(const entry_ref* ref)
{
	std::string path = PathOf(ref);
	if (!path.empty())
		SetPanelDirectory(path.c_str());
}

void BFilePanel::SetPanelDirectory(const char* path)
{
	if (path == nullptr || *path == '\0')
		return;
	{
		std::lock_guard<std::mutex> guard(fLock);
		fDirectory = DirectoryListing::Join(fDirectory, path);
	}
	Refresh();
}

void BFilePanel::SetHideWhenDone(bool hideWhenDone)
{
	std::lock_guard<std::mutex> guard(fLock);
	fHideWhenDone = hideWhenDone;
}

bool BFilePanel::HidesWhenDone() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fHideWhenDone;
}

void BFilePanel::Refresh()
{
	fWindow->PostMessage(FilePanelWindow::kShowFolder);
}

void BFilePanel::Rewind()
{
	std::lock_guard<std::mutex> guard(fLock);
	fNextSelected = 0;
}

status_t BFilePanel::GetNextSelectedRef(entry_ref* ref)
{
	std::lock_guard<std::mutex> guard(fLock);
	if (ref == nullptr || fNextSelected >= static_cast<int32>(fSelection.size()))
		return B_ENTRY_NOT_FOUND;
	*ref = fSelection[fNextSelected++];
	return B_OK;
}

// Replies.

BMessage BFilePanel::_Reply(uint32 command) const
{
	return fMessage != nullptr ? *fMessage : BMessage(command);
}

void BFilePanel::_Open(const std::vector<entry_ref>& refs)
{
	BMessage reply;
	{
		std::lock_guard<std::mutex> guard(fLock);
		reply = _Reply(B_REFS_RECEIVED);
	}
	for (const entry_ref& ref : refs)
		reply.AddRef("refs", &ref);
	_Send(&reply);
}

void BFilePanel::_Save(const std::string& directory, const std::string& name)
{
	BMessage reply;
	{
		std::lock_guard<std::mutex> guard(fLock);
		reply = _Reply(B_SAVE_REQUESTED);
	}
	entry_ref folder;
	RefOf(directory, &folder);
	reply.AddRef("directory", &folder);
	reply.AddString("name", name.c_str());
	_Send(&reply);
}

void BFilePanel::_Done(bool chosen)
{
	bool hide;
	uint32 command;
	{
		std::lock_guard<std::mutex> guard(fLock);
		hide = !chosen || fHideWhenDone;
		command = _Reply(fMode == B_SAVE_PANEL ? uint32(B_SAVE_REQUESTED) : uint32(B_REFS_RECEIVED)).what;
	}
	if (!hide || !fShowing.exchange(false))
		return;
	if (fWindow->Lock()) {
		if (!fWindow->IsHidden())
			fWindow->Hide();
		fWindow->Unlock();
	}
	BMessage cancel(B_CANCEL);
	cancel.AddInt32("old_what", static_cast<int32>(command));
	cancel.AddPointer("source", this);
	_Send(&cancel);
	WasHidden();
}

void BFilePanel::_WentTo(const std::string& directory)
{
	std::lock_guard<std::mutex> guard(fLock);
	fDirectory = directory;
}

void BFilePanel::_Selected(const std::vector<entry_ref>& refs)
{
	{
		std::lock_guard<std::mutex> guard(fLock);
		fSelection = refs;
		fNextSelected = 0;
	}
	SelectionChanged();
}

void BFilePanel::_Send(BMessage* message)
{
	BMessenger target = Messenger();
	SendMessage(&target, message);
}

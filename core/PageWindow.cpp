#include "PageWindow.h"

#include <Alert.h>
#include <Application.h>
#include <Autolock.h>
#include <Beep.h>
#include <Clipboard.h>
#include <Entry.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>
#include <TextView.h>

#include "Config_.h"
#include "ExtensionsFilePanel.h"
#include "HTMLError_Window.h"
#include "KBottomBar.h"
#include "KFile.h"
#include "Visual_Engine.h"
#include "WindowedPage.h"
#include "page_support/PageText.h"

namespace {

// What the page and other threads post to the window.
const uint32 kPageState = 'pgst';

const char kRevertQuestion[] = "Are you sure you want to discard any changes to this file "
	"and revert to the saved version?";

} // namespace

PageWindow::PageWindow(BRect frame, const char* title, WindowedPage* page)
	:
	KWindow(frame, title, B_TITLED_WINDOW, B_ASYNCHRONOUS_CONTROLS),
	page(page),
	menuBar(nullptr),
	changed(false),
	bottomBar(nullptr)
{
	BMessenger self(this);
	savePanel = std::make_unique<ExtensionsFilePanel>(B_SAVE_PANEL, &self,
		PageText::FileExtensions());
	bottomBar = new KBottomBar(this, true, nullptr);
}

PageWindow::~PageWindow() = default;

void PageWindow::Quit()
{
	Lock();
	BWindow::Quit();
}

bool PageWindow::QuitRequested()
{
	if (page == nullptr || page->IsDeleting())
		return true;
	PageWindow* partner = Partner();
	if (partner == nullptr || partner->IsHidden())
		PostMessage('clos');
	else
		Hide();
	return false;
}

void PageWindow::MessageReceived(BMessage* message)
{
	if (page == nullptr || page->IsDeleting()) {
		BWindow::MessageReceived(message);
		return;
	}
	switch (message->what) {
		case 'new ':
			// Refs without an entry: a new untitled page.
			be_app_messenger.SendMessage(B_REFS_RECEIVED);
			break;
		case 'open':
		case 'abot':
			be_app_messenger.SendMessage(message->what);
			break;
		case 'pref': {
			BMessage preferences('pref');
			preferences.AddInt32("pagesindex", page->Index());
			be_app_messenger.SendMessage(&preferences);
			break;
		}
		case 'exit':
			be_app_messenger.SendMessage(B_QUIT_REQUESTED);
			break;
		case 'save':
			Save();
			break;
		case 'spas':
			ShowSavePanel();
			break;
		case B_SAVE_REQUESTED:
			SaveAs(message);
			break;
		case B_CANCEL:
			break;
		case 'reld':
			AskToRevert();
			break;
		case 'prew':
			page->Engine()->PostMessage('prew');
			break;
		case 'sexe':
			page->ShowInExternalEditor();
			break;
		case 'help':
			ShowHelp();
			break;
		case 'shww':
			ShowPartner();
			break;
		case 'serr':
			ShowErrorList();
			break;
		case KBottomBar::kShowTextCommand:
			ShowStatusText(message);
			break;
		case 'clos':
			page->ClosePage();
			break;
		case kPageState: {
			const char* text = nullptr;
			if (message->FindString("title", &text) == B_OK)
				pageTitle = text;
			if (message->FindString("file", &text) == B_OK)
				fileName = text;
			UpdateTitle();
			break;
		}
		default:
			KWindow::MessageReceived(message);
	}
}

void PageWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (!active || page == nullptr || page->IsDeleting() || !TakesOverOnActivation())
		return;
	// What waits to be drawn is drawn before a long update.
	UpdateIfNeeded();
	page->NoteActiveWindow(this);
	PageWindow* partner = Partner();
	if (partner != nullptr && partner->IsChanged() && !page->IsUpdating()) {
		TakeOverPartnerEdits();
		partner->NotChanged();
	}
}

// A shortcut typed right after an edit comes before the message that
// shows the edit: the items are brought up to date before any is chosen.
void PageWindow::MenusBeginning()
{
	BWindow::MenusBeginning();
	if (page != nullptr)
		EnableCommand('save', !page->IsSaved());
}

void PageWindow::Working()
{
	BAutolock lock(this);
	menuBar->SetEnabled(false);
	menuBar->Invalidate();
}

void PageWindow::FinishedWorking()
{
	BAutolock lock(this);
	menuBar->SetEnabled(true);
	menuBar->Invalidate();
}

void PageWindow::Changed()
{
	changed = true;
	if (page == nullptr)
		return;
	if (page->IsSaved())
		page->NotSaved();
	page->Edited();
}

// #pragma mark - The page's state

void PageWindow::ShowPageState(const char* title, const char* file)
{
	BMessage state(kPageState);
	state.AddString("title", title != nullptr ? title : "");
	state.AddString("file", file != nullptr ? file : "");
	PostMessage(&state);
}

void PageWindow::ShowSavedState()
{
	PostMessage(kPageState);
}

// "Velmora - title - file name", missing pieces left out, after a "*"
// while the page has changes that are not saved.
void PageWindow::UpdateTitle()
{
	bool saved = page->IsSaved();
	std::string title = std::string(saved ? "" : "*") + TitlePrefix() + " - " + pageTitle
		+ " - " + fileName;
	SetTitle(title.c_str());
	EnableCommand('save', !saved);
}

void PageWindow::EnableCommand(uint32 command, bool enabled)
{
	BMenuItem* item = menuBar != nullptr ? menuBar->FindItem(command) : nullptr;
	if (item != nullptr)
		item->SetEnabled(enabled);
}

// #pragma mark - Saving

// A page that is being read or rebuilt has no text to save yet.
void PageWindow::Save()
{
	if (page->IsUntitled()) {
		PostMessage('spas');
		return;
	}
	if (page->IsProcessing()) {
		beep();
		return;
	}
	if (SavePage() == B_OK)
		page->Saved();
}

status_t PageWindow::SavePage()
{
	return page->Save();
}

void PageWindow::ShowSavePanel()
{
	BWindow* panel = savePanel->Window();
	if (panel->Lock()) {
		panel->SetTitle(("Save  \"" + pageTitle + "\" - " + fileName + "  as").c_str());
		panel->Unlock();
	}
	KFile* file = page->File();
	if (!page->IsUntitled() && file != nullptr && file->Path() != nullptr) {
		savePanel->SetPanelDirectory(file->Path());
		savePanel->SetSaveText(file->FileName());
	}
	savePanel->Show();
}

// The page goes to the chosen file only when that file can be made; the
// page stays unsaved when writing it fails.
void PageWindow::SaveAs(const BMessage* reply)
{
	entry_ref directory;
	const char* name = nullptr;
	if (reply->FindRef("directory", &directory) != B_OK
			|| reply->FindString("name", &name) != B_OK || name[0] == '\0')
		return;
	BPath folder(&directory);
	if (folder.InitCheck() != B_OK)
		return;
	std::string path = std::string(folder.Path()) + "/" + name;
	if (page->SetFile(path.c_str()) == B_OK && SavePage() == B_OK)
		page->Saved();
}

void PageWindow::AskToRevert()
{
	BAlert* alert = new BAlert("Revert?", kRevertQuestion, "Yes", "No", nullptr,
		B_WIDTH_AS_USUAL, B_INFO_ALERT);
	if (alert->Go() == 0)
		page->Revert();
}

// #pragma mark - Other windows

void PageWindow::ShowHelp()
{
	Config_* settings = page->Config();
	const char* folder = settings != nullptr ? settings->AppDirectory() : nullptr;
	if (folder == nullptr)
		return;
	std::string guide = std::string(folder) + "Documentation/index.html";
	page->ShowInBrowser(guide.c_str(), "file");
}

void PageWindow::ShowStatusText(const BMessage* message)
{
	const char* text = nullptr;
	if (message->FindString("text", &text) == B_OK)
		bottomBar->SetText(text);
}

void PageWindow::ShowPartner()
{
	if (PageWindow* partner = Partner())
		partner->ShowInFront();
}

void PageWindow::ShowErrorList()
{
	if (HTMLError_Window* errors = page->HTMLErrorWindow())
		errors->ShowInFront();
}

void PageWindow::EditText(BTextView* view, uint32 command)
{
	switch (command) {
		case 'udrd':
			view->Undo(be_clipboard);
			break;
		case 'copy':
			view->Copy(be_clipboard);
			break;
		case 'past':
			view->Paste(be_clipboard);
			break;
		case 'cut ':
			view->Cut(be_clipboard);
			break;
	}
}

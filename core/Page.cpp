#include "Page.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <Alert.h>
#include <Autolock.h>
#include <Beep.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <NodeInfo.h>
#include <NodeMonitor.h>
#include <OS.h>
#include <Path.h>

#include "Config_.h"
#include "Element_List.h"
#include "ErrorAlert.h"
#include "ExternalEditor.h"
#include "HTMLError_Window.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "ImageTools.h"
#include "KFile.h"
#include "PageHost.h"
#include "SafeSave.h"
#include "Tidy.h"
#include "VLooper.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_View.h"
#include "page_support/PageText.h"
#include "page_support/RecoveryCopy.h"
#include "page_support/ScratchFile.h"
#include "writer_support/CharsetCorrection.h"

namespace {

constexpr bigtime_t kRecoveryTick = 1000000;
// A page is shown once this many of its nodes are built (more than its
// first screen holds); the rest is built in parts of this long, between
// which the window draws, scrolls and shows the progress.
constexpr int32 kFirstPartNodes = 3000;
constexpr bigtime_t kPartTime = 40000;
// After a part the window has its turn: the engine lock is the window's,
// and a lock given back and taken again at once is seldom the waiting
// window's turn, least of all on a busy machine. The window handles what
// waits in its queue (keys, drawing) before it answers; a window that
// cannot answer (it waits for the engine's looper) holds the build up
// this long at most.
constexpr uint32 kWindowsTurn = 'turn';
constexpr bigtime_t kWindowsTurnTimeout = 1000000;

// Where scratch files go when the folder that should hold them cannot:
// a folder of the user's own.
std::string UserScratchFolder()
{
	BPath data;
	if (find_directory(B_USER_DATA_DIRECTORY, &data, true) != B_OK)
		return std::string();
	std::string folder = std::string(data.Path()) + "/Korvane";
	mkdir(folder.c_str(), 0700);
	folder += "/Velmora";
	mkdir(folder.c_str(), 0700);
	folder += "/Temp";
	mkdir(folder.c_str(), 0700);
	return folder;
}

} // namespace

Page::Page(const char* pagePath, int pageIndex, PageHost* application)
	:
	WindowedPage(application != nullptr ? application->Config() : Config_::Shared()),
	activateVisual(true),
	app(application),
	htmlWindow(nullptr),
	visualWindow(nullptr),
	htmlErrorWindow(nullptr),
	path(pagePath != nullptr ? pagePath : ""),
	index(pageIndex),
	deleting(false),
	saved(true),
	untitled(path.empty()),
	updating(false),
	recovery(std::make_unique<RecoveryCopy>()),
	recoveryFailureTold(false)
{
	Config_* settings = Config();
	htmlWindow = new HWindow(settings->HTMLWindowFrame(), "HTML window", this);
	visualWindow = new VWindow(settings->VisualWindowFrame(), "Main Vwindow", this);
	htmlErrorWindow = new HTMLError_Window(settings->ErrorWindowFrame());
	ConnectErrorList();

	OpenPageFile(pagePath);
	tempFile = CreateTempFile(file.get());
	externalExchangeFile = CreateTempFile(file.get());
	myTidy = std::make_unique<Tidy>(this, tempFile != nullptr ? tempFile->FullPath() : "");
	myTidy->SetProgress([this](float value, const char* label) { ShowProgress(value, label); });
	myTidy->SetStartShown([this](bool shown) { ShowPageStart(shown); });

	SetColors(1, 0, 0, 0, 255);
	SetColors(2, 0, 0, 255, 255);
	SetColors(3, 255, 255, 255, 255);
	SetTitle(nullptr);
	visualWindow->Show();

	if (file->InitCheck() != B_OK) {
		file->SetTo(pagePath, B_READ_ONLY);
		if (file->InitCheck() == B_OK)
			ErrorAlert("Error: could not open page file \"", pagePath, "\" for writing");
		else
			ErrorAlert("Error: could not open page file \"", pagePath, "\"");
	}
	if (tempFile == nullptr)
		ErrorAlert("Error: could not create temp file");
	WatchExchangeFile(true);
}

// The engine's looper stops before anything goes, so that no command it
// runs can wait on a window that is being destroyed; the windows (and with
// them the elements) go before the tree the elements point into.
Page::~Page()
{
	recoveryTicks.reset();
	WatchExchangeFile(false);
	RequestStop();
	if (Engine() != nullptr)
		Engine()->StopLooper();
	deleting = true;
	// The preferences window edits this page: it goes first, before any of
	// the page's windows is locked (it takes the visual window's lock).
	Config_::ClosePreferencesWindow();
	// With both windows locked no message of theirs is under way; every
	// later one sees the page going.
	visualWindow->Lock();
	htmlWindow->Lock();
	if (Config_* settings = Config()) {
		settings->SetVisualWindowFrame(visualWindow->Frame());
		settings->SetHTMLWindowFrame(htmlWindow->Frame());
		settings->SetErrorWindowFrame(htmlErrorWindow->Frame());
		settings->Save();
	}
	htmlWindow->Quit();
	visualWindow->Quit();
	htmlErrorWindow->Lock();
	htmlErrorWindow->Quit();
	myTidy.reset();
	if (untitled && file != nullptr)
		file->Delete();
	file.reset();
	if (tempFile != nullptr)
		tempFile->Delete();
	if (externalExchangeFile != nullptr)
		externalExchangeFile->Delete();
}

Visual_Engine* Page::Engine() const
{
	return visualWindow != nullptr ? visualWindow->Engine() : nullptr;
}

std::unique_ptr<Visual_Text> Page::MakeView(BRect frame, Visual_Engine* engine)
{
	return std::make_unique<Visual_View>(frame, engine);
}

void Page::VisualChanged()
{
	visualWindow->Changed();
}

void Page::ResetProgress(const char* text)
{
	visualWindow->ResetProgress(text);
}

void Page::ShowProgress(float value, const char* label)
{
	visualWindow->ShowProgress(value, label);
}

void Page::ClosePage()
{
	if (app != nullptr)
		app->PostClosePage(index);
}

void Page::NoteActiveWindow(BWindow* window)
{
	if (app != nullptr)
		app->NoteActiveWindow(window);
}

// The error list finds the span of HTML an element wrote in the engine's
// list, and selects its place in the HTML window.
// The visual window was shown to start its thread; hidden again it goes on
// running. The HTML window's text is never coloured: nobody sees it.
void Page::KeepWindowsHidden()
{
	windowsHidden = true;
	htmlErrorWindow->StayHidden();
	htmlWindow->View()->BlockColorize();
	visualWindow->Hide();
}

void Page::ConnectErrorList()
{
	htmlErrorWindow->SetSpanFinder([this](const Visual_Element* element, const _node* node,
			int32* start, int32* finish) {
		Visual_Engine* engine = Engine();
		BAutolock lock(engine);
		return lock.IsLocked()
			&& engine->ElementList()->HTMLSpanOf(element, node, start, finish);
	});
	HWindow* window = htmlWindow;
	htmlErrorWindow->SetRangeSelector([window](int32 start, int32 finish) {
		window->SelectRange(start, finish);
	});
}

void Page::OpenPageFile(const char* pagePath)
{
	if (pagePath != nullptr && pagePath[0] != '\0') {
		file = std::make_unique<KFile>(pagePath, B_READ_WRITE | B_CREATE_FILE);
		return;
	}
	file = CreateTempFile(nullptr);
	if (file == nullptr)
		file = std::make_unique<KFile>();
}

// Scratch files go beside the page file, those of an untitled page into
// the program folder's "Temp"; where that folder takes no new files, into
// a folder of the user's own. What a program that ended abruptly left
// there goes first.
std::unique_ptr<KFile> Page::CreateTempFile(const KFile* pageFile) const
{
	std::string folder;
	std::string prefix;
	std::string pageLeaf;
	if (pageFile != nullptr && pageFile->InitCheck() == B_OK && pageFile->Path() != nullptr) {
		folder = pageFile->Path();
		pageLeaf = pageFile->FileName();
		prefix = "$VLM-" + pageLeaf;
	} else {
		Config_* settings = Config();
		if (settings != nullptr && settings->AppDirectory() != nullptr) {
			folder = std::string(settings->AppDirectory()) + "Temp";
			mkdir(folder.c_str(), 0777);
		}
		prefix = "Untitled";
	}
	std::unique_ptr<KFile> scratch;
	if (!folder.empty())
		scratch = ScratchFile::CreateIn(folder, prefix, pageLeaf);
	if (scratch == nullptr) {
		std::string own = UserScratchFolder();
		if (!own.empty())
			scratch = ScratchFile::CreateIn(own, prefix, pageLeaf);
	}
	return scratch;
}

void Page::WatchExchangeFile(bool watch)
{
	if (externalExchangeFile == nullptr || externalExchangeFile->InitCheck() != B_OK
			|| app == nullptr)
		return;
	node_ref node;
	if (externalExchangeFile->GetNodeRef(&node) != B_OK)
		return;
	watch_node(&node, watch ? B_WATCH_STAT : B_STOP_WATCHING, app->ExchangeWatcher());
}

// #pragma mark - Loading and updating

void Page::Load()
{
	if (htmlWindow == nullptr || visualWindow == nullptr)
		return;
	BeginReading();
	ClearReadingStop();
	loading = true;
	Visual_Text* view = Engine()->View();
	partial = false;
	visualWindow->ResetProgress("Loading…");
	view->Hide();
	visualWindow->NotChanged();
	htmlWindow->NotChanged();
	myTidy->SetLoadProgress(true);
	view->BlockRefresh();
	bool loaded = UpdateFromHTML(true, nullptr);
	loading = false;
	if (loaded && !windowsHidden) {
		if (visualWindow->IsHidden())
			visualWindow->Show();
		else
			visualWindow->Activate();
	}
	Saved();
	view->UnblockRefresh();
	myTidy->SetLoadProgress(false);
	// Styled while the view is still hidden: its lines are wrapped once,
	// when it is shown, with the page's final look.
	view->_Refresh(0, 0);
	view->Show();
	if (startHeld) {
		BAutolock lock(visualWindow);
		startHeld = false;
		visualWindow->EnableUpdates();
	}
	// Said after the refresh, which starts the status bar afresh.
	if (partial) {
		visualWindow->ResetProgress("Stopped: the page was not read, and it is not saved. "
			"Revert reads it.");
	}
	EndReading();
	if (myTidy->IsBuilding())
		Engine()->PostMessage('goon');
	if (app != nullptr && app->IsStarting())
		app->StartingFinished();
}

// A big page's start, built while the whole page is read, is styled and
// shown in the view that the load keeps hidden; the view is hidden again
// before the start goes, with the values the start set, and shown with the
// whole page's first part. Meanwhile the window keeps the start on the
// screen rather than show it empty.
void Page::ShowPageStart(bool shown)
{
	Visual_Text* view = Engine()->View();
	{
		BAutolock lock(Engine());
		if (!shown) {
			view->Hide();
			// What the window shows stays until the first part is in.
			visualWindow->DisableUpdates();
			startHeld = true;
			ResetPageValues();
			return;
		}
		view->Restyle(0, 0);
		view->Show();
	}
	if (!windowsHidden && visualWindow->IsHidden())
		visualWindow->Show();
}

void Page::BuildNextPart()
{
	if (myTidy->IsBuilding() && !myTidy->BuildMore(INT32_MAX, system_time() + kPartTime)) {
		BMessage turn(kWindowsTurn);
		BMessage answer;
		BMessenger(visualWindow).SendMessage(&turn, &answer, B_INFINITE_TIMEOUT,
			kWindowsTurnTimeout);
		Engine()->PostMessage('goon');
	}
}

bool Page::StopBuild()
{
	if (!myTidy->IsBuilding())
		return false;
	myTidy->DropBuild();
	partial = true;
	visualWindow->ResetProgress("Stopped: only a part of the page is shown, and it is not "
		"saved. Revert reads all of it.");
	return true;
}

bool Page::StopLoading()
{
	if (!loading)
		return false;
	RequestReadingStop();
	return true;
}

void Page::FinishBuild()
{
	if (myTidy != nullptr && myTidy->IsBuilding())
		myTidy->FinishBuild();
}

bool Page::UpdateFromHTML(bool fromFile, KFile* external)
{
	if (htmlWindow == nullptr || visualWindow == nullptr)
		return false;
	if (updating.exchange(true))
		return true;
	BeginReading();
	bool read = ReadFromHTML(fromFile || external != nullptr, external);
	EndReading();
	return read;
}

void Page::BeginReading()
{
	reading++;
}

// What the visual window kept while the page was read goes in now, into
// the page as shown; a read nested in a load leaves that to the load, which
// marks the page saved first.
void Page::EndReading()
{
	if (--reading == 0)
		visualWindow->PostMessage(VWindow::kTakeWaitingEdits);
}

// Nothing of the page is shown: like a page whose build was stopped, it is
// not saved over its file, and Revert reads it again. The HTML window keeps
// the file's text.
void Page::ReadingStopped()
{
	partial = true;
	updating = false;
	Engine()->View()->UnblockRefresh();
}

bool Page::ReadFromHTML(bool fromFile, KFile* external)
{
	if (!FillTempFile(fromFile, external)) {
		updating = false;
		return false;
	}
	Visual_Text* view = Engine()->View();
	ResetPageValues();
	view->BlockRefresh();
	Engine()->SetBackgroundBitmap(nullptr);
	Engine()->Empty();
	htmlErrorWindow->EmptyList();

	// The HTML window takes the file's text while the parser reads the
	// scratch file's copy: on a second processor it costs the reading
	// nothing (a big page's source takes a tenth of its reading to lay out).
	std::function<void()> takeFileText;
	if (fromFile) {
		KFile* source = external != nullptr ? external : file.get();
		takeFileText = [this, source] { htmlWindow->SetText(source); };
	}
	bool parsed = ParsePage(takeFileText);
	if (IsStopProcessing()) {
		view->UnblockRefresh();
		return false;
	}
	if (IsReadingStopped()) {
		ReadingStopped();
		return false;
	}
	visualWindow->NotChanged();
	if (parsed) {
		// The error list comes forward with what the reading found; the
		// keyboard goes back to the window the user works in.
		PageWindow* front = activateVisual ? static_cast<PageWindow*>(visualWindow)
			: htmlWindow;
		if (!front->IsHidden())
			htmlErrorWindow->HandFrontTo(front);
	} else {
		beep();
		htmlWindow->SetUpdateFromVisual(false);
		if (!windowsHidden) {
			if (htmlWindow->IsHidden())
				htmlWindow->Show();
			else
				htmlWindow->Activate();
			htmlErrorWindow->InvokeFirstError();
		}
	}
	htmlWindow->SetUpdateFromVisual(true);
	updating = false;
	view->UnblockRefresh();
	Engine()->Refresh();
	visualWindow->NotChanged();
	htmlWindow->NotChanged();
	return parsed;
}

// The parser reads the page from the scratch file; the HTML window takes a
// file's text from the file itself, while the page is parsed, or here when
// there is no parse. A scratch file that cannot be written
// (a full disk) would give the parser only a part of the page: the visual
// side then stays as it was, the HTML window keeps its text as changes the
// visual side does not hold, the user is told, and nothing is lost.
bool Page::FillTempFile(bool fromFile, KFile* external)
{
	KFile* source = external != nullptr ? external : file.get();
	bool copy = tempFile != nullptr
		&& (external == nullptr || *external->EntryRef() != *tempFile->EntryRef());
	status_t status = B_OK;
	if (copy) {
		if (fromFile) {
			tempFile->SetSize(0);
			tempFile->Seek(0, SEEK_SET);
			status = source->CopyTo(tempFile.get());
		} else {
			ssize_t written = htmlWindow->SaveTo(tempFile.get());
			status = written < 0 ? static_cast<status_t>(written) : B_OK;
		}
	}
	if (status == B_OK)
		return true;
	if (fromFile)
		htmlWindow->SetText(source);
	htmlWindow->Changed();
	ErrorAlert("Error: could not write the scratch file \"", tempFile->FullPath(), "\": ",
		status_text(status), ". The visual window shows the page as it was before.");
	return false;
}

// The windows take no commands while the bridge reads the page and builds
// its elements; the error list shows the reports once they are all in.
bool Page::ParsePage(const std::function<void()>& meanwhile)
{
	visualWindow->Working();
	htmlWindow->Working();
	htmlErrorWindow->BlockRefresh();
	bool parsed = myTidy->Parse(loading && buildInParts ? kFirstPartNodes : INT32_MAX,
		meanwhile);
	htmlErrorWindow->UnblockRefresh();
	htmlErrorWindow->ShowResult();
	htmlWindow->FinishedWorking();
	visualWindow->FinishedWorking();
	return parsed;
}

void Page::UpdateFromVisual()
{
	if (htmlWindow == nullptr || visualWindow == nullptr || updating)
		return;
	HTML_View* view = htmlWindow->View();
	if (view->LockLooper()) {
		updating = true;
		view->BlockColorize();
		// The old text goes before the new one is made: a big page's HTML
		// is held once, in the view, which takes the generated bytes over.
		view->Delete(0, view->TextLength());
		HTMLBytes html = GeneratedHTML();
		view->SetTextAdopting(std::move(html.block), static_cast<int32>(html.length), html.size);
		view->UnblockColorize();
		if (tempFile != nullptr)
			htmlWindow->SaveTo(tempFile.get());
		view->Invalidate();
		updating = false;
		view->UnlockLooper();
	}
	visualWindow->NotChanged();
	htmlWindow->NotChanged();
}

// #pragma mark - Saving

// A save into the page file marks the page saved only when it worked.
// A page whose build was stopped holds only a part of its file: written
// anywhere it would pass for the whole page.
status_t Page::Save(BFile* target)
{
	if (partial) {
		ErrorAlert("Only a part of this page was read, because its reading was stopped: it "
			"is not saved, so that its file keeps the whole page. Revert reads all of it again.");
		return B_NOT_ALLOWED;
	}
	bool pageFile = target == nullptr || target == file.get();
	status_t status = _Save(pageFile ? file.get() : target);
	if (status == B_OK && pageFile)
		Saved();
	return status;
}

status_t Page::_Save(BFile* target)
{
	if (target == nullptr)
		target = file.get();
	if (htmlWindow->IsChanged())
		UpdateFromHTML(false, nullptr);
	else
		UpdateFromVisual();
	bool exchange = target == externalExchangeFile.get();
	if (exchange)
		WatchExchangeFile(false);
	status_t status = target == file.get() ? SavePageFile() : WriteHTMLText(target);
	if (exchange)
		WatchExchangeFile(true);
	return status;
}

status_t Page::WriteHTMLText(BFile* target)
{
	ssize_t written = htmlWindow->SaveTo(target);
	return written < 0 ? static_cast<status_t>(written) : B_OK;
}

// The new text is complete on the disk before it replaces the old one; the
// page's file then refers to the new file.
status_t Page::SavePageFile()
{
	const char* target = file != nullptr ? file->FullPath() : nullptr;
	// The window's lock is held while its text is written, not while the
	// disk is waited for.
	auto writeText = [this](int fd) { return htmlWindow->WriteTextTo(fd); };
	status_t status = target != nullptr ? SafeSave::Replace(target, writeText) : B_NO_INIT;
	if (status != B_OK) {
		ErrorAlert("Error: could not save the page file \"", target != nullptr ? target : path.c_str(),
			"\": ", status_text(status));
		return status;
	}
	std::string saved(target);
	file->SetTo(saved.c_str(), B_READ_WRITE);
	return B_OK;
}

status_t Page::SetFile(const char* newPath)
{
	if (newPath == nullptr)
		return B_BAD_VALUE;
	// Not emptied here: the save that follows replaces the file whole, and
	// a save that fails must leave the file the user chose as it was.
	auto newFile = std::make_unique<KFile>(newPath, B_READ_WRITE | B_CREATE_FILE);
	if (newFile->InitCheck() != B_OK) {
		ErrorAlert("Could not save the page as ", newPath);
		return newFile->InitCheck();
	}
	path = newPath;
	if (untitled)
		file->Delete();
	file = std::move(newFile);
	untitled = false;
	if (tempFile != nullptr)
		tempFile->Delete();
	tempFile = CreateTempFile(file.get());
	myTidy->SetPath(tempFile != nullptr ? tempFile->FullPath() : "");
	WatchExchangeFile(false);
	if (externalExchangeFile != nullptr)
		externalExchangeFile->Delete();
	externalExchangeFile = CreateTempFile(file.get());
	WatchExchangeFile(true);
	UpdateWindowTitles();
	return B_OK;
}

void Page::Saved()
{
	saved = true;
	recovery->Remove();
	ShowSavedState();
}

void Page::NotSaved()
{
	saved = false;
	ShowSavedState();
}

void Page::ShowSavedState()
{
	if (visualWindow != nullptr)
		visualWindow->ShowSavedState();
	if (htmlWindow != nullptr)
		htmlWindow->ShowSavedState();
}

void Page::Edited()
{
	recovery->Edited(system_time());
}

void Page::DeleteFile(BEntry* entry)
{
	if (entry == nullptr)
		return;
	entry->Remove();
	delete entry;
}

// #pragma mark - Closing

// The answer is the index of the button chosen: with canCancel "Cancel"
// (0), "Don't Save" (1), "Save" (2); without it "Don't Save" (0), "Save" (1).
int32 Page::AskToSave(const char* text, bool canCancel) const
{
	BAlert* alert = canCancel
		? new BAlert("Alert", text, "Cancel", "Don't Save", "Save", B_WIDTH_AS_USUAL,
			B_WARNING_ALERT)
		: new BAlert("Alert", text, "Don't Save", "Save", nullptr, B_WIDTH_AS_USUAL,
			B_WARNING_ALERT);
	return alert->Go();
}

// A page whose save fails stays open: closing it then would lose the
// user's changes, which the failed save has just reported.
bool Page::Quit()
{
	if (!saved) {
		std::string question = untitled ? std::string("Save changes to the untitled document?")
			: "Save changes to the document \n\n\"" + std::string(Title() != nullptr ? Title() : "")
				+ "\"?\n\n(" + path + ")\n";
		int32 answer = AskToSave(question.c_str(), true);
		if (answer == 0)
			return false;
		if (answer == 2) {
			if (untitled) {
				visualWindow->PostMessage('spas');
				return false;
			}
			if (Save(nullptr) != B_OK)
				return false;
		}
	}
	recovery->Remove();
	StopProcessing();
	return true;
}

void Page::ForceQuit()
{
	if (!saved) {
		std::string question = "Closing ...\nSave changes to the document \"" + path + "\"?";
		if (AskToSave(question.c_str(), false) == 1)
			Save(nullptr);
	}
	recovery->Remove();
}

// #pragma mark - Commands

void Page::Revert()
{
	Engine()->PostMessage('reld');
}

// The editor the user set must exist: a setting that names nothing is
// said, not passed over in silence.
void Page::ShowInExternalEditor()
{
	if (externalExchangeFile == nullptr || externalExchangeFile->InitCheck() != B_OK)
		return;
	const char* configured = Config() != nullptr ? Config()->ExtTextEditor() : nullptr;
	if (configured != nullptr && !BEntry(configured).Exists()) {
		ErrorAlert("The external HTML editor \"", configured,
			"\" of the preferences does not exist.");
		return;
	}
	if (_Save(externalExchangeFile.get()) != B_OK)
		return;
	std::string program;
	status_t status = ExternalEditor::Open(configured, externalExchangeFile->FullPath(),
		&program);
	if (status != B_OK)
		ErrorAlert("Could not start the external HTML editor \"", program.c_str(), "\": ",
			status_text(status));
}

void Page::ShowInBrowser(const char* browsedPath, const char* scheme)
{
	if (app != nullptr)
		app->ShowInBrowser(browsedPath, scheme);
}

void Page::Preview()
{
	if (tempFile == nullptr)
		return;
	_Save(tempFile.get());
	ShowInBrowser(tempFile->FullPath(), "file");
}

// What a check finds replaces the list of the last reading or check.
void Page::CheckHTML()
{
	if (visualWindow->IsChanged())
		UpdateFromVisual();
	if (tempFile != nullptr)
		htmlWindow->SaveTo(tempFile.get());
	htmlErrorWindow->EmptyList();
	htmlErrorWindow->BlockRefresh();
	myTidy->CheckHTML();
	htmlErrorWindow->UnblockRefresh();
	htmlErrorWindow->ShowResult();
}

void Page::Correct()
{
	if (htmlWindow->IsChanged())
		UpdateFromHTML(false, nullptr);
	if (tempFile == nullptr)
		return;
	_Save(tempFile.get());
	// The correction is an update from the HTML: a window activated while
	// it runs takes over nothing, or it would read the page beside it,
	// holding its own lock while waiting for the parser this one holds.
	bool mine = !updating.exchange(true);
	// A page saved byte for byte under a declaration its bytes contradict
	// is declared UTF-8 and read as its author meant it.
	{
		BAutolock lock(htmlWindow);
		HTML_View* view = htmlWindow->View();
		std::optional<std::string> corrected = CharsetCorrection::Corrected(
			std::string_view(view->Text(), view->TextLength()), Encoding());
		if (corrected) {
			view->SetText(corrected->c_str(), static_cast<int32>(corrected->size()));
			SetEncoding(TextEncoding());
			NotSaved();
		}
	}
	htmlWindow->SaveTo(tempFile.get());
	htmlErrorWindow->EmptyList();
	ParsePage();
	if (mine)
		updating = false;
	UpdateFromVisual();
}

// #pragma mark - Presentation values

void Page::SetTitle(const char* newTitle)
{
	WindowedPage::SetTitle(newTitle);
	UpdateWindowTitles();
}

// The windows are told by message: the title changes while the page is
// read, on the engine's thread, and Save As runs on a window's.
void Page::UpdateWindowTitles()
{
	const char* fileName = file != nullptr ? file->FileName() : nullptr;
	if (visualWindow != nullptr)
		visualWindow->ShowPageState(Title(), fileName);
	if (htmlWindow != nullptr)
		htmlWindow->ShowPageState(Title(), fileName);
}

// The engine's refresh reads the colours on its own thread, under the
// engine lock.
void Page::SetColors(long which, int red, int green, int blue, int alpha)
{
	Visual_Engine* engine = Engine();
	BAutolock lock(engine);
	WindowedPage::SetColors(which, red, green, blue, alpha);
	if (engine != nullptr)
		engine->Refresh();
}

// An untitled page's file is a scratch file: no picture is beside it.
const char* Page::FilePath() const
{
	return untitled || file == nullptr ? nullptr : file->FullPath();
}

// The source is kept as written whatever happens; the engine shows it when
// it names an image file that can be found.
void Page::SetBackground(const char* source)
{
	if (ApplyBackground(source))
		return;
	std::string image;
	ImageTools::AbsoluteImagePath(image, source, FilePath());
	ErrorAlert("Could not open the background image file: \"",
		image.empty() ? source : image.c_str(), "\"");
}

bool Page::ApplyBackground(const char* source)
{
	if (source != nullptr && source[0] == '\0')
		source = nullptr;
	WindowedPage::SetBackground(source);
	if (source == nullptr) {
		Engine()->SetBackgroundBitmap(nullptr);
		return true;
	}
	// A picture on the web is not fetched; it stays in the page unshown.
	if (ImageTools::IsWebAddress(source))
		return true;
	std::string image;
	if (!ImageTools::AbsoluteImagePath(image, source, FilePath())) {
		Engine()->SetBackgroundBitmap(nullptr);
		return false;
	}
	Engine()->SetBackgroundBitmap(image.c_str());
	return true;
}

// #pragma mark - Errors

void Page::HTMLError(long start, long finish, const char* text, VUDAV_message_type kind)
{
	if (text == nullptr || start < 0 || finish < 0 || htmlErrorWindow == nullptr
			|| ErrorsHeld())
		return;
	htmlErrorWindow->Add(start, finish, text, kind);
}

void Page::HTMLError(const _node* node, const char* text, VUDAV_message_type kind)
{
	if (text != nullptr && node != nullptr && htmlErrorWindow != nullptr && !ErrorsHeld())
		htmlErrorWindow->Add(node, text, kind);
}

void Page::HTMLError(const Visual_Element* element, const char* text, VUDAV_message_type kind)
{
	if (text != nullptr && element != nullptr && htmlErrorWindow != nullptr && !ErrorsHeld())
		htmlErrorWindow->Add(element, text, kind);
}

// #pragma mark - Recovery copies

void Page::KeepRecoveryCopies()
{
	BMessage tick('rcpy');
	recoveryTicks = std::make_unique<BMessageRunner>(BMessenger(Engine()->Looper()), &tick,
		kRecoveryTick);
}

// On the engine's looper. A copy that cannot be written is reported once,
// until one can be again: the user must know to save.
void Page::UpdateRecoveryCopy()
{
	if (IsSaved() || IsDeleting() || !recovery->IsDue(system_time()))
		return;
	status_t status = WriteRecoveryCopy(kRecoveryTick);
	if (status == B_OK) {
		recoveryFailureTold = false;
	} else if (status != B_BUSY && !recoveryFailureTold.exchange(true)) {
		ErrorAlert("Velmora cannot keep a recovery copy of the page \"",
			untitled ? "untitled" : path.c_str(), "\" in \"", RecoveryCopy::Folder().c_str(),
			"\": ", status_text(status), ". Save the page to keep your changes.");
	}
}

status_t Page::WriteRecoveryCopy(bigtime_t timeout)
{
	if (IsSaved() || partial)
		return B_OK;
	uint64 edits = recovery->Edits();
	RecoveryCopy::Contents contents;
	TextEncoding encoding;
	if (!RecoveryText(contents.html, encoding, timeout))
		return B_BUSY;
	contents.path = untitled ? std::string() : path;
	contents.encoding = encoding.Name();
	contents.byteOrderMark = encoding.HasByteOrderMark();
	contents.time = real_time_clock_usecs();
	return recovery->Write(contents, edits);
}

// The HTML window's text while it is the truth; after work in the visual
// window, the HTML the elements write, generated apart from the HTML
// window, whose text, selection and undo stay as the user left them.
bool Page::RecoveryText(std::string& html, TextEncoding& encoding, bigtime_t timeout)
{
	bool generate = visualWindow->IsChanged() && !htmlWindow->IsChanged();
	if (generate && !GenerateHTMLCopy(html, timeout))
		return false;
	if (htmlWindow->LockWithTimeout(timeout) != B_OK)
		return false;
	if (!generate)
		html = htmlWindow->View()->Text();
	encoding = Encoding();
	htmlWindow->Unlock();
	return true;
}

void Page::Restore(std::unique_ptr<RecoveryCopy> copy)
{
	if (copy == nullptr)
		return;
	const RecoveryCopy::Contents& found = copy->Found();
	if (htmlWindow->Lock()) {
		SetEncoding(TextEncoding::Named(found.encoding, found.byteOrderMark));
		htmlWindow->View()->SetText(found.html.c_str(), static_cast<int32>(found.html.size()));
		htmlWindow->Unlock();
	}
	UpdateFromHTML(false, nullptr);
	NotSaved();
	recovery->Adopt(*copy);
}

void Page::RemoveScratchFiles()
{
	for (KFile* scratch : {tempFile.get(), externalExchangeFile.get(),
			untitled ? file.get() : nullptr}) {
		if (scratch != nullptr && scratch->FullPath() != nullptr)
			unlink(scratch->FullPath());
	}
}

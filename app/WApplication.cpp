#include "WApplication.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include <Alert.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <Message.h>
#include <Messenger.h>
#include <NodeMonitor.h>
#include <OS.h>
#include <Path.h>
#include <UTF8.h>

#include "About_Window.h"
#include "ConfigWindow.h"
#include "ErrorAlert.h"
#include "ExtensionsFilePanel.h"
#include "KFile.h"
#include "Page.h"
#include "ProgramCommand.h"
#include "SafeSave.h"
#include "SignalWatcher.h"
#include "StartWindow.h"
#include "VLooper.h"
#include "Visual_Engine.h"
#include "page_support/PageText.h"
#include "page_support/RecoveryCopy.h"

namespace {

const char kSignature[] = "application/x-vnd.Velmora";
const char kProgramName[] = "velmora";

const char kWelcome[] = "Welcome to Velmora!\n\n"
	"Velmora now appears among your desktop's applications and offers itself for HTML "
	"files.\n\nNext it tests whether GIF and JPEG pictures can be read: if they cannot, "
	"it says so and what to install.";
// A signal ends the program within a second: the page table's own end
// gets half of it, and what is left is done at once.
constexpr auto kOrderlyEnd = std::chrono::milliseconds(500);
constexpr auto kPageTableWait = std::chrono::milliseconds(100);
constexpr bigtime_t kSettleWait = 150000;
constexpr bigtime_t kCopyWait = 100000;

const char kFirstNote[] = "Hi! I am Vudav. I'll help you to find HTML syntax errors in your "
	"pages. I hope you don't see me very often though :-))";

// The browser command the user chose ($BROWSER, its first command when it
// lists several), else the desktop's opener.
std::string BrowserCommand()
{
	const char* chosen = getenv("BROWSER");
	std::string command = chosen != nullptr ? chosen : "";
	command = command.substr(0, command.find(':'));
	return command.find_first_not_of(" \t") != std::string::npos ? command : "xdg-open";
}

// An argument of a desktop entry's Exec key: quoted, the characters that
// are special inside the quotes escaped with a backslash, every backslash
// then doubled as in any string value, and "%" doubled (it starts a field
// code).
std::string ExecArgument(const std::string& argument)
{
	std::string quoted = "\"";
	for (char c : argument) {
		if (c == '\\')
			quoted += "\\\\\\";
		else if (c == '"' || c == '`' || c == '$')
			quoted += "\\\\";
		else if (c == '%')
			quoted += '%';
		quoted += c;
	}
	return quoted + "\"";
}

// Starts a program with arguments; false when it cannot be started.
bool Start(const std::vector<std::string>& arguments)
{
	return ProgramCommand::Start(arguments) == B_OK;
}

// "Velmora kept unsaved changes to the page "/site/index.html", as they
// were on 2024-05-02 at 14:03, ...": the page and its time, in letters a
// window can show whatever bytes the file name has.
std::string RecoveryQuestion(const RecoveryCopy::Contents& found)
{
	std::string page = found.path.empty() ? std::string("an untitled page")
		: "the page \"" + BPrivate::UTF8::Sanitized(found.path) + "\"";
	time_t seconds = static_cast<time_t>(found.time / 1000000);
	struct tm local;
	char when[64] = "";
	if (localtime_r(&seconds, &local) != nullptr)
		strftime(when, sizeof(when), "%Y-%m-%d at %H:%M", &local);
	return "Velmora kept unsaved changes to " + page + ", as they were on " + when
		+ ", when it ended without closing the page.\n\nRestore them, or discard them?";
}

} // namespace

WApplication::WApplication(const char* path, bool batchUse)
	:
	BApplication(kSignature),
	extensions(PageText::FileExtensions()),
	firstStart(false),
	starting(true),
	startWindow(nullptr),
	run(false),
	activeWindow(nullptr),
	batch(batchUse),
	ending(false),
	ended(false)
{
	if (!batch)
		UseAlertWindowsForErrors();
	settings = std::make_unique<Config_>(batch);
	settings->SetPreferencesMaker(&ConfigWindow::Make);
	firstStart = settings->IsFirstStart();
	if (path != nullptr)
		startPath = path;
	else if (settings->AppDirectory() != nullptr)
		startPath = std::string(settings->AppDirectory()) + "Documentation/StartUp.html";
	if (batch)
		return;
	signalWatcher = std::make_unique<SignalWatcher>([this](int signal) { EndOnSignal(signal); });

	BMessenger self(this);
	openPanel = std::make_unique<ExtensionsFilePanel>(B_OPEN_PANEL, &self, extensions);
	if (path == nullptr) {
		startWindow = new StartWindow();
		startWindow->SetText("Initializing…");
	}
	if (BApplication::AppResources() == nullptr) {
		ErrorAlert("Resource initialization error");
		return;
	}
	run = true;
}

WApplication::~WApplication()
{
	MarkEnded();
	signalWatcher.reset();
	for (std::unique_ptr<Page>& page : pages)
		DeletePage(page);
	CloseStartWindow();
	openPanel.reset();
	if (!batch)
		SetErrorAlertHandler(nullptr);
}

BFilePanel* WApplication::OpenPanel() const
{
	return openPanel.get();
}

void WApplication::ShowOpenPanel()
{
	if (openPanel != nullptr)
		openPanel->Show();
}

Page* WApplication::PageAt(int32 index) const
{
	return index >= 0 && index < kPageSlots ? pages[index].get() : nullptr;
}

Page* WApplication::MakePage(const char* path, int32 index)
{
	if (index < 0 || index >= kPageSlots || pages[index] != nullptr)
		return nullptr;
	auto page = std::make_unique<Page>(path, index, this);
	std::lock_guard<std::timed_mutex> lock(pagesLock);
	pages[index] = std::move(page);
	return pages[index].get();
}

// The page leaves the table before it is deleted, which takes a while: an
// abrupt end meanwhile leaves it alone.
void WApplication::DeletePage(std::unique_ptr<Page>& slot)
{
	std::unique_ptr<Page> going;
	{
		std::lock_guard<std::timed_mutex> lock(pagesLock);
		going = std::move(slot);
	}
}

int32 WApplication::OpenPages() const
{
	int32 count = 0;
	for (const std::unique_ptr<Page>& page : pages)
		count += page != nullptr ? 1 : 0;
	return count;
}

// #pragma mark - Starting

// What talks to the user runs here, where the display already runs, so
// that its alerts and windows are seen on the desktop.
void WApplication::ReadyToRun()
{
	if (settings->WasDamaged())
		ErrorAlert("The settings file \"", Config_::SettingsPath().c_str(),
			"\" was damaged: what could not be read has its standard value again.");
	// The welcome says that the picture test comes next, so it comes first.
	if (firstStart)
		FirstStart();
	About_Window* about = new About_Window();
	if (firstStart)
		about->Show();
	else
		about->Quit();
	// The last start ended inside the picture decoders' test; the About
	// view has said so, and this start ends so that the next one is clean.
	if (settings->StartingGIFTranslatorTest()) {
		settings->SetStartingGIFTranslatorTest(false);
		settings->Save();
		CloseStartWindow();
		Quit();
		return;
	}
	Page* page = MakePage(startPath.c_str(), 0);
	SetStartText("Loading start-up page…");
	if (page != nullptr) {
		page->KeepRecoveryCopies();
		page->Engine()->PostMessage('reld');
	}
}

StartWindow* WApplication::StartingWindow()
{
	std::lock_guard<std::mutex> lock(startWindowLock);
	return startWindow;
}

void WApplication::SetStartText(const char* text)
{
	std::lock_guard<std::mutex> lock(startWindowLock);
	if (startWindow != nullptr)
		startWindow->SetText(text);
}

void WApplication::CloseStartWindow()
{
	std::lock_guard<std::mutex> lock(startWindowLock);
	if (startWindow != nullptr)
		startWindow->Quit();
	startWindow = nullptr;
}

// Called by the page at the end of its first load, on the engine's thread.
// The recovery copies are offered then, over the page.
// The start window goes before the start is over, so that no one sees a
// finished start with its window still there.
void WApplication::StartingFinished()
{
	if (!firstStart)
		CloseStartWindow();
	starting = false;
	if (!batch)
		PostMessage('rcvr');
	if (firstStart && pages[0] != nullptr)
		pages[0]->HTMLError(0, 0, kFirstNote, VUDAV_NOTE);
}

void WApplication::FirstStart()
{
	std::string entry = DesktopEntryPath();
	if (!entry.empty() && settings->AppDirectory() != nullptr) {
		create_directory(entry.substr(0, entry.rfind('/')).c_str(), 0755);
		if (SafeSave::Replace(entry.c_str(), DesktopEntry(settings->AppDirectory())) != B_OK)
			ErrorAlert("Could not add Velmora to your applications: \"", entry.c_str(),
				"\" cannot be written.");
	}
	CloseStartWindow();
	(new BAlert("Alert", kWelcome, "OK"))->Go();
}

std::string WApplication::DesktopEntryPath()
{
	BPath data;
	if (find_directory(B_USER_DATA_DIRECTORY, &data) != B_OK)
		return std::string();
	return std::string(data.Path()) + "/applications/velmora.desktop";
}

std::string WApplication::DesktopEntry(const char* appDirectory)
{
	std::string folder = appDirectory != nullptr ? appDirectory : "";
	return "[Desktop Entry]\n"
		"Type=Application\n"
		"Name=Velmora\n"
		"GenericName=HTML Editor\n"
		"Comment=Edit web pages as formatted text and as HTML source\n"
		"Exec=" + ExecArgument(folder + kProgramName) + " %f\n"
		"Icon=" + folder + "velmora.png\n"
		"Terminal=false\n"
		"Categories=Development;WebDevelopment;\n"
		"MimeType=text/html;\n";
}

// #pragma mark - Documents

std::string WApplication::ProgramFile() const
{
	return std::string(settings->AppDirectory() != nullptr ? settings->AppDirectory() : "")
		+ kProgramName;
}

// A further document is opened by another process of the program; refs
// without an entry ask for a new untitled page.
void WApplication::RefsReceived(BMessage* message)
{
	entry_ref ref;
	std::string path;
	if (message->FindRef("refs", &ref) == B_OK) {
		BPath resolved(&ref);
		if (resolved.InitCheck() == B_OK)
			path = resolved.Path();
	}
	if (IsLaunching()) {
		startPath = path;
		return;
	}
	if (!Start({ProgramFile(), "--", path}))
		ErrorAlert("Could not start \"", ProgramFile().c_str(), "\" for the document \"",
			path.c_str(), "\".");
}

void WApplication::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'fqut':
			ForceQuit();
			break;
		case 'qpag': {
			int32 index = -1;
			if (message->FindInt32("pagesindex", &index) == B_OK)
				ClosePage(index);
			break;
		}
		case B_NODE_MONITOR:
			ForwardExchangeChange(message);
			break;
		case 'open':
			ShowOpenPanel();
			break;
		case 'abot':
			(new About_Window())->Show();
			break;
		case 'pref': {
			int32 index = -1;
			if (message->FindInt32("pagesindex", &index) == B_OK && PageAt(index) != nullptr)
				settings->Setup(PageAt(index));
			break;
		}
		case 'rcvr':
			OfferRecoveryCopies();
			break;
		case 'sgnl':
			EndSession();
			break;
		default:
			BApplication::MessageReceived(message);
	}
}

// Another program changed a page's exchange file: the page reads it back.
void WApplication::ForwardExchangeChange(const BMessage* message)
{
	int32 opcode = 0;
	int32 device = 0;
	int64 node = 0;
	if (message->FindInt32("opcode", &opcode) != B_OK || opcode != B_STAT_CHANGED
			|| message->FindInt32("device", &device) != B_OK
			|| message->FindInt64("node", &node) != B_OK)
		return;
	for (const std::unique_ptr<Page>& page : pages) {
		if (page == nullptr)
			continue;
		KFile* exchange = page->ExternalExchangeFile();
		node_ref watched;
		if (exchange != nullptr && exchange->GetNodeRef(&watched) == B_OK
				&& watched.device == static_cast<dev_t>(device)
				&& watched.node == static_cast<ino_t>(node))
			page->Engine()->PostMessage('upde');
	}
}

void WApplication::ShowInBrowser(const char* path, const char* scheme)
{
	if (path == nullptr || scheme == nullptr)
		return;
	std::vector<std::string> browser = ProgramCommand::Arguments(BrowserCommand(),
		std::string(scheme) + "://" + path);
	if (!Start(browser))
		ErrorAlert("You don't have a web browser that Velmora can start: \"", browser[0].c_str(),
			"\" could not be started. Set BROWSER to your web browser, or install xdg-open "
			"(Debian package xdg-utils).");
}

// #pragma mark - Closing

void WApplication::PostClosePage(int32 index)
{
	BMessage close('qpag');
	close.AddInt32("pagesindex", index);
	PostMessage(&close);
}

void WApplication::NoteActiveWindow(BWindow* window)
{
	SetActiveWindow(window);
}

void WApplication::ClosePage(int index)
{
	if (index < 0 || index >= kPageSlots || pages[index] == nullptr)
		return;
	if (OpenPages() == 1) {
		PostMessage(B_QUIT_REQUESTED);
		return;
	}
	if (pages[index]->Quit())
		DeletePage(pages[index]);
}

// Pages are asked in order; one that refuses keeps the program running,
// and those closed before it stay closed. The windows left (the About
// window, the open panel's) are not asked: the application closes them
// when it goes.
bool WApplication::QuitRequested()
{
	for (std::unique_ptr<Page>& page : pages) {
		if (page == nullptr)
			continue;
		activeWindow = nullptr;
		if (!page->Quit())
			return false;
		DeletePage(page);
	}
	CloseStartWindow();
	return true;
}

void WApplication::ForceQuit()
{
	for (const std::unique_ptr<Page>& page : pages) {
		if (page != nullptr)
			page->ForceQuit();
	}
	_exit(0);
}

// #pragma mark - Recovery copies

void WApplication::RestoreAtStart(const char* copyPath)
{
	copyToRestore = RecoveryCopy::Take(copyPath != nullptr ? copyPath : "");
	if (copyToRestore == nullptr) {
		ErrorAlert("The recovery copy \"", copyPath, "\" cannot be read, or another Velmora "
			"restores it.");
		return;
	}
	startPath = copyToRestore->Found().path;
}

// Each copy is asked about on its own; the user's answer alone removes
// one. A start that restores a copy offers no others: the start that
// offered it does.
void WApplication::OfferRecoveryCopies()
{
	if (copyToRestore != nullptr) {
		if (pages[0] != nullptr)
			pages[0]->Restore(std::move(copyToRestore));
		return;
	}
	std::vector<std::unique_ptr<RecoveryCopy>> copies = RecoveryCopy::Abandoned();
	for (std::unique_ptr<RecoveryCopy>& copy : copies) {
		if (ending)
			return;
		std::string question = RecoveryQuestion(copy->Found());
		BAlert* alert = new BAlert("Alert", question.c_str(), "Discard", "Restore", nullptr,
			B_WIDTH_AS_USUAL, B_WARNING_ALERT);
		if (alert->Go() == 0)
			copy->Remove();
		else
			Restore(std::move(copy));
		copy.reset();
	}
}

// The copy of this process's page is restored here; that of another page
// in a process of its own, which takes the copy over.
void WApplication::Restore(std::unique_ptr<RecoveryCopy> copy)
{
	Page* page = pages[0].get();
	std::string path = copy->Found().path;
	if (page != nullptr && (path.empty() ? page->IsUntitled() : path == page->Path())) {
		page->Restore(std::move(copy));
		return;
	}
	std::string copyPath = copy->CopyPath();
	copy.reset();
	if (!Start({ProgramFile(), "--restore", copyPath}))
		ErrorAlert("Could not start \"", ProgramFile().c_str(), "\" to restore the changes to \"",
			path.c_str(), "\"; they are kept for the next start.");
}

// #pragma mark - Signals

// On the signal watcher's thread. The application's thread ends the
// session; when it cannot within the time (it waits for an answer, or for
// a page that is busy), or when a second signal comes, it ends here.
void WApplication::EndOnSignal(int)
{
	if (ending.exchange(true))
		EndAbruptly();
	PostMessage('sgnl');
	std::unique_lock<std::mutex> lock(endLock);
	if (!endChanged.wait_for(lock, kOrderlyEnd, [this] { return ended; })) {
		lock.unlock();
		EndAbruptly();
	}
}

// Like a quit, without questions: nobody may be there to answer. Each page
// first finishes what its engine is doing (an edit it was reading in) and
// writes its recovery copy, then every page closes, removing its scratch
// files and leaving the copy for the next start.
void WApplication::EndSession()
{
	ending = true;
	for (const std::unique_ptr<Page>& page : pages) {
		if (page == nullptr)
			continue;
		BMessage settle('sync');
		BMessage reply;
		BMessenger(page->Engine()->Looper()).SendMessage(&settle, &reply, kSettleWait,
			kSettleWait);
		page->WriteRecoveryCopy(kCopyWait);
	}
	for (std::unique_ptr<Page>& page : pages)
		DeletePage(page);
	CloseStartWindow();
	MarkEnded();
	Quit();
}

// Tells the signal watcher, which may wait for it, that the session ended.
void WApplication::MarkEnded()
{
	{
		std::lock_guard<std::mutex> lock(endLock);
		ended = true;
	}
	endChanged.notify_all();
}

// What must not be lost is written, what must not be left is removed, and
// the process ends now.
void WApplication::EndAbruptly()
{
	std::unique_lock<std::timed_mutex> lock(pagesLock, std::defer_lock);
	if (lock.try_lock_for(kPageTableWait)) {
		for (const std::unique_ptr<Page>& page : pages) {
			if (page == nullptr)
				continue;
			page->WriteRecoveryCopy(kCopyWait);
			page->RemoveScratchFiles();
		}
	}
	_exit(0);
}

// The editor's application object running headless in this process: its
// start, its pages closing and quitting, the picture decoders' guarded
// test, further documents in processes of their own, the browser, and the
// recovery of a page whose editor ended abruptly.

#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include <Autolock.h>
#include <DisplayServer.h>
#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <OS.h>
#include <AppPrivate.h>
#include <UTF8.h>
#include <WindowTesting.h>

#include "Config_.h"
#include "HTMLError_Window.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "KFile.h"
#include "Page.h"
#include "ProgramRun.h"
#include "SignalWatcher.h"
#include "StartWindow.h"
#include "TempDirectory.h"
#include "VWindow.h"
#include "WApplication.h"
#include "page_support/RecoveryCopy.h"

namespace {

const char kPage[] = "<html><head><title>Notes</title></head><body><p>Plain words</p>"
	"</body></html>\n";

// Within ten seconds, or within the given ones: another process of the
// program, slow to start under the sanitizers on a busy machine, gets more.
bool Eventually(const std::function<bool()>& condition, int seconds = 10)
{
	for (int i = 0; i < seconds * 100; i++) {
		if (condition())
			return true;
		snooze(10000);
	}
	return condition();
}

bool Shown(const char* textPart)
{
	for (const BPrivate::AlertRecord& alert : BPrivate::AlertsShown()) {
		if (alert.text.find(textPart) != std::string::npos)
			return true;
	}
	return false;
}

// The processes of a program named "velmora" started with the document as
// their last argument.
std::vector<pid_t> ProcessesOpening(const std::string& document)
{
	std::vector<pid_t> found;
	DIR* proc = opendir("/proc");
	while (dirent* entry = proc != nullptr ? readdir(proc) : nullptr) {
		pid_t pid = atoi(entry->d_name);
		std::ifstream file("/proc/" + std::string(entry->d_name) + "/cmdline");
		std::vector<std::string> arguments;
		for (std::string argument; pid > 0 && std::getline(file, argument, '\0');)
			arguments.push_back(argument);
		if (arguments.size() >= 2 && arguments[0].ends_with("/velmora")
				&& arguments.back() == document)
			found.push_back(pid);
	}
	if (proc != nullptr)
		closedir(proc);
	return found;
}

// The user's folders in a folder of the test; alerts answered by a
// responder the test sets.
class Application : public testing::Test {
protected:
	void SetUp() override
	{
		BPrivate::DisplayServer::UseHeadless();
		setenv("XDG_CONFIG_HOME", (fFolder / "config").c_str(), 1);
		setenv("XDG_DATA_HOME", (fFolder / "data").c_str(), 1);
		setenv("XDG_STATE_HOME", (fFolder / "state").c_str(), 1);
		BPrivate::ForgetAlertsShown();
		BPrivate::SetAlertResponder(nullptr);
		fFolder.Write("page.html", kPage);
	}

	void TearDown() override
	{
		Quit();
		BPrivate::SetAlertResponder(nullptr);
	}

	// The application is made, run and deleted on a thread of its own, as
	// main() does: a looper belongs to the thread that made it until it runs.
	void Start(const char* path)
	{
		std::string document = path != nullptr ? path : "";
		std::atomic<bool> made{false};
		fRunner = std::thread([this, document, path, &made] {
			fApplication = new WApplication(path != nullptr ? document.c_str() : nullptr);
			made = true;
			if (fApplication->ShouldRun())
				fApplication->Run();
			fPageLeft = fApplication->PageAt(0) != nullptr;
			delete fApplication;
		});
		ASSERT_TRUE(Eventually([&made] { return made.load(); }));
		ASSERT_TRUE(fApplication->ShouldRun());
		ASSERT_TRUE(Eventually([this] { return !fApplication->IsStarting(); }))
			<< "the page never finished loading";
	}

	void Quit()
	{
		if (fApplication == nullptr)
			return;
		if (fRunner.joinable()) {
			fApplication->PostMessage(B_QUIT_REQUESTED);
			fRunner.join();
		}
		fApplication = nullptr;
	}

	TempDirectory fFolder;
	WApplication* fApplication = nullptr;	// deleted by the runner
	std::thread fRunner;
	std::atomic<bool> fPageLeft{false};	// a page was open when the loop ended
};

BMessage Settings(const TempDirectory& folder)
{
	BMessage settings;
	BFile file((folder / "config/Korvane/Velmora_settings").c_str(), B_READ_ONLY);
	settings.Unflatten(&file);
	return settings;
}

void WriteSettings(const TempDirectory& folder, const BMessage& settings)
{
	mkdir((folder / "config").c_str(), 0755);
	mkdir((folder / "config/Korvane").c_str(), 0755);
	BFile file((folder / "config/Korvane/Velmora_settings").c_str(),
		B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	settings.Flatten(&file);
}

} // namespace

TEST_F(Application, TheFirstStartListsTheEditorForHTMLFilesAndWelcomesTheUser)
{
	Start(nullptr);
	std::string entry = fFolder.Read("data/applications/velmora.desktop");
	EXPECT_NE(entry.find("\nMimeType=text/html;\n"), std::string::npos) << entry;
	std::string folder = fApplication->Config()->AppDirectory();
	EXPECT_NE(entry.find("\nExec=\"" + folder + "velmora\" %f\n"), std::string::npos) << entry;
	EXPECT_NE(entry.find("\nIcon=" + folder + "velmora.png\n"), std::string::npos);
	EXPECT_TRUE(Shown("Welcome to Velmora"));
	EXPECT_FALSE(Shown("decoder")) << "the About picture decodes";
	HTMLError_Window* errors = fApplication->PageAt(0)->HTMLErrorWindow();
	EXPECT_TRUE(Eventually([errors] {
		BAutolock lock(errors);
		for (int32 i = 0; i < errors->CountItems(); i++) {
			if (strncmp(errors->ItemText(i), "Hi! I am Vudav.", 15) == 0)
				return errors->ItemKind(i) == VUDAV_NOTE;
		}
		return false;
	})) << "the first page greets the user in its error list";
	EXPECT_EQ(fApplication->StartingWindow(), nullptr);
	EXPECT_EQ(std::string(fApplication->StartPath()), folder + "Documentation/StartUp.html");
}

TEST_F(Application, ADamagedSettingsFileIsReportedOnce)
{
	mkdir((fFolder / "config").c_str(), 0755);
	mkdir((fFolder / "config/Korvane").c_str(), 0755);
	fFolder.Write("config/Korvane/Velmora_settings", "garbage");
	Start((fFolder / "page.html").c_str());
	EXPECT_TRUE(Shown("was damaged"));
	Quit();
	BPrivate::ForgetAlertsShown();
	Start((fFolder / "page.html").c_str());
	EXPECT_FALSE(Shown("was damaged"));
}

TEST_F(Application, ALaterStartShowsTheStartWindowUntilThePageIsLoaded)
{
	BMessage settings;
	settings.AddString("UserName", "Ada");
	WriteSettings(fFolder, settings);
	std::atomic<bool> looked{false};
	std::string firstText;
	fRunner = std::thread([this, &looked, &firstText] {
		fApplication = new WApplication(nullptr);
		if (fApplication->StartingWindow() != nullptr)
			firstText = fApplication->StartingWindow()->Text();
		looked = true;
		fApplication->Run();
		delete fApplication;
	});
	ASSERT_TRUE(Eventually([&looked] { return looked.load(); }));
	EXPECT_EQ(firstText, "Initializing…");
	ASSERT_TRUE(Eventually([this] { return !fApplication->IsStarting(); }));
	EXPECT_EQ(fApplication->StartingWindow(), nullptr);
	EXPECT_FALSE(fFolder.Exists("data/applications/velmora.desktop"));
	EXPECT_FALSE(Shown("Welcome"));
}

TEST_F(Application, EntryQuotingKeepsPathsWithSpacesAndSpecialCharactersWhole)
{
	std::string entry = WApplication::DesktopEntry("/opt/my apps/50%$\"\\/");
	EXPECT_NE(entry.find("Exec=\"/opt/my apps/50%%\\\\$\\\\\"\\\\\\\\/velmora\" %f\n"),
		std::string::npos) << entry;
}

// #pragma mark - Closing

TEST_F(Application, ClosingTheOnlyPageQuitsTheProgram)
{
	Start((fFolder / "page.html").c_str());
	Page* page = fApplication->PageAt(0);
	ASSERT_NE(page, nullptr);
	fApplication->PostClosePage(0);
	fRunner.join();
	EXPECT_FALSE(fPageLeft);
	EXPECT_EQ(fFolder.Read("page.html"), kPage) << "an unchanged page is not written";
	EXPECT_FALSE(Shown("Save changes"));
}

TEST_F(Application, CancelInThePagesQuestionKeepsTheProgramRunning)
{
	Start((fFolder / "page.html").c_str());
	fApplication->PageAt(0)->NotSaved();
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 0; });
	fApplication->PostClosePage(0);
	ASSERT_TRUE(Eventually([] { return Shown("Save changes to the document"); }));
	snooze(100000);
	ASSERT_NE(fApplication->PageAt(0), nullptr);
	std::vector<BPrivate::AlertRecord> alerts = BPrivate::AlertsShown();
	EXPECT_EQ(alerts.back().buttons, (std::vector<std::string>{"Cancel", "Don't Save", "Save"}));
	EXPECT_NE(alerts.back().text.find("\"Notes\"?"), std::string::npos) << alerts.back().text;

	// "Don't Save" then closes it, and the file stays as it was.
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 1; });
	fApplication->PostMessage(B_QUIT_REQUESTED);
	fRunner.join();
	EXPECT_FALSE(fPageLeft);
	EXPECT_EQ(fFolder.Read("page.html"), kPage);
}

TEST_F(Application, APageWhoseSaveFailsOnClosingStaysOpen)
{
	mkdir((fFolder / "gone").c_str(), 0755);
	fFolder.Write("gone/page.html", kPage);
	Start((fFolder / "gone/page.html").c_str());
	fApplication->PageAt(0)->NotSaved();
	// The folder disappears under the page: the save cannot succeed.
	std::filesystem::remove_all(fFolder / "gone");
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord& alert) {
		return alert.buttons.size() == 3 ? 2 : 0;
	});
	fApplication->PostMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(Eventually([] { return Shown("could not save"); }));
	snooze(100000);
	EXPECT_NE(fApplication->PageAt(0), nullptr) << "the user's changes are still there";
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 1; });
}

TEST_F(Application, SavingAChangedUntitledPageOnClosingAsksWhereAndKeepsItOpen)
{
	Start("");
	Page* page = fApplication->PageAt(0);
	ASSERT_TRUE(page->IsUntitled());
	page->NotSaved();
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 2; });
	size_t panelsBefore = BPrivate::FilePanelsShown().size();
	fApplication->PostClosePage(0);
	EXPECT_TRUE(Eventually([&] {
		std::vector<BPrivate::FilePanelRequest> panels = BPrivate::FilePanelsShown();
		return panels.size() > panelsBefore && panels.back().save;
	})) << "no Save As panel";
	EXPECT_EQ(fApplication->PageAt(0), page);
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 1; });
}

TEST_F(Application, TheVisualWindowAsksForTheOpenPanelAndTheAboutWindow)
{
	Start((fFolder / "page.html").c_str());
	BWindow* window = fApplication->PageAt(0)->VisualWindow();
	size_t panelsBefore = BPrivate::FilePanelsShown().size();
	window->PostMessage('open');
	window->PostMessage('abot');
	EXPECT_TRUE(Eventually([&] {
		std::vector<BPrivate::FilePanelRequest> panels = BPrivate::FilePanelsShown();
		return panels.size() > panelsBefore && !panels.back().save;
	})) << "no open panel";
	EXPECT_TRUE(Eventually([] {
		for (BLooper* looper : BPrivate::WindowLoopers()) {
			if (!BPrivate::LockWindowLooper(looper, BPrivate::kBusyWindow))
				continue;
			auto* shown = dynamic_cast<BWindow*>(looper);
			bool about = shown != nullptr && strcmp(shown->Title(), "About_Window") == 0
				&& !shown->IsHidden();
			looper->Unlock();
			if (about)
				return true;
		}
		return false;
	})) << "no About window";
}

// Both windows' Preferences… open the one preferences window for their
// page; the page closes it as it goes.
TEST_F(Application, BothWindowsOpenThePreferencesOfTheirPage)
{
	Start((fFolder / "page.html").c_str());
	Page* page = fApplication->PageAt(0);
	auto preferencesShown = [] {
		int shown = 0;
		for (BLooper* looper : BPrivate::WindowLoopers()) {
			if (!BPrivate::LockWindowLooper(looper, BPrivate::kBusyWindow))
				continue;
			auto* window = dynamic_cast<BWindow*>(looper);
			if (window != nullptr && strcmp(window->Title(), "Preferences") == 0
				&& !window->IsHidden())
				shown++;
			looper->Unlock();
		}
		return shown;
	};
	for (BWindow* window : {static_cast<BWindow*>(page->VisualWindow()),
			static_cast<BWindow*>(page->HTMLWindow())}) {
		Config_::ClosePreferencesWindow();
		window->PostMessage('pref');
		EXPECT_TRUE(Eventually([&] { return preferencesShown() == 1; }))
			<< window->Title() << ": no preferences window";
	}
	fApplication->PageAt(0)->VisualWindow()->PostMessage('pref');
	snooze(200000);
	EXPECT_EQ(preferencesShown(), 1) << "one at a time";
	Quit();
	EXPECT_FALSE(Config_::IsPreferencesWindowOpen());
}

// #pragma mark - Further documents

TEST_F(Application, ASecondDocumentStartsASecondProcessOfTheProgram)
{
	Start((fFolder / "page.html").c_str());
	fFolder.Write("second.html", kPage);
	std::string second = fFolder / "second.html";
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(second.c_str(), &ref), B_OK);
	BMessage refs(B_REFS_RECEIVED);
	refs.AddRef("refs", &ref);
	fApplication->PostMessage(&refs);

	std::vector<pid_t> processes;
	EXPECT_TRUE(Eventually([&] {
		processes = ProcessesOpening(second);
		return !processes.empty();
	})) << "no process was started for " << second;
	// It is the program, and it opens the page: its scratch files appear.
	EXPECT_TRUE(Eventually([&] { return fFolder.Exists("$VLM-second.html0.html"); }));
	for (pid_t process : processes) {
		kill(process, SIGKILL);
		waitpid(process, nullptr, 0);
	}
	EXPECT_NE(fApplication->PageAt(0), nullptr);
	EXPECT_EQ(fApplication->PageAt(1), nullptr) << "this process keeps its one document";
}

// #pragma mark - The picture decoders' test

TEST_F(Application, AStartAfterACrashInTheDecoderTestReportsItAndEnds)
{
	BMessage crashed;
	crashed.AddBool("StartingGIFTranslatorTest", true);
	WriteSettings(fFolder, crashed);
	{
		WApplication reporting((fFolder / "page.html").c_str());
		ASSERT_TRUE(reporting.ShouldRun());
		reporting.Run();
		EXPECT_TRUE(Shown("crashed Velmora the last time"));
		EXPECT_EQ(reporting.PageAt(0), nullptr) << "it ends without opening the page";
	}
	bool flag = true;
	EXPECT_EQ(Settings(fFolder).FindBool("StartingGIFTranslatorTest", &flag), B_OK);
	EXPECT_FALSE(flag);

	BPrivate::ForgetAlertsShown();
	Start((fFolder / "page.html").c_str());
	EXPECT_FALSE(Shown("crashed"));
	EXPECT_EQ(Settings(fFolder).FindBool("StartingGIFTranslatorTest", &flag), B_OK);
	EXPECT_FALSE(flag) << "the flag is cleared again after a test that ends";
}

// #pragma mark - The web browser

TEST_F(Application, APreviewOpensTheChosenBrowserOnTheFileAsOneArgument)
{
	std::string browser = fFolder / "browser";
	// One argument a line; the record appears whole, so the test never
	// reads it half written.
	fFolder.Write("browser",
		"#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.part\" && mv \"$0.part\" \"$0.opened\"\n");
	chmod(browser.c_str(), 0755);
	setenv("BROWSER", (browser + " --new-window %s:other-browser").c_str(), 1);
	Start((fFolder / "page.html").c_str());
	std::string planted = fFolder / "planted";
	std::string page = "/tmp/x y;'q\"$(touch " + planted + ").html";
	fApplication->ShowInBrowser(page.c_str(), "file");
	EXPECT_TRUE(Eventually([&] { return fFolder.Exists("browser.opened"); }));
	EXPECT_EQ(fFolder.Read("browser.opened"), "--new-window\nfile://" + page + "\n");
	EXPECT_FALSE(fFolder.Exists("planted"));

	setenv("BROWSER", (fFolder / "no-such-browser").c_str(), 1);
	fApplication->ShowInBrowser("/tmp/x.html", "file");
	EXPECT_TRUE(Shown("no-such-browser\" could not be started"));
	unsetenv("BROWSER");
}

// #pragma mark - Untitled pages

TEST_F(Application, AnUntitledPageLivesInTheProgramsTempFolderOrElseInTheUsers)
{
	std::string temp = std::string(VELMORA_BINARY_DIR) + "/tests/Temp";
	struct Row {
		bool programFolderWritable;
		std::string folder;
	};
	for (const Row& row : {Row{true, temp}, Row{false, fFolder / "data/Korvane/Velmora/Temp"}}) {
		std::filesystem::remove_all(temp);
		// A file where the folder should be takes no pages, as a folder of an
		// installed program does not.
		if (!row.programFolderWritable)
			std::ofstream(temp) << "";
		Start("");
		Page* page = fApplication->PageAt(0);
		ASSERT_TRUE(page->IsUntitled());
		std::string file = page->File()->FullPath();
		EXPECT_EQ(file, row.folder + "/Untitled0.html");
		Quit();
		EXPECT_FALSE(std::filesystem::exists(file)) << "an untitled page leaves nothing behind";
		std::filesystem::remove_all(temp);
	}
}

// #pragma mark - Recovery copies and signals

namespace {

const char kEdited[] = "<html><head><title>Notes</title></head><body><p>Words edited elsewhere</p>"
	"</body></html>\n";

constexpr int kProcessSeconds = 60;

// The editor started headless on a page of the folder, as a user's other
// process of it; the page is then edited as an external editor does,
// through its exchange file. Returns once the editor has read the edit in
// (its parse scratch file holds it); -1 when it did not.
pid_t StartEditorAndEdit(const TempDirectory& folder, const std::string& name,
	const std::vector<std::string>& arguments)
{
	pid_t editor = ProgramRun::Start(arguments, folder, {"VELMORA_DISPLAY=headless"},
		folder.Path());
	std::string scratch = "$VLM-" + name;
	// Loaded, the page's parse scratch file holds it: the exchange file is
	// watched since before.
	bool edited = Eventually([&] {
		return folder.Read(scratch + "0.html").find("Plain words") != std::string::npos;
	}, kProcessSeconds);
	if (edited) {
		std::ofstream(folder / (scratch + "1.html"), std::ios::trunc) << kEdited;
		edited = Eventually([&] {
			return folder.Read(scratch + "0.html").find("edited") != std::string::npos;
		}, kProcessSeconds);
	}
	if (!edited) {
		kill(editor, SIGKILL);
		waitpid(editor, nullptr, 0);
		return -1;
	}
	return editor;
}

std::vector<std::string> CopiesIn(const TempDirectory& folder)
{
	std::vector<std::string> copies;
	std::error_code error;
	for (const auto& entry : std::filesystem::directory_iterator(
			folder / "state/Korvane/Velmora/recovery", error)) {
		if (entry.path().extension() == ".recovery")
			copies.push_back(entry.path());
	}
	return copies;
}

// Waits for the process to end, for at most seconds; its wait status, or
// -1 when it goes on (it is then killed).
int EndOf(pid_t process, double seconds, double* took = nullptr)
{
	auto start = std::chrono::steady_clock::now();
	int status = 0;
	while (waitpid(process, &status, WNOHANG) == 0) {
		if (std::chrono::steady_clock::now() - start > std::chrono::duration<double>(seconds)) {
			kill(process, SIGKILL);
			waitpid(process, nullptr, 0);
			return -1;
		}
		snooze(5000);
	}
	if (took != nullptr)
		*took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
	return status;
}

} // namespace

TEST_F(Application, AKilledEditorsChangesAreOfferedAtTheNextStartAndRestoredByteForByte)
{
	struct Row {
		std::string name;
		bool dashed;		// named after "--", from its folder
		int32 answer;		// 0 "Discard", 1 "Restore"
	};
	for (const Row& row : {Row{"page.html", false, 1},
			Row{"caf\xE9 ;$(touch x) 'q\".html", false, 1}, Row{"-notes.html", true, 0}}) {
		SCOPED_TRACE(row.name);
		fFolder.Write(row.name, kPage);
		std::string page = fFolder / row.name;
		pid_t editor = StartEditorAndEdit(fFolder, row.name,
			row.dashed ? std::vector<std::string>{"--", row.name} : std::vector<std::string>{page});
		ASSERT_GT(editor, 0) << "the editor did not open the page or read the edit in";
		ASSERT_TRUE(Eventually([&] { return CopiesIn(fFolder).size() == 1; }, kProcessSeconds))
			<< "a changed page left idle gets a recovery copy";
		kill(editor, SIGKILL);
		waitpid(editor, nullptr, 0);
		// The HTML window's text with the visual side in step: the HTML
		// the edit's elements write.
		std::string kept = RecoveryCopy::Abandoned()[0]->Found().html;
		EXPECT_NE(kept.find("<P>Words edited elsewhere</P>\n"), std::string::npos) << kept;
		ASSERT_TRUE(fFolder.Exists("$VLM-" + row.name + "1.html")) << "the killed editor left it";

		BPrivate::ForgetAlertsShown();
		BPrivate::SetAlertResponder([&row](const BPrivate::AlertRecord& alert) {
			return alert.buttons.size() == 2 ? row.answer : 1;
		});
		Start(page.c_str());
		ASSERT_TRUE(Eventually([&] {
			return Shown(("Velmora kept unsaved changes to the page \""
				+ BPrivate::UTF8::Sanitized(page) + "\", as they were on ").c_str());
		}));
		Page* opened = fApplication->PageAt(0);
		HWindow* html = opened->HTMLWindow();
		std::string expected = row.answer == 1 ? kept : kPage;
		EXPECT_TRUE(Eventually([&] {
			BAutolock lock(html);
			return html->View()->Text() == expected;
		}));
		EXPECT_EQ(opened->IsSaved(), row.answer == 0);
		EXPECT_EQ(CopiesIn(fFolder).size(), row.answer == 1 ? 1u : 0u);
		EXPECT_FALSE(fFolder.Exists("$VLM-" + row.name + "2.html"))
			<< "the scratch files of the killed editor were removed and their names taken anew";
		Quit();
		EXPECT_TRUE(CopiesIn(fFolder).empty()) << "closed as the user chose: nothing to keep";
		EXPECT_EQ(fFolder.Read(row.name), kPage);
	}
	EXPECT_FALSE(fFolder.Exists("x"));
}

TEST_F(Application, ASignalEndsTheEditorWithinASecondWithItsChangesKept)
{
	for (int signal : SignalWatcher::kSignals) {
		SCOPED_TRACE(strsignal(signal));
		pid_t editor = StartEditorAndEdit(fFolder, "page.html", {fFolder / "page.html"});
		ASSERT_GT(editor, 0) << "the editor did not open the page or read the edit in";
		kill(editor, signal);
		double took = 0;
		int status = EndOf(editor, 5, &took);
		ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
		EXPECT_LT(took, 1.0);
		std::vector<std::unique_ptr<RecoveryCopy>> copies = RecoveryCopy::Abandoned();
		ASSERT_EQ(copies.size(), 1u);
		EXPECT_EQ(copies[0]->Found().path, fFolder / "page.html");
		EXPECT_NE(copies[0]->Found().html.find("<P>Words edited elsewhere</P>\n"),
			std::string::npos);
		copies[0]->Remove();
		for (const char* scratch : {"$VLM-page.html0.html", "$VLM-page.html1.html"})
			EXPECT_FALSE(fFolder.Exists(scratch)) << scratch;
		EXPECT_EQ(fFolder.Read("page.html"), kPage);
	}
}

TEST_F(Application, AStartLeavesTheScratchFilesOfARunningEditorAlone)
{
	pid_t editor = ProgramRun::Start({fFolder / "page.html"}, fFolder);
	ASSERT_TRUE(Eventually([this] { return fFolder.Exists("$VLM-page.html1.html"); },
		kProcessSeconds));
	Start((fFolder / "page.html").c_str());
	EXPECT_STREQ(fApplication->PageAt(0)->TempFile()->FileName(), "$VLM-page.html2.html");
	EXPECT_TRUE(fFolder.Exists("$VLM-page.html0.html"));
	kill(editor, SIGTERM);
	EXPECT_NE(EndOf(editor, 5), -1);
}

TEST_F(Application, TheCopyOfAnotherPageIsRestoredByAnEditorOfItsOwn)
{
	{
		// Left by an editor that ended abruptly.
		RecoveryCopy copy;
		copy.Edited(system_time());
		RecoveryCopy::Contents contents{fFolder / "page.html", "UTF-8", false,
			real_time_clock_usecs(), kEdited};
		ASSERT_EQ(copy.Write(contents, copy.Edits()), B_OK);
	}
	fFolder.Write("other.html", kPage);
	BPrivate::SetAlertResponder([](const BPrivate::AlertRecord&) { return 1; });
	Start((fFolder / "other.html").c_str());
	ASSERT_TRUE(Eventually([this] { return fFolder.Exists("$VLM-page.html1.html"); },
		kProcessSeconds)) << "no editor was started for the page";
	std::vector<std::string> copies = CopiesIn(fFolder);
	ASSERT_EQ(copies.size(), 1u);
	std::vector<pid_t> editors = ProcessesOpening(copies[0]);
	ASSERT_EQ(editors.size(), 1u);
	// It reads the restored text, and holds the copy while it runs.
	EXPECT_TRUE(Eventually([this] {
		return fFolder.Read("$VLM-page.html0.html").find("edited") != std::string::npos;
	}, kProcessSeconds));
	EXPECT_TRUE(RecoveryCopy::Abandoned().empty());
	kill(editors[0], SIGTERM);
	ASSERT_TRUE(Eventually([this] { return !fFolder.Exists("$VLM-page.html1.html"); },
		kProcessSeconds));
	std::vector<std::unique_ptr<RecoveryCopy>> left;
	ASSERT_TRUE(Eventually([&left] { return (left = RecoveryCopy::Abandoned()).size() == 1; },
		kProcessSeconds));
	EXPECT_EQ(left[0]->Found().html, kEdited) << "the page's own copy, still unsaved";
	EXPECT_EQ(fApplication->PageAt(0)->Path(), fFolder / "other.html");
}

// The visual window as the user reaches it: every command of its menus and
// tool bars by mouse and by shortcut, saving, reverting, closing, the
// status bar, and the programs it starts.

#include "PageTesting.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include <AppPrivate.h>
#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <MenuPrivate.h>
#include <PopUpMenu.h>
#include <WindowTesting.h>

#include "CommandRoutes.h"
#include "ErrorAlert.h"
#include "KBBar.h"
#include "KBBarButton.h"
#include "KBBarMenuField.h"
#include "KBottomBar.h"
#include "KFile.h"
#include "VFinder.h"

using PageTesting::Code;
using PageTesting::PageTest;
using PageTesting::Routes;

namespace {

const uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;
const char kPage[] = "<html><head><title>Notes</title></head><body><p>alpha beta</p>"
	"</body></html>\n";

bool Eventually(const std::function<bool()>& condition)
{
	for (int i = 0; i < 500; i++) {
		if (condition())
			return true;
		snooze(10000);
	}
	return condition();
}

BPoint Middle(BRect frame)
{
	return BPoint((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
}

class VisualWindow : public PageTest {
protected:
	void TearDown() override
	{
		for (size_t open = BPrivate::OpenMenus().size(); open > 0; open--)
			BPrivate::PostKey(Window(), "\x1b");
		BPrivate::WaitForMenus(false);
		BPrivate::SetAlertResponder(nullptr);
		BPrivate::SetFilePanelResponder(nullptr);
		PageTest::TearDown();
	}

	VWindow* Window() const { return fPage->VisualWindow(); }
	BLooper* EngineLooper() const { return Engine()->Looper(); }

	void Idle()
	{
		BPrivate::WaitForWindowIdle(Window());
		Settle();
		BPrivate::WaitForWindowIdle(Window());
	}

	// The middle of a view, in the window's coordinates.
	BPoint InWindow(BView* view)
	{
		BAutolock lock(Window());
		return view->ConvertToScreen(Middle(view->Bounds())) - Window()->Frame().LeftTop();
	}

	// Opens a menu by a click at a point of the window (a title or a
	// field's box) and clicks its item.
	void ChooseByMouse(BPoint opener, BMenuItem* item)
	{
		ASSERT_EQ(BPrivate::PostMouseDown(Window(), opener), B_OK);
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		BWindow* menuWindow = BPrivate::OpenMenus().back().window;
		ASSERT_NE(menuWindow, nullptr);
		BPoint there = menuWindow->ConvertFromScreen(Window()->ConvertToScreen(opener));
		BPrivate::PostMouseUp(menuWindow, there);
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		BPrivate::PostClick(menuWindow, Middle(item->Frame()));
		ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	}

	BPoint TitleOf(const char* menu)
	{
		BAutolock lock(Window());
		BMenuBar* bar = Window()->MainMenu();
		for (int32 index = 0; BMenu* title = bar->SubmenuAt(index); index++) {
			if (strcmp(title->Name(), menu) == 0)
				return Middle(bar->ItemAt(index)->Frame());
		}
		ADD_FAILURE() << "no menu " << menu;
		return BPoint();
	}

	BMenuItem* MenuItem(const char* label)
	{
		BAutolock lock(Window());
		return Window()->MainMenu()->FindItem(label);
	}

	template <class Item>
	Item* BarItem(KBBar* bar, const char* name)
	{
		BAutolock lock(Window());
		for (int32 index = 0; index < bar->CountItems(); index++) {
			BView* view = bar->ItemAt(index)->View();
			if (strcmp(view->Name(), name) == 0)
				return dynamic_cast<Item*>(view);
		}
		return nullptr;
	}

	std::string Title()
	{
		Idle();
		BAutolock lock(Window());
		return Window()->Title();
	}

	bool SaveEnabled()
	{
		Idle();
		return MenuItem("Save")->IsEnabled();
	}
};

// The menus of the visual window: label, code, shortcut key (Ctrl, with
// Shift where the table says "+Control"), and whether it goes to the
// engine's looper.
struct Command {
	const char* menu;
	const char* label;
	uint32 code;
	const char* key;
	bool shift;
	bool toEngine;
};

// A row of each menu and each kind of shortcut (plain, with Shift, Enter,
// Space), to the window and to the engine.
const Command kMenus[] = {
	{"File", "Open…", 'open', "o", false, false},
	{"Edit", "Preview", 'prew', "r", false, true},
	{"Insert", "Image…", 'iimg', "I", true, false},
	{"Insert", "Horizontal line", 'hrln', "H", true, true},
	{"Insert", "Break line <ENTER>", 'br  ', "\n", false, true},
	{"Insert", "Nonbreakable space", 'nbsp', " ", false, true},
	{"Physical fonts", "Bold text", 'bold', "b", false, true},
	{"Logical fonts", "Cite", 'cite', nullptr, false, true},
	{"Headings", "Heading 6", 'h6  ', "6", false, true},
	{"HTML editor", "Show errors/warnings window", 'serr', nullptr, false, false},
};

// Buttons of the upper tool bar; menu is unused.
const Command kButtons[] = {
	{"", "ButtonSave", 'save', nullptr, false, false},
	{"", "ButtonPreview", 'prew', nullptr, false, true},
};

// The lower tool bar's menus, by mouse (their shortcuts are the main menu's):
// the field, then its item.
const Command kFields[] = {
	{"Headings…     ", "Heading 1", 'h1  ', nullptr, false, true},
	{"Physical fonts…     ", "Strike thru", 'strk', nullptr, false, true},
	{"Special Characters…     ", "© - &copy;", 'ispc', nullptr, false, true},
};

std::set<uint32> CodesOf(std::initializer_list<std::span<const Command>> tables)
{
	std::set<uint32> codes;
	for (std::span<const Command> table : tables) {
		for (const Command& row : table)
			codes.insert(row.code);
	}
	return codes;
}

} // namespace

TEST_F(VisualWindow, MenuItemsButtonsAndShortcutsReachTheirTargetsWithTheirCodes)
{
	Open(kPage);
	fPage->NotSaved();
	Idle();
	Routes routes(CodesOf({kMenus, kButtons, kFields}));
	auto expect = [&](const Command& row, const char* how) {
		std::vector<std::pair<BLooper*, uint32>> seen = routes.Take({Window(), EngineLooper()});
		BLooper* target = row.toEngine ? EngineLooper() : static_cast<BLooper*>(Window());
		EXPECT_EQ(seen, (std::vector<std::pair<BLooper*, uint32>>{{target, row.code}}))
			<< row.menu << " " << row.label << " " << how << ": expected '" << Code(row.code)
			<< "' at the " << (row.toEngine ? "engine" : "window");
	};
	for (const Command& row : kMenus) {
		ChooseByMouse(TitleOf(row.menu), MenuItem(row.label));
		expect(row, "by mouse");
		if (row.key != nullptr) {
			BPrivate::PostKey(Window(), row.key, kCtrl | (row.shift ? B_SHIFT_KEY : 0));
			expect(row, "by shortcut");
		}
	}
	{
		BAutolock lock(Window());
		for (int32 index = 0; index < Window()->UpperBar()->CountItems(); index++) {
			auto* button = dynamic_cast<KBBarButton*>(Window()->UpperBar()->ItemAt(index)->View());
			EXPECT_TRUE(button == nullptr || button->Bitmap() != nullptr) << "a button's picture";
		}
	}
	for (const Command& row : kButtons) {
		KBBarButton* button = BarItem<KBBarButton>(Window()->UpperBar(), row.label);
		ASSERT_NE(button, nullptr) << row.label;
		BPrivate::PostClick(Window(), InWindow(button));
		expect(row, "clicked");
	}
	for (const Command& row : kFields) {
		KBBarMenuField* field = BarItem<KBBarMenuField>(Window()->LowerBar(), row.menu);
		ASSERT_NE(field, nullptr) << row.menu;
		BMenuItem* item = field->Menu()->FindItem(row.label);
		ASSERT_NE(item, nullptr) << row.label;
		ChooseByMouse(InWindow(field), item);
		expect(row, "by mouse");
	}
}

TEST_F(VisualWindow, SaveOnAnUntitledPageAsksWhereAndTheTitleShowsWhatIsNotSaved)
{
	fPage = std::make_unique<Page>("", 0, PageTesting::Application());
	Load();
	std::string scratch = fPage->File()->FileName();
	EXPECT_EQ(Title(), "Velmora -  - " + scratch);
	EXPECT_FALSE(SaveEnabled()) << "nothing to save yet";

	BPrivate::TypeText(Window(), "Hello");
	EXPECT_EQ(Title(), "*Velmora -  - " + scratch);
	EXPECT_TRUE(SaveEnabled());
	std::vector<BPrivate::FilePanelRequest> asked;
	BPrivate::SetFilePanelResponder([&](const BPrivate::FilePanelRequest& request) {
		asked.push_back(request);
		return BPrivate::FilePanelAnswer{false, {fFolder / "saved.html"}};
	});
	BPrivate::PostKey(Window(), "s", kCtrl);
	Idle();
	ASSERT_EQ(asked.size(), 1u) << "Ctrl+S on an untitled page asks where to save it";
	EXPECT_TRUE(asked[0].save);
	EXPECT_EQ(asked[0].title, "Save  \"\" - " + scratch + "  as");
	EXPECT_NE(fFolder.Read("saved.html").find("Hello"), std::string::npos);
	EXPECT_EQ(Title(), "Velmora -  - saved.html");
	EXPECT_FALSE(SaveEnabled());
	EXPECT_FALSE(std::filesystem::exists(fFolder / scratch));

	BPrivate::TypeText(Window(), " world");
	BPrivate::PostKey(Window(), "s", kCtrl);
	Idle();
	EXPECT_EQ(asked.size(), 1u) << "a page with a file is saved there";
	EXPECT_NE(fFolder.Read("saved.html").find("Hello world"), std::string::npos);
	EXPECT_EQ(Title(), "Velmora -  - saved.html");
}

TEST_F(VisualWindow, RevertAnsweredNoKeepsTheEditsAndYesReadsTheFileAgain)
{
	Open(kPage);
	Window()->PostMessage('dela');
	Idle();
	ASSERT_EQ(VisualText(), "");
	BPrivate::ForgetAlertsShown();
	for (int32 answer : {1, 0}) {
		BPrivate::SetAlertResponder([answer](const BPrivate::AlertRecord&) { return answer; });
		ChooseByMouse(TitleOf("File"), MenuItem("Revert"));
		Idle();
		Settle();
		EXPECT_EQ(VisualText().find("alpha beta") != std::string::npos, answer == 0)
			<< (answer == 0 ? "Yes" : "No");
	}
	std::vector<BPrivate::AlertRecord> alerts = BPrivate::AlertsShown();
	ASSERT_EQ(alerts.size(), 2u);
	EXPECT_EQ(alerts[0].title, "Revert?");
	EXPECT_EQ(alerts[0].buttons, (std::vector<std::string>{"Yes", "No"}));
	EXPECT_TRUE(fPage->IsSaved());
}

TEST_F(VisualWindow, ClosingItHidesItWhileTheHTMLWindowShowsAndClosesThePageOtherwise)
{
	Open(kPage);
	Routes routes({'clos'});
	fPage->HTMLWindow()->Show();
	BPrivate::PostCloseRequest(Window());
	EXPECT_TRUE(routes.Take({Window()}).empty());
	EXPECT_TRUE(Window()->IsHidden());

	Window()->Show();
	fPage->HTMLWindow()->Hide();
	BPrivate::PostCloseRequest(Window());
	EXPECT_EQ(routes.Take({Window()}),
		(std::vector<std::pair<BLooper*, uint32>>{{Window(), 'clos'}}));
	EXPECT_FALSE(Window()->IsHidden());
}

TEST_F(VisualWindow, TheMenusTakeNoCommandWhileThePageIsRead)
{
	Open(kPage);
	Routes routes({'bold'});
	Window()->Working();
	EXPECT_FALSE(MenuItem("Bold text")->IsEnabled());
	BPrivate::PostKey(Window(), "b", kCtrl);
	EXPECT_TRUE(routes.Take({Window(), EngineLooper()}).empty());
	Window()->FinishedWorking();
	BPrivate::PostKey(Window(), "b", kCtrl);
	EXPECT_EQ(routes.Take({Window(), EngineLooper()}).size(), 1u);
}

TEST_F(VisualWindow, TheStatusBarShowsTheHintOfTheButtonUnderThePointer)
{
	Open(kPage);
	KBottomBar* bar = Window()->BottomBar();
	auto text = [&] {
		Idle();
		BAutolock lock(Window());
		return std::string(bar->Text());
	};
	BPoint bold = InWindow(BarItem<KBBarButton>(Window()->UpperBar(), "ButtonBold"));
	BPrivate::PostMouseMoved(Window(), bold);
	EXPECT_EQ(text(), "Bold (Ctrl+B)");
	BPrivate::PostMouseMoved(Window(), InWindow(View()));
	EXPECT_EQ(text(), "");
}

// The finder and the image panel; neither waits for the engine's looper,
// whose thread may be waiting for this window.
TEST_F(VisualWindow, FindShowsTheFinderAndImageTheImagePanel)
{
	Open(kPage);
	size_t panels = BPrivate::FilePanelsShown().size();
	BPrivate::PostKey(Window(), "I", kCtrl | B_SHIFT_KEY);
	Idle();
	ASSERT_EQ(BPrivate::FilePanelsShown().size(), panels + 1);
	EXPECT_FALSE(BPrivate::FilePanelsShown().back().save);
	VFinder* finder = Window()->Finder();
	EXPECT_TRUE(finder->IsHidden());
	BPrivate::PostKey(Window(), "f", kCtrl);
	Idle();
	BPrivate::WaitForWindowIdle(finder);
	BAutolock lock(finder);
	EXPECT_FALSE(finder->IsHidden());
}

// Help starts the browser on the user's guide; the external editor gets
// the exchange file, which holds the page.
TEST_F(VisualWindow, HelpAndTheExternalEditorStartTheirProgramsOnTheirFiles)
{
	Open(kPage);
	fFolder.Write("record.sh", "#!/bin/sh\n"
		"cat \"$2\" > \"$0.seen\" 2>/dev/null\nprintf '%s\\n' \"$@\" > \"$0.args\"\n");
	fFolder.Write("editor.sh", "#!/bin/sh\nexec \"" + fFolder / "record.sh" + "\" x \"$1\"\n");
	chmod((fFolder / "record.sh").c_str(), 0755);
	chmod((fFolder / "editor.sh").c_str(), 0755);
	Config_* settings = fPage->Config();
	std::string editorBefore = settings->ExtTextEditor() != nullptr ? settings->ExtTextEditor()
		: "";
	settings->SetExtTextEditor((fFolder / "editor.sh").c_str());
	setenv("BROWSER", (fFolder / "record.sh").c_str(), 1);

	struct {
		uint32 command;
		std::string argument;
	} starts[] = {
		{'help', "file://" + std::string(settings->AppDirectory()) + "Documentation/index.html"},
		{'sexe', fPage->ExternalExchangeFile()->FullPath()},
	};
	for (const auto& row : starts) {
		std::filesystem::remove(fFolder / "record.sh.args");
		Window()->PostMessage(row.command);
		EXPECT_TRUE(Eventually([&] {
			return fFolder.Read("record.sh.args").find(row.argument) != std::string::npos;
		})) << Code(row.command) << " started nothing with " << row.argument << ": "
			<< fFolder.Read("record.sh.args");
	}
	EXPECT_NE(fFolder.Read("record.sh.seen").find("alpha beta"), std::string::npos)
		<< "the exchange file holds the page";

	// The window reads the settings on its own thread: it is idle before
	// they change under it.
	Idle();
	settings->SetExtTextEditor((fFolder / "gone.sh").c_str());
	BPrivate::ForgetAlertsShown();
	UseAlertWindowsForErrors();
	Window()->PostMessage('sexe');
	Idle();
	SetErrorAlertHandler(nullptr);
	ASSERT_EQ(BPrivate::AlertsShown().size(), 1u) << "a set editor that is gone is said";
	EXPECT_NE(BPrivate::AlertsShown()[0].text.find("gone.sh"), std::string::npos);
	unsetenv("BROWSER");
	settings->SetExtTextEditor(editorBefore.c_str());
}

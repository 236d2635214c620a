#include "MenuTestSupport.h"

#include <algorithm>
#include <functional>

#include <MenuBar.h>

using namespace WindowTests;
using namespace MenuTests;

namespace {

// A 300 x 200 window with the bar File (New, Open Ctrl+O, Save Ctrl+S,
// separator, Close), Edit (Undo Ctrl+Z, separator, Copy Ctrl+C) and
// Insert (Link Ctrl+H, Line Ctrl+Shift+H, Break Ctrl+Enter, More: Heading
// Ctrl+1), and below it a text view "text" with the focus.
class MenuBarTest : public WindowTest {
protected:
	void SetUp() override
	{
		fWindow = new MenuWindow(BRect(100, 100, 399, 299), fJournal);
		fWindows.push_back(BMessenger(fWindow));
		fBar = new BMenuBar(BRect(0, 0, 299, 14), "Main menu");
		fFile = new BMenu("File");
		fFile->AddItem(Item("New", 'new '));
		fFile->AddItem(Item("Open", 'open', 'O'));
		fFile->AddItem(Item("Save", 'save', 'S'));
		fFile->AddSeparatorItem();
		fFile->AddItem(Item("Close", 'clos'));
		fEdit = new BMenu("Edit");
		fEdit->AddItem(Item("Undo", 'udrd', 'Z'));
		fEdit->AddSeparatorItem();
		fEdit->AddItem(Item("Copy", 'copy', 'C'));
		fInsert = new BMenu("Insert");
		fInsert->AddItem(Item("Link", 'ianc', 'H'));
		fInsert->AddItem(Item("Line", 'hrln', 'H', B_CONTROL_KEY));
		fInsert->AddItem(Item("Break", 'br  ', B_ENTER));
		fMore = new BMenu("More");
		fMore->AddItem(Item("Heading", 'h1  ', '1'));
		fInsert->AddItem(fMore);
		fBar->AddItem(fFile);
		fBar->AddItem(fEdit);
		fBar->AddItem(fInsert);
		fWindow->AddChild(fBar);
		fText = new RecordingView(BRect(0, 40, 299, 199), "text", fJournal, B_FOLLOW_ALL,
			B_WILL_DRAW | B_NAVIGABLE);
		fWindow->AddChild(fText);
		fText->MakeFocus();
		ShowAndWait(fWindow);
		fJournal->Clear();
	}

	void TearDown() override
	{
		CloseOpenMenus(fWindow);
		WindowTest::TearDown();
	}

	std::vector<std::string> Entries()
	{
		Idle(fWindow);
		return fJournal->Entries();
	}

	BPoint TitleMiddle(int32 index) { return Middle(fBar->ItemAt(index)); }

	void OpenByClick(int32 title)
	{
		ASSERT_EQ(BPrivate::PostMouseDown(fWindow, TitleMiddle(title)), B_OK);
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		BWindow* menuWindow = OpenMenuAt(1).window;
		ASSERT_NE(menuWindow, nullptr);
		BPrivate::PostMouseUp(menuWindow, Between(fWindow, TitleMiddle(title), menuWindow));
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	}

	void ClickItem(BMenu* menu, int32 index)
	{
		BWindow* window = menu->Window();
		ASSERT_NE(window, nullptr);
		BPrivate::PostClick(window, Middle(menu->ItemAt(index)));
	}

	void Key(const char* bytes, uint32 modifiers = 0)
	{
		ASSERT_EQ(BPrivate::PostKey(fWindow, bytes, modifiers), B_OK);
	}

	MenuWindow* fWindow = nullptr;
	BMenuBar* fBar = nullptr;
	BMenu* fFile = nullptr;
	BMenu* fEdit = nullptr;
	BMenu* fInsert = nullptr;
	BMenu* fMore = nullptr;
	RecordingView* fText = nullptr;
};

const uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;

class MenuShortcuts;

// Shortcuts: the keys pressed, the entries they must bring once and those
// they must not bring at all.
struct ShortcutCase {
	const char* name;
	std::function<void(MenuShortcuts&)> prepare;
	std::vector<std::pair<const char*, uint32>> keys;
	std::vector<std::string> once;
	std::vector<std::string> never;
};

void PrintTo(const ShortcutCase& row, std::ostream* out)
{
	*out << row.name;
}

class MenuShortcuts : public MenuBarTest, public testing::WithParamInterface<ShortcutCase> {
public:
	BMenuItem* ItemOf(uint32 command) { return fBar->FindItem(command); }
	RecordingView* Text() { return fText; }
	MenuWindow* Window() { return fWindow; }
};

TEST_P(MenuShortcuts, ReachTheirItemsOrNot)
{
	const ShortcutCase& row = GetParam();
	if (row.prepare) {
		WithLock(fWindow, [&] { row.prepare(*this); });
	}
	for (const auto& [bytes, modifiers] : row.keys)
		Key(bytes, modifiers);
	std::vector<std::string> entries = Entries();
	for (const std::string& entry : row.once)
		EXPECT_EQ(Count(entries, entry), 1u) << entry;
	for (const std::string& entry : row.never)
		EXPECT_EQ(Count(entries, entry), 0u) << entry;
}

INSTANTIATE_TEST_SUITE_P(MenuBar, MenuShortcuts, testing::Values(
	ShortcutCase{"CtrlAndTheLetterSendTheItemsMessageToTheWindow", nullptr, {{"s", kCtrl}},
		{"w:Message save", "w:MenusBeginning", "w:MenusEnded"}, {"text:KeyDown s"}},
	ShortcutCase{"TheControlKeyItemTakesCtrlShiftAndThePlainOneCtrl", nullptr,
		{{"h", kCtrl}, {"H", kCtrl | B_SHIFT_KEY}}, {"w:Message ianc", "w:Message hrln"}, {}},
	ShortcutCase{"ReachItemsInSubmenusAndKeysWithoutLetters", nullptr,
		{{"1", kCtrl}, {"\n", kCtrl}}, {"w:Message h1  ", "w:Message br  "}, {}},
	ShortcutCase{"GoToTheItemsOwnTarget",
		[](MenuShortcuts& test) { test.ItemOf('open')->SetTarget(test.Text()); },
		{{"o", kCtrl}}, {"text:Message open"}, {"w:Message open"}},
	ShortcutCase{"ADisabledItemRefusesItsShortcutAndKeepsTheKey",
		[](MenuShortcuts& test) { test.ItemOf('save')->SetEnabled(false); },
		{{"s", kCtrl}, {"c", kCtrl}}, {"w:Message copy"}, {"w:Message save", "text:KeyDown s"}},
	ShortcutCase{"MenusBeginningMayDisableTheItemFirst",
		[](MenuShortcuts& test) {
			test.Window()->onMenusBeginning = [&test] { test.ItemOf('save')->SetEnabled(false); };
		},
		{{"s", kCtrl}}, {"w:MenusEnded"}, {"w:Message save"}},
	ShortcutCase{"KeysNoItemTakesStillReachTheWindowsOwnShortcuts", nullptr, {{"a", kCtrl}},
		{"text:Message SALL"}, {"w:MenusBeginning"}}),
	[](const testing::TestParamInfo<ShortcutCase>& info) { return std::string(info.param.name); });

// The keyboard.

using MenuBarKeyboard = MenuBarTest;

TEST_F(MenuBarKeyboard, AltAndTheUnderlinedLetterOpenTheMenuWithItsFirstItem)
{
	EXPECT_EQ(fBar->IndexOfTrigger('e'), 1);
	Key("e", B_OPTION_KEY);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	EXPECT_EQ(OpenMenuAt(0).menu, fBar);
	EXPECT_EQ(OpenMenuAt(1).menu, fEdit);
	Key("\n");
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	std::vector<std::string> entries = Entries();
	EXPECT_EQ(Count(entries, "w:Message udrd"), 1u);
	EXPECT_EQ(Count(entries, "text:KeyDown \n"), 0u);
}

TEST_F(MenuBarKeyboard, ArrowsSkipSeparatorsAndWrapAround)
{
	Key("f", B_OPTION_KEY);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	// New, Open, Save, (separator), Close, and round to New.
	for (int i = 0; i < 4; i++)
		Key(ControlTests::kDown);
	Key(ControlTests::kUp);
	Key("\n");
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	EXPECT_EQ(Count(Entries(), "w:Message clos"), 1u);
}

TEST_F(MenuBarKeyboard, EscapeClosesEverythingAndKeysGoBackToTheFocus)
{
	Key("f", B_OPTION_KEY);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	Key("x");
	Key(ControlTests::kEscape);
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	Key("y");
	std::vector<std::string> entries = Entries();
	EXPECT_EQ(Count(entries, "text:KeyDown x"), 0u) << "keys while open belong to the menus";
	EXPECT_EQ(Count(entries, "text:KeyDown y"), 1u);
	EXPECT_EQ(Count(entries, "w:MenusEnded"), 1u);
	for (const std::string& entry : entries)
		EXPECT_EQ(entry.rfind("w:Message", 0), std::string::npos) << entry;
}

TEST_F(MenuBarKeyboard, AltWithALetterNoTitleTakesReachesTheFocus)
{
	Key("q", B_OPTION_KEY);
	EXPECT_TRUE(BPrivate::OpenMenus().empty());
	EXPECT_EQ(Count(Entries(), "text:KeyDown q"), 1u);
}

// The mouse.

using MenuBarMouse = MenuBarTest;

TEST_F(MenuBarMouse, AClickOnATitleKeepsItsMenuOpenForAClickOnAnItem)
{
	OpenByClick(0);
	EXPECT_EQ(OpenMenuAt(1).menu, fFile);
	ClickItem(fFile, 1);
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	std::vector<std::string> entries = Entries();
	auto at = [&](const std::string& entry) {
		return std::find(entries.begin(), entries.end(), entry) - entries.begin();
	};
	ASSERT_EQ(Count(entries, "w:Message open"), 1u);
	EXPECT_LT(at("w:MenusBeginning"), at("w:MenusEnded"));
	EXPECT_LT(at("w:MenusEnded"), at("w:Message open"));
}

TEST_F(MenuBarMouse, PressOnATitleDragToAnItemAndRelease)
{
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, TitleMiddle(1)), B_OK);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	BWindow* menuWindow = OpenMenuAt(1).window;
	ASSERT_NE(menuWindow, nullptr);
	BPoint copy = Middle(fEdit->ItemAt(2));
	BPrivate::PostMouseMoved(menuWindow, copy, B_PRIMARY_MOUSE_BUTTON);
	BPrivate::PostMouseUp(menuWindow, copy);
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	EXPECT_EQ(Count(Entries(), "w:Message copy"), 1u);
}

TEST_F(MenuBarMouse, ASubmenuClosedByEscapeOpensAgainOnlyWhenThePointerMoves)
{
	OpenByClick(2);
	BWindow* insertWindow = OpenMenuAt(1).window;
	BPoint onMore = Middle(fInsert->ItemAt(3));
	BPrivate::PostMouseMoved(insertWindow, onMore);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	ASSERT_EQ(OpenMenuAt(2).menu, fMore);
	BPrivate::PostKey(insertWindow, "\x1b");
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	ASSERT_EQ(BPrivate::OpenMenus().size(), 2u);
	// The display tells the menu below that the pointer is over it again.
	BPrivate::PostMouseMoved(insertWindow, onMore);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	EXPECT_EQ(BPrivate::OpenMenus().size(), 2u);
	BPrivate::PostMouseMoved(insertWindow, onMore + BPoint(3, 0));
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	EXPECT_EQ(OpenMenuAt(2).menu, fMore);
}

TEST_F(MenuBarMouse, AClickOutsideClosesTheMenusAndSendsNothing)
{
	OpenByClick(0);
	BWindow* menuWindow = OpenMenuAt(1).window;
	// The press closes the menus and their windows: the release that
	// follows is the window's again.
	BPrivate::PostMouseDown(menuWindow, Between(fWindow, BPoint(250, 150), menuWindow));
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	BPrivate::PostMouseUp(fWindow, BPoint(250, 150));
	std::vector<std::string> entries = Entries();
	for (const std::string& entry : entries)
		EXPECT_EQ(entry.rfind("w:Message", 0), std::string::npos) << entry;
	EXPECT_EQ(Count(entries, "text:MouseDown 250,110"), 0u) << "the closing click is the menus'";
}

TEST_F(MenuBarMouse, ADisabledItemCannotBeChosenAndTheMenuStaysOpen)
{
	WithLock(fWindow, [&] { fFile->FindItem('new ')->SetEnabled(false); });
	OpenByClick(0);
	ClickItem(fFile, 0);
	ClickItem(fFile, 3);
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	EXPECT_EQ(OpenMenuAt(1).menu, fFile);
	Key(ControlTests::kEscape);
	ASSERT_EQ(BPrivate::WaitForMenus(false), B_OK);
	EXPECT_EQ(Count(Entries(), "w:Message new "), 0u);
}

} // namespace

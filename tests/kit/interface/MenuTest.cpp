#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

#include <AppPrivate.h>
#include <Looper.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <WindowPrivate.h>

#include "MenuTestSupport.h"

using MenuTests::Item;

namespace {

// "File" with New, Open, a separator and a submenu "Recent" holding two
// pages.
class MenuModel : public testing::Test {
protected:
	void SetUp() override
	{
		fMenu = std::make_unique<BMenu>("File");
		fMenu->AddItem(Item("New", 'new '));
		fMenu->AddItem(Item("Open", 'open', 'O'));
		fMenu->AddSeparatorItem();
		fRecent = new BMenu("Recent");
		fRecent->AddItem(Item("index.html", 'rcnt'));
		fRecent->AddItem(Item("about.html", 'rcn2'));
		fMenu->AddItem(fRecent);
	}

	std::unique_ptr<BMenu> fMenu;
	BMenu* fRecent = nullptr;
};

TEST_F(MenuModel, FindItemLooksIntoSubmenusAndSkipsSeparators)
{
	EXPECT_STREQ(fMenu->FindItem('rcn2')->Label(), "about.html");
	EXPECT_STREQ(fMenu->FindItem("index.html")->Label(), "index.html");
	EXPECT_EQ(fMenu->FindItem('none'), nullptr);
	// The separator has no message and must not match a command of 0.
	EXPECT_EQ(fMenu->FindItem(uint32(0)), nullptr);
}

TEST_F(MenuModel, RemovingASubmenuDeletesItsItemButHandsTheMenuBack)
{
	EXPECT_EQ(fRecent->Superitem(), fMenu->ItemAt(3));
	EXPECT_EQ(fRecent->Supermenu(), fMenu.get());
	ASSERT_TRUE(fMenu->RemoveItem(fRecent));
	std::unique_ptr<BMenu> recent(fRecent);
	EXPECT_EQ(fMenu->CountItems(), 3);
	EXPECT_EQ(recent->Superitem(), nullptr);
	EXPECT_EQ(recent->Supermenu(), nullptr);
	EXPECT_EQ(recent->CountItems(), 2);
}

TEST_F(MenuModel, AnItemDeletedByItsOwnerLeavesItsMenu)
{
	BMenuItem* open = fMenu->RemoveItem(1);
	ASSERT_NE(open, nullptr);
	EXPECT_EQ(open->Menu(), nullptr);
	EXPECT_FALSE(fMenu->AddItem(open, 9));
	ASSERT_TRUE(fMenu->AddItem(open, 0));
	delete fMenu->ItemAt(0);
	EXPECT_EQ(fMenu->CountItems(), 3);
	EXPECT_STREQ(fMenu->ItemAt(0)->Label(), "New");
}

TEST_F(MenuModel, AnItemInAMenuCannotBeAddedToAnother)
{
	BMenu other("Other");
	EXPECT_FALSE(other.AddItem(fMenu->ItemAt(0)));
	EXPECT_FALSE(other.AddItem(fRecent));
	EXPECT_EQ(other.CountItems(), 0);
}

TEST_F(MenuModel, DisablingAMenuDisablesEverythingBelowIt)
{
	fMenu->SetEnabled(false);
	EXPECT_FALSE(fMenu->ItemAt(0)->IsEnabled());
	EXPECT_FALSE(fRecent->IsEnabled());
	EXPECT_FALSE(fRecent->ItemAt(0)->IsEnabled());
	fMenu->SetEnabled(true);
	// Disabling the superitem disables its submenu, and only that.
	fMenu->ItemAt(3)->SetEnabled(false);
	EXPECT_FALSE(fRecent->IsEnabled());
	EXPECT_FALSE(fRecent->ItemAt(1)->IsEnabled());
	EXPECT_TRUE(fMenu->ItemAt(0)->IsEnabled());
	EXPECT_FALSE(fMenu->ItemAt(2)->IsEnabled()) << "a separator is never enabled";
	fMenu->ItemAt(2)->SetEnabled(true);
	EXPECT_FALSE(fMenu->ItemAt(2)->IsEnabled());
}

TEST(ShortcutLabels, AreWrittenTheLinuxWay)
{
	const std::tuple<uint32, uint32, const char*> rows[] = {
		{'s', B_COMMAND_KEY, "Ctrl+S"},
		{'H', B_COMMAND_KEY | B_CONTROL_KEY, "Ctrl+Shift+H"},
		{'z', B_COMMAND_KEY | B_SHIFT_KEY | B_OPTION_KEY, "Ctrl+Shift+Alt+Z"}};
	for (const auto& [key, modifiers, label] : rows)
		EXPECT_EQ(BPrivate::ShortcutLabel(key, modifiers), label);
}

// A radio-mode pop-up of sizes under a holding menu.
class MenuMarks : public testing::Test {
protected:
	void SetUp() override
	{
		fSizes = new BPopUpMenu("Size");
		for (const char* size : {"9", "10", "12"})
			fSizes->AddItem(Item(size, 'fsch'));
		fHolder.AddItem(fSizes);
	}

	BMenu fHolder{"Holder"};
	BPopUpMenu* fSizes = nullptr;
};

// Invoking items: where their messages go and what they carry.
class MenuInvoking : public MenuMarks {
protected:
	void SetUp() override
	{
		MenuMarks::SetUp();
		fReceiver = new MenuTests::Receiver();
		fReceiver->Run();
		fSizes->SetTargetForItems(fReceiver);
	}
	void TearDown() override
	{
		if (fReceiver->Lock())
			fReceiver->Quit();
	}
	std::vector<BMessage> Received() { return fReceiver->Received(); }

	MenuTests::Receiver* fReceiver = nullptr;
};

TEST_F(MenuInvoking, TheMessageCarriesTheItemAndItsIndex)
{
	ASSERT_EQ(fSizes->ItemAt(2)->Invoke(), B_OK);
	std::vector<BMessage> received = Received();
	ASSERT_EQ(received.size(), 1u);
	EXPECT_EQ(received[0].what, uint32('fsch'));
	EXPECT_EQ(WindowTests::Int32Of(received[0], "index"), 2);
	EXPECT_EQ(WindowTests::PointerOf(received[0], "source"), fSizes->ItemAt(2));
	EXPECT_TRUE(received[0].HasInt64("when"));
}

TEST_F(MenuInvoking, AnItemWithoutTargetOutsideAMenuBarSendsNothing)
{
	BMenuItem* loose = Item("Loose", 'lose');
	fSizes->AddItem(loose);
	EXPECT_EQ(loose->Invoke(), B_BAD_HANDLER);
	EXPECT_TRUE(Received().empty());
}

} // namespace

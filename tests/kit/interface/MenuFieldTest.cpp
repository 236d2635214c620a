#include "MenuTestSupport.h"

#include <algorithm>

#include <MenuBar.h>
#include <MenuField.h>
#include <PopUpMenu.h>

using namespace WindowTests;
using namespace MenuTests;

namespace {

int32 SizeIn(const BMessage& message)
{
	int32 size = 0;
	message.FindInt32("size", &size);
	return size;
}

// A window with the field "Size:" over a radio-mode pop-up of the sizes 9,
// 10 and 12 (10 marked) whose box shows the marked size, and a field
// "Headings" whose label stays; the window gets the items' messages.
class MenuFieldTest : public WindowTest {
protected:
	void SetUp() override
	{
		fWindow = MakeWindow(BRect(100, 100, 399, 299));
		fSizes = new BPopUpMenu("sizes");
		for (int32 size : {9, 10, 12}) {
			BMessage* message = new BMessage('fsch');
			message->AddInt32("size", size);
			fSizes->AddItem(new BMenuItem(std::to_string(size).c_str(), message));
		}
		fSizes->ItemAt(1)->SetMarked(true);
		fField = new BMenuField(BRect(10, 10, 209, 35), "size", "Size:", fSizes);
		fWindow->AddChild(fField);
		fOther = new RecordingView(BRect(10, 100, 209, 150), "other", fJournal,
			B_FOLLOW_NONE, B_WILL_DRAW | B_NAVIGABLE);
		fWindow->AddChild(fOther);
		ShowAndWait(fWindow);
		fJournal->Clear();
	}

	void TearDown() override
	{
		CloseOpenMenus(fWindow);
		WindowTest::TearDown();
	}

	// A point of the box, in the window's coordinates.
	BPoint InTheBox()
	{
		BRect box = fField->ConvertToParent(fField->MenuBar()->Frame());
		return BPoint(box.left + 10, (box.top + box.bottom) / 2);
	}

	void OpenByClick()
	{
		ASSERT_EQ(BPrivate::PostMouseDown(fWindow, InTheBox()), B_OK);
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		fMenuWindow = OpenMenuAt(1).window;
		ASSERT_NE(fMenuWindow, nullptr);
		BPrivate::PostMouseUp(fMenuWindow, Between(fWindow, InTheBox(), fMenuWindow));
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	}

	std::vector<BMessage> MessagesToWindow()
	{
		EXPECT_EQ(BPrivate::WaitForMenus(false), B_OK);
		Idle(fWindow);
		return fJournal->MessagesOf("w:Message fsch");
	}

	RecordingWindow* fWindow = nullptr;
	BMenuField* fField = nullptr;
	BPopUpMenu* fSizes = nullptr;
	RecordingView* fOther = nullptr;
	BWindow* fMenuWindow = nullptr;
};

TEST_F(MenuFieldTest, ChoosingAnItemMarksItRelabelsTheBoxAndTellsTheWindow)
{
	EXPECT_STREQ(fField->MenuItem()->Label(), "10");
	OpenByClick();
	EXPECT_EQ(OpenMenuAt(1).menu, fSizes);
	BPrivate::PostClick(fMenuWindow, Middle(fSizes->ItemAt(2)));
	std::vector<BMessage> messages = MessagesToWindow();
	ASSERT_EQ(messages.size(), 1u);
	EXPECT_EQ(SizeIn(messages[0]), 12);
	WithLock(fWindow, [&] {
		EXPECT_STREQ(fField->MenuItem()->Label(), "12");
		EXPECT_TRUE(fSizes->ItemAt(2)->IsMarked());
		EXPECT_FALSE(fSizes->ItemAt(1)->IsMarked());
	});
}

TEST_F(MenuFieldTest, TheKeyboardOpensItAtTheMarkedItem)
{
	WithLock(fWindow, [&] { fField->MakeFocus(); });
	BPrivate::PostKey(fWindow, " ");
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	BPrivate::PostKey(fWindow, "\x1f");
	BPrivate::PostKey(fWindow, "\n");
	std::vector<BMessage> messages = MessagesToWindow();
	ASSERT_EQ(messages.size(), 1u);
	EXPECT_EQ(SizeIn(messages[0]), 12);
}

TEST_F(MenuFieldTest, EscapeLeavesTheChoiceAsItWas)
{
	OpenByClick();
	BPrivate::PostKey(fWindow, "\x1b");
	EXPECT_TRUE(MessagesToWindow().empty());
	EXPECT_STREQ(fField->MenuItem()->Label(), "10");
}

TEST_F(MenuFieldTest, ADisabledFieldNeitherOpensNorKeepsTheFocusAndTabPassesOverIt)
{
	WithLock(fWindow, [&] {
		fField->MakeFocus();
		fField->SetEnabled(false);
		EXPECT_EQ(fWindow->CurrentFocus(), nullptr);
		fField->MakeFocus();
	});
	BPrivate::PostClick(fWindow, InTheBox());
	BPrivate::PostKey(fWindow, " ");
	Idle(fWindow);
	EXPECT_TRUE(BPrivate::OpenMenus().empty());
	WithLock(fWindow, [&] {
		EXPECT_FALSE(fField->MenuBar()->IsEnabled());
		fOther->MakeFocus();
	});
	BPrivate::PostKey(fWindow, "\t");
	Idle(fWindow);
	WithLock(fWindow, [&] {
		EXPECT_NE(fWindow->CurrentFocus(), fField);
		fField->SetEnabled(true);
		fOther->MakeFocus();
	});
	BPrivate::PostKey(fWindow, "\t");
	Idle(fWindow);
	WithLock(fWindow, [&] { EXPECT_EQ(fWindow->CurrentFocus(), fField); });
}

TEST_F(MenuFieldTest, TheFieldsBoxIsNotTheWindowsKeyMenuBar)
{
	EXPECT_EQ(fWindow->KeyMenuBar(), nullptr);
	ASSERT_TRUE(fWindow->Lock());
	auto* bar = new BMenuBar(BRect(0, 0, 299, 14), "bar");
	fWindow->AddChild(bar);
	auto* second = new BMenuField(BRect(10, 50, 209, 75), "second", nullptr, new BPopUpMenu("x"));
	fWindow->AddChild(second);
	EXPECT_EQ(fWindow->KeyMenuBar(), bar);
	fWindow->Unlock();
}

} // namespace

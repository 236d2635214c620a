#include "MenuTestSupport.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include <PopUpMenu.h>

using namespace WindowTests;
using namespace MenuTests;

namespace {

// A 300 x 200 window at (100, 100) whose view opens a pop-up menu (Cut,
// Copy, a separator, a disabled Paste) where the secondary button goes
// down, as the editor's views do, and notes what Go() returned.
class PopUpMenuTest : public WindowTest {
protected:
	void SetUp() override
	{
		fWindow = MakeWindow(BRect(100, 100, 399, 299));
		fView = new RecordingView(BRect(0, 0, 299, 199), "view", fJournal, B_FOLLOW_ALL);
		fWindow->AddChild(fView);
		fMenu = std::make_unique<BPopUpMenu>("context", false, false);
		fMenu->AddItem(Item("Cut", 'cut '));
		fMenu->AddItem(Item("Copy", 'copy'));
		fMenu->AddSeparatorItem();
		fMenu->AddItem(Item("Paste", 'past'));
		fMenu->ItemAt(3)->SetEnabled(false);
		fMenu->SetTargetForItems(fWindow);
		fView->onMouseDown = [this](BView* view, BPoint where) {
			BPoint screen = view->ConvertToScreen(where);
			BRect around(screen.x - 4, screen.y - 4, screen.x + 10, screen.y + 10);
			BMenuItem* chosen = fMenu->Go(screen, false, false, around);
			fJournal->Add(std::string("chose ") + (chosen != nullptr ? chosen->Label() : "nothing"));
		};
		ShowAndWait(fWindow);
		fJournal->Clear();
	}

	void TearDown() override
	{
		CloseOpenMenus(fWindow);
		WindowTest::TearDown();
	}

	// Presses the secondary button at a point of the window and waits for
	// the menu; its window is then fMenuWindow.
	void PressAt(BPoint where)
	{
		ASSERT_EQ(BPrivate::PostMouseDown(fWindow, where, B_SECONDARY_MOUSE_BUTTON), B_OK);
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
		fMenuWindow = OpenMenuAt(0).window;
		ASSERT_NE(fMenuWindow, nullptr);
	}

	void ReleaseAt(BPoint where)
	{
		BPrivate::PostMouseUp(fMenuWindow, Between(fWindow, where, fMenuWindow));
		ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	}

	std::vector<std::string> Result()
	{
		EXPECT_EQ(BPrivate::WaitForMenus(false), B_OK);
		Idle(fWindow);
		return fJournal->Entries();
	}

	RecordingWindow* fWindow = nullptr;
	RecordingView* fView = nullptr;
	BWindow* fMenuWindow = nullptr;
	std::unique_ptr<BPopUpMenu> fMenu;
};

TEST_F(PopUpMenuTest, OpensAtThePointAndReturnsTheClickedItem)
{
	PressAt(BPoint(50, 60));
	ReleaseAt(BPoint(50, 60));
	BPrivate::PostClick(fMenuWindow, Middle(fMenu->ItemAt(1)));
	std::vector<std::string> entries = Result();
	EXPECT_EQ(Count(entries, "chose Copy"), 1u);
	EXPECT_EQ(Count(entries, "w:Message copy"), 0u) << "Go() only returns the item";
}

TEST_F(PopUpMenuTest, ReleasingInsideTheClickToOpenRectKeepsItOpen)
{
	PressAt(BPoint(50, 60));
	ReleaseAt(BPoint(47, 57));
	EXPECT_EQ(OpenMenuAt(0).menu, fMenu.get());
	BPrivate::PostClick(fMenuWindow, Middle(fMenu->ItemAt(0)));
	EXPECT_EQ(Count(Result(), "chose Cut"), 1u);
}

TEST_F(PopUpMenuTest, GoFromAThreadThatIsNoWindowTakesTheMenusWindowsInput)
{
	BPrivate::SetPointer(BPoint(0, 0), 0);
	std::atomic<BMenuItem*> chosen{nullptr};
	std::atomic<bool> done{false};
	std::thread caller([&] {
		chosen = fMenu->Go(BPoint(500, 400));
		done = true;
	});
	ASSERT_EQ(BPrivate::WaitForMenus(true), B_OK);
	BWindow* menuWindow = OpenMenuAt(0).window;
	ASSERT_NE(menuWindow, nullptr);
	BPrivate::PostKey(menuWindow, "\x1f");
	BPrivate::PostKey(menuWindow, "\n");
	caller.join();
	EXPECT_TRUE(done);
	EXPECT_EQ(chosen.load(), fMenu->ItemAt(0));
	EXPECT_TRUE(BPrivate::OpenMenus().empty());
}

TEST_F(PopUpMenuTest, ASecondMenuWhileOneIsOpenReturnsAtOnce)
{
	PressAt(BPoint(50, 60));
	BPopUpMenu other("other");
	other.AddItem(Item("Alone", 'alon'));
	EXPECT_EQ(other.Go(BPoint(10, 10)), nullptr);
	BPrivate::PostKey(fWindow, "\x1b");
	Result();
}

} // namespace

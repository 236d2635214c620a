#include "WindowTestSupport.h"

#include <algorithm>

#include <ListView.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringItem.h>

using namespace WindowTests;

namespace {

// A 200 x 100 window at (100, 100) holding a list of ten items "Item 0" to
// "Item 9" that is higher than the window shows (60 pixels): selection
// message 'lsel', invocation message 'linv', both to the window.
class ListViewTest : public WindowTest {
protected:
	void SetUp() override
	{
		fWindow = MakeWindow(BRect(100, 100, 299, 199));
		fList = new BListView(BRect(0, 0, 199, 59), "list", B_SINGLE_SELECTION_LIST);
		for (int i = 0; i < 10; i++) {
			fItems.push_back(std::make_unique<BStringItem>(("Item " + std::to_string(i)).c_str()));
			fList->AddItem(fItems.back().get());
		}
		fList->SetSelectionMessage(new BMessage('lsel'));
		fList->SetInvocationMessage(new BMessage('linv'));
		fWindow->AddChild(fList);
		ShowAndWait(fWindow);
		fJournal->Clear();
	}

	BPoint MiddleOf(int32 index)
	{
		BRect frame = fList->ItemFrame(index);
		return fList->ConvertToParent(BPoint(50, (frame.top + frame.bottom) / 2));
	}

	// The indices that each 'lsel' or 'linv' to the window carried.
	std::vector<std::vector<int32>> Sent(uint32 what)
	{
		Idle(fWindow);
		std::vector<std::vector<int32>> sent;
		for (const BMessage& message : fJournal->MessagesOf("w:Message " + CommandText(what))) {
			std::vector<int32> indices;
			int32 index = 0;
			for (int32 n = 0; message.FindInt32("index", n, &index) == B_OK; n++)
				indices.push_back(index);
			sent.push_back(indices);
		}
		return sent;
	}

	int32 Selected()
	{
		Idle(fWindow);
		return fList->CurrentSelection();
	}

	void Key(const char* bytes, uint32 modifiers = 0)
	{
		ASSERT_EQ(BPrivate::PostKey(fWindow, bytes, modifiers), B_OK);
	}

	void Focus()
	{
		WithLock(fWindow, [&] { fList->MakeFocus(); });
	}

	RecordingWindow* fWindow = nullptr;
	BListView* fList = nullptr;
	std::vector<std::unique_ptr<BStringItem>> fItems;
};

using Vector = std::vector<std::vector<int32>>;

TEST_F(ListViewTest, AClickSelectsAndADoubleClickOnTheSameItemInvokesIt)
{
	BPrivate::PostClick(fWindow, MiddleOf(2));
	EXPECT_EQ(Selected(), 2);
	EXPECT_EQ(Sent('lsel'), (Vector{{2}}));
	EXPECT_TRUE(fList->IsFocus());
	BPrivate::PostClick(fWindow, MiddleOf(1), B_PRIMARY_MOUSE_BUTTON, 2);
	EXPECT_EQ(Selected(), 1);
	EXPECT_TRUE(Sent('linv').empty()) << "the first click was on another item";
	BPrivate::PostClick(fWindow, MiddleOf(1), B_PRIMARY_MOUSE_BUTTON, 2);
	EXPECT_EQ(Sent('linv'), (Vector{{1}}));
}

TEST_F(ListViewTest, ArrowsHomeAndEndMoveTheSelectionAndEnterInvokes)
{
	Focus();
	Key("\x1f");
	EXPECT_EQ(Selected(), 0) << "Down starts at the first item";
	Key("\x1f");
	Key("\x1f");
	Key("\x1e");
	EXPECT_EQ(Selected(), 1);
	Key("\x04");
	EXPECT_EQ(Selected(), 9);
	Key("\x1f");
	EXPECT_EQ(Selected(), 9) << "Down stops at the end";
	Key("\x01");
	Key("\n");
	EXPECT_EQ(Selected(), 0);
	EXPECT_EQ(Sent('linv'), (Vector{{0}}));
}

TEST_F(ListViewTest, TheKeyboardSkipsDisabledItemsAndScrollsToTheSelection)
{
	WithLock(fWindow, [&] {
		fItems[1]->SetEnabled(false);
		fList->Select(0);
		fList->MakeFocus();
	});
	Key("\x1f");
	EXPECT_EQ(Selected(), 2);
	for (int i = 0; i < 5; i++)
		Key("\x1f");
	ASSERT_EQ(Selected(), 7);
	ASSERT_TRUE(fWindow->Lock());
	BRect bounds = fList->Bounds();
	BRect item = fList->ItemFrame(7);
	fWindow->Unlock();
	EXPECT_GT(bounds.top, 0);
	EXPECT_GE(item.top, bounds.top);
	EXPECT_LE(item.bottom, bounds.bottom);
}

TEST_F(ListViewTest, SelectingInCodeTellsTheTargetOnlyOfChanges)
{
	WithLock(fWindow, [&] {
		fList->Select(4);
		fList->Select(4);
		fList->DeselectAll();
		fList->DeselectAll();
		fItems[5]->SetEnabled(false);
		fList->Select(5);
	});
	EXPECT_EQ(Sent('lsel'), (Vector{{4}, {}}));
	EXPECT_EQ(fList->CurrentSelection(), -1);
}

TEST_F(ListViewTest, RemovingTheSelectedItemDeselectsAndShiftsTheRest)
{
	WithLock(fWindow, [&] {
		fList->Select(3);
		EXPECT_EQ(fList->RemoveItem(3), fItems[3].get());
		EXPECT_EQ(fList->CountItems(), 9);
		EXPECT_EQ(fList->IndexOf(fItems[4].get()), 3);
		EXPECT_EQ(fList->CurrentSelection(), -1);
		EXPECT_FALSE(fList->AddItem(fItems[4].get())) << "an item is in a list once";
		EXPECT_FALSE(fList->AddItem(fItems[3].get(), 11));
		fList->MakeEmpty();
		EXPECT_TRUE(fList->IsEmpty());
	});
	EXPECT_EQ(Sent('lsel'), (Vector{{3}, {}}));
}

// The ten items in a list of 60 pixels inside a scroll view with a
// vertical bar.
class ScrolledListTest : public ListViewTest {
protected:
	void SetUp() override
	{
		ListViewTest::SetUp();
		WithLock(fWindow, [&] {
			fWindow->RemoveChild(fList);
			fList->MoveTo(0, 0);
			fWindow->AddChild(new BScrollView("scroll", fList, B_FOLLOW_NONE, 0, false, true));
			fBar = fList->ScrollBar(B_VERTICAL);
		});
		ASSERT_NE(fBar, nullptr);
		Idle(fWindow);
	}

	BScrollBar* fBar = nullptr;
};

TEST_F(ScrolledListTest, TheKeyboardMovesTheBarAlong)
{
	Focus();
	for (int i = 0; i < 8; i++)
		Key("\x1f");
	Idle(fWindow);
	WithLock(fWindow, [&] {
		EXPECT_GT(fBar->Value(), 0);
		EXPECT_EQ(fBar->Value(), fList->Bounds().top);
	});
}

TEST_F(ScrolledListTest, TheWheelGoesThroughTheBarAndStopsAtTheItemsEnds)
{
	BPrivate::PostMouseMoved(fWindow, BPoint(50, 10));
	BPrivate::PostWheel(fWindow, 0, 1);
	Idle(fWindow);
	float max = WithLock(fWindow, [&] {
		float small = 0;
		fBar->GetSteps(&small, nullptr);
		float max = fList->ItemFrame(9).bottom - fList->Bounds().Height();
		EXPECT_EQ(fBar->Value(), std::min(3 * small, max));
		EXPECT_EQ(fList->Bounds().top, fBar->Value());
		return max;
	});
	BPrivate::PostWheel(fWindow, 0, 10);
	Idle(fWindow);
	EXPECT_EQ(WithLock(fWindow, [&] { return fList->Bounds().top; }), max);
	BPrivate::PostWheel(fWindow, 0, -10);
	Idle(fWindow);
	EXPECT_EQ(WithLock(fWindow, [&] { return fList->Bounds().top; }), 0);
}

} // namespace

#include "KListWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include <Bitmap.h>
#include <DisplayServer.h>
#include <ListView.h>
#include <Message.h>
#include <WindowTesting.h>

#include "ControlTesting.h"
#include "KListItem.h"

namespace {

using ControlTests::Int32Of;
using ControlTests::WithLock;

// Notes the messages of the rows the user invoked.
class NotingListWindow : public KListWindow {
public:
	NotingListWindow() : KListWindow(BRect(100, 100, 399, 199), "Errors", 'hter') {}

	void Invoked(const BMessage* data) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fInvoked.push_back(data != nullptr ? *data : BMessage());
	}

	std::vector<int32> InvokedStarts()
	{
		std::lock_guard<std::mutex> guard(fLock);
		std::vector<int32> starts;
		for (const BMessage& data : fInvoked) {
			int32 start = -1;
			data.FindInt32("start", &start);
			starts.push_back(start);
		}
		return starts;
	}

private:
	std::mutex fLock;
	std::vector<BMessage> fInvoked;
};

BMessage* Place(int32 start)
{
	BMessage* data = new BMessage();
	data->AddInt32("start", start);
	data->AddInt32("finish", start);
	return data;
}

// A list window holding "first" (start 10), "second" (20) and "third" (30).
class KListWindowTest : public testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new NotingListWindow();
		fWindow->AddItem("first", Place(10));
		fWindow->AddItem("second", Place(20));
		fWindow->AddItem("third", Place(30));
		fWindow->Show();
		Idle();
	}

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
	}

	void Idle() { ASSERT_EQ(BPrivate::WaitForWindowIdle(fWindow), B_OK); }

	BPoint RowMiddle(int32 index)
	{
		EXPECT_TRUE(fWindow->Lock());
		BRect frame = fWindow->ListView()->ItemFrame(index);
		fWindow->Unlock();
		return BPoint(40, (frame.top + frame.bottom) / 2);
	}

	NotingListWindow* fWindow = nullptr;
};

TEST_F(KListWindowTest, ADoubleClickOrEnterOnARowCallsInvokedWithItsMessage)
{
	BPoint second = RowMiddle(1);
	BPrivate::PostClick(fWindow, second);
	BPrivate::PostClick(fWindow, second, B_PRIMARY_MOUSE_BUTTON, 2);
	Idle();
	EXPECT_EQ(fWindow->InvokedStarts(), std::vector<int32>{20});

	WithLock(fWindow, [&] { fWindow->SelectItem(2); });
	BPrivate::PostKey(fWindow, "\n");
	Idle();
	EXPECT_EQ(fWindow->InvokedStarts(), (std::vector<int32>{20, 30}));
}

TEST_F(KListWindowTest, SelectItemScrollsTheRowIntoViewAndRemovingOrEmptyingDeletesRows)
{
	WithLock(fWindow, [&] {
		for (int32 i = 0; i < 60; i++)
			fWindow->AddItem(("row " + std::to_string(i)).c_str(), Place(100 + i));
		fWindow->SelectItem(55);
		BListView* list = fWindow->ListView();
		EXPECT_EQ(list->CurrentSelection(), 55);
		EXPECT_TRUE(list->Bounds().Contains(list->ItemFrame(55)));
		fWindow->SelectItem(0);
		fWindow->RemoveItem(0);
		EXPECT_STREQ(fWindow->ItemAt(0)->Text(), "second");
		fWindow->Empty();
		EXPECT_EQ(fWindow->CountItems(), 0);
		fWindow->AddItem("again", Place(40));
		EXPECT_EQ(fWindow->CountItems(), 1);
	});
}

TEST_F(KListWindowTest, ClosingTheWindowOnlyHidesIt)
{
	BPrivate::PostCloseRequest(fWindow);
	Idle();
	WithLock(fWindow, [&] {
		EXPECT_TRUE(fWindow->IsHidden());
		EXPECT_EQ(fWindow->CountItems(), 3);
	});
}

TEST_F(KListWindowTest, ARowWithAnIconIsTallEnoughAndDrawsItAndABrokenIconIsDropped)
{
	BBitmap icon(BRect(0, 0, 23, 23), B_RGBA32);
	uint32* bits = static_cast<uint32*>(icon.Bits());
	std::fill(bits, bits + icon.BitsLength() / 4, 0xFFFF0000u);  // opaque red
	BBitmap broken(BRect(0, 0, -1, -1), B_RGBA32);
	BRect row = WithLock(fWindow, [&] {
		fWindow->Empty();
		fWindow->AddItem("Error: lost", Place(1), &icon);
		fWindow->AddItem("Note", Place(2), &broken);
		EXPECT_EQ(fWindow->ItemAt(1)->Icon(), nullptr);
		return fWindow->ListView()->ItemFrame(0);
	});
	EXPECT_GE(row.Height() + 1, 24);
	Idle();
	std::unique_ptr<BBitmap> shot(BPrivate::WindowSnapshot(fWindow));
	const uint8* pixel = static_cast<const uint8*>(shot->Bits())
		+ static_cast<int32>((row.top + row.bottom) / 2) * shot->BytesPerRow() + 10 * 4;
	EXPECT_EQ(pixel[2], 255);
	EXPECT_EQ(pixel[1], 0);
}

} // namespace

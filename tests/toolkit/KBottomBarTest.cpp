#include "ControlTesting.h"

#include "KBottomBar.h"
#include "KLowStatusBar.h"

using namespace ControlTests;

namespace {

// The texts it shows are checked in the visual window's tests.
class KBottomBarTest : public ControlTest {
protected:
	KBottomBar* Make(bool statusBar)
	{
		return Locked([&] { return new KBottomBar(fWindow, statusBar, nullptr); });
	}
};

TEST_F(KBottomBarTest, FollowsTheWindowsResizesWithItsProgressBarAtTheRightEnd)
{
	KBottomBar* bottom = Make(true);
	Show();
	ASSERT_EQ(BPrivate::PostUserResize(fWindow, 499, 299), B_OK);
	Idle(fWindow);
	Locked([&] {
		EXPECT_EQ(bottom->Frame().right, 499);
		EXPECT_EQ(bottom->Frame().bottom, 299);
		EXPECT_EQ(bottom->ConvertToParent(bottom->StatusBar()->Frame()).right, 499 - 4);
	});
}

TEST_F(KBottomBarTest, ProgressAdvancesByTheDeltaAndIsDrawnUpToItsValue)
{
	KBottomBar* bottom = Make(true);
	Show();
	KLowStatusBar* bar = bottom->StatusBar();
	Locked([&] {
		bottom->UpdateStatusBar(30, "Loading…");
		bottom->UpdateStatusBar(30);
		EXPECT_FLOAT_EQ(bar->CurrentValue(), 60);
		EXPECT_STREQ(bar->Text(), "Loading…");
	});
	Idle(fWindow);
	BRect bounds = BoundsOf(bar);
	rgb_color barColor = Locked([&] { return bar->BarColor(); });
	float y = bounds.bottom - 3;
	EXPECT_EQ(PixelIn(bar, BPoint(bounds.Width() * 0.55f, y)), barColor);
	EXPECT_NE(PixelIn(bar, BPoint(bounds.Width() * 0.65f, y)), barColor);
	Locked([&] { bar->Reset(); });
	Idle(fWindow);
	EXPECT_NE(PixelIn(bar, BPoint(bounds.Width() * 0.2f, y)), barColor);
}

TEST_F(KBottomBarTest, WithoutProgressBarTheUpdatesDoNothingAndNoTextIsAnEmptyOne)
{
	KBottomBar* bottom = Make(false);
	EXPECT_EQ(bottom->StatusBar(), nullptr);
	BAutolock lock(fWindow);
	bottom->UpdateStatusBar(50, "ignored");
	EXPECT_STREQ(bottom->Text(), "");
	bottom->SetText("Ready");
	bottom->SetText(nullptr);
	EXPECT_STREQ(bottom->Text(), "");
}

} // namespace

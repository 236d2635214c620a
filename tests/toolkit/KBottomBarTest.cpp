#include "ControlTesting.h"

#include "KBottomBar.h"
#include "KLowStatusBar.h"

using namespace ControlTests;

namespace {

class KBottomBarTest : public ControlTest {
protected:
	void Make(bool statusBar, const char* text = nullptr)
	{
		Locked([&] { fBottom = new KBottomBar(fWindow, statusBar, text); });
	}

	BRect FrameOf(BView* view)
	{
		BAutolock lock(fWindow);
		return view->Frame();
	}

	KBottomBar* fBottom = nullptr;
};

TEST_F(KBottomBarTest, SpansTheWindowAlongItsBottomAndFollowsResizes)
{
	Make(true);
	BRect frame = FrameOf(fBottom);
	EXPECT_EQ(frame.left, 0);
	EXPECT_EQ(frame.right, 399);
	EXPECT_EQ(frame.bottom, 239);
	EXPECT_EQ(frame.Height(), KBottomBar::Height() - 1);
	Show();
	ASSERT_EQ(BPrivate::PostUserResize(fWindow, 499, 299), B_OK);
	Idle(fWindow);
	frame = FrameOf(fBottom);
	EXPECT_EQ(frame.right, 499);
	EXPECT_EQ(frame.bottom, 299);
	// The progress bar keeps to the right end.
	EXPECT_EQ(fBottom->ConvertToParent(FrameOf(fBottom->StatusBar())).right, 499 - 4);
}

TEST_F(KBottomBarTest, TextIsShownAndReplaced)
{
	Make(false, "Ready");
	Show();
	EXPECT_STREQ(fBottom->Text(), "Ready");
	EXPECT_TRUE(AnyPixelIn(fBottom, BRect(4, 2, 60, KBottomBar::Height() - 2), IsInk));
	Locked([&] { fBottom->SetText(nullptr); });
	Idle(fWindow);
	EXPECT_STREQ(fBottom->Text(), "");
	EXPECT_FALSE(AnyPixelIn(fBottom, BRect(4, 2, 60, KBottomBar::Height() - 2), IsInk));
}

TEST_F(KBottomBarTest, ProgressAdvancesByTheDeltaWithItsText)
{
	Make(true);
	Show();
	KLowStatusBar* bar = fBottom->StatusBar();
	ASSERT_NE(bar, nullptr);
	Locked([&] {
		fBottom->UpdateStatusBar(30, "Loading…");
		fBottom->UpdateStatusBar(30);
		EXPECT_FLOAT_EQ(bar->CurrentValue(), 60);
		EXPECT_STREQ(bar->Text(), "Loading…");
	});
	Idle(fWindow);
	BRect bounds;
	rgb_color barColor;
	Locked([&] {
		bounds = bar->Bounds();
		barColor = bar->BarColor();
	});
	float y = bounds.bottom - 3;
	EXPECT_EQ(PixelIn(bar, BPoint(bounds.Width() * 0.55f, y)), barColor);
	EXPECT_NE(PixelIn(bar, BPoint(bounds.Width() * 0.65f, y)), barColor);
	// The text is written over the bar.
	EXPECT_TRUE(AnyPixelIn(bar, BRect(3, 2, 40, bounds.bottom - 2), IsInk));

	Locked([&] { bar->Reset(); });
	Idle(fWindow);
	EXPECT_NE(PixelIn(bar, BPoint(bounds.Width() * 0.2f, y)), barColor);
}

TEST_F(KBottomBarTest, WithoutProgressBarTheUpdatesDoNothing)
{
	Make(false);
	EXPECT_EQ(fBottom->StatusBar(), nullptr);
	BAutolock lock(fWindow);
	fBottom->UpdateStatusBar(50, "ignored");
	EXPECT_STREQ(fBottom->Text(), "");
}

} // namespace

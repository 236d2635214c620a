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

// Its picture is looked at in the gallery and the display tests.
TEST_F(KBottomBarTest, ProgressAdvancesByTheDeltaAndResetEmptiesIt)
{
	KBottomBar* bottom = Make(true);
	KLowStatusBar* bar = bottom->StatusBar();
	Locked([&] {
		bottom->UpdateStatusBar(30, "Loading…");
		bottom->UpdateStatusBar(30);
		EXPECT_FLOAT_EQ(bar->CurrentValue(), 60);
		EXPECT_STREQ(bar->Text(), "Loading…");
		bar->Reset();
		EXPECT_FLOAT_EQ(bar->CurrentValue(), 0);
	});
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

#include "ControlTesting.h"

#include <cmath>

#include <StatusBar.h>

using namespace ControlTests;

namespace {

auto Update(float delta)
{
	return [delta](BStatusBar& bar) { bar.Update(delta); };
}
auto SetMax(float max)
{
	return [max](BStatusBar& bar) { bar.SetMaxValue(max); };
}

TEST(StatusBarArithmetic, ValueStaysBetweenZeroAndTheMaximum)
{
	// The steps from a fresh bar, and the value and maximum they leave.
	struct Row {
		const char* situation;
		std::vector<std::function<void(BStatusBar&)>> steps;
		float value;
		float max;
	};
	const Row rows[] = {
		{"an update beyond the maximum stops there", {Update(60), Update(60)}, 100, 100},
		{"a negative update stops at zero", {Update(10), Update(-50)}, 0, 100},
		{"a lower maximum cuts the value", {Update(80), SetMax(50)}, 50, 50},
		{"a negative maximum is zero", {Update(5), SetMax(-3)}, 0, 0},
		{"a meaningless delta is ignored", {Update(20), Update(NAN)}, 20, 100},
		{"reset starts again at 0 of 100",
			{SetMax(7), Update(5), [](BStatusBar& bar) { bar.Reset(); }}, 0, 100}};
	for (const Row& row : rows) {
		BStatusBar bar(BRect(0, 0, 199, 30), "bar");
		for (const auto& step : row.steps)
			step(bar);
		EXPECT_FLOAT_EQ(bar.CurrentValue(), row.value) << row.situation;
		EXPECT_FLOAT_EQ(bar.MaxValue(), row.max) << row.situation;
	}
}

TEST(StatusBarTexts, NullTextsLeaveTheTextsAndResetClearsThemAndSetsTheLabels)
{
	BStatusBar bar(BRect(0, 0, 199, 30), "bar", "Label: ", " trailing");
	bar.Update(10, "Loading…", "10%");
	bar.Update(10);
	EXPECT_STREQ(bar.Text(), "Loading…");
	EXPECT_STREQ(bar.TrailingText(), "10%");
	bar.Update(10, "Processing…");
	EXPECT_STREQ(bar.Text(), "Processing…");
	EXPECT_STREQ(bar.TrailingText(), "10%");
	bar.Reset("New: ");
	EXPECT_STREQ(bar.Label(), "New: ");
	EXPECT_STREQ(bar.TrailingLabel(), "");
	EXPECT_STREQ(bar.Text(), "");
	EXPECT_STREQ(bar.TrailingText(), "");
}

class StatusBarWindow : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fBar = Add(new BStatusBar(BRect(10, 10, 209, 49), "progress", "Progress: "));
	}

	BStatusBar* fBar = nullptr;
};

TEST_F(StatusBarWindow, UpdateAndResetMessagesMayComeFromOtherThreads)
{
	Show();
	BMessage update(B_UPDATE_STATUS_BAR);
	update.AddFloat("delta", 25);
	update.AddString("text", "Loading…");
	BMessenger bar(fBar);
	ASSERT_EQ(bar.SendMessage(&update), B_OK);
	ASSERT_EQ(bar.SendMessage(&update), B_OK);
	Idle(fWindow);
	Locked([&] {
		EXPECT_FLOAT_EQ(fBar->CurrentValue(), 50);
		EXPECT_STREQ(fBar->Text(), "Loading…");
	});
	BMessage reset(B_RESET_STATUS_BAR);
	reset.AddString("label", "Saving ");
	ASSERT_EQ(bar.SendMessage(&reset), B_OK);
	Idle(fWindow);
	BAutolock lock(fWindow);
	EXPECT_FLOAT_EQ(fBar->CurrentValue(), 0);
	EXPECT_STREQ(fBar->Label(), "Saving ");
	EXPECT_STREQ(fBar->Text(), "");
}

} // namespace

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

} // namespace

#include <InterfaceDefs.h>

#include <gtest/gtest.h>

TEST(TintColorTest, DarkeningAndLighteningMoveTowardsBlackAndWhiteAndKeepAlpha)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	rgb_color darker = tint_color(panel, B_DARKEN_2_TINT);
	rgb_color lighter = tint_color(panel, B_LIGHTEN_1_TINT);
	EXPECT_LT(darker.red, panel.red);
	EXPECT_GT(lighter.red, panel.red);
	EXPECT_EQ(tint_color(panel, B_NO_TINT), panel);
	EXPECT_EQ(tint_color(panel, B_DARKEN_MAX_TINT), make_color(0, 0, 0, panel.alpha));
	EXPECT_EQ(tint_color(panel, B_LIGHTEN_MAX_TINT), make_color(255, 255, 255, panel.alpha));
	EXPECT_EQ(tint_color(make_color(10, 20, 30, 7), B_DARKEN_1_TINT).alpha, 7);
}

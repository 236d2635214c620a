#include "ControlTesting.h"

#include <ColorControl.h>

using namespace ControlTests;

namespace {

class ColorValues : public testing::TestWithParam<rgb_color> {};

TEST_P(ColorValues, ColourSurvivesTheValueRoundTrip)
{
	rgb_color color = GetParam();
	BColorControl control(BPoint(0, 0), B_CELLS_32x8, 8, "color", nullptr);
	control.SetValue(color);
	rgb_color back = control.ValueAsColor();
	EXPECT_EQ(back, make_color(color.red, color.green, color.blue, 255));
	uint32 packed = static_cast<uint32>(control.Value());
	EXPECT_EQ(packed >> 24, color.red);
	EXPECT_EQ((packed >> 16) & 0xFF, color.green);
	EXPECT_EQ((packed >> 8) & 0xFF, color.blue);

	// A packed value whose alpha byte says otherwise is the same colour.
	BColorControl other(BPoint(0, 0), B_CELLS_32x8, 8, "other", nullptr);
	other.SetValue(static_cast<int32>(packed & 0xFFFFFF00));
	EXPECT_EQ(other.ValueAsColor(), back);
	EXPECT_EQ(other.Value(), control.Value());
}

INSTANTIATE_TEST_SUITE_P(Colours, ColorValues, testing::Values(make_color(0, 0, 0),
	make_color(255, 255, 255), make_color(255, 0, 0), make_color(0, 128, 255),
	make_color(200, 100, 50, 0), make_color(1, 254, 127)));

// A 32 x 8 control with 8-point cells: four ramps of 256 x 16 points in a
// field inset by 2, the grey ramp on top.
class ColorControlTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fControl = Add(new BColorControl(BPoint(10, 10), B_CELLS_32x8, 8, "color_ColorControl",
			new BMessage(70)));
		fControl->SetValue(make_color(10, 20, 30));
	}

	// A point of a ramp (0 grey, 1 red, 2 green, 3 blue) at a level.
	BPoint RampPoint(int ramp, int level)
	{
		return InWindow(fControl, BPoint(2 + level, 2 + 16 * ramp + 8));
	}

	rgb_color Color()
	{
		return Locked([&] { return fControl->ValueAsColor(); });
	}

	rgb_color ColorSent(size_t index)
	{
		std::vector<BMessage> sent = Sent(70);
		uint32 packed = index < sent.size() ? Int32Of(sent[index], "be:value") : 0;
		return make_color(packed >> 24, (packed >> 16) & 0xFF, (packed >> 8) & 0xFF);
	}

	BColorControl* fControl = nullptr;
};

TEST_F(ColorControlTest, ClickOnARampSetsThatChannelAndSendsTheColour)
{
	Show();
	Click(RampPoint(1, 255));
	EXPECT_EQ(Color(), make_color(255, 20, 30));
	ASSERT_EQ(Sent(70).size(), 1u);
	EXPECT_EQ(ColorSent(0), make_color(255, 20, 30));

	Click(RampPoint(3, 0));
	EXPECT_EQ(Color(), make_color(255, 20, 0));
	EXPECT_EQ(Sent(70).size(), 2u);
	// The grey ramp sets all three.
	Click(RampPoint(0, 128));
	EXPECT_EQ(Color(), make_color(128, 128, 128));
}

TEST_F(ColorControlTest, DraggingAlongARampFollowsThePointerAndStopsAtItsEnds)
{
	Show();
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, RampPoint(2, 100)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, RampPoint(2, 150), B_PRIMARY_MOUSE_BUTTON),
		B_OK);
	// Wandering off the ramp keeps working on the green channel.
	BPoint far = RampPoint(2, 200);
	far.y += 100;
	far.x += 400;
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, far, B_PRIMARY_MOUSE_BUTTON), B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, far), B_OK);
	Idle(fWindow);
	EXPECT_EQ(Color(), make_color(10, 255, 30));
	ASSERT_EQ(Sent(70).size(), 3u);
	EXPECT_EQ(ColorSent(0).green, 100);
	EXPECT_EQ(ColorSent(1).green, 150);
}

TEST_F(ColorControlTest, KeysChooseARampAndMoveItsValue)
{
	Show();
	Focus(fControl);
	Key(kRight);
	EXPECT_EQ(Color(), make_color(11, 20, 30));
	Key(kRight, B_SHIFT_KEY);
	EXPECT_EQ(Color(), make_color(27, 20, 30));
	Key(kDown);
	Key(kEnd);
	EXPECT_EQ(Color(), make_color(27, 255, 30));
	Key(kDown);
	Key(kHome);
	EXPECT_EQ(Color(), make_color(27, 255, 0));
	size_t sent = Sent(70).size();
	// Already at 0: nothing changes, nothing is sent.
	Key(kLeft);
	EXPECT_EQ(Sent(70).size(), sent);
	EXPECT_EQ(sent, 4u);
}

TEST_F(ColorControlTest, SetValueSendsNothingAndTheSampleShowsTheColour)
{
	Locked([&] { fControl->SetValue(make_color(0, 160, 80)); });
	Show();
	EXPECT_TRUE(Sent(70).empty());
	float width = 0;
	Locked([&] { fControl->GetPreferredSize(&width, nullptr); });
	EXPECT_EQ(PixelIn(fControl, BPoint(width - 10, 8)), make_color(0, 160, 80));
}

} // namespace

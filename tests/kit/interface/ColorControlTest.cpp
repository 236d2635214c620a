#include "ControlTesting.h"

#include <ColorControl.h>

using namespace ControlTests;

TEST(ColorValues, ColourSurvivesTheValueRoundTripWhateverThePackedAlphaSays)
{
	for (rgb_color color : {make_color(0, 128, 255), make_color(200, 100, 50, 0)}) {
		BColorControl control(BPoint(0, 0), B_CELLS_32x8, 8, "color", nullptr);
		control.SetValue(color);
		rgb_color back = control.ValueAsColor();
		EXPECT_EQ(back, make_color(color.red, color.green, color.blue, 255));
		uint32 packed = static_cast<uint32>(control.Value());
		EXPECT_EQ(packed >> 8, (uint32(color.red) << 16) | (color.green << 8) | color.blue);

		BColorControl other(BPoint(0, 0), B_CELLS_32x8, 8, "other", nullptr);
		other.SetValue(static_cast<int32>(packed & 0xFFFFFF00));
		EXPECT_EQ(other.ValueAsColor(), back);
		EXPECT_EQ(other.Value(), control.Value());
	}
}

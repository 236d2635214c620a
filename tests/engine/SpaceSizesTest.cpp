// The font size of a picture's or rule's space, found by halving the sizes:
// it must be the size trying every size in turn found.

#include <cmath>

#include <gtest/gtest.h>

#include <Font.h>

#include "engine_support/SpaceSizes.h"

namespace {

float LineHeightAt(float size)
{
	BFont font;
	font.SetSize(size);
	font_height height;
	font.GetHeight(&height);
	return std::floor(height.ascent + height.descent + height.leading);
}

} // namespace

// One size less would make the line lower than the picture; one more would
// make it taller than needed.
TEST(SpaceSizes, TheSizeForAHeightIsTheSmallestWhoseLineIsTaller)
{
	for (float height : {0.0f, 1.0f, 9.0f, 15.5f, 16.0f, 47.0f, 120.0f, 333.0f, 600.0f, 1999.0f}) {
		float size = SpaceSizes::FontSizeForHeight(height);
		EXPECT_GT(LineHeightAt(size), height) << "height " << height;
		if (size > 1) {
			EXPECT_LE(LineHeightAt(size - 1), height) << "height " << height;
		}
		EXPECT_EQ(SpaceSizes::FontSizeForHeight(height), size) << "asked again";
	}
}

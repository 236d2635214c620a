#include "ControlTesting.h"

#include <Box.h>

using namespace ControlTests;

namespace {

class BoxTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fBox = Add(new BBox(BRect(10, 10, 209, 109), "colors_Box"));
	}

	// The row of the box where the top edge of the frame runs: the first
	// row, from the top, that is not panel grey at the box's right end.
	int TopEdgeRow()
	{
		std::unique_ptr<BBitmap> picture = Snap();
		for (int y = 0; y < 20; y++) {
			if (PixelIn(picture.get(), fBox, BPoint(190, y)) != ui_color(B_PANEL_BACKGROUND_COLOR))
				return y;
		}
		return -1;
	}

	bool RowHasFrame(int y, float from, float to)
	{
		return AnyPixelIn(fBox, BRect(from, y, to, y), [](rgb_color color) {
			return color != ui_color(B_PANEL_BACKGROUND_COLOR);
		});
	}

	BBox* fBox = nullptr;
};

TEST_F(BoxTest, LabelIsSetIntoTheTopEdge)
{
	Locked([&] { fBox->SetLabel("Colors"); });
	Show();
	int edge = TopEdgeRow();
	ASSERT_GT(edge, 2);
	// Left of the label and right of it the edge runs; under the label's
	// middle it gives way to the text.
	EXPECT_TRUE(RowHasFrame(edge, 2, 5));
	EXPECT_TRUE(RowHasFrame(edge, 100, 180));
	EXPECT_TRUE(AnyPixelIn(fBox, BRect(10, 0, 60, 15), IsInk));
}

TEST_F(BoxTest, GrowingRedrawsTheFarEdges)
{
	Show();
	Locked([&] { fBox->ResizeBy(40, 20); });
	Idle(fWindow);
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	EXPECT_NE(PixelIn(fBox, BPoint(238, 60)), panel);
	// Where the old right edge ran is now inside the box.
	EXPECT_EQ(PixelIn(fBox, BPoint(198, 60)), panel);
	EXPECT_EQ(PixelIn(fBox, BPoint(199, 60)), panel);
}

} // namespace

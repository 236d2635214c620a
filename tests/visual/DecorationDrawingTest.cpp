// Rules are not text: the view draws each one over its own line, a grey
// line above two light ones, across the view.

#include <cmath>
#include <memory>
#include <vector>

#include <Bitmap.h>
#include <WindowTesting.h>

#include "PageTesting.h"

#include "HorizontalLine.h"

using PageTesting::PageTest;

namespace {

const rgb_color kShadow = {170, 170, 170, 255};
const rgb_color kLight = {235, 235, 235, 255};

class RuleDrawing : public PageTest {
protected:
	// Where each rule's grey line lies, in window coordinates, from the
	// view's own layout of the rule's line.
	std::vector<BRect> RuleLines()
	{
		std::vector<BRect> lines;
		BAutolock lock(VisualWindow());
		for (unsigned long i = 1; i <= List()->LastIndex(); i++) {
			if (At<HorizontalLine>(i) == nullptr)
				continue;
			int32 offset = (*List())[i].offset;
			float top = View()->PointAt(offset + 1).y;
			float height = View()->LineHeight(View()->LineAt(offset + 1));
			float y = std::round(top) + std::round(height / 2);
			BRect line(7, y, View()->Bounds().right - 8, y);
			lines.push_back(VisualWindow()->ConvertFromScreen(View()->ConvertToScreen(line)));
		}
		return lines;
	}

	std::unique_ptr<BBitmap> Shot()
	{
		BPrivate::WaitForWindowIdle(VisualWindow());
		return std::unique_ptr<BBitmap>(BPrivate::WindowSnapshot(VisualWindow()));
	}

	static rgb_color PixelAt(const BBitmap* shot, float x, float y)
	{
		const uint8* pixel = static_cast<const uint8*>(shot->Bits())
			+ int32(y) * shot->BytesPerRow() + int32(x) * 4;
		return rgb_color{pixel[2], pixel[1], pixel[0], 255};
	}
};

} // namespace

TEST_F(RuleDrawing, ARuleIsASunkenLineAcrossTheView)
{
	Open("<html><body>above<hr>below</body></html>");
	std::vector<BRect> lines = RuleLines();
	ASSERT_EQ(lines.size(), 1u);
	std::unique_ptr<BBitmap> shot = Shot();
	ASSERT_NE(shot, nullptr);
	BRect line = lines[0];
	for (float x : {line.left + 2, (line.left + line.right) / 2, line.right - 2}) {
		EXPECT_EQ(PixelAt(shot.get(), x, line.top), kShadow) << "x " << x;
		EXPECT_EQ(PixelAt(shot.get(), x, line.top + 1), kLight) << "x " << x;
		EXPECT_NE(PixelAt(shot.get(), x, line.top - 1), kShadow) << "one line only";
	}
}

TEST_F(RuleDrawing, EveryRuleOfThePageIsDrawnBelowTheTextBeforeIt)
{
	Open("<html><body>one<hr>two<hr><h1>three</h1><hr></body></html>");
	std::vector<BRect> lines = RuleLines();
	ASSERT_EQ(lines.size(), 3u);
	std::unique_ptr<BBitmap> shot = Shot();
	ASSERT_NE(shot, nullptr);
	for (size_t i = 0; i < lines.size(); i++) {
		if (i > 0) {
			EXPECT_GT(lines[i].top, lines[i - 1].top + 26) << "a rule and a line of text between";
		}
		EXPECT_EQ(PixelAt(shot.get(), lines[i].left + 20, lines[i].top), kShadow) << "rule " << i;
	}
}

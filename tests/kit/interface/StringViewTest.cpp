#include "ControlTesting.h"

#include <Box.h>
#include <StringView.h>

using namespace ControlTests;

namespace {

class StringViewTest : public ControlTest {
protected:
	void SetUp() override
	{
		ControlTest::SetUp();
		fLine = Add(new BStringView(BRect(0, 10, 199, 29), "line", "Initializing"));
	}

	// The first and last columns of the line that hold ink.
	std::pair<int, int> InkColumns()
	{
		std::unique_ptr<BBitmap> picture = Snap();
		int first = -1;
		int last = -1;
		for (int x = 0; x < 200; x++) {
			for (int y = 0; y < 20; y++) {
				if (IsInk(PixelIn(picture.get(), fLine, BPoint(x, y)))) {
					if (first < 0)
						first = x;
					last = x;
					break;
				}
			}
		}
		return {first, last};
	}

	void Align(alignment flag)
	{
		Locked([&] { fLine->SetAlignment(flag); });
		Idle(fWindow);
	}

	BStringView* fLine = nullptr;
};

TEST_F(StringViewTest, AlignmentPlacesTheTextInTheLine)
{
	Show();
	auto [leftFirst, leftLast] = InkColumns();
	EXPECT_LE(leftFirst, 2);
	int width = leftLast - leftFirst;

	Align(B_ALIGN_RIGHT);
	auto [rightFirst, rightLast] = InkColumns();
	EXPECT_GE(rightLast, 196);
	EXPECT_NEAR(rightLast - rightFirst, width, 1);

	Align(B_ALIGN_CENTER);
	auto [centerFirst, centerLast] = InkColumns();
	EXPECT_NEAR((centerFirst + centerLast) / 2.0, 100, 2);
}

TEST_F(StringViewTest, NewTextReplacesTheOldAndChangesThePreferredWidth)
{
	Show();
	float before = 0;
	float after = 0;
	Locked([&] {
		fLine->GetPreferredSize(&before, nullptr);
		fLine->SetText("Hi");
		fLine->GetPreferredSize(&after, nullptr);
	});
	Idle(fWindow);
	EXPECT_LT(after, before);
	auto [first, last] = InkColumns();
	EXPECT_LT(last - first, after + 1);
	Locked([&] { fLine->SetText(nullptr); });
	EXPECT_STREQ(fLine->Text(), "");
}

TEST_F(StringViewTest, TakesItsParentsColourUnlessGivenOne)
{
	auto* box = Add(new BBox(BRect(0, 40, 199, 99), "box"));
	box->SetViewColor(240, 240, 240);
	auto* plain = new BStringView(BRect(5, 5, 100, 20), "plain", "a");
	auto* own = new BStringView(BRect(5, 25, 100, 40), "own", "b");
	own->SetViewColor(255, 255, 200);
	box->AddChild(plain);
	box->AddChild(own);
	Show();
	BAutolock lock(fWindow);
	EXPECT_EQ(plain->ViewColor(), make_color(240, 240, 240));
	EXPECT_EQ(own->ViewColor(), make_color(255, 255, 200));
}

} // namespace

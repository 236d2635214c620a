#include <Region.h>

#include <random>

#include <gtest/gtest.h>

namespace {

// The same set of pixels, kept the obvious way, to check a region against.
class PixelSet {
public:
	static const int kSize = 24;

	void Apply(BRect rect, int operation)
	{
		for (int y = 0; y < kSize; y++) {
			for (int x = 0; x < kSize; x++) {
				bool inRect = x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
				bool& pixel = fPixels[y][x];
				if (operation == 0)
					pixel = pixel || inRect;
				else if (operation == 1)
					pixel = pixel && !inRect;
				else
					pixel = pixel && inRect;
			}
		}
	}
	bool At(int x, int y) const { return fPixels[y][x]; }

private:
	bool fPixels[kSize][kSize] = {};
};

bool Overlap(clipping_rect a, clipping_rect b)
{
	return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

} // namespace

TEST(RegionBuilding, InvalidRectsAndEmptyRegionsAddNothing)
{
	BRegion region;
	EXPECT_FALSE(region.Frame().IsValid());
	region.Include(BRect(5, 5, 4, 9));
	EXPECT_EQ(region.CountRects(), 0);
	region.Include(BRect(0, 0, 3, 3));
	region.Exclude(BRect(9, 9, 2, 2));
	region.Include(static_cast<const BRegion*>(nullptr));
	EXPECT_EQ(region.CountRects(), 1);
	EXPECT_FALSE(region.RectAt(1).IsValid());
	region.IntersectWith(nullptr);
	EXPECT_EQ(region.CountRects(), 0);
	EXPECT_FALSE(region.Contains(0, 0));
}

TEST(RegionBuilding, HugeCoordinatesDoNotOverflow)
{
	BRegion region(BRect(-1e30f, -1e30f, 1e30f, 1e30f));
	EXPECT_TRUE(region.Contains(0, 0));
	BRegion small(BRect(0, 0, 9, 9));
	region.IntersectWith(&small);
	EXPECT_EQ(region, small);
}

TEST(RegionBuilding, RandomOperationsMatchAPixelModel)
{
	std::mt19937 random(7);
	std::uniform_int_distribution<int> coordinate(0, PixelSet::kSize - 1);
	for (int round = 0; round < 80; round++) {
		BRegion region;
		PixelSet model;
		for (int step = 0; step < 12; step++) {
			int x1 = coordinate(random), x2 = coordinate(random);
			int y1 = coordinate(random), y2 = coordinate(random);
			BRect rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
			// Half the rounds start from one rectangle, which clipping
			// cuts by another: the cases that skip the general sweep.
			int unions = round % 2 == 0 ? 3 : 1;
			int operation = step < unions ? 0 : static_cast<int>(random() % 3);
			model.Apply(rect, operation);
			BRegion other(rect);
			if (operation == 0)
				region.Include(rect);
			else if (operation == 1)
				region.Exclude(&other);
			else
				region.IntersectWith(&other);
		}
		for (int y = 0; y < PixelSet::kSize; y++) {
			for (int x = 0; x < PixelSet::kSize; x++)
				ASSERT_EQ(region.Contains(x, y), model.At(x, y)) << x << "," << y << " round " << round;
		}
		for (int32 i = 0; i < region.CountRects(); i++) {
			for (int32 j = i + 1; j < region.CountRects(); j++)
				ASSERT_FALSE(Overlap(region.RectAtInt(i), region.RectAtInt(j)));
		}
	}
}

#include <Polygon.h>

#include <gtest/gtest.h>

TEST(PolygonShape, FrameHoldsEveryPoint)
{
	BPoint points[] = {BPoint(3, 4), BPoint(-2, 9), BPoint(7, 1)};
	BPolygon polygon(points, 3);
	EXPECT_EQ(polygon.CountPoints(), 3);
	EXPECT_EQ(polygon.Frame(), BRect(-2, 1, 7, 9));
	EXPECT_FALSE(BPolygon().Frame().IsValid());
	polygon.AddPoints(nullptr, 4);
	polygon.AddPoints(points, -1);
	EXPECT_EQ(polygon.CountPoints(), 3);
}

TEST(PolygonShape, MapToScalesFromOneRectangleToAnother)
{
	BPoint points[] = {BPoint(0, 0), BPoint(10, 10), BPoint(5, 0)};
	BPolygon polygon(points, 3);
	polygon.MapTo(BRect(0, 0, 10, 10), BRect(100, 50, 120, 55));
	EXPECT_EQ(polygon.Frame(), BRect(100, 50, 120, 55));
	BPolygon copy(&polygon);
	copy.MapTo(BRect(0, 0, 0, 10), BRect(0, 0, 5, 5));  // no width: left as it is
	EXPECT_EQ(copy.Frame(), polygon.Frame());
}

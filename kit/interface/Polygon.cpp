#include <Polygon.h>

#include <algorithm>
#include <cstdio>

BPolygon::BPolygon(const BPoint* points, int32 count)
{
	AddPoints(points, count);
}

BPolygon::BPolygon(const BPolygon* other)
{
	if (other != nullptr)
		fPoints = other->fPoints;
}

BRect BPolygon::Frame() const
{
	if (fPoints.empty())
		return BRect();
	BRect frame(fPoints[0], fPoints[0]);
	for (const BPoint& point : fPoints) {
		frame.left = std::min(frame.left, point.x);
		frame.top = std::min(frame.top, point.y);
		frame.right = std::max(frame.right, point.x);
		frame.bottom = std::max(frame.bottom, point.y);
	}
	return frame;
}

void BPolygon::AddPoints(const BPoint* points, int32 count)
{
	if (points == nullptr || count <= 0)
		return;
	fPoints.insert(fPoints.end(), points, points + count);
}

void BPolygon::MapTo(BRect source, BRect destination)
{
	if (source.Width() == 0 || source.Height() == 0)
		return;
	float scaleX = destination.Width() / source.Width();
	float scaleY = destination.Height() / source.Height();
	for (BPoint& point : fPoints) {
		point.x = destination.left + (point.x - source.left) * scaleX;
		point.y = destination.top + (point.y - source.top) * scaleY;
	}
}

void BPolygon::PrintToStream() const
{
	printf("BPolygon: %d points\n", CountPoints());
	for (const BPoint& point : fPoints)
		printf("  (%g, %g)\n", point.x, point.y);
}

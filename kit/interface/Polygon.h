#ifndef _POLYGON_H
#define _POLYGON_H

#include <vector>

#include <Rect.h>

namespace BPrivate {
class Painter;
}

// An ordered list of points, stroked or filled by a view.
class BPolygon {
public:
	BPolygon() = default;
	BPolygon(const BPoint* points, int32 count);
	BPolygon(const BPolygon& other) = default;
	BPolygon(const BPolygon* other);
	BPolygon& operator=(const BPolygon& other) = default;

	// The smallest rectangle holding every point; invalid when empty.
	BRect Frame() const;
	void AddPoints(const BPoint* points, int32 count);
	int32 CountPoints() const { return static_cast<int32>(fPoints.size()); }
	// Maps every point from source to destination proportionally.
	void MapTo(BRect source, BRect destination);
	void PrintToStream() const;

private:
	friend class BPrivate::Painter;

	std::vector<BPoint> fPoints;
};

#endif

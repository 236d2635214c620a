#ifndef _REGION_H
#define _REGION_H

#include <vector>

#include <Rect.h>

// A rectangle of whole pixels whose right and bottom edges are inside it.
struct clipping_rect {
	int32 left;
	int32 top;
	int32 right;
	int32 bottom;
};

// A set of pixels, kept as a list of disjoint rectangles (in bands from top
// to bottom, each band's rectangles from left to right, touching ones
// merged), so two regions with the same pixels have the same rectangles.
// A BRect covers the pixels from floor(left) to ceil(right), as drawing does.
class BRegion {
public:
	BRegion() = default;
	BRegion(const BRegion& other) = default;
	explicit BRegion(BRect rect);
	BRegion& operator=(const BRegion& other) = default;
	bool operator==(const BRegion& other) const;
	bool operator!=(const BRegion& other) const { return !(*this == other); }

	void Set(BRect rect);
	void Set(clipping_rect rect);
	void MakeEmpty() { fBoxes.clear(); }

	// The smallest rectangle holding the region; invalid when it is empty.
	BRect Frame() const;
	clipping_rect FrameInt() const;
	int32 CountRects() const { return static_cast<int32>(fBoxes.size()); }
	BRect RectAt(int32 index) const;
	clipping_rect RectAtInt(int32 index) const;

	bool Contains(BPoint point) const;
	bool Contains(int32 x, int32 y) const;
	bool Intersects(BRect rect) const;
	bool Intersects(clipping_rect rect) const;

	void OffsetBy(int32 dx, int32 dy);
	void OffsetBy(BPoint offset);

	void Include(BRect rect);
	void Include(clipping_rect rect);
	void Include(const BRegion* region);
	void Exclude(BRect rect);
	void Exclude(clipping_rect rect);
	void Exclude(const BRegion* region);
	void IntersectWith(const BRegion* region);

	void PrintToStream() const;

private:
	// Right and bottom edges outside the box: width is right - left.
	struct Box {
		int32 left;
		int32 top;
		int32 right;
		int32 bottom;
		bool operator==(const Box& other) const = default;
	};
	enum class Operation { kUnion, kIntersection, kDifference };

	static Box _BoxOf(BRect rect);
	static Box _BoxOf(clipping_rect rect);
	static std::vector<Box> _Combine(const std::vector<Box>& a, const std::vector<Box>& b,
		Operation operation);
	void _Apply(const std::vector<Box>& other, Operation operation);
	bool _ApplySimply(std::vector<Box>& other, Operation operation);

	std::vector<Box> fBoxes;
};

#endif

#ifndef _RECT_H
#define _RECT_H

#include <Point.h>

// A rectangle whose right and bottom edges are inside it, as on BeOS: a
// one-pixel rectangle has left == right, and Width() is right - left.
class BRect {
public:
	float left = 0;
	float top = 0;
	float right = -1;
	float bottom = -1;

	constexpr BRect() = default;
	constexpr BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
	BRect(BPoint leftTop, BPoint rightBottom)
		: left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y) {}

	void Set(float l, float t, float r, float b) { left = l; top = t; right = r; bottom = b; }

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }
	void SetLeftTop(BPoint p) { left = p.x; top = p.y; }
	void SetRightBottom(BPoint p) { right = p.x; bottom = p.y; }
	void SetLeftBottom(BPoint p) { left = p.x; bottom = p.y; }
	void SetRightTop(BPoint p) { right = p.x; top = p.y; }

	float Width() const { return right - left; }
	float Height() const { return bottom - top; }
	int32 IntegerWidth() const;
	int32 IntegerHeight() const;
	bool IsValid() const { return left <= right && top <= bottom; }

	BRect& InsetBy(float dx, float dy);
	BRect& InsetBy(BPoint delta) { return InsetBy(delta.x, delta.y); }
	BRect& OffsetBy(float dx, float dy);
	BRect& OffsetBy(BPoint delta) { return OffsetBy(delta.x, delta.y); }
	BRect& OffsetTo(float x, float y);
	BRect& OffsetTo(BPoint point) { return OffsetTo(point.x, point.y); }
	BRect InsetByCopy(float dx, float dy) const { BRect r = *this; return r.InsetBy(dx, dy); }
	BRect OffsetByCopy(float dx, float dy) const { BRect r = *this; return r.OffsetBy(dx, dy); }
	BRect OffsetToCopy(float x, float y) const { BRect r = *this; return r.OffsetTo(x, y); }
	BRect OffsetByCopy(BPoint delta) const { return OffsetByCopy(delta.x, delta.y); }
	BRect OffsetToCopy(BPoint point) const { return OffsetToCopy(point.x, point.y); }

	bool Contains(BPoint point) const;
	bool Contains(BRect rect) const;
	bool Intersects(BRect rect) const;

	// Intersection and union.
	BRect operator&(BRect other) const;
	BRect operator|(BRect other) const;
	bool operator==(BRect other) const;
	bool operator!=(BRect other) const { return !(*this == other); }

	void PrintToStream() const;
};

#endif

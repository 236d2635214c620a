#include <Point.h>

#include <cstdio>

#include <Rect.h>

const BPoint B_ORIGIN(0, 0);

void BPoint::ConstrainTo(BRect rect)
{
	if (x < rect.left) x = rect.left;
	if (x > rect.right) x = rect.right;
	if (y < rect.top) y = rect.top;
	if (y > rect.bottom) y = rect.bottom;
}

void BPoint::PrintToStream() const
{
	printf("BPoint(x:%.1f, y:%.1f)\n", x, y);
}

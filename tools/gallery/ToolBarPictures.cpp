#include "ToolBarPictures.h"

#include <cmath>
#include <functional>

#include <Bitmap.h>

namespace {

const int kSide = 24;

// Fills the bitmap pixel by pixel with what paint says (clear elsewhere).
BBitmap* Paint(const std::function<rgb_color(int x, int y)>& paint)
{
	auto* bitmap = new BBitmap(BRect(0, 0, kSide - 1, kSide - 1), B_RGBA32);
	auto* bits = static_cast<uint8*>(bitmap->Bits());
	for (int y = 0; y < kSide; y++) {
		for (int x = 0; x < kSide; x++) {
			rgb_color color = paint(x, y);
			uint8* pixel = bits + y * bitmap->BytesPerRow() + x * 4;
			pixel[0] = color.blue;
			pixel[1] = color.green;
			pixel[2] = color.red;
			pixel[3] = color.alpha;
		}
	}
	return bitmap;
}

const rgb_color kClear = {0, 0, 0, 0};
const rgb_color kInk = {40, 40, 40, 255};

bool Inside(int x, int y, int left, int top, int right, int bottom)
{
	return x >= left && x <= right && y >= top && y <= bottom;
}

bool OnEdge(int x, int y, int left, int top, int right, int bottom)
{
	return Inside(x, y, left, top, right, bottom)
		&& (x == left || x == right || y == top || y == bottom);
}

rgb_color Page(int x, int y)
{
	if (OnEdge(x, y, 5, 2, 18, 21))
		return kInk;
	if (Inside(x, y, 5, 2, 18, 21))
		return (y % 4 == 0 && x > 7 && x < 16 && y > 4) ? make_color(120, 120, 160)
			: make_color(255, 255, 255);
	return kClear;
}

rgb_color Folder(int x, int y)
{
	if (OnEdge(x, y, 2, 7, 21, 19) || OnEdge(x, y, 2, 4, 9, 7))
		return make_color(120, 80, 0);
	if (Inside(x, y, 2, 4, 9, 7) || Inside(x, y, 2, 7, 21, 19))
		return make_color(250, 200, 70);
	return kClear;
}

rgb_color Disk(int x, int y)
{
	if (OnEdge(x, y, 3, 3, 20, 20))
		return kInk;
	if (Inside(x, y, 7, 4, 16, 9))
		return make_color(230, 230, 230);
	if (Inside(x, y, 6, 13, 17, 19))
		return make_color(250, 250, 250);
	if (Inside(x, y, 3, 3, 20, 20))
		return make_color(60, 90, 170);
	return kClear;
}

rgb_color Bold(int x, int y)
{
	bool stem = Inside(x, y, 6, 4, 9, 19);
	auto bowl = [x, y](int top, int bottom, int right) {
		double cy = (top + bottom) / 2.0;
		double ry = (bottom - top) / 2.0;
		double dx = (x - (right - ry)) / ry;
		double dy = (y - cy) / ry;
		return x >= 9 && ((x <= right - ry && (y <= top + 2 || y >= bottom - 2) && y >= top
			&& y <= bottom) || (x > right - ry && dx * dx + dy * dy <= 1.0
			&& dx * dx + dy * dy >= 0.3));
	};
	return stem || bowl(4, 11, 16) || bowl(11, 19, 17) ? kInk : kClear;
}

rgb_color Italic(int x, int y)
{
	double center = 14 - (y - 4) * 0.35;
	if (y >= 4 && y <= 19 && std::fabs(x - center) <= 1.6)
		return kInk;
	if ((y == 4 || y == 19) && std::fabs(x - center) <= 4)
		return kInk;
	return kClear;
}

rgb_color Link(int x, int y)
{
	auto ring = [x, y](double cx, double cy) {
		double d = std::hypot((x - cx) * 0.75, y - cy);
		return d >= 2.5 && d <= 4.2;
	};
	return ring(8, 12) || ring(16, 12) ? make_color(30, 60, 200) : kClear;
}

rgb_color Find(int x, int y)
{
	double d = std::hypot(x - 10, y - 10);
	if (d >= 5 && d <= 7)
		return kInk;
	if (d < 5)
		return make_color(200, 230, 255);
	if (x >= 14 && y >= 14 && std::abs((x - 14) - (y - 14)) <= 1 && x <= 21)
		return make_color(120, 70, 20);
	return kClear;
}

} // namespace

BBitmap* MakeToolBarPicture(GalleryPicture picture)
{
	switch (picture) {
		case kPicturePage: return Paint(Page);
		case kPictureFolder: return Paint(Folder);
		case kPictureDisk: return Paint(Disk);
		case kPictureBold: return Paint(Bold);
		case kPictureItalic: return Paint(Italic);
		case kPictureLink: return Paint(Link);
		case kPictureFind: return Paint(Find);
	}
	return Paint([](int, int) { return kClear; });
}

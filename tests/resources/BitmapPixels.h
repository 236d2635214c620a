#ifndef _VELMORA_TESTS_BITMAP_PIXELS_H
#define _VELMORA_TESTS_BITMAP_PIXELS_H

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <Bitmap.h>
#include <GraphicsDefs.h>

// Reading the pixels of B_RGBA32 bitmaps in the picture tests.
namespace Testing {

inline int WidthOf(const BBitmap& bitmap)
{
	return bitmap.Bounds().IntegerWidth() + 1;
}

inline int HeightOf(const BBitmap& bitmap)
{
	return bitmap.Bounds().IntegerHeight() + 1;
}

inline rgb_color ColourAt(const BBitmap& bitmap, int x, int y)
{
	const uint8* pixel = static_cast<const uint8*>(bitmap.Bits())
		+ static_cast<size_t>(y) * bitmap.BytesPerRow() + x * 4;
	return rgb_color{pixel[2], pixel[1], pixel[0], pixel[3]};
}

// The largest difference of any channel between two colours.
inline int Difference(rgb_color a, rgb_color b)
{
	int red = std::abs(a.red - b.red);
	int green = std::abs(a.green - b.green);
	int blue = std::abs(a.blue - b.blue);
	int alpha = std::abs(a.alpha - b.alpha);
	return std::max(std::max(red, green), std::max(blue, alpha));
}

inline std::string ReadFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	std::stringstream content;
	content << in.rdbuf();
	return content.str();
}

} // namespace Testing

#endif

#include <ColorQuantizer.h>

#include <functional>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include <Bitmap.h>

#include "BitmapPixels.h"

using Testing::ColourAt;
using Testing::Difference;

namespace {

// BBitmap can be neither copied nor moved.
std::unique_ptr<BBitmap> MakeBitmap(int width, int height,
	const std::function<rgb_color(int, int)>& colourAt)
{
	auto bitmap = std::make_unique<BBitmap>(BRect(0, 0, width - 1, height - 1), B_RGBA32);
	uint8* bits = static_cast<uint8*>(bitmap->Bits());
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++) {
			rgb_color colour = colourAt(x, y);
			uint8* pixel = bits + y * bitmap->BytesPerRow() + x * 4;
			pixel[0] = colour.blue;
			pixel[1] = colour.green;
			pixel[2] = colour.red;
			pixel[3] = colour.alpha;
		}
	}
	return bitmap;
}

rgb_color MappedColour(const IndexedImage& image, int x, int y)
{
	return image.palette[image.pixels[y * image.width + x]];
}

// Every hue and brightness: far more colours than a palette holds.
rgb_color Rainbow(int x, int y)
{
	return rgb_color{uint8(x * 255 / 199), uint8(y * 255 / 99), uint8((x + y) * 255 / 298), 255};
}

} // namespace

TEST(ColourReduction, APictureWithFewColoursKeepsThemExactly)
{
	const rgb_color kColours[] = {{200, 10, 10, 255}, {10, 200, 10, 255}, {10, 10, 200, 255},
		{255, 255, 255, 255}, {0, 0, 0, 255}};
	std::unique_ptr<BBitmap> picture = MakeBitmap(30, 20, [&](int x, int y) { return kColours[(x / 3 + y) % 5]; });
	IndexedImage image = ColorQuantizer::Quantize(*picture);
	ASSERT_TRUE(image.IsValid());
	EXPECT_EQ(image.palette.size(), 5u);
	for (int y = 0; y < 20; y++) {
		for (int x = 0; x < 30; x++)
			ASSERT_EQ(MappedColour(image, x, y), ColourAt(*picture, x, y)) << x << ", " << y;
	}
}

TEST(ColourReduction, AlphaIsIgnoredForOpaquePictures)
{
	std::unique_ptr<BBitmap> picture = MakeBitmap(4, 4, [](int x, int) {
		return rgb_color{uint8(x * 60), 0, 0, uint8(x == 0 ? 0 : 255)};
	});
	IndexedImage image = ColorQuantizer::Quantize(*picture);
	ASSERT_TRUE(image.IsValid());
	EXPECT_EQ(image.palette.size(), 4u);
	EXPECT_EQ(MappedColour(image, 0, 0), (rgb_color{0, 0, 0, 255}));
}

TEST(ColourReduction, ManyColoursComeDownToTheLimitAndStayCloseTheSameWayEveryTime)
{
	std::unique_ptr<BBitmap> picture = MakeBitmap(200, 100, Rainbow);
	for (int limit : {2, 16, 256}) {
		SCOPED_TRACE(limit);
		IndexedImage image = ColorQuantizer::Quantize(*picture, limit);
		ASSERT_TRUE(image.IsValid());
		IndexedImage again = ColorQuantizer::Quantize(*picture, limit);
		EXPECT_TRUE(again.palette == image.palette && again.pixels == image.pixels)
			<< "the same picture gives another palette";
		EXPECT_EQ(static_cast<int>(image.palette.size()), limit);
		std::set<uint8> used(image.pixels.begin(), image.pixels.end());
		EXPECT_EQ(static_cast<int>(used.size()), limit) << "a palette colour stands for nothing";
		if (limit == 256) {
			int worst = 0;
			for (int y = 0; y < 100; y++) {
				for (int x = 0; x < 200; x++)
					worst = std::max(worst, Difference(MappedColour(image, x, y), Rainbow(x, y)));
			}
			EXPECT_LE(worst, 24);
		}
	}
}

TEST(ColourReduction, EveryPixelTakesTheNearestPaletteColour)
{
	// Mostly black and white, with a few greys that cannot get a colour of
	// their own in a palette of two.
	std::unique_ptr<BBitmap> picture = MakeBitmap(100, 10, [](int x, int) {
		if (x == 10)
			return rgb_color{90, 90, 90, 255};
		if (x == 90)
			return rgb_color{170, 170, 170, 255};
		return x < 50 ? rgb_color{0, 0, 0, 255} : rgb_color{255, 255, 255, 255};
	});
	IndexedImage image = ColorQuantizer::Quantize(*picture, 2);
	ASSERT_TRUE(image.IsValid());
	EXPECT_LT(MappedColour(image, 10, 0).red, 128);
	EXPECT_GT(MappedColour(image, 90, 0).red, 128);
}

TEST(ColourReduction, InvalidPicturesGiveNoImage)
{
	BBitmap invalid(BRect(0, 0, -1, -1), B_RGBA32);
	EXPECT_FALSE(ColorQuantizer::Quantize(invalid).IsValid());
	std::unique_ptr<BBitmap> picture = MakeBitmap(2, 2, [](int, int) { return rgb_color{1, 2, 3, 255}; });
	EXPECT_FALSE(ColorQuantizer::Quantize(*picture, 0).IsValid());
}

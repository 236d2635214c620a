#include <GifWriter.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Bitmap.h>
#include <TranslationUtils.h>

#include <ColorQuantizer.h>

#include "BitmapPixels.h"

using Testing::ColourAt;
using Testing::HeightOf;
using Testing::WidthOf;

namespace {

enum class Pattern {
	kOneColour,
	kStripes,
	kNoise,
	kLongRuns
};

std::vector<rgb_color> Palette(int colours)
{
	std::vector<rgb_color> palette;
	for (int i = 0; i < colours; i++) {
		palette.push_back(rgb_color{uint8(i * 37 % 256), uint8(255 - i), uint8(i * 101 % 256),
			255});
	}
	return palette;
}

IndexedImage MakeImage(int width, int height, int colours, Pattern pattern)
{
	IndexedImage image;
	image.width = width;
	image.height = height;
	image.palette = Palette(colours);
	// A repeatable stream of numbers, so that noise is the same on every run.
	uint32 noise = static_cast<uint32>(width * 7919 + height);
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++) {
			uint32 index = 0;
			switch (pattern) {
				case Pattern::kOneColour:
					break;
				case Pattern::kStripes:
					index = (x + y) % colours;
					break;
				case Pattern::kNoise:
					noise = noise * 1664525u + 1013904223u;
					index = (noise >> 8) % colours;
					break;
				case Pattern::kLongRuns:
					index = (x / 50 + y / 40) % colours;
					break;
			}
			image.pixels.push_back(static_cast<uint8>(index));
		}
	}
	return image;
}

// What a GIF of one image breaks of the format, or "" when it follows it.
// Stricter than gdk-pixbuf, which stops as soon as it has every pixel: the
// blocks must follow each other exactly, and the code stream must end with
// the end code right after the last pixel, at the width the code table has
// grown to, then nothing but zero bits. The widths depend only on the
// table's size, so no entry is kept but its length.
std::string StrictProblem(const std::string& bytes, size_t pixelCount)
{
	auto byte = [&bytes](size_t at) { return static_cast<uint8>(bytes[at]); };
	if (bytes.size() < 13 || bytes.compare(0, 6, "GIF89a") != 0 || (byte(10) & 0x80) == 0)
		return "no GIF89a header with a global colour table";
	size_t at = 13 + 3 * (size_t(2) << (byte(10) & 7));
	if (at + 11 > bytes.size() || bytes[at] != ',')
		return "no image descriptor after the colour table";
	const int minimumCodeSize = byte(at + 10);
	std::string data;
	for (at += 11; at < bytes.size() && byte(at) != 0; at += 1 + byte(at)) {
		if (at + 1 + byte(at) > bytes.size())
			return "a data block runs past the end";
		data.append(bytes, at + 1, byte(at));
	}
	if (at + 2 != bytes.size() || bytes[at + 1] != ';')
		return "the file does not end with the block end and the trailer";

	const int clear = 1 << minimumCodeSize;
	std::vector<size_t> lengths(4096, 1);
	int width = minimumCodeSize + 1;
	int next = clear + 2;
	int previous = -1;
	size_t bit = 0;
	size_t pixels = 0;
	while (true) {
		if (bit + width > data.size() * 8)
			return "the code stream has no end code";
		int code = 0;
		for (int i = 0; i < width; i++, bit++)
			code |= ((static_cast<uint8>(data[bit / 8]) >> (bit % 8)) & 1) << i;
		if (bit == size_t(minimumCodeSize + 1) && code != clear)
			return "the code stream does not begin with a clear code";
		if (code == clear) {
			width = minimumCodeSize + 1;
			next = clear + 2;
			previous = -1;
			continue;
		}
		if (code == clear + 1)
			break;
		if (code > next || (code == next && previous < 0))
			return "a code beyond the table";
		size_t length = code == next ? lengths[previous] + 1 : lengths[code];
		if (previous >= 0 && next < 4096) {
			lengths[next++] = lengths[previous] + 1;
			if (next == (1 << width) && width < 12)
				width++;
		}
		pixels += length;
		previous = code;
	}
	if (pixels != pixelCount)
		return "a wrong number of pixels";
	if (data.size() != (bit + 7) / 8)
		return "data after the end code";
	if (bit % 8 != 0 && (static_cast<uint8>(data.back()) >> (bit % 8)) != 0)
		return "bits set after the end code";
	return "";
}

// The pixels gdk-pixbuf reads back must be exactly the palette colours, and
// the file must follow the format strictly.
void ExpectReadBackExactly(const IndexedImage& image)
{
	std::string bytes;
	ASSERT_EQ(GifWriter::Encode(image, &bytes), B_OK);
	EXPECT_EQ(StrictProblem(bytes, image.pixels.size()), "");
	std::unique_ptr<BBitmap> decoded(BTranslationUtils::GetBitmap(bytes.data(), bytes.size()));
	ASSERT_NE(decoded, nullptr) << BTranslationUtils::LastErrorText();
	ASSERT_EQ(WidthOf(*decoded), image.width);
	ASSERT_EQ(HeightOf(*decoded), image.height);
	int wrong = 0;
	for (int y = 0; y < image.height; y++) {
		for (int x = 0; x < image.width; x++) {
			rgb_color expected = image.palette[image.pixels[y * image.width + x]];
			wrong += ColourAt(*decoded, x, y) != expected;
		}
	}
	EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(GifRoundTrip, GdkPixbufAndAStrictReaderReadBackEveryPixel)
{
	const struct {
		const char* situation;
		int width;
		int height;
		int colours;
		Pattern pattern;
	} rows[] = {{"one colour in a table of two", 20, 10, 1, Pattern::kOneColour},
		{"three colours in a table of four", 41, 29, 3, Pattern::kNoise},
		{"full palette noise fills the code table again and again", 300, 200, 256,
			Pattern::kNoise},
		{"long runs make long strings", 500, 400, 4, Pattern::kLongRuns},
		{"one column", 1, 1000, 7, Pattern::kStripes},
		{"one pixel", 1, 1, 2, Pattern::kNoise}};
	for (const auto& row : rows) {
		SCOPED_TRACE(row.situation);
		ExpectReadBackExactly(MakeImage(row.width, row.height, row.colours, row.pattern));
	}
}

// Each length ends the code stream at another point of the code table's
// growth, where the last code and the end code change width.
TEST(GifCodeStream, EveryLengthAcrossSeveralWidthChangesReadsBack)
{
	for (int length = 1; length <= 600; length++) {
		SCOPED_TRACE(length);
		ExpectReadBackExactly(MakeImage(length, 1, 4, Pattern::kNoise));
		if (HasFailure())
			break;
	}
}

TEST(GifRefusal, ImagesThatCannotBeWrittenAreRefused)
{
	std::string bytes = "untouched";
	IndexedImage empty;
	EXPECT_EQ(GifWriter::Encode(empty, &bytes), B_BAD_VALUE);

	IndexedImage beyondPalette = MakeImage(4, 4, 3, Pattern::kStripes);
	beyondPalette.pixels[5] = 3;
	EXPECT_EQ(GifWriter::Encode(beyondPalette, &bytes), B_BAD_VALUE);

	IndexedImage shortOfPixels = MakeImage(4, 4, 3, Pattern::kStripes);
	shortOfPixels.pixels.pop_back();
	EXPECT_EQ(GifWriter::Encode(shortOfPixels, &bytes), B_BAD_VALUE);

	IndexedImage tooWide = MakeImage(1, 1, 2, Pattern::kOneColour);
	tooWide.width = 70000;
	tooWide.pixels.assign(70000, 0);
	EXPECT_EQ(GifWriter::Encode(tooWide, &bytes), B_BAD_VALUE);

	IndexedImage tooManyColours = MakeImage(2, 2, 2, Pattern::kOneColour);
	tooManyColours.palette.resize(257);
	EXPECT_EQ(GifWriter::Encode(tooManyColours, &bytes), B_BAD_VALUE);
	EXPECT_EQ(bytes, "untouched");
}

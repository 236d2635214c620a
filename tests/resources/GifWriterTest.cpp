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

// Reads a GIF of one image as the format describes it, more strictly than
// gdk-pixbuf, which stops as soon as it has every pixel: the blocks must
// follow each other exactly, and the code stream must end with the end
// code at the width the table has grown to, then nothing but zero bits.
class StrictReader {
public:
	explicit StrictReader(const std::string& bytes) : fBytes(bytes) {}

	// The palette indices of the pixels; empty, with Problem() saying why,
	// when the file does not follow the format.
	std::vector<uint8> Read()
	{
		std::string data;
		int minimumCodeSize = 0;
		std::vector<uint8> pixels;
		if (!_ReadBlocks(&data, &minimumCodeSize) || !_Decode(data, minimumCodeSize, &pixels))
			return {};
		return pixels;
	}

	const std::string& Problem() const { return fProblem; }

private:
	int _Byte(size_t at) const { return static_cast<uint8>(fBytes[at]); }

	bool _Fail(const std::string& problem)
	{
		fProblem = problem;
		return false;
	}

	bool _ReadBlocks(std::string* data, int* minimumCodeSize)
	{
		if (fBytes.size() < 13 || fBytes.compare(0, 6, "GIF89a") != 0)
			return _Fail("no GIF89a header");
		int packed = _Byte(10);
		if ((packed & 0x80) == 0)
			return _Fail("no global colour table");
		size_t at = 13 + 3 * (size_t(2) << (packed & 7));
		if (at + 11 > fBytes.size() || fBytes[at] != ',')
			return _Fail("no image descriptor after the colour table");
		fWidth = _Byte(at + 5) | _Byte(at + 6) << 8;
		fHeight = _Byte(at + 7) | _Byte(at + 8) << 8;
		*minimumCodeSize = _Byte(at + 10);
		at += 11;
		while (at < fBytes.size() && _Byte(at) != 0) {
			size_t length = _Byte(at);
			if (at + 1 + length > fBytes.size())
				return _Fail("a data block runs past the end");
			data->append(fBytes, at + 1, length);
			at += 1 + length;
		}
		if (at + 2 != fBytes.size() || fBytes[at + 1] != ';')
			return _Fail("the file does not end with the block end and the trailer");
		return true;
	}

	bool _Decode(const std::string& data, int minimumCodeSize, std::vector<uint8>* pixels)
	{
		const int clear = 1 << minimumCodeSize;
		const int end = clear + 1;
		std::vector<std::vector<uint8>> table;
		int size = 0;
		int previous = -1;
		size_t bit = 0;
		auto readCode = [&](int* code) {
			if (bit + size > data.size() * 8)
				return false;
			*code = 0;
			for (int i = 0; i < size; i++, bit++)
				*code |= ((static_cast<uint8>(data[bit / 8]) >> (bit % 8)) & 1) << i;
			return true;
		};
		auto reset = [&]() {
			table.assign(end + 1, {});
			for (int i = 0; i < clear; i++)
				table[i] = {static_cast<uint8>(i)};
			size = minimumCodeSize + 1;
			previous = -1;
		};
		reset();
		int code = 0;
		if (!readCode(&code) || code != clear)
			return _Fail("the code stream does not begin with a clear code");
		while (true) {
			if (!readCode(&code))
				return _Fail("the code stream has no end code");
			if (code == clear) {
				reset();
				continue;
			}
			if (code == end)
				break;
			std::vector<uint8> entry;
			if (code < static_cast<int>(table.size()) && (code < clear || code > end)) {
				entry = table[code];
			} else if (code == static_cast<int>(table.size()) && previous >= 0) {
				entry = table[previous];
				entry.push_back(table[previous][0]);
			} else {
				return _Fail("a code beyond the table");
			}
			if (previous >= 0 && table.size() < 4096) {
				std::vector<uint8> added = table[previous];
				added.push_back(entry[0]);
				table.push_back(added);
				if (table.size() == (size_t(1) << size) && size < 12)
					size++;
			}
			pixels->insert(pixels->end(), entry.begin(), entry.end());
			previous = code;
		}
		if (data.size() != (bit + 7) / 8)
			return _Fail("data after the end code");
		if (bit % 8 != 0 && (static_cast<uint8>(data.back()) >> (bit % 8)) != 0)
			return _Fail("bits set after the end code");
		if (pixels->size() != size_t(fWidth) * fHeight)
			return _Fail("a wrong number of pixels");
		return true;
	}

	const std::string& fBytes;
	std::string fProblem;
	int fWidth = 0;
	int fHeight = 0;
};

// The pixels gdk-pixbuf reads back must be exactly the palette colours, and
// a strict reader must find the same indices.
void ExpectReadBackExactly(const IndexedImage& image)
{
	std::string bytes;
	ASSERT_EQ(GifWriter::Encode(image, &bytes), B_OK);
	StrictReader strict(bytes);
	EXPECT_TRUE(strict.Read() == image.pixels) << strict.Problem();
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
		{"five colours in a table of eight", 64, 48, 5, Pattern::kNoise},
		{"sixteen colour noise", 64, 64, 16, Pattern::kNoise},
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

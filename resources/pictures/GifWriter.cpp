#include "GifWriter.h"

#include <algorithm>

#include <Bitmap.h>

#include "ColorQuantizer.h"
#include "GifLzw.h"

namespace {

const size_t kLargestSubBlock = 255;

void PutWord(std::string& bytes, int value)
{
	bytes.push_back(static_cast<char>(value & 0xff));
	bytes.push_back(static_cast<char>((value >> 8) & 0xff));
}

// The colour table holds 2 to 256 entries, a power of two; this is its
// exponent.
int TableBits(size_t colours)
{
	int bits = 1;
	while ((size_t(1) << bits) < colours)
		bits++;
	return bits;
}

bool IndicesFitPalette(const IndexedImage& image)
{
	uint8 largest = *std::max_element(image.pixels.begin(), image.pixels.end());
	return largest < image.palette.size();
}

void PutHeaderAndColours(std::string& bytes, const IndexedImage& image, int tableBits)
{
	bytes += "GIF89a";
	PutWord(bytes, image.width);
	PutWord(bytes, image.height);
	// A global table of 2^tableBits colours, 8 bits per primary colour.
	bytes.push_back(static_cast<char>(0x80 | (7 << 4) | (tableBits - 1)));
	bytes.push_back(0);  // background colour index
	bytes.push_back(0);  // no aspect ratio
	for (size_t i = 0; i < (size_t(1) << tableBits); i++) {
		rgb_color colour = i < image.palette.size() ? image.palette[i] : rgb_color{0, 0, 0, 255};
		bytes.push_back(static_cast<char>(colour.red));
		bytes.push_back(static_cast<char>(colour.green));
		bytes.push_back(static_cast<char>(colour.blue));
	}
}

void PutImage(std::string& bytes, const IndexedImage& image, int tableBits)
{
	bytes.push_back(',');
	PutWord(bytes, 0);
	PutWord(bytes, 0);
	PutWord(bytes, image.width);
	PutWord(bytes, image.height);
	bytes.push_back(0);  // no local table, not interlaced

	int minimumCodeSize = std::max(2, tableBits);
	bytes.push_back(static_cast<char>(minimumCodeSize));
	std::vector<uint8> data = GifLzw::Encode(image.pixels.data(), image.pixels.size(),
		minimumCodeSize);
	for (size_t start = 0; start < data.size(); start += kLargestSubBlock) {
		size_t length = std::min(kLargestSubBlock, data.size() - start);
		bytes.push_back(static_cast<char>(length));
		bytes.append(reinterpret_cast<const char*>(data.data() + start), length);
	}
	bytes.push_back(0);  // the end of the image's blocks
}

} // namespace

status_t GifWriter::Encode(const IndexedImage& image, std::string* bytes)
{
	if (bytes == nullptr || !image.IsValid() || image.width > 0xffff || image.height > 0xffff
		|| !IndicesFitPalette(image))
		return B_BAD_VALUE;
	int tableBits = TableBits(image.palette.size());
	bytes->clear();
	PutHeaderAndColours(*bytes, image, tableBits);
	PutImage(*bytes, image, tableBits);
	bytes->push_back(';');
	return B_OK;
}

status_t GifWriter::Encode(const BBitmap& picture, std::string* bytes)
{
	return Encode(ColorQuantizer::Quantize(picture), bytes);
}

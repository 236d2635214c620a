#include "ColorQuantizer.h"

#include <algorithm>
#include <unordered_map>

#include <Bitmap.h>

namespace {

typedef uint32 ColourKey;  // 0xRRGGBB

struct Entry {
	ColourKey key;
	uint32 count;
};

// A run of entries that will become one palette colour.
struct Box {
	size_t begin;
	size_t end;
};

int Channel(ColourKey key, int channel)
{
	return (key >> (16 - 8 * channel)) & 0xff;
}

rgb_color ColourOf(ColourKey key)
{
	return rgb_color{uint8(Channel(key, 0)), uint8(Channel(key, 1)), uint8(Channel(key, 2)), 255};
}

ColourKey KeyAt(const BBitmap& picture, int x, int y)
{
	const uint8* pixel = static_cast<const uint8*>(picture.Bits())
		+ static_cast<size_t>(y) * picture.BytesPerRow() + x * 4;
	return (ColourKey(pixel[2]) << 16) | (ColourKey(pixel[1]) << 8) | pixel[0];
}

// Every colour of the picture with the number of its pixels, in colour
// order, so that nothing depends on the order of a hash table.
std::vector<Entry> Histogram(const BBitmap& picture, int width, int height)
{
	std::unordered_map<ColourKey, uint32> counts;
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++)
			counts[KeyAt(picture, x, y)]++;
	}
	std::vector<Entry> entries;
	entries.reserve(counts.size());
	for (const auto& [key, count] : counts)
		entries.push_back(Entry{key, count});
	std::sort(entries.begin(), entries.end(),
		[](const Entry& a, const Entry& b) { return a.key < b.key; });
	return entries;
}

// The channel along which the box's colours spread most, and how far.
int WidestChannel(const std::vector<Entry>& entries, const Box& box, int* range)
{
	int best = 0;
	*range = -1;
	for (int channel = 0; channel < 3; channel++) {
		int low = 255;
		int high = 0;
		for (size_t i = box.begin; i < box.end; i++) {
			int value = Channel(entries[i].key, channel);
			low = std::min(low, value);
			high = std::max(high, value);
		}
		if (high - low > *range) {
			*range = high - low;
			best = channel;
		}
	}
	return best;
}

uint64 PixelsIn(const std::vector<Entry>& entries, const Box& box)
{
	uint64 pixels = 0;
	for (size_t i = box.begin; i < box.end; i++)
		pixels += entries[i].count;
	return pixels;
}

// The box to split next: the one whose spread, weighted by its pixels,
// is largest; ties go to the earlier box. -1 when none can be split.
int BoxToSplit(const std::vector<Entry>& entries, const std::vector<Box>& boxes)
{
	int chosen = -1;
	uint64 bestScore = 0;
	for (size_t i = 0; i < boxes.size(); i++) {
		if (boxes[i].end - boxes[i].begin < 2)
			continue;
		int range;
		WidestChannel(entries, boxes[i], &range);
		uint64 score = uint64(range + 1) * PixelsIn(entries, boxes[i]);
		if (chosen < 0 || score > bestScore) {
			chosen = static_cast<int>(i);
			bestScore = score;
		}
	}
	return chosen;
}

// Sorts the box along its widest channel and cuts it where half of its
// pixels lie on either side; both halves keep at least one colour.
Box Split(std::vector<Entry>& entries, Box& box)
{
	int range;
	int channel = WidestChannel(entries, box, &range);
	std::sort(entries.begin() + box.begin, entries.begin() + box.end,
		[channel](const Entry& a, const Entry& b) {
			int valueA = Channel(a.key, channel);
			int valueB = Channel(b.key, channel);
			return valueA != valueB ? valueA < valueB : a.key < b.key;
		});
	uint64 half = PixelsIn(entries, box) / 2;
	uint64 seen = 0;
	size_t cut = box.begin + 1;
	for (size_t i = box.begin; i < box.end - 1; i++) {
		seen += entries[i].count;
		cut = i + 1;
		if (seen >= half)
			break;
	}
	Box upper{cut, box.end};
	box.end = cut;
	return upper;
}

rgb_color MeanColour(const std::vector<Entry>& entries, const Box& box)
{
	uint64 sums[3] = {0, 0, 0};
	uint64 pixels = PixelsIn(entries, box);
	for (size_t i = box.begin; i < box.end; i++) {
		for (int channel = 0; channel < 3; channel++)
			sums[channel] += uint64(Channel(entries[i].key, channel)) * entries[i].count;
	}
	auto mean = [pixels](uint64 sum) { return uint8((sum + pixels / 2) / pixels); };
	return rgb_color{mean(sums[0]), mean(sums[1]), mean(sums[2]), 255};
}

std::vector<rgb_color> MedianCut(std::vector<Entry> entries, int maxColours)
{
	std::vector<Box> boxes{Box{0, entries.size()}};
	while (static_cast<int>(boxes.size()) < maxColours) {
		int chosen = BoxToSplit(entries, boxes);
		if (chosen < 0)
			break;
		Box upper = Split(entries, boxes[chosen]);
		boxes.push_back(upper);
	}
	std::vector<rgb_color> palette;
	for (const Box& box : boxes)
		palette.push_back(MeanColour(entries, box));
	return palette;
}

uint8 NearestIndex(const std::vector<rgb_color>& palette, ColourKey key)
{
	rgb_color colour = ColourOf(key);
	int best = 0;
	int bestDistance = -1;
	for (size_t i = 0; i < palette.size(); i++) {
		int red = palette[i].red - colour.red;
		int green = palette[i].green - colour.green;
		int blue = palette[i].blue - colour.blue;
		int distance = red * red + green * green + blue * blue;
		if (bestDistance < 0 || distance < bestDistance) {
			best = static_cast<int>(i);
			bestDistance = distance;
		}
	}
	return static_cast<uint8>(best);
}

} // namespace

IndexedImage ColorQuantizer::Quantize(const BBitmap& picture, int maxColours)
{
	IndexedImage image;
	if (!picture.IsValid() || picture.ColorSpace() != B_RGBA32 || maxColours < 1)
		return image;
	maxColours = std::min(maxColours, 256);
	int width = picture.Bounds().IntegerWidth() + 1;
	int height = picture.Bounds().IntegerHeight() + 1;
	std::vector<Entry> entries = Histogram(picture, width, height);

	if (static_cast<int>(entries.size()) <= maxColours) {
		for (const Entry& entry : entries)
			image.palette.push_back(ColourOf(entry.key));
	} else {
		image.palette = MedianCut(std::move(entries), maxColours);
	}

	std::unordered_map<ColourKey, uint8> nearest;
	image.pixels.reserve(static_cast<size_t>(width) * height);
	for (int y = 0; y < height; y++) {
		for (int x = 0; x < width; x++) {
			ColourKey key = KeyAt(picture, x, y);
			auto found = nearest.find(key);
			if (found == nearest.end())
				found = nearest.emplace(key, NearestIndex(image.palette, key)).first;
			image.pixels.push_back(found->second);
		}
	}
	image.width = width;
	image.height = height;
	return image;
}

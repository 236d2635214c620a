#include "SpaceSizes.h"

#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

namespace {

constexpr int32 kLargestSize = 10000;
constexpr int32 kMostSpaces = 1024;

std::mutex sLock;

float LineHeight(const BFont& font)
{
	font_height height;
	font.GetHeight(&height);
	return std::floor(height.ascent + height.descent + height.leading);
}

std::string FamilyAndStyle(const BFont& font)
{
	font_family family;
	font_style style;
	font.GetFamilyAndStyle(&family, &style);
	return std::string(family) + '\n' + style;
}

} // namespace

namespace SpaceSizes {

float FontSizeForHeight(float height)
{
	BFont font;
	std::tuple<std::string, float> key(FamilyAndStyle(font), height);
	static std::map<std::tuple<std::string, float>, float> sSizes;
	{
		std::lock_guard<std::mutex> guard(sLock);
		auto found = sSizes.find(key);
		if (found != sSizes.end())
			return found->second;
	}
	// The line grows with the size, so the smallest taller size is found by
	// halving: each size tried makes a font of that size, which the program
	// keeps (tens of kilobytes each), and trying every size up to a big
	// picture's height made hundreds of them.
	int32 low = 1;
	int32 high = kLargestSize;
	while (low < high) {
		int32 middle = low + (high - low) / 2;
		font.SetSize(static_cast<float>(middle));
		if (LineHeight(font) > height)
			high = middle;
		else
			low = middle + 1;
	}
	float size = static_cast<float>(low);
	std::lock_guard<std::mutex> guard(sLock);
	sSizes[key] = size;
	return size;
}

int32 CharactersForWidth(const BFont& font, float width)
{
	std::tuple<std::string, float, float> key(FamilyAndStyle(font), font.Size(), width);
	static std::map<std::tuple<std::string, float, float>, int32> sCounts;
	{
		std::lock_guard<std::mutex> guard(sLock);
		auto found = sCounts.find(key);
		if (found != sCounts.end())
			return found->second;
	}
	int32 count = kMostSpaces;
	std::string spaces;
	for (int32 n = 0; n <= kMostSpaces; n++) {
		if (font.StringWidth(spaces.c_str()) >= width) {
			count = n;
			break;
		}
		spaces += ' ';
	}
	std::lock_guard<std::mutex> guard(sLock);
	sCounts[key] = count + 1;
	return count + 1;
}

} // namespace SpaceSizes

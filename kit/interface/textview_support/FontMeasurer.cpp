#include "FontMeasurer.h"

#include <algorithm>
#include <cmath>

namespace BPrivate {

namespace {

const char kNonBreakingSpace = 0x0F;

} // namespace

std::string_view FontMeasurer::Drawable(std::string_view bytes, std::string& scratch)
{
	if (bytes.find(kNonBreakingSpace) == std::string_view::npos)
		return bytes;
	scratch.assign(bytes);
	std::replace(scratch.begin(), scratch.end(), kNonBreakingSpace, ' ');
	return scratch;
}

float FontMeasurer::StringWidth(const char* text, int32 length, const BFont& font)
{
	if (text == nullptr || length <= 0)
		return 0;
	std::string_view bytes = Drawable(std::string_view(text, length), fScratch);
	return font.StringWidth(bytes.data(), static_cast<int32>(bytes.size()));
}

// Whole pixels, so that lines start on pixel rows and text, highlight and
// caret stay sharp.
void FontMeasurer::GetHeight(const BFont& font, font_height* height)
{
	font.GetHeight(height);
	height->ascent = std::ceil(height->ascent);
	height->descent = std::ceil(height->descent);
	height->leading = std::ceil(height->leading);
}

} // namespace BPrivate

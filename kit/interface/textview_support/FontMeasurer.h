#ifndef _VELMORA_FONT_MEASURER_H
#define _VELMORA_FONT_MEASURER_H

#include <string>
#include <string_view>

#include "TextMeasurer.h"

namespace BPrivate {

// Measures with the fonts themselves (cached glyph advances). Byte 0x0F,
// the editor's non-breaking space, is measured and drawn as a space.
class FontMeasurer : public TextMeasurer {
public:
	float StringWidth(const char* text, int32 length, const BFont& font) override;
	void GetHeight(const BFont& font, font_height* height) override;

	// The bytes as they are drawn: 0x0F becomes a space (copied into
	// scratch only when there is one).
	static std::string_view Drawable(std::string_view bytes, std::string& scratch);

private:
	std::string fScratch;
};

} // namespace BPrivate

#endif

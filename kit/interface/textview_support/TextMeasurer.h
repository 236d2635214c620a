#ifndef _VELMORA_TEXT_MEASURER_H
#define _VELMORA_TEXT_MEASURER_H

#include <Font.h>

namespace BPrivate {

// What the text layout needs to know of fonts. The text view measures with
// BFont; the layout never sees tabs or line feeds here, it places those
// itself.
class TextMeasurer {
public:
	virtual ~TextMeasurer() = default;

	virtual float StringWidth(const char* text, int32 length, const BFont& font) = 0;
	virtual void GetHeight(const BFont& font, font_height* height) = 0;
};

} // namespace BPrivate

#endif

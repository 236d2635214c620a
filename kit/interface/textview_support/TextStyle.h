#ifndef _VELMORA_TEXT_STYLE_H
#define _VELMORA_TEXT_STYLE_H

#include <Font.h>
#include <GraphicsDefs.h>

namespace BPrivate {

// The font and colour of a stretch of styled text.
struct TextStyle {
	BFont font;
	rgb_color color;

	bool operator==(const TextStyle& other) const
	{
		return color == other.color && font == other.font;
	}
	bool operator!=(const TextStyle& other) const { return !(*this == other); }
};

} // namespace BPrivate

#endif

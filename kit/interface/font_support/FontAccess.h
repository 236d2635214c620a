#ifndef _VELMORA_FONT_ACCESS_H
#define _VELMORA_FONT_ACCESS_H

#include <Font.h>

namespace BPrivate {

class FontStyle;
class SizedFont;

// What drawing and text layout code needs of a BFont beyond its public
// interface: the style it resolves to and the measured font at its size.
class FontAccess {
public:
	// Null only when no font is installed at all.
	static const FontStyle* Style(const BFont& font) { return font._Style(); }
	static const SizedFont* Sized(const BFont& font);

	static constexpr BFont System(uint8 which, uint16 face) { return BFont(which, face); }
};

} // namespace BPrivate

#endif

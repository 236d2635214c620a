#ifndef _VELMORA_TEXT_WRAPPING_H
#define _VELMORA_TEXT_WRAPPING_H

#include <string>
#include <vector>

#include <Font.h>

namespace BPrivate {

// Breaks text into lines no wider than width in the font: at line feeds,
// and at the last space (or after the last slash or hyphen) that lets a
// line fit. A word wider than a line is cut between characters. Spaces at
// a break are dropped; an empty text gives no lines.
std::vector<std::string> WrapText(const std::string& text, const BFont& font, float width);

} // namespace BPrivate

#endif

#ifndef VELMORA_CHARSET_CORRECTION_H
#define VELMORA_CHARSET_CORRECTION_H

#include <optional>
#include <string>
#include <string_view>

#include "TextEncoding.h"

// Mends a page whose bytes are UTF-8 while it declares a single-byte
// charset: the declaration is made UTF-8, and the text reads as its author
// meant it.
class CharsetCorrection {
public:
	// The text of such a page (as decoded by encoding), read anew from its
	// bytes with the declaration saying UTF-8; none for any other page, or
	// when the text no longer makes UTF-8 bytes.
	static std::optional<std::string> Corrected(std::string_view text,
		const TextEncoding& encoding);
};

#endif

#ifndef _VELMORA_UTF8_H
#define _VELMORA_UTF8_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 helpers shared by the kits. Offsets are byte offsets; a "boundary"
// is an offset that does not fall inside a multi-byte character.
namespace BPrivate {
namespace UTF8 {

inline bool IsContinuation(unsigned char byte)
{
	return (byte & 0xC0) == 0x80;
}

// Length announced by a lead byte: 1 for ASCII and for stray bytes.
inline int LeadLength(unsigned char byte)
{
	if (byte < 0xC2)
		return 1;
	if (byte < 0xE0)
		return 2;
	if (byte < 0xF0)
		return 3;
	if (byte < 0xF5)
		return 4;
	return 1;
}

// Length of the well-formed character at text[offset], or 1 when the
// bytes there are not a well-formed character (a stray byte counts alone).
size_t CharLength(std::string_view text, size_t offset);

// The start of the character after / before the one at offset.
size_t Next(std::string_view text, size_t offset);
size_t Previous(std::string_view text, size_t offset);

// Moves offset back to the start of the character it falls in.
size_t Boundary(std::string_view text, size_t offset);

bool IsValid(std::string_view text);

// A copy in which each byte that is not part of a well-formed character is
// replaced by U+FFFD, so that it can be drawn.
std::string Sanitized(std::string_view text);

// Decodes the character at offset; a malformed one gives U+FFFD and length 1.
uint32_t Decode(std::string_view text, size_t offset, size_t* length = nullptr);

// Appends the encoding of a code point (U+FFFD for values beyond U+10FFFF).
void Append(std::string& out, uint32_t code);

size_t CountChars(std::string_view text);

} // namespace UTF8
} // namespace BPrivate

#endif

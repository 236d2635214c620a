#include <UTF8.h>

#include <cstdint>
#include <cstring>

namespace BPrivate {
namespace UTF8 {

namespace {

// The length of the character at offset, 1 for a byte that starts none;
// inline for the walks over whole texts.
inline size_t ValidCharLength(std::string_view text, size_t offset)
{
	if (offset >= text.size())
		return 0;
	unsigned char lead = text[offset];
	int length = LeadLength(lead);
	if (length == 1 || offset + length > text.size())
		return 1;
	unsigned char second = text[offset + 1];
	// Reject overlong forms, surrogates and code points beyond U+10FFFF.
	if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F)
		|| (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
		return 1;
	for (int i = 1; i < length; i++) {
		if (!IsContinuation(text[offset + i]))
			return 1;
	}
	return length;
}

} // namespace

size_t CharLength(std::string_view text, size_t offset)
{
	return ValidCharLength(text, offset);
}

size_t Next(std::string_view text, size_t offset)
{
	if (offset >= text.size())
		return text.size();
	return offset + CharLength(text, offset);
}

size_t Boundary(std::string_view text, size_t offset)
{
	if (offset >= text.size())
		return text.size();
	// A character is at most 4 bytes: look back at most 3 for its lead.
	for (size_t back = 1; back <= 3 && back <= offset; back++) {
		if (!IsContinuation(text[offset - back + 1]))
			break;
		size_t start = offset - back;
		if (!IsContinuation(text[start])) {
			if (start + CharLength(text, start) > offset)
				return start;
			break;
		}
	}
	return offset;
}

size_t Previous(std::string_view text, size_t offset)
{
	if (offset == 0)
		return 0;
	if (offset > text.size())
		offset = text.size();
	return Boundary(text, offset - 1);
}

bool IsValid(std::string_view text)
{
	for (size_t offset = 0; offset < text.size();) {
		// Most text is ASCII: eight bytes at a time, while none has its top bit.
		uint64_t word;
		while (offset + 8 <= text.size()
				&& (memcpy(&word, text.data() + offset, 8), (word & 0x8080808080808080ull) == 0))
			offset += 8;
		if (offset >= text.size())
			break;
		size_t length = ValidCharLength(text, offset);
		if (length == 1 && static_cast<unsigned char>(text[offset]) >= 0x80)
			return false;
		offset += length;
	}
	return true;
}

std::string Sanitized(std::string_view text)
{
	std::string out;
	out.reserve(text.size());
	for (size_t offset = 0; offset < text.size();) {
		size_t length = ValidCharLength(text, offset);
		if (length == 1 && static_cast<unsigned char>(text[offset]) >= 0x80)
			out += "\xEF\xBF\xBD";
		else
			out.append(text.substr(offset, length));
		offset += length;
	}
	return out;
}

uint32_t Decode(std::string_view text, size_t offset, size_t* lengthOut)
{
	size_t length = CharLength(text, offset);
	if (lengthOut != nullptr)
		*lengthOut = length;
	if (length == 0)
		return 0;
	unsigned char lead = text[offset];
	if (length == 1)
		return lead < 0x80 ? lead : 0xFFFD;
	uint32_t code = lead & (0xFF >> (length + 1));
	for (size_t i = 1; i < length; i++)
		code = (code << 6) | (static_cast<unsigned char>(text[offset + i]) & 0x3F);
	return code;
}

void Append(std::string& out, uint32_t code)
{
	if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
		code = 0xFFFD;
	if (code < 0x80) {
		out += static_cast<char>(code);
	} else if (code < 0x800) {
		out += static_cast<char>(0xC0 | (code >> 6));
		out += static_cast<char>(0x80 | (code & 0x3F));
	} else if (code < 0x10000) {
		out += static_cast<char>(0xE0 | (code >> 12));
		out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
		out += static_cast<char>(0x80 | (code & 0x3F));
	} else {
		out += static_cast<char>(0xF0 | (code >> 18));
		out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
		out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
		out += static_cast<char>(0x80 | (code & 0x3F));
	}
}

size_t CountChars(std::string_view text)
{
	size_t count = 0;
	for (size_t offset = 0; offset < text.size(); offset = Next(text, offset))
		count++;
	return count;
}

} // namespace UTF8
} // namespace BPrivate

#include "PastedText.h"

#include <UTF8.h>

#include "EntityTable.h"

using namespace BPrivate;

namespace {

constexpr char kNonBreakingSpace = static_cast<char>(kNonBreakingSpaceCode);
const uint32_t kNoBreakSpaceCode = 0xA0;

bool IsControl(uint32_t code)
{
	return code < 0x20 || code == 0x7F || (code >= 0x80 && code < 0xA0);
}

} // namespace

std::vector<std::string> PastedText::Lines(std::string_view text)
{
	std::vector<std::string> lines(1);
	for (size_t offset = 0; offset < text.size();) {
		char byte = text[offset];
		if (byte == '\r' || byte == '\n') {
			bool crlf = byte == '\r' && offset + 1 < text.size() && text[offset + 1] == '\n';
			offset += crlf ? 2 : 1;
			lines.emplace_back();
			continue;
		}
		size_t length = UTF8::CharLength(text, offset);
		AppendCharacter(lines.back(), text, offset, length);
		offset += length;
	}
	return lines;
}

void PastedText::AppendCharacter(std::string& line, std::string_view text, size_t offset,
	size_t length)
{
	size_t decoded = 0;
	uint32_t code = UTF8::Decode(text, offset, &decoded);
	if (code == '\t')
		code = ' ';
	if (code == ' ') {
		if (line.empty() || line.back() != ' ')
			line += ' ';
		return;
	}
	if (code == kNoBreakSpaceCode) {
		line += kNonBreakingSpace;
		return;
	}
	if (IsControl(code))
		return;
	// A malformed byte decodes alone, as U+FFFD.
	if (decoded != length || (code == 0xFFFD && length == 1)) {
		UTF8::Append(line, 0xFFFD);
		return;
	}
	line.append(text.substr(offset, length));
}

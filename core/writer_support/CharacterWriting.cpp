#include "CharacterWriting.h"

#include <algorithm>

#include "EntityTable.h"
#include "UTF8.h"

namespace CharacterWriting {

void Append(std::string& html, uint32 code, std::string_view character, bool bytesAsRead)
{
	if (bytesAsRead && code == kNonBreakingSpaceCode) {
		html += "\xC2\xA0";
		return;
	}
	const char* name = bytesAsRead && code > 127 ? nullptr : EntityName(code);
	if (name == nullptr) {
		html.append(character);
		return;
	}
	html += '&';
	html += name;
	html += ';';
}

std::string Escaped(std::string_view text, bool bytesAsRead)
{
	std::string html;
	html.reserve(text.size());
	for (size_t offset = 0; offset < text.size();) {
		size_t length = 1;
		uint32 code = static_cast<uint8>(text[offset]);
		if (code > 127)
			code = BPrivate::UTF8::Decode(text, offset, &length);
		Append(html, code, text.substr(offset, length), bytesAsRead);
		offset += length;
	}
	return html;
}

} // namespace CharacterWriting

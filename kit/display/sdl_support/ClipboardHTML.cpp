#include "ClipboardHTML.h"

#include <cstdint>

#include <SupportDefs.h>
#include <UTF8.h>

namespace BPrivate {

namespace {

uint32_t LittleEndianUnit(const std::string& data, size_t offset)
{
	return static_cast<uint8>(data[offset]) | static_cast<uint8>(data[offset + 1]) << 8;
}

uint32_t BigEndianUnit(const std::string& data, size_t offset)
{
	return static_cast<uint8>(data[offset]) << 8 | static_cast<uint8>(data[offset + 1]);
}

} // namespace

std::string ClipboardHTML::AsUtf8(const std::string& data)
{
	if (data.size() < 2)
		return data;
	bool little = static_cast<uint8>(data[0]) == 0xFF && static_cast<uint8>(data[1]) == 0xFE;
	bool big = static_cast<uint8>(data[0]) == 0xFE && static_cast<uint8>(data[1]) == 0xFF;
	if (!little && !big)
		return data;
	std::string utf8;
	for (size_t offset = 2; offset + 1 < data.size(); offset += 2) {
		uint32_t unit = little ? LittleEndianUnit(data, offset) : BigEndianUnit(data, offset);
		bool high = unit >= 0xD800 && unit < 0xDC00;
		if (high && offset + 3 < data.size()) {
			uint32_t low = little ? LittleEndianUnit(data, offset + 2)
				: BigEndianUnit(data, offset + 2);
			if (low >= 0xDC00 && low < 0xE000) {
				UTF8::Append(utf8, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
				offset += 2;
				continue;
			}
		}
		// A lone surrogate is no character.
		UTF8::Append(utf8, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
	}
	return utf8;
}

} // namespace BPrivate

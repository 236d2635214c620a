#include "StringHelpers.h"

#include <Message.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

char AsciiLower(char c)
{
	return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpper(char c)
{
	return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char* NewCopy(std::string_view text)
{
	char* copy = new char[text.size() + 1];
	memcpy(copy, text.data(), text.size());
	copy[text.size()] = '\0';
	return copy;
}

template <typename Same>
int32 CommonPrefixLength(const char* a, const char* b, Same same)
{
	if (a == nullptr || b == nullptr)
		return 0;
	int32 length = 0;
	while (a[length] != '\0' && b[length] != '\0' && same(a[length], b[length]))
		length++;
	return length;
}

// A letter or digit of a word; bytes of multi-byte UTF-8 characters are
// letters of some script.
bool IsWordCharacter(char c)
{
	unsigned char byte = static_cast<unsigned char>(c);
	return byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z')
		|| (byte >= 'A' && byte <= 'Z');
}

int HexDigitValue(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	char lower = AsciiLower(c);
	if (lower >= 'a' && lower <= 'f')
		return lower - 'a' + 10;
	return -1;
}

} // namespace

char* newtext(const char* text)
{
	return text != nullptr ? NewCopy(text) : nullptr;
}

char* strncpy0(char* dest, const char* src, size_t n)
{
	if (dest == nullptr)
		return nullptr;
	size_t length = src != nullptr ? strnlen(src, n) : 0;
	if (length > 0)
		memcpy(dest, src, length);
	dest[length] = '\0';
	return src != nullptr ? dest : nullptr;
}

char* endstrcpys(char* buffer, const char* piece1, const char* piece2, const char* piece3,
	const char* piece4, const char* piece5, const char* piece6, const char* piece7,
	const char* piece8)
{
	if (buffer == nullptr)
		return nullptr;
	char* end = buffer + strlen(buffer);
	for (const char* piece : {piece1, piece2, piece3, piece4, piece5, piece6, piece7, piece8}) {
		if (piece != nullptr)
			end = stpcpy(end, piece);
	}
	return buffer;
}

bool strcmpexact(const char* a, const char* b)
{
	return a != nullptr && b != nullptr && strcmp(a, b) == 0;
}

bool strcmpexactxcase(const char* a, const char* b)
{
	if (a == nullptr || b == nullptr)
		return false;
	int32 common = strcmplenxcase(a, b);
	return a[common] == '\0' && b[common] == '\0';
}

int32 strcmplen(const char* a, const char* b)
{
	return CommonPrefixLength(a, b, [](char x, char y) { return x == y; });
}

int32 strcmplenxcase(const char* a, const char* b)
{
	return CommonPrefixLength(a, b, [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

char* strtolower(char* text)
{
	for (char* c = text; c != nullptr && *c != '\0'; c++)
		*c = AsciiLower(*c);
	return text;
}

char* strtoupper(char* text)
{
	for (char* c = text; c != nullptr && *c != '\0'; c++)
		*c = AsciiUpper(*c);
	return text;
}

char* itoa(int32 value)
{
	char buffer[16];
	snprintf(buffer, sizeof(buffer), "%" PRId32, value);
	return NewCopy(buffer);
}

char* itoahex(int32 value)
{
	char buffer[16];
	snprintf(buffer, sizeof(buffer), "%" PRIX32, static_cast<uint32>(value));
	return NewCopy(buffer);
}

int32 hexitoa(const char* text)
{
	if (text == nullptr)
		return 0;
	uint64 value = 0;
	for (; HexDigitValue(*text) >= 0; text++) {
		value = value * 16 + HexDigitValue(*text);
		if (value > UINT32_MAX)
			return -1;
	}
	return static_cast<int32>(static_cast<uint32>(value));
}

char* GetWordCommaSep(const char* text, int32* end)
{
	if (text == nullptr)
		return nullptr;
	size_t start = 0;
	while (text[start] != '\0' && !IsWordCharacter(text[start]))
		start++;
	size_t stop = start;
	while (text[stop] != '\0' && text[stop] != ',')
		stop++;
	if (end != nullptr)
		*end = static_cast<int32>(stop);
	size_t last = stop;
	while (last > start && !IsWordCharacter(text[last - 1]))
		last--;
	if (last == start)
		return nullptr;
	return NewCopy(std::string_view(text + start, last - start));
}

int32 MakeUTF8Char(int32 code, char* buffer)
{
	if (code < 0 || buffer == nullptr)
		return 0;
	uint32 value = static_cast<uint32>(code);
	if (value > 0xFFFF || (value >= 0xD800 && value <= 0xDFFF))
		value = 0xFFFD;
	int32 length;
	if (value <= 0x7F) {
		buffer[0] = static_cast<char>(value);
		length = 1;
	} else if (value <= 0x7FF) {
		buffer[0] = static_cast<char>(0xC0 | (value >> 6));
		buffer[1] = static_cast<char>(0x80 | (value & 0x3F));
		length = 2;
	} else {
		buffer[0] = static_cast<char>(0xE0 | (value >> 12));
		buffer[1] = static_cast<char>(0x80 | ((value >> 6) & 0x3F));
		buffer[2] = static_cast<char>(0x80 | (value & 0x3F));
		length = 3;
	}
	buffer[length] = '\0';
	return length;
}

char* ProcessPath(char* out, const char* path)
{
	if (out == nullptr)
		return nullptr;
	out[0] = '\0';
	if (path == nullptr)
		return nullptr;

	std::string result;
	// Where each segment that a later "../" may remove starts in result.
	std::vector<size_t> removable;
	std::string_view rest(path);
	while (!rest.empty()) {
		size_t slash = rest.find('/');
		bool hasSlash = slash != std::string_view::npos;
		std::string_view segment = rest.substr(0, hasSlash ? slash : rest.size());
		rest.remove_prefix(hasSlash ? slash + 1 : rest.size());

		if (segment == ".")
			continue;
		if (segment == ".." && !removable.empty()) {
			result.resize(removable.back());
			removable.pop_back();
			continue;
		}
		if (!segment.empty() && segment != "..")
			removable.push_back(result.size());
		result += segment;
		if (hasSlash)
			result += '/';
	}
	memcpy(out, result.c_str(), result.size() + 1);
	return out;
}

std::string FlattenedMessage(const BMessage* message)
{
	ssize_t size = message != nullptr ? message->FlattenedSize() : -1;
	if (size <= 0)
		return std::string();
	std::string flat(size, '\0');
	if (message->Flatten(flat.data(), size) != B_OK)
		return std::string();
	return flat;
}

bool CompareMessages(const BMessage* a, const BMessage* b)
{
	if (a == nullptr || b == nullptr || a->FlattenedSize() != b->FlattenedSize())
		return false;
	std::string flat = FlattenedMessage(a);
	return !flat.empty() && flat == FlattenedMessage(b);
}

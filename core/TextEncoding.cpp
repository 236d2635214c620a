#include "TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>

#include <UTF8.h>

#include "parser_support/AsciiCase.h"
#include "parser_support/CharsetDeclaration.h"

namespace {

using namespace BPrivate;

// Bytes 0x80 to 0x9F of Windows-1252. The five bytes it leaves undefined
// stand for the control characters of the same number, so that every byte
// reads as a character and writes back as the same byte.
constexpr uint32_t kWindows1252High[32] = {
	0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
	0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
	0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
	0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178
};

uint32_t Windows1252ToUnicode(unsigned char byte)
{
	return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

// The byte for a character, or -1 when Windows-1252 lacks it.
int UnicodeToWindows1252(uint32_t code)
{
	if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
		return static_cast<int>(code);
	for (int i = 0; i < 32; i++) {
		if (kWindows1252High[i] == code)
			return 0x80 + i;
	}
	return -1;
}

void AppendReference(std::string& bytes, uint32_t code)
{
	bytes += "&#";
	bytes += std::to_string(code);
	bytes += ';';
}

// The pages the Latin-1 family declares are read as Windows-1252, as
// browsers read them: authors who wrote 0x80..0x9F meant its characters.
struct LatinName {
	const char* declared;
	const char* canonical;
};

constexpr LatinName kLatinNames[] = {
	{"iso-8859-1", "ISO-8859-1"}, {"iso8859-1", "ISO-8859-1"}, {"iso_8859-1", "ISO-8859-1"},
	{"latin1", "ISO-8859-1"}, {"l1", "ISO-8859-1"}, {"cp819", "ISO-8859-1"},
	{"ibm819", "ISO-8859-1"}, {"us-ascii", "US-ASCII"}, {"ascii", "US-ASCII"},
	{"usascii", "US-ASCII"}, {"windows-1252", "windows-1252"}, {"cp1252", "windows-1252"},
	{"x-cp1252", "windows-1252"},
};

struct SixteenBitMark {
	const char* name;
	const char* bytes;
};

constexpr SixteenBitMark kSixteenBitMarks[] = {
	{"UTF-16LE", "\xFF\xFE"}, {"UTF-16BE", "\xFE\xFF"},
};

class Converter {
public:
	Converter(const char* to, const char* from) : fHandle(iconv_open(to, from)) {}
	~Converter()
	{
		if (IsValid())
			iconv_close(fHandle);
	}
	Converter(const Converter&) = delete;
	Converter& operator=(const Converter&) = delete;

	bool IsValid() const { return fHandle != reinterpret_cast<iconv_t>(-1); }

	// Converts as much as it can; returns false at a sequence it cannot take,
	// with in and inLeft left at it.
	bool Convert(char*& in, size_t& inLeft, std::string& out)
	{
		char buffer[4096];
		while (inLeft > 0) {
			char* outPosition = buffer;
			size_t outLeft = sizeof(buffer);
			size_t result = iconv(fHandle, &in, &inLeft, &outPosition, &outLeft);
			out.append(buffer, outPosition - buffer);
			if (result == static_cast<size_t>(-1) && errno != E2BIG)
				return false;
		}
		char* outPosition = buffer;
		size_t outLeft = sizeof(buffer);
		iconv(fHandle, nullptr, nullptr, &outPosition, &outLeft);
		out.append(buffer, outPosition - buffer);
		return true;
	}

private:
	iconv_t fHandle;
};

bool IconvDecode(const std::string& name, std::string_view bytes, std::string& text)
{
	Converter converter("UTF-8", name.c_str());
	if (!converter.IsValid())
		return false;
	std::string input(bytes);
	char* in = input.data();
	size_t inLeft = input.size();
	text.clear();
	return converter.Convert(in, inLeft, text) && UTF8::IsValid(text);
}

bool IconvEncode(const std::string& name, std::string_view text, std::string& bytes)
{
	Converter converter(name.c_str(), "UTF-8");
	if (!converter.IsValid())
		return false;
	std::string input(text);
	char* in = input.data();
	size_t inLeft = input.size();
	bool complete = true;
	while (!converter.Convert(in, inLeft, bytes)) {
		size_t offset = in - input.data();
		size_t length = 1;
		AppendReference(bytes, UTF8::Decode(input, offset, &length));
		in += length;
		inLeft -= length;
		complete = false;
	}
	return complete;
}

// The number of ASCII bytes from offset on; pages are mostly ASCII, and
// runs of it need no decoding.
size_t AsciiRun(std::string_view bytes, size_t offset)
{
	size_t end = offset;
	while (end + 8 <= bytes.size()) {
		uint64_t word;
		memcpy(&word, bytes.data() + end, sizeof(word));
		if ((word & 0x8080808080808080ull) != 0)
			break;
		end += 8;
	}
	while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
		end++;
	return end - offset;
}

bool IsUtf8(std::string_view bytes)
{
	for (size_t offset = 0; offset < bytes.size();) {
		offset += AsciiRun(bytes, offset);
		if (offset >= bytes.size())
			return true;
		size_t length = UTF8::CharLength(bytes, offset);
		if (length == 1)
			return false;
		offset += length;
	}
	return true;
}

bool StartsWith(std::string_view bytes, std::string_view prefix)
{
	return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

TextEncoding::TextEncoding()
	:
	TextEncoding(Method::kUTF8, "UTF-8", false)
{
}

TextEncoding::TextEncoding(Method method, std::string name, bool byteOrderMark)
	:
	fMethod(method),
	fName(std::move(name)),
	fByteOrderMark(byteOrderMark)
{
}

TextEncoding TextEncoding::Detect(std::string_view bytes)
{
	bool foundUtf8 = false;
	return Detect(bytes, foundUtf8);
}

TextEncoding TextEncoding::Detect(std::string_view bytes, bool& foundUtf8)
{
	if (StartsWith(bytes, "\xEF\xBB\xBF"))
		return TextEncoding(Method::kUTF8, "UTF-8", true);
	std::string scratch;
	for (const SixteenBitMark& mark : kSixteenBitMarks) {
		TextEncoding candidate(Method::kIconv, mark.name, true);
		if (StartsWith(bytes, mark.bytes) && candidate.Decode(bytes, scratch))
			return candidate;
	}

	TextEncoding declared;
	if (ForDeclaredCharset(CharsetDeclaration::Find(bytes), declared)
			&& (declared.fMethod != Method::kIconv || declared.Decode(bytes, scratch))) {
		declared.fUtf8Bytes = declared.fMethod == Method::kWindows1252
			&& AsciiRun(bytes, 0) < bytes.size() && IsUtf8(bytes);
		return declared;
	}

	foundUtf8 = IsUtf8(bytes);
	if (foundUtf8)
		return TextEncoding();
	return TextEncoding(Method::kWindows1252, "windows-1252", false);
}

TextEncoding TextEncoding::DecodePage(std::string_view bytes, std::string& text)
{
	bool foundUtf8 = false;
	TextEncoding encoding = Detect(bytes, foundUtf8);
	if (foundUtf8)
		text.assign(bytes);
	else
		encoding.Decode(bytes, text);
	return encoding;
}

TextEncoding TextEncoding::DecodePageTaking(std::string&& bytes, std::string& text)
{
	bool foundUtf8 = false;
	TextEncoding encoding = Detect(bytes, foundUtf8);
	if (foundUtf8)
		text = std::move(bytes);
	else
		encoding.Decode(bytes, text);
	std::string().swap(bytes);
	return encoding;
}

TextEncoding TextEncoding::Named(std::string_view name, bool byteOrderMark)
{
	TextEncoding encoding;
	for (const SixteenBitMark& mark : kSixteenBitMarks) {
		if (name == mark.name)
			encoding = TextEncoding(Method::kIconv, mark.name, false);
	}
	if (encoding.fMethod != Method::kIconv && !ForDeclaredCharset(name, encoding))
		encoding = TextEncoding();
	encoding.fByteOrderMark = byteOrderMark;
	return encoding;
}

bool TextEncoding::ForDeclaredCharset(std::string_view charset, TextEncoding& encoding)
{
	if (charset.empty())
		return false;
	std::string lower = AsciiCase::Lower(charset);
	// A page whose bytes could be read to find the declaration is not in a
	// sixteen-bit encoding, whatever it says.
	if (lower == "utf-8" || lower == "utf8" || lower.rfind("utf-16", 0) == 0
			|| lower.rfind("ucs-2", 0) == 0) {
		encoding = TextEncoding();
		return true;
	}
	for (const LatinName& latin : kLatinNames) {
		if (lower == latin.declared) {
			encoding = TextEncoding(Method::kWindows1252, latin.canonical, false);
			return true;
		}
	}
	Converter probe("UTF-8", std::string(charset).c_str());
	if (!probe.IsValid())
		return false;
	encoding = TextEncoding(Method::kIconv, std::string(charset), false);
	return true;
}

bool TextEncoding::Decode(std::string_view bytes, std::string& text) const
{
	text.clear();
	switch (fMethod) {
		case Method::kUTF8:
			if (fByteOrderMark && StartsWith(bytes, "\xEF\xBB\xBF"))
				bytes.remove_prefix(3);
			if (IsUtf8(bytes)) {
				text.assign(bytes);
				return true;
			}
			text.reserve(bytes.size());
			for (size_t offset = 0; offset < bytes.size();) {
				size_t ascii = AsciiRun(bytes, offset);
				text.append(bytes.substr(offset, ascii));
				offset += ascii;
				if (offset >= bytes.size())
					break;
				size_t length = UTF8::CharLength(bytes, offset);
				if (length == 1)
					UTF8::Append(text, Windows1252ToUnicode(bytes[offset]));
				else
					text.append(bytes.substr(offset, length));
				offset += length;
			}
			return true;
		case Method::kWindows1252:
			text.reserve(bytes.size() + bytes.size() / 8);
			for (size_t offset = 0; offset < bytes.size(); offset++) {
				size_t ascii = AsciiRun(bytes, offset);
				text.append(bytes.substr(offset, ascii));
				offset += ascii;
				if (offset < bytes.size())
					UTF8::Append(text, Windows1252ToUnicode(bytes[offset]));
			}
			return true;
		case Method::kIconv:
			if (fByteOrderMark && bytes.size() >= 2)
				bytes.remove_prefix(2);
			return IconvDecode(fName, bytes, text);
	}
	return false;
}

bool TextEncoding::Encode(std::string_view text, std::string& bytes) const
{
	bytes.assign(ByteOrderMark());
	return AppendEncoded(text, bytes);
}

std::string_view TextEncoding::ByteOrderMark() const
{
	if (!fByteOrderMark)
		return {};
	if (fMethod == Method::kUTF8)
		return "\xEF\xBB\xBF";
	for (const SixteenBitMark& mark : kSixteenBitMarks) {
		if (fMethod == Method::kIconv && fName == mark.name)
			return mark.bytes;
	}
	return {};
}

bool TextEncoding::AppendEncoded(std::string_view text, std::string& bytes) const
{
	switch (fMethod) {
		case Method::kUTF8:
			bytes.append(text);
			return true;
		case Method::kWindows1252: {
			bool complete = true;
			bytes.reserve(bytes.size() + text.size());
			for (size_t offset = 0; offset < text.size();) {
				size_t length = 1;
				uint32_t code = UTF8::Decode(text, offset, &length);
				int byte = UnicodeToWindows1252(code);
				if (byte >= 0) {
					bytes += static_cast<char>(byte);
				} else {
					AppendReference(bytes, code);
					complete = false;
				}
				offset += length;
			}
			return complete;
		}
		case Method::kIconv:
			return IconvEncode(fName, text, bytes);
	}
	return false;
}

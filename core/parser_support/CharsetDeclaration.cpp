#include "CharsetDeclaration.h"

#include "AsciiCase.h"
#include "TagReader.h"

namespace {

// Browsers look for the declaration near the start; so does this.
constexpr size_t kScanLimit = 64 * 1024;

std::string_view Trimmed(std::string_view text)
{
	while (!text.empty() && (TagReader::IsSpace(text.front()) || text.front() == '"'
			|| text.front() == '\''))
		text.remove_prefix(1);
	while (!text.empty() && (TagReader::IsSpace(text.back()) || text.back() == '"'
			|| text.back() == '\''))
		text.remove_suffix(1);
	return text;
}

std::string_view Value(const TagAttributeText& attribute)
{
	return attribute.value.has_value() ? *attribute.value : std::string_view();
}

} // namespace

std::string CharsetDeclaration::Find(std::string_view bytes)
{
	return std::string(Locate(bytes));
}

std::string_view CharsetDeclaration::Locate(std::string_view bytes)
{
	if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
		bytes.remove_prefix(3);
	std::string_view declared = FromXmlDeclaration(bytes);
	if (!declared.empty())
		return declared;

	std::string_view start = bytes.substr(0, kScanLimit);
	for (size_t offset = start.find('<'); offset != std::string_view::npos;
			offset = start.find('<', offset + 1)) {
		if (start.substr(offset, 4) == "<!--") {
			size_t close = start.find("-->", offset + 4);
			if (close == std::string_view::npos)
				break;
			offset = close + 2;
		} else if (AsciiCase::StartsWith(start.substr(offset + 1), "meta")) {
			std::string_view charset = FromMeta(bytes, offset);
			if (!charset.empty())
				return charset;
		}
	}
	return std::string_view();
}

std::string_view CharsetDeclaration::FromXmlDeclaration(std::string_view bytes)
{
	if (bytes.substr(0, 5) != "<?xml")
		return std::string_view();
	size_t close = bytes.find("?>");
	if (close == std::string_view::npos)
		return std::string_view();
	std::string_view declaration = bytes.substr(0, close);
	size_t name = declaration.find("encoding");
	if (name == std::string_view::npos)
		return std::string_view();
	size_t equals = declaration.find('=', name);
	if (equals == std::string_view::npos)
		return std::string_view();
	std::string_view rest = declaration.substr(equals + 1);
	while (!rest.empty() && TagReader::IsSpace(rest.front()))
		rest.remove_prefix(1);
	if (rest.empty() || (rest.front() != '"' && rest.front() != '\''))
		return std::string_view();
	size_t end = rest.find(rest.front(), 1);
	if (end == std::string_view::npos)
		return std::string_view();
	return Trimmed(rest.substr(1, end - 1));
}

std::string_view CharsetDeclaration::FromMeta(std::string_view bytes, size_t offset)
{
	StartTagText tag;
	if (!TagReader::ReadStartTag(bytes, offset, tag) || !AsciiCase::Equal(tag.name, "meta"))
		return std::string_view();
	bool contentType = false;
	std::string_view content;
	for (const TagAttributeText& attribute : tag.attributes) {
		if (AsciiCase::Equal(attribute.name, "charset"))
			return Trimmed(Value(attribute));
		if (AsciiCase::Equal(attribute.name, "http-equiv"))
			contentType = AsciiCase::Equal(Trimmed(Value(attribute)), "content-type");
		else if (AsciiCase::Equal(attribute.name, "content"))
			content = Value(attribute);
	}
	return contentType ? FromContentType(content) : std::string_view();
}

std::string_view CharsetDeclaration::FromContentType(std::string_view content)
{
	std::string lower = AsciiCase::Lower(content);
	size_t key = lower.find("charset");
	if (key == std::string::npos)
		return std::string_view();
	size_t position = key + 7;
	while (position < lower.size() && TagReader::IsSpace(lower[position]))
		position++;
	if (position >= lower.size() || lower[position] != '=')
		return std::string_view();
	position++;
	while (position < lower.size() && (TagReader::IsSpace(lower[position])
			|| lower[position] == '"' || lower[position] == '\''))
		position++;
	size_t end = position;
	while (end < content.size() && (TagReader::IsNameChar(content[end]) || content[end] == '+'))
		end++;
	return content.substr(position, end - position);
}

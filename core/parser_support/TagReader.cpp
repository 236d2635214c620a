#include "TagReader.h"

bool TagReader::IsNameStart(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool TagReader::IsNameChar(char c)
{
	return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_'
		|| c == ':';
}

bool TagReader::IsSpace(char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

size_t TagReader::NameLength(std::string_view text, size_t offset)
{
	if (offset >= text.size() || !IsNameStart(text[offset]))
		return 0;
	size_t end = offset + 1;
	while (end < text.size() && IsNameChar(text[end]))
		end++;
	return end - offset;
}

bool TagReader::ReadStartTag(std::string_view text, size_t offset, StartTagText& tag)
{
	// Cleared rather than replaced: readers reuse one tag and its storage.
	tag.name = std::string_view();
	tag.attributes.clear();
	tag.end = 0;
	tag.selfClosing = false;
	if (offset >= text.size() || text[offset] != '<')
		return false;
	size_t nameLength = NameLength(text, offset + 1);
	if (nameLength == 0)
		return false;
	tag.name = text.substr(offset + 1, nameLength);
	size_t position = offset + 1 + nameLength;
	while (position < text.size()) {
		char c = text[position];
		if (IsSpace(c)) {
			position++;
		} else if (c == '>') {
			tag.end = position + 1;
			return true;
		} else if (c == '/') {
			size_t next = position + 1;
			while (next < text.size() && IsSpace(text[next]))
				next++;
			if (next >= text.size() || text[next] != '>')
				return false;
			tag.selfClosing = true;
			tag.end = next + 1;
			return true;
		} else {
			TagAttributeText attribute;
			if (!ReadAttribute(text, position, attribute))
				return false;
			tag.attributes.push_back(attribute);
		}
	}
	return false;
}

bool TagReader::ReadAttribute(std::string_view text, size_t& offset, TagAttributeText& attribute)
{
	size_t start = offset;
	while (offset < text.size()) {
		char c = text[offset];
		if (IsSpace(c) || c == '=' || c == '>' || c == '/')
			break;
		if (c == '<' || c == '"' || c == '\'' || c == '`')
			return false;
		offset++;
	}
	if (offset == start)
		return false;
	attribute.name = text.substr(start, offset - start);
	attribute.value.reset();
	attribute.delim = 0;

	size_t afterName = offset;
	while (offset < text.size() && IsSpace(text[offset]))
		offset++;
	if (offset >= text.size() || text[offset] != '=') {
		offset = afterName;
		return true;
	}
	offset++;
	while (offset < text.size() && IsSpace(text[offset]))
		offset++;
	if (offset >= text.size())
		return false;

	char quote = text[offset];
	if (quote == '"' || quote == '\'') {
		size_t close = text.find(quote, offset + 1);
		if (close == std::string_view::npos)
			return false;
		attribute.value = text.substr(offset + 1, close - offset - 1);
		attribute.delim = quote;
		offset = close + 1;
		return true;
	}
	size_t valueStart = offset;
	while (offset < text.size() && !IsSpace(text[offset]) && text[offset] != '>') {
		if (text[offset] == '<' || text[offset] == '"' || text[offset] == '\'')
			return false;
		offset++;
	}
	attribute.value = text.substr(valueStart, offset - valueStart);
	return true;
}

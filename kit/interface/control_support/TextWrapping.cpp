#include "TextWrapping.h"

#include <UTF8.h>

namespace BPrivate {

namespace {

float Width(const BFont& font, const std::string& text, size_t from, size_t to)
{
	return font.StringWidth(text.c_str() + from, static_cast<int32>(to - from));
}

// The end of the longest run of whole characters from `from` that fits;
// at least one character, so that every line moves on.
size_t FitCharacters(const std::string& text, const BFont& font, float width, size_t from,
	size_t to)
{
	size_t end = UTF8::Next(text, from);
	while (end < to) {
		size_t next = UTF8::Next(text, end);
		if (Width(font, text, from, next) > width)
			break;
		end = next;
	}
	return end;
}

// Where a line that must end by `fits` ends: at its last space, or after
// its last slash or hyphen (so that paths and compounds break where a
// reader expects), or else between characters at `fits`.
size_t BreakBefore(const std::string& text, size_t from, size_t fits)
{
	for (size_t at = fits; at > from; at--) {
		if (text[at] == ' ')
			return at;
		char before = text[at - 1];
		if ((before == '/' || before == '-') && at - 1 > from)
			return at;
	}
	return fits;
}

// Wraps one paragraph (no line feeds) onto lines.
void WrapParagraph(const std::string& text, size_t from, size_t to, const BFont& font,
	float width, std::vector<std::string>& lines)
{
	while (from < to) {
		if (Width(font, text, from, to) <= width) {
			lines.push_back(text.substr(from, to - from));
			return;
		}
		size_t fits = FitCharacters(text, font, width, from, to);
		size_t end = BreakBefore(text, from, fits);
		if (fits < to && text[fits] == ' ')
			end = fits;
		size_t lineEnd = end;
		while (lineEnd > from && text[lineEnd - 1] == ' ')
			lineEnd--;
		lines.push_back(text.substr(from, lineEnd - from));
		from = end;
		while (from < to && text[from] == ' ')
			from++;
	}
}

} // namespace

std::vector<std::string> WrapText(const std::string& text, const BFont& font, float width)
{
	std::vector<std::string> lines;
	size_t start = 0;
	while (start < text.size()) {
		size_t end = text.find('\n', start);
		if (end == std::string::npos)
			end = text.size();
		if (end == start)
			lines.emplace_back();
		else
			WrapParagraph(text, start, end, font, width, lines);
		start = end + 1;
	}
	return lines;
}

} // namespace BPrivate

#include "SourceText.h"

#include <algorithm>

#include <UTF8.h>

SourceText::SourceText(std::string text)
{
	fText.reserve(text.size());
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] != '\r') {
			fText += text[i];
		} else {
			fText += '\n';
			if (i + 1 < text.size() && text[i + 1] == '\n')
				i++;
		}
	}
	IndexLines();
}

namespace {

bool IsUncounted(unsigned char c)
{
	return c < 0x20 && c != '\t' && c != '\n';
}

} // namespace

void SourceText::IndexLines()
{
	fLineStarts.push_back(0);
	bool simple = true;
	for (size_t i = 0; i < fText.size(); i++) {
		unsigned char c = fText[i];
		if (c == '\n') {
			fLineIsSimple.push_back(simple);
			fLineStarts.push_back(i + 1);
			simple = true;
		} else if (c >= 0x80 || IsUncounted(c)) {
			simple = false;
		}
	}
	fLineIsSimple.push_back(simple);
}

size_t SourceText::OffsetOf(int32 line, int32 column) const
{
	if (line < 1)
		return 0;
	size_t index = static_cast<size_t>(line) - 1;
	if (index >= fLineStarts.size())
		return fText.size();
	size_t start = fLineStarts[index];
	size_t end = index + 1 < fLineStarts.size() ? fLineStarts[index + 1] - 1 : fText.size();
	size_t wanted = column > 1 ? static_cast<size_t>(column) - 1 : 0;
	if (fLineIsSimple[index])
		return start + std::min(wanted, end - start);

	size_t offset = start;
	size_t counted = 0;
	if (fCursorLine == index && static_cast<size_t>(fCursorColumn) <= wanted) {
		offset = fCursorOffset;
		counted = fCursorColumn;
	}
	std::string_view text(fText);
	while (offset < end && (counted < wanted || IsUncounted(text[offset]))) {
		if (!IsUncounted(text[offset]))
			counted++;
		offset = BPrivate::UTF8::Next(text, offset);
	}
	fCursorLine = index;
	fCursorColumn = static_cast<int32>(counted);
	fCursorOffset = offset;
	return offset;
}

std::pair<int32, int32> SourceText::PlaceOf(std::string_view text, size_t offset)
{
	offset = std::min(offset, text.size());
	size_t lineStart = 0;
	if (offset > 0) {
		size_t newline = text.rfind('\n', offset - 1);
		if (newline != std::string_view::npos)
			lineStart = newline + 1;
	}
	int32 line = 1 + static_cast<int32>(std::count(text.begin(), text.begin() + lineStart, '\n'));
	int32 column = 1;
	for (size_t i = lineStart; i < offset; i = BPrivate::UTF8::Next(text, i)) {
		if (!IsUncounted(text[i]))
			column++;
	}
	return {line, column};
}

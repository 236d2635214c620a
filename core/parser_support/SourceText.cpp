#include "SourceText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kColumnsPerMark = 32;

bool IsUncounted(unsigned char c)
{
	return c < 0x20 && c != '\t' && c != '\n';
}

bool IsContinuation(unsigned char c)
{
	return (c & 0xC0) == 0x80;
}

// Whether the byte starts a character the library gives a column.
bool TakesAColumn(unsigned char c)
{
	return !IsContinuation(c) && !IsUncounted(c);
}

// Whether eight bytes are all printable ASCII (a column each, no line end).
bool ArePrintableAscii(const char* bytes)
{
	uint64_t word;
	memcpy(&word, bytes, sizeof(word));
	// Bytes from 0x80 on have bit 7 set; bytes below 0x20 have bits 5 and 6
	// clear (among bytes below 0x80).
	uint64_t controls = ~word & (~word << 1) & 0x4040404040404040ull;
	return ((word & 0x8080808080808080ull) | controls) == 0;
}

// The number of printable ASCII bytes from offset on.
size_t PrintableRun(const std::string& text, size_t offset)
{
	size_t end = offset;
	while (end + 8 <= text.size() && ArePrintableAscii(text.data() + end))
		end += 8;
	while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x20
			&& static_cast<unsigned char>(text[end]) < 0x80)
		end++;
	return end - offset;
}

} // namespace

SourceText::SourceText(std::string text)
{
	if (text.find('\r') == std::string::npos) {
		fText = std::move(text);
	} else {
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
	}
	IndexLines();
}

void SourceText::IndexLines()
{
	// A mark for every 32 characters, give or take the line ends.
	fMarks.reserve(fText.size() / kColumnsPerMark + 1);
	fLineStarts.push_back(0);
	fFirstMarkOfLine.push_back(0);
	size_t column = 0;
	const size_t size = fText.size();
	for (size_t i = 0; i < size;) {
		unsigned char c = fText[i];
		if (c >= 0x20 && c < 0x80) {
			// A column per byte: the marks fall at known places.
			size_t run = PrintableRun(fText, i);
			size_t firstMarked = (column + kColumnsPerMark - 1) / kColumnsPerMark * kColumnsPerMark;
			for (size_t marked = firstMarked; marked < column + run; marked += kColumnsPerMark)
				fMarks.push_back(i + (marked - column));
			column += run;
			i += run;
		} else if (c == '\n') {
			fLineStarts.push_back(i + 1);
			fFirstMarkOfLine.push_back(fMarks.size());
			column = 0;
			i++;
		} else if (TakesAColumn(c)) {
			// A tab or a multi-byte character: its lead takes the column,
			// its continuation bytes none.
			if (column % kColumnsPerMark == 0)
				fMarks.push_back(i);
			column++;
			i++;
			while (i < size && IsContinuation(fText[i]))
				i++;
		} else {
			i++;
		}
	}
}

size_t SourceText::LineEnd(size_t line) const
{
	return line + 1 < fLineStarts.size() ? fLineStarts[line + 1] - 1 : fText.size();
}

std::pair<size_t, size_t> SourceText::MarksOf(size_t line) const
{
	size_t end = line + 1 < fFirstMarkOfLine.size() ? fFirstMarkOfLine[line + 1] : fMarks.size();
	return {fFirstMarkOfLine[line], end};
}

size_t SourceText::OffsetOf(int32 line, int32 column) const
{
	if (line < 1)
		return 0;
	size_t index = static_cast<size_t>(line) - 1;
	if (index >= fLineStarts.size())
		return fText.size();
	size_t end = LineEnd(index);
	size_t wanted = column > 1 ? static_cast<size_t>(column) - 1 : 0;
	auto [firstMark, endMark] = MarksOf(index);
	size_t offset = fLineStarts[index];
	size_t counted = 0;
	if (endMark > firstMark) {
		size_t mark = std::min(firstMark + wanted / kColumnsPerMark, endMark - 1);
		offset = fMarks[mark];
		counted = (mark - firstMark) * kColumnsPerMark;
	}
	if (fLastFound.line == index && fLastFound.counted >= counted
			&& fLastFound.counted <= wanted) {
		offset = fLastFound.offset;
		counted = fLastFound.counted;
	}
	while (offset < end && (counted < wanted || IsUncounted(fText[offset]))) {
		if (TakesAColumn(fText[offset]))
			counted++;
		offset++;
		while (offset < end && IsContinuation(fText[offset]))
			offset++;
	}
	fLastFound = Place{index, counted, offset};
	return offset;
}

std::pair<int32, int32> SourceText::PlaceOf(size_t offset) const
{
	offset = std::min(offset, fText.size());
	size_t line = std::upper_bound(fLineStarts.begin(), fLineStarts.end(), offset)
		- fLineStarts.begin() - 1;
	auto [firstMark, endMark] = MarksOf(line);
	auto after = std::upper_bound(fMarks.begin() + firstMark, fMarks.begin() + endMark, offset);
	size_t position = fLineStarts[line];
	size_t column = 0;
	if (after != fMarks.begin() + firstMark) {
		size_t mark = (after - fMarks.begin()) - 1;
		position = fMarks[mark];
		column = (mark - firstMark) * kColumnsPerMark;
	}
	for (; position < offset; position++) {
		if (TakesAColumn(fText[position]))
			column++;
	}
	return {static_cast<int32>(line) + 1, static_cast<int32>(column) + 1};
}

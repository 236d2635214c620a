#ifndef LIBRARY_PLACE_H
#define LIBRARY_PLACE_H

#include <string>
#include <utility>

#include <SupportDefs.h>

// The line and column of an offset as the HTML library counts them in a
// page's text: lines from 1 at each LF, columns from 1, one per character;
// control characters other than tabs take no column.
inline std::pair<int32, int32> LibraryPlace(const std::string& text, size_t offset)
{
	int32 line = 1;
	size_t lineStart = 0;
	for (size_t i = 0; i < offset && i < text.size(); i++) {
		if (text[i] == '\n') {
			line++;
			lineStart = i + 1;
		}
	}
	int32 column = 1;
	for (size_t i = lineStart; i < offset && i < text.size(); i++) {
		unsigned char c = text[i];
		if ((c & 0xC0) != 0x80 && (c >= 0x20 || c == '\t'))
			column++;
	}
	return {line, column};
}

#endif

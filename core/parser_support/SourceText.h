#ifndef SOURCE_TEXT_H
#define SOURCE_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <SupportDefs.h>

// A page's text as the HTML window holds it (UTF-8, lines ended by LF), and
// the way between the HTML library's lines and columns and byte offsets in
// it. The library is given this very text with tabs kept, so it counts lines
// from 1 at each LF and columns from 1, one per character, a tab too; it
// skips the other control characters without counting them.
class SourceText {
public:
	// Takes decoded text; CR LF and lone CR become LF.
	explicit SourceText(std::string text);

	const std::string& Text() const { return fText; }
	// Hands the text over; the offsets are then no longer usable.
	std::string TakeText() { return std::move(fText); }

	// The offset of a line and column; a column beyond its line gives the
	// line's end, a line beyond the text the text's end.
	size_t OffsetOf(int32 line, int32 column) const;
	// The line and column of an offset.
	std::pair<int32, int32> PlaceOf(size_t offset) const;

private:
	void IndexLines();
	size_t LineEnd(size_t line) const;
	// The first mark of a line and the one after its last.
	std::pair<size_t, size_t> MarksOf(size_t line) const;

	std::string fText;
	std::vector<size_t> fLineStarts;
	// Lines can be megabytes long (pages written on one line) and hold
	// multi-byte characters, so the offset of every 32nd column is kept:
	// finding a column walks at most 31 characters.
	std::vector<size_t> fMarks;
	std::vector<size_t> fFirstMarkOfLine;
	// Where the last column asked for was found: the tree's nodes are
	// asked for in the order of the text, most often a few columns further
	// along the same line, which is walked from here rather than from a mark.
	struct Place {
		size_t line = SIZE_MAX;
		size_t counted = 0;
		size_t offset = 0;
	};
	mutable Place fLastFound;
};

#endif

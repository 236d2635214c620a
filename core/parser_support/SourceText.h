#ifndef SOURCE_TEXT_H
#define SOURCE_TEXT_H

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <SupportDefs.h>

// A page's text as the HTML window holds it (UTF-8, lines ended by LF), and
// the way from the HTML library's line and column to a byte offset in it.
// The library is given this very text with tabs kept, so it counts lines
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
	// line's end, a line beyond the text the text's end. Calls that move
	// forward through a line are cheap: a cursor remembers the last place.
	size_t OffsetOf(int32 line, int32 column) const;
	// The other way: the line and column the library gives an offset of a
	// text it reads.
	static std::pair<int32, int32> PlaceOf(std::string_view text, size_t offset);

private:
	void IndexLines();

	std::string fText;
	std::vector<size_t> fLineStarts;
	// Lines of printable ASCII and tabs, where a column is a byte.
	std::vector<bool> fLineIsSimple;

	// Where the last look-up on a line with multi-byte characters ended.
	mutable size_t fCursorLine = 0;
	mutable int32 fCursorColumn = 0;
	mutable size_t fCursorOffset = 0;
};

#endif

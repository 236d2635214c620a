#ifndef _VELMORA_TEXT_NAVIGATION_H
#define _VELMORA_TEXT_NAVIGATION_H

#include <SupportDefs.h>

namespace BPrivate {

class StyledText;
class TextGeometry;

// Where the caret goes: by characters, words, lines and pages. Every
// offset it gives lies on a character boundary.
class TextNavigation {
public:
	TextNavigation(const StyledText& text, const TextGeometry& geometry)
		: fText(text), fGeometry(geometry) {}

	int32 PreviousCharacter(int32 offset) const;
	int32 NextCharacter(int32 offset) const;
	// The word, the run of spaces or the run of punctuation at offset (the
	// character before it at the end of a line or of the text).
	void FindWord(int32 offset, int32* from, int32* to) const;
	// The start of the word before offset and the end of the word after it.
	int32 PreviousWordStart(int32 offset) const;
	int32 NextWordEnd(int32 offset) const;

	// The first offset of the line that holds offset, and the last one the
	// caret can take on it: before its line feed, or before the last
	// character of a line that was wrapped.
	int32 LineStart(int32 offset) const;
	int32 LineEnd(int32 offset) const;
	// The line start .. next line start.
	void LineRange(int32 offset, int32* from, int32* to) const;
	// The offset at x on the line count lines below (above when negative)
	// the one that holds offset; past the first or last line, the start or
	// end of the text.
	int32 LineOffset(int32 offset, int32 count, float x) const;
	// The offset at x, distance pixels below (above when negative) the
	// caret's line.
	int32 PageOffset(int32 offset, float distance, float x) const;

private:
	int _ClassAt(int32 offset) const;

	const StyledText& fText;
	const TextGeometry& fGeometry;
};

} // namespace BPrivate

#endif

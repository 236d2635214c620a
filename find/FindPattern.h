#ifndef VELMORA_FIND_PATTERN_H
#define VELMORA_FIND_PATTERN_H

#include <string>
#include <string_view>
#include <vector>

#include <SupportDefs.h>

// What the finder looks for, and its matching rule: the "Find:" text
// compared with the searched text character by character (UTF-8 decoded,
// never byte by byte), exactly or with the letter case of every alphabet
// folded, and, for a whole word, only where neither end of the match
// touches a letter or a digit. A match is always a run of whole
// characters. Ignoring case folds one character to one character: ß
// matches ß and ẞ, never "ss".
//
// A text may stand one byte for the non-breaking space (the visual text
// does); set with SetNonBreakingSpace, that byte matches a non-breaking
// space of the find text, and only that.
class FindPattern {
public:
	FindPattern(std::string_view findText, bool caseSensitive, bool wholeWord);

	void SetNonBreakingSpace(char standIn) { nonBreakingStandIn = standIn; }

	// Nothing to look for: an empty find text finds nothing.
	bool IsEmpty() const { return characters.empty(); }

	// The length in bytes of the match that begins at offset of text, or 0.
	// boundaryBefore: offset is at a word boundary (the character before is
	// not a letter or a digit, or there is none).
	int32 Compare(std::string_view text, size_t offset, bool boundaryBefore) const;

	// The character at offset, and the one before it, as the rule reads
	// them; 0 past either end.
	uint32 CharacterAt(std::string_view text, size_t offset, size_t* length) const;
	bool IsWordCharacterBefore(std::string_view text, size_t offset) const;

	static bool IsWordCharacter(uint32 code);
	// The lower-case form a case-blind comparison uses.
	static uint32 Fold(uint32 code);

private:
	uint32 Comparable(uint32 code) const;

	std::vector<uint32> characters;	// folded unless case sensitive
	bool caseSensitive;
	bool wholeWord;
	char nonBreakingStandIn;
};

#endif

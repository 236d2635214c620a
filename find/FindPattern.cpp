#include "FindPattern.h"

#include <locale.h>
#include <wctype.h>

#include <UTF8.h>

namespace UTF8 = BPrivate::UTF8;

namespace {

constexpr uint32 kNonBreakingSpace = 0xA0;
constexpr uint32 kFinalSigma = 0x3C2;
constexpr uint32 kSigma = 0x3C3;

// Letter case and letters of every alphabet, whatever locale the program
// runs in: the environment's may be plain ASCII.
locale_t UnicodeCharacters()
{
	static locale_t characters = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
	return characters;
}

} // namespace

FindPattern::FindPattern(std::string_view findText, bool caseSensitive, bool wholeWord)
	:
	caseSensitive(caseSensitive),
	wholeWord(wholeWord),
	nonBreakingStandIn(0)
{
	for (size_t offset = 0; offset < findText.size();) {
		size_t length = 0;
		uint32 code = UTF8::Decode(findText, offset, &length);
		characters.push_back(caseSensitive ? code : Fold(code));
		offset += length;
	}
}

bool FindPattern::IsWordCharacter(uint32 code)
{
	if (code < 0x80)
		return (code >= '0' && code <= '9') || ((code | 0x20) >= 'a' && (code | 0x20) <= 'z');
	locale_t characters = UnicodeCharacters();
	return characters != locale_t(0) && iswalnum_l(static_cast<wint_t>(code), characters);
}

// Final sigma folds with sigma, as both are the one letter.
uint32 FindPattern::Fold(uint32 code)
{
	if (code < 0x80)
		return code >= 'A' && code <= 'Z' ? code + ('a' - 'A') : code;
	if (code == kFinalSigma)
		return kSigma;
	locale_t characters = UnicodeCharacters();
	if (characters == locale_t(0))
		return code;
	return static_cast<uint32>(towlower_l(static_cast<wint_t>(code), characters));
}

uint32 FindPattern::CharacterAt(std::string_view text, size_t offset, size_t* length) const
{
	if (offset >= text.size()) {
		*length = 0;
		return 0;
	}
	uint8 byte = static_cast<uint8>(text[offset]);
	if (byte < 0x80) {
		*length = 1;
		return nonBreakingStandIn != 0 && text[offset] == nonBreakingStandIn
			? kNonBreakingSpace : byte;
	}
	return UTF8::Decode(text, offset, length);
}

bool FindPattern::IsWordCharacterBefore(std::string_view text, size_t offset) const
{
	if (offset == 0 || offset > text.size())
		return false;
	size_t length = 0;
	return IsWordCharacter(CharacterAt(text, UTF8::Previous(text, offset), &length));
}

uint32 FindPattern::Comparable(uint32 code) const
{
	return caseSensitive ? code : Fold(code);
}

int32 FindPattern::Compare(std::string_view text, size_t offset, bool boundaryBefore) const
{
	if (characters.empty() || (wholeWord && !boundaryBefore))
		return 0;
	size_t at = offset;
	for (uint32 wanted : characters) {
		size_t length = 0;
		uint32 code = CharacterAt(text, at, &length);
		if (length == 0 || Comparable(code) != wanted)
			return 0;
		at += length;
	}
	if (wholeWord) {
		size_t length = 0;
		if (IsWordCharacter(CharacterAt(text, at, &length)))
			return 0;
	}
	return static_cast<int32>(at - offset);
}

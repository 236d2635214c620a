#include "htmlview_support/SourceColorizer.h"

#include <algorithm>

#include "AttributeDictionary.h"
#include "EntityTable.h"
#include "TagDictionary.h"
#include "parser_support/AsciiCase.h"

namespace {

// Text read around a range beyond its end and before its start at a time:
// enough to finish the tag or entity it ends in, as a rule; more is read
// when it is not.
constexpr int32 kReadAhead = 1024;
constexpr int32 kReadBack = 4096;
// Longer names are in none of the tables.
constexpr size_t kLongestName = 32;
constexpr uint32 kLastCodePoint = 0x10FFFF;

bool IsBlank(char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
	return c >= '0' && c <= '9';
}

bool IsQuote(char c)
{
	return c == '"' || c == '\'';
}

// What follows "&" in an entity: a name or "#" and a number.
bool IsEntityChar(char c)
{
	return IsLetter(c) || IsDigit(c) || c == '#';
}

// What may follow "<" in a tag: a name, "/", "!" or "?".
bool IsTagStart(char c)
{
	return IsLetter(c) || c == '/' || c == '!' || c == '?';
}

bool IsTagNameChar(char c)
{
	return IsLetter(c) || IsDigit(c) || c == '-' || c == '_' || c == ':' || c == '.';
}

bool IsAttributeNameChar(char c)
{
	return !IsBlank(c) && !IsQuote(c) && c != '=' && c != '/' && c != '<' && c != '>';
}

// Behind such a character, in text, the colours before are settled: it
// continues no entity and opens no tag (and ends no character of several
// bytes in its middle).
bool EndsConstructs(char c)
{
	return static_cast<unsigned char>(c) < 0x80 && !IsEntityChar(c) && c != '&' && c != '<';
}

// Looks a name up in a table that takes NUL-terminated names.
template <typename Entry>
const Entry* LookUpName(std::string_view name, const Entry* (*lookUp)(const char*))
{
	if (name.empty() || name.size() > kLongestName)
		return nullptr;
	char buffer[kLongestName + 1];
	name.copy(buffer, name.size());
	buffer[name.size()] = '\0';
	return lookUp(buffer);
}

// "#" and decimal digits, or "#x" and hexadecimal ones, naming a
// character; or a name of the entity table.
bool IsKnownEntity(std::string_view word)
{
	if (word[0] != '#')
		return LookUpName(word, LookUpEntity) != nullptr;
	bool hex = word.size() > 1 && (word[1] | 0x20) == 'x';
	std::string_view digits = word.substr(hex ? 2 : 1);
	if (digits.empty())
		return false;
	uint32 code = 0;
	for (char c : digits) {
		uint32 digit;
		if (IsDigit(c))
			digit = c - '0';
		else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
			digit = (c | 0x20) - 'a' + 10;
		else
			return false;
		code = code * (hex ? 16 : 10) + digit;
		if (code > kLastCodePoint)
			return false;
	}
	return code > 0;
}

// Colours a piece of the text that starts at a point of rest, up to a
// point at or behind stop from which on the colours the text had are
// still right (see _CanStop()). Every step moves forward by at least one
// byte, so that any text ends the walk.
class Scanner {
public:
	Scanner(std::string_view piece, int32 base, bool endsText, int32 stop, bool settled,
		std::vector<SourceColorRun>& runs)
		:
		fPiece(piece),
		fLength(static_cast<int32>(piece.size())),
		fBase(base),
		fEndsText(endsText),
		fStop(stop),
		fSettled(settled),
		fRuns(runs)
	{
	}

	// True with *end set where colouring stops; false when the piece ends
	// before and more of the text is needed.
	bool Run(int32* end)
	{
		*end = -1;
		int32 position = 0;
		while (*end < 0) {
			if (position >= fStop && _CanStop(position)) {
				*end = position;
				return true;
			}
			if (position >= fLength)
				return false;
			char c = fPiece[position];
			bool read = c == '<' ? _Tag(position) : c == '&' ? _Entity(position)
				: _Text(position, end);
			if (!read)
				return false;
		}
		return true;
	}

private:
	// The text behind stop is what it was. From a "<" of it on, or from
	// behind a ">" of it, the old colours hold whatever came before; so
	// they do at any point of rest when the old text was at a point of
	// rest at stop (settled), as nothing between stop and here changed.
	bool _CanStop(int32 position) const
	{
		if (position == fLength && fEndsText)
			return true;
		if (position < fLength && fPiece[position] == '<')
			return true;
		if (position == 0)
			return fSettled;
		char before = fPiece[position - 1];
		if (before == '>' && position - 1 >= fStop)
			return true;
		return fSettled && EndsConstructs(before);
	}

	void _Color(int32 position, source_color color)
	{
		int32 offset = fBase + position;
		if (!fRuns.empty() && fRuns.back().offset == offset)
			fRuns.pop_back();
		if (fRuns.empty() || fRuns.back().color != color)
			fRuns.push_back(SourceColorRun{offset, color});
	}

	// Text up to the next "<" or "&"; ends the walk (*end) where it can
	// stop in it.
	bool _Text(int32& position, int32* end)
	{
		size_t found = fPiece.find_first_of("<&", position + 1);
		int32 next = found == std::string_view::npos ? fLength : static_cast<int32>(found);
		_Color(position, SOURCE_TEXT);
		for (int32 point = std::max(fStop, position + 1); point < next; point++) {
			if (_CanStop(point)) {
				*end = point;
				return true;
			}
		}
		position = next;
		return true;
	}

	// "&", a word and ";": an entity, coloured when it is known. Anything
	// else from "&" on is text.
	bool _Entity(int32& position)
	{
		int32 wordEnd = position + 1;
		while (wordEnd < fLength && IsEntityChar(fPiece[wordEnd]))
			wordEnd++;
		if (wordEnd >= fLength && !fEndsText)
			return false;
		bool closed = wordEnd > position + 1 && wordEnd < fLength && fPiece[wordEnd] == ';';
		if (!closed) {
			_Color(position, SOURCE_TEXT);
			position = std::max(wordEnd, position + 1);
			return true;
		}
		std::string_view word = fPiece.substr(position + 1, wordEnd - position - 1);
		_Color(position, IsKnownEntity(word) ? SOURCE_ENTITY : SOURCE_TEXT);
		position = wordEnd + 1;
		return true;
	}

	// A tag from "<" to the next ">" (taken in) or "<" or the text's end.
	// A "<" that no name, "/", "!" or "?" follows is text.
	bool _Tag(int32& position)
	{
		if (position + 1 >= fLength && !fEndsText)
			return false;
		if (position + 1 >= fLength || !IsTagStart(fPiece[position + 1])) {
			_Color(position, SOURCE_TEXT);
			position++;
			return true;
		}
		size_t found = fPiece.find_first_of("<>", position + 1);
		if (found == std::string_view::npos && !fEndsText)
			return false;
		int32 tagEnd = found == std::string_view::npos ? fLength : static_cast<int32>(found);
		_ColorTag(position, tagEnd);
		bool closed = tagEnd < fLength && fPiece[tagEnd] == '>';
		position = closed ? tagEnd + 1 : tagEnd;
		return true;
	}

	void _ColorTag(int32 start, int32 tagEnd)
	{
		bool closed = tagEnd < fLength && fPiece[tagEnd] == '>';
		int32 position = start + 1;
		if (fPiece[position] == '!') {
			std::string_view declaration = fPiece.substr(position + 1, tagEnd - position - 1);
			_Color(start, AsciiCase::StartsWith(declaration, "doctype") ? SOURCE_TAG : SOURCE_TEXT);
			if (closed)
				_Color(tagEnd, SOURCE_TEXT);
			return;
		}
		bool closing = fPiece[position] == '/';
		if (closing || fPiece[position] == '?')
			position++;
		int32 nameStart = closing ? position : start + 1;
		while (position < tagEnd && IsTagNameChar(fPiece[position]))
			position++;
		const _tagdict* tag = LookUpName(fPiece.substr(nameStart, position - nameStart), LookUpTag);
		source_color color = SOURCE_TEXT;
		if (tag != nullptr)
			color = closing && (tag->model & CM_EMPTY) != 0 ? SOURCE_MISTAKE : SOURCE_TAG;
		_Color(start, color);
		_ColorAttributes(position, tagEnd);
		if (closed)
			_Color(tagEnd, SOURCE_TAG);
	}

	// Names, each perhaps with "=" and a value; blanks, "/" and stray "="
	// between them are text.
	void _ColorAttributes(int32 position, int32 tagEnd)
	{
		while (position < tagEnd) {
			char c = fPiece[position];
			if (IsQuote(c)) {
				position = _ColorQuoted(position, tagEnd);
				continue;
			}
			if (!IsAttributeNameChar(c)) {
				_Color(position, SOURCE_TEXT);
				position++;
				continue;
			}
			int32 nameEnd = position;
			while (nameEnd < tagEnd && IsAttributeNameChar(fPiece[nameEnd]))
				nameEnd++;
			std::string_view name = fPiece.substr(position, nameEnd - position);
			_Color(position, LookUpName(name, LookUpAttribute) != nullptr ? SOURCE_ATTRIBUTE
				: SOURCE_TEXT);
			position = nameEnd;
			int32 value = _SkipBlanks(position, tagEnd);
			if (value >= tagEnd || fPiece[value] != '=')
				continue;
			_Color(position, SOURCE_TEXT);
			value = _SkipBlanks(value + 1, tagEnd);
			if (value < tagEnd && IsQuote(fPiece[value])) {
				position = _ColorQuoted(value, tagEnd);
				continue;
			}
			while (value < tagEnd && !IsBlank(fPiece[value]) && !IsQuote(fPiece[value]))
				value++;
			position = value;
		}
	}

	// A value from its quote to the same quote; a quote that the tag does
	// not close again is a mistake on its own.
	int32 _ColorQuoted(int32 quote, int32 tagEnd)
	{
		size_t close = fPiece.find(fPiece[quote], quote + 1);
		if (close != std::string_view::npos && static_cast<int32>(close) < tagEnd) {
			_Color(quote, SOURCE_VALUE);
			return static_cast<int32>(close) + 1;
		}
		_Color(quote, SOURCE_MISTAKE);
		return quote + 1;
	}

	int32 _SkipBlanks(int32 position, int32 limit) const
	{
		while (position < limit && IsBlank(fPiece[position]))
			position++;
		return position;
	}

	std::string_view fPiece;
	int32 fLength;
	int32 fBase;
	bool fEndsText;
	int32 fStop;
	bool fSettled;
	std::vector<SourceColorRun>& fRuns;
};

} // namespace

SourceColorizer::Stretch SourceColorizer::Colorize(int32 from, int32 to, bool settled,
	std::vector<SourceColorRun>& runs) const
{
	int32 length = fText.Length();
	from = std::clamp(from, 0, length);
	to = std::clamp(to, from, length);
	int32 start = _StartBefore(from);
	int64 wanted = static_cast<int64>(to - start) + kReadAhead;
	std::string scratch;
	while (true) {
		int32 pieceEnd = static_cast<int32>(std::min<int64>(length, start + wanted));
		std::string_view piece = fText.Range(start, pieceEnd, scratch);
		runs.clear();
		Scanner scanner(piece, start, pieceEnd == length, to - start, settled, runs);
		int32 end = -1;
		if (scanner.Run(&end))
			return Stretch{start, start + end};
		wanted *= 2;
	}
}

bool SourceColorizer::IsSettledAt(int32 offset) const
{
	offset = std::min(offset, fText.Length());
	if (offset <= 0)
		return true;
	std::string scratch;
	if (!EndsConstructs(fText.Range(offset - 1, offset, scratch)[0]))
		return false;
	Mark mark = _LastMark(offset);
	return mark.index < 0 || mark.mark == '>' || !IsTagStart(mark.next);
}

// Where colouring starts for a change from offset on: at the "<" of the
// tag offset is in; in text, at the last point of rest before offset.
// Offset itself will do only when what comes before it decides so.
int32 SourceColorizer::_StartBefore(int32 offset) const
{
	Mark mark = _LastMark(offset);
	if (mark.index >= 0 && mark.mark == '<') {
		bool inText = mark.index + 1 < offset && !IsTagStart(mark.next);
		int32 rest = inText ? _LastRest(mark.index + 1, offset) : -1;
		return rest >= 0 ? rest : mark.index;
	}
	int32 rest = _LastRest(mark.index, offset);
	return rest >= 0 ? rest : 0;
}

// Calls stop(c) for the characters from offset - 1 back to low, a chunk at
// a time; the index of the first one it accepts, or -1.
template <typename Stop>
int32 SourceColorizer::_FindBackward(int32 low, int32 offset, Stop stop) const
{
	std::string scratch;
	low = std::max(low, 0);
	for (int32 chunkEnd = offset; chunkEnd > low;) {
		int32 chunkStart = std::max(low, chunkEnd - kReadBack);
		std::string_view chunk = fText.Range(chunkStart, chunkEnd, scratch);
		for (int32 i = chunkEnd - 1; i >= chunkStart; i--) {
			if (stop(chunk[i - chunkStart]))
				return i;
		}
		chunkEnd = chunkStart;
	}
	return -1;
}

SourceColorizer::Mark SourceColorizer::_LastMark(int32 offset) const
{
	int32 index = _FindBackward(0, offset, [](char c) { return c == '<' || c == '>'; });
	if (index < 0)
		return Mark{-1, 0, 0};
	std::string scratch;
	std::string_view pair = fText.Range(index, index + 2, scratch);
	return Mark{index, pair[0], pair.size() > 1 ? pair[1] : '\0'};
}

// The last point of rest in text after low, up to offset; -1 for none.
int32 SourceColorizer::_LastRest(int32 low, int32 offset) const
{
	int32 index = _FindBackward(low, offset, EndsConstructs);
	return index >= 0 ? index + 1 : -1;
}

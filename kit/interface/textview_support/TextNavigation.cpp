#include "TextNavigation.h"

#include <algorithm>

#include "StyledText.h"
#include "TextGeometry.h"

namespace BPrivate {

namespace {

enum CharClass {
	kSpace,
	kWord,
	kPunctuation,
	kLineFeed
};

// Letters of every script count as word characters; the general
// punctuation block and the no-break space do not.
CharClass ClassOf(uint32 code)
{
	if (code == '\n')
		return kLineFeed;
	if (code == ' ' || code == '\t' || code == 0x0F || code == 0xA0)
		return kSpace;
	if ((code >= '0' && code <= '9') || (code >= 'a' && code <= 'z')
		|| (code >= 'A' && code <= 'Z') || code == '_')
		return kWord;
	if (code < 0x80 || (code >= 0x2000 && code <= 0x206F) || (code >= 0x3000 && code <= 0x303F))
		return kPunctuation;
	return kWord;
}

} // namespace

int TextNavigation::_ClassAt(int32 offset) const
{
	return ClassOf(fText.Text().CharAt(offset));
}

int32 TextNavigation::PreviousCharacter(int32 offset) const
{
	return offset <= 0 ? 0 : fText.Text().PreviousCharOffset(offset);
}

int32 TextNavigation::NextCharacter(int32 offset) const
{
	return offset >= fText.Length() ? fText.Length() : fText.Text().NextCharOffset(offset);
}

void TextNavigation::FindWord(int32 offset, int32* from, int32* to) const
{
	int32 length = fText.Length();
	offset = fText.Text().CharBoundary(std::clamp(offset, 0, length));
	if (offset > 0 && (offset == length || _ClassAt(offset) == kLineFeed))
		offset = PreviousCharacter(offset);
	if (length == 0) {
		*from = *to = 0;
		return;
	}
	int kind = _ClassAt(offset);
	int32 start = offset;
	int32 end = NextCharacter(offset);
	if (kind != kLineFeed) {
		while (start > 0 && _ClassAt(PreviousCharacter(start)) == kind)
			start = PreviousCharacter(start);
		while (end < length && _ClassAt(end) == kind)
			end = NextCharacter(end);
	}
	*from = start;
	*to = end;
}

int32 TextNavigation::PreviousWordStart(int32 offset) const
{
	while (offset > 0 && _ClassAt(PreviousCharacter(offset)) != kWord)
		offset = PreviousCharacter(offset);
	while (offset > 0 && _ClassAt(PreviousCharacter(offset)) == kWord)
		offset = PreviousCharacter(offset);
	return offset;
}

int32 TextNavigation::NextWordEnd(int32 offset) const
{
	int32 length = fText.Length();
	while (offset < length && _ClassAt(offset) != kWord)
		offset = NextCharacter(offset);
	while (offset < length && _ClassAt(offset) == kWord)
		offset = NextCharacter(offset);
	return offset;
}

int32 TextNavigation::LineStart(int32 offset) const
{
	const TextLayout& layout = fText.Layout();
	return layout.OffsetAt(layout.LineAt(offset));
}

int32 TextNavigation::LineEnd(int32 offset) const
{
	const TextLayout& layout = fText.Layout();
	int32 line = layout.LineAt(offset);
	int32 next = layout.OffsetAt(line + 1);
	if (line >= layout.CountLines() - 1)
		return fText.Length();
	return std::max(layout.OffsetAt(line), PreviousCharacter(next));
}

void TextNavigation::LineRange(int32 offset, int32* from, int32* to) const
{
	const TextLayout& layout = fText.Layout();
	int32 line = layout.LineAt(offset);
	*from = layout.OffsetAt(line);
	*to = layout.OffsetAt(line + 1);
}

int32 TextNavigation::LineOffset(int32 offset, int32 count, float x) const
{
	const TextLayout& layout = fText.Layout();
	int32 line = layout.LineAt(offset) + count;
	if (line < 0)
		return 0;
	if (line >= layout.CountLines())
		return fText.Length();
	return fGeometry.OffsetAt(BPoint(x, fGeometry.LineTop(line)));
}

int32 TextNavigation::PageOffset(int32 offset, float distance, float x) const
{
	float y = fGeometry.PointAt(offset).y + distance;
	if (y < fGeometry.LineTop(0))
		return 0;
	if (y >= fGeometry.TextBottom())
		return fText.Length();
	return fGeometry.OffsetAt(BPoint(x, y));
}

} // namespace BPrivate

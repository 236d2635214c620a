#include "LineBreaker.h"

#include <algorithm>
#include <cmath>

#include "StyleBuffer.h"
#include "TextGapBuffer.h"
#include "TextMeasurer.h"

namespace BPrivate {

namespace {

// Words are measured in pieces of at most this many bytes, so that a word
// longer than the line is not measured whole for every line it is cut into.
const int32 kMaxPieceLength = 64;

bool IsWordByte(unsigned char byte)
{
	return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z')
		|| (byte >= 'A' && byte <= 'Z') || byte >= 0x80;
}

// Scripts written without spaces may wrap after any ideograph or kana.
bool IsIdeograph(uint32 code)
{
	return (code >= 0x2E80 && code <= 0x9FFF) || (code >= 0xF900 && code <= 0xFAFF)
		|| (code >= 0xFF00 && code <= 0xFFEF) || (code >= 0x20000 && code <= 0x3FFFF);
}

// Whether the default rule surely keeps a line from ending after this byte,
// without a look at its neighbours.
inline bool NeverEndsLine(unsigned char byte)
{
	return byte < 0x80 && byte != ' ' && byte != '\t' && byte != '\n' && byte != '-';
}

// The default rule, given the byte at offset.
bool CanEndAfter(const TextGapBuffer& text, int32 offset, unsigned char byte)
{
	switch (byte) {
		case ' ':
		case '\t':
		case '\n':
			return true;
		case '-':
			return IsWordByte(text.RealCharAt(offset - 1))
				&& IsWordByte(text.RealCharAt(offset + 1));
	}
	// The first ideographs are U+2E80, encoded from lead byte 0xE2 on.
	return byte >= 0xE2 && IsIdeograph(text.CharAt(offset));
}

} // namespace

// One line as it is being broken.
struct LineBreaker::State {
	int32 start = 0;
	int32 length = 0;
	// The pen position and the width up to the last visible character.
	float x = 0;
	float width = 0;
	float ascent = 0;
	float below = 0;
	// The style run being read.
	int32 run = -1;
	int32 runEnd = 0;
	const BFont* font = nullptr;
	const BFont* measuredFont = nullptr;
	const BFont* spaceFont = nullptr;
	float spaceWidth = 0;
	// One past the last byte that deciding the line's end read.
	int32 examined = 0;
	int32 testedOffset = -1;
	bool testedResult = false;
	// The last place the line may end, and the line as it was there.
	int32 breakOffset = -1;
	float breakWidth = 0;
	float breakAscent = 0;
	float breakBelow = 0;

	void Read(int32 end) { examined = std::max(examined, end); }
	void MarkBreak(int32 offset)
	{
		breakOffset = offset;
		breakWidth = width;
		breakAscent = ascent;
		breakBelow = below;
	}
};

LineBreaker::LineBreaker(const TextGapBuffer& text, const StyleBuffer& styles,
	TextMeasurer& measurer)
	:
	fText(text),
	fStyles(styles),
	fMeasurer(measurer)
{
}

void LineBreaker::SetLineEndTest(LineEndTest test)
{
	fCanEndLine = std::move(test);
}

bool LineBreaker::DefaultCanEndLine(const TextGapBuffer& text, int32 offset)
{
	return CanEndAfter(text, offset, text.RealCharAt(offset));
}

float LineBreaker::NextTabStop(float x) const
{
	return (std::floor(x / fTabWidth) + 1) * fTabWidth;
}

float LineBreaker::Advance(int32 offset, int32 length, float x) const
{
	switch (fText.RealCharAt(offset)) {
		case '\t':
			return NextTabStop(x) - x;
		case '\n':
			return 0;
	}
	return _Measure(offset, offset + length, fStyles.StyleAt(offset).font);
}

// #pragma mark - Breaking a line

// The test may look at the character after offset as well. The default
// rule is called directly: it runs for every character of the text.
bool LineBreaker::_CanEnd(State& state, int32 offset, unsigned char byte)
{
	if (offset != state.testedOffset) {
		state.testedOffset = offset;
		state.testedResult = fCanEndLine ? fCanEndLine(offset) : CanEndAfter(fText, offset, byte);
		state.Read(offset + 2);
	}
	return state.testedResult;
}

float LineBreaker::_Measure(int32 from, int32 to, const BFont& font) const
{
	std::string_view bytes = fText.Range(from, to, fScratch);
	return fMeasurer.StringWidth(bytes.data(), static_cast<int32>(bytes.size()), font);
}

float LineBreaker::_SpaceWidth(State& state)
{
	if (state.spaceFont != state.font) {
		state.spaceFont = state.font;
		state.spaceWidth = fMeasurer.StringWidth(" ", 1, *state.font);
	}
	return state.spaceWidth;
}

// The line is as tall as its tallest ascent plus its deepest descent and
// leading, so that text of every size on it shares one baseline.
void LineBreaker::_AddMetrics(State& state)
{
	if (state.measuredFont == state.font)
		return;
	state.measuredFont = state.font;
	font_height height;
	fMeasurer.GetHeight(*state.font, &height);
	state.ascent = std::max(state.ascent, height.ascent);
	state.below = std::max(state.below, height.descent + height.leading);
}

// Runs are entered one after the other, and a line usually begins in the
// run the line before it ended in: runs are seldom looked up.
void LineBreaker::_EnterRunAt(State& state, int32 offset)
{
	StyleBuffer::Run run;
	int32 next = state.run >= 0 ? state.run + 1 : fRunHint;
	if (next >= 0 && next < fStyles.CountRuns()
		&& (run = fStyles.RunAt(next)).start <= offset && offset < run.end) {
		state.run = next;
	} else {
		state.run = fStyles.RunIndexAt(offset);
		if (state.run < 0) {
			state.runEnd = state.length;
			state.font = &fStyles.StyleAt(offset).font;
			return;
		}
		run = fStyles.RunAt(state.run);
	}
	state.runEnd = run.end;
	state.font = &fStyles.Style(run.style).font;
	fRunHint = state.run;
	_ExtendRun(state, offset + kMaxPieceLength + 4);
}

// Runs that differ only in colour are laid out as one, so that a change of
// colour never changes how lines are broken and measured. The run is taken
// on only as far as the next piece can reach, so that a text of many
// coloured runs is not walked to its end for every line.
void LineBreaker::_ExtendRun(State& state, int32 upTo)
{
	while (state.runEnd < upTo && state.run >= 0 && state.run + 1 < fStyles.CountRuns()) {
		StyleBuffer::Run next = fStyles.RunAt(state.run + 1);
		if (fStyles.Style(next.style).font != *state.font)
			break;
		state.run++;
		state.runEnd = next.end;
	}
}

// The piece of a word that starts at offset: it ends after a character the
// line may end behind, before a line feed, a tab or a hanging space, at the
// end of the style run, or when it is long enough.
std::string_view LineBreaker::_Piece(State& state, int32 offset, bool* breakAfter)
{
	_ExtendRun(state, offset + kMaxPieceLength + 4);
	int32 limit = std::min(state.runEnd, offset + kMaxPieceLength);
	// Room for a character that begins before the limit and ends behind it.
	std::string_view bytes = fText.Range(offset, limit + 3, fPieceScratch);
	bool defaultRule = !fCanEndLine;
	int32 end = offset;
	*breakAfter = false;
	while (true) {
		unsigned char byte = bytes[end - offset];
		bool endsLine = fWrap && !(defaultRule && NeverEndsLine(byte))
			&& _CanEnd(state, end, byte);
		end = byte < 0x80 ? end + 1 : fText.NextCharOffset(end);
		if (endsLine) {
			*breakAfter = true;
			break;
		}
		if (end >= limit)
			break;
		unsigned char next = bytes[end - offset];
		if (next == '\n' || next == '\t' || (next == ' ' && _CanEnd(state, end, next)))
			break;
	}
	// What follows the piece, or the style after the run's end, decided it.
	state.Read(end + 1);
	return bytes.substr(0, end - offset);
}

// Cuts a piece that does not fit between characters; the first character of
// a line always stays on it.
int32 LineBreaker::_FitCharacters(State& state, int32 from, int32 to)
{
	int32 offset = from;
	while (offset < to) {
		int32 next = fText.NextCharOffset(offset);
		float width = _Measure(offset, next, *state.font);
		if (state.x + width > fWidth && offset > state.start)
			break;
		state.x += width;
		offset = next;
	}
	if (offset > from) {
		_AddMetrics(state);
		state.width = state.x;
	}
	return offset;
}

LineRecord LineBreaker::_FinishAtBreak(State& state, float top, int32* next)
{
	state.width = state.breakWidth;
	state.ascent = state.breakAscent;
	state.below = state.breakBelow;
	return _Finish(state, top, state.breakOffset, next);
}

LineRecord LineBreaker::_Finish(const State& state, float top, int32 end, int32* next)
{
	*next = end;
	return LineRecord{state.start, top, state.ascent + state.below, state.ascent, state.width,
		std::max(0, state.examined - end)};
}

LineRecord LineBreaker::BreakLine(int32 offset, float top, int32* next)
{
	State state;
	state.start = offset;
	state.length = fText.Length();
	state.examined = offset;
	if (offset >= state.length) {
		// The empty line after a final line feed takes the feed's style.
		state.start = state.length;
		state.font = &fStyles.StyleAt(state.length).font;
		_AddMetrics(state);
		state.Read(state.length + 1);
		return _Finish(state, top, state.length, next);
	}
	_EnterRunAt(state, offset);
	int32 position = offset;
	while (position < state.length) {
		if (position >= state.runEnd)
			_EnterRunAt(state, position);
		char byte = fText.RealCharAt(position);
		state.Read(position + 1);
		if (byte == '\n') {
			_AddMetrics(state);
			return _Finish(state, top, position + 1, next);
		}
		if ((byte == ' ' || byte == '\t') && _CanEnd(state, position, byte)) {
			_AddMetrics(state);
			state.x = byte == '\t' ? NextTabStop(state.x) : state.x + _SpaceWidth(state);
			state.MarkBreak(++position);
			continue;
		}
		if (byte == '\t') {
			float stop = NextTabStop(state.x);
			if (fWrap && stop > fWidth && position > offset) {
				if (state.breakOffset > offset)
					return _FinishAtBreak(state, top, next);
				return _Finish(state, top, position, next);
			}
			_AddMetrics(state);
			state.x = state.width = stop;
			position++;
			continue;
		}
		bool breakAfter;
		std::string_view piece = _Piece(state, position, &breakAfter);
		int32 end = position + static_cast<int32>(piece.size());
		float width = fMeasurer.StringWidth(piece.data(), static_cast<int32>(piece.size()),
			*state.font);
		if (fWrap && state.x + width > fWidth) {
			if (state.breakOffset > offset)
				return _FinishAtBreak(state, top, next);
			return _Finish(state, top, _FitCharacters(state, position, end), next);
		}
		_AddMetrics(state);
		state.x += width;
		state.width = state.x;
		position = end;
		if (breakAfter)
			state.MarkBreak(position);
	}
	// Text added at the end may change where this line ends.
	state.Read(state.length + 1);
	return _Finish(state, top, state.length, next);
}

} // namespace BPrivate

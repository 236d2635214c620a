#ifndef _VELMORA_LINE_BREAKER_H
#define _VELMORA_LINE_BREAKER_H

#include <functional>
#include <string>
#include <string_view>

#include <Font.h>

#include "LineBuffer.h"

namespace BPrivate {

class StyleBuffer;
class TextGapBuffer;
class TextMeasurer;

// Lays out one line at a time: from a line's start it finds where the line
// ends and measures it. A line ends after a line feed, which belongs to it;
// when words wrap, also where a word no longer fits, but only after a
// character that CanEndLine allows (a word wider than the line is cut
// between characters). Spaces after which a line may end hang past the
// right edge and do not count in the line's width. Tabs advance to the next
// multiple of the tab width.
class LineBreaker {
public:
	typedef std::function<bool(int32 offset)> LineEndTest;

	LineBreaker(const TextGapBuffer& text, const StyleBuffer& styles, TextMeasurer& measurer);

	void SetWidth(float width) { fWidth = width; }
	float Width() const { return fWidth; }
	void SetWordWrap(bool wrap) { fWrap = wrap; }
	bool DoesWordWrap() const { return fWrap; }
	void SetTabWidth(float width) { fTabWidth = width > 0 ? width : 1; }
	float TabWidth() const { return fTabWidth; }
	// May a line end after the character at offset? Null restores the
	// default rule (DefaultCanEndLine).
	void SetLineEndTest(LineEndTest test);

	// The line that starts at offset, placed at top; *next receives the
	// start of the line after it. At the end of the text this is the empty
	// line the caret stands on.
	LineRecord BreakLine(int32 offset, float top, int32* next);

	// How far the character at offset, drawn at x, moves the pen.
	float Advance(int32 offset, int32 length, float x) const;
	float NextTabStop(float x) const;

	// Lines end after white space, a line feed, a hyphen between two word
	// characters, or an ideograph.
	static bool DefaultCanEndLine(const TextGapBuffer& text, int32 offset);

private:
	struct State;

	bool _CanEnd(State& state, int32 offset, unsigned char byte);
	float _Measure(int32 from, int32 to, const BFont& font) const;
	float _SpaceWidth(State& state);
	void _AddMetrics(State& state);
	void _EnterRunAt(State& state, int32 offset);
	void _ExtendRun(State& state, int32 upTo);
	std::string_view _Piece(State& state, int32 offset, bool* breakAfter);
	int32 _FitCharacters(State& state, int32 from, int32 to);
	LineRecord _FinishAtBreak(State& state, float top, int32* next);
	LineRecord _Finish(const State& state, float top, int32 end, int32* next);

	const TextGapBuffer& fText;
	const StyleBuffer& fStyles;
	TextMeasurer& fMeasurer;
	LineEndTest fCanEndLine;
	float fWidth = 0;
	float fTabWidth = 28;
	bool fWrap = true;
	// The run the last line ended in.
	int32 fRunHint = -1;
	// Hold text that straddles the text's gap while it is read.
	mutable std::string fScratch;
	std::string fPieceScratch;
};

} // namespace BPrivate

#endif

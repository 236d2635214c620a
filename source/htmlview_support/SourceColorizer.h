#ifndef VELMORA_SOURCE_COLORIZER_H
#define VELMORA_SOURCE_COLORIZER_H

#include <string>
#include <string_view>
#include <vector>

#include <SupportDefs.h>

#include "htmlview_support/SourceColorTable.h"

// The colour of the source from offset on, up to the next run.
struct SourceColorRun {
	int32 offset;
	source_color color;

	bool operator==(const SourceColorRun& other) const = default;
};

// Colours HTML source by what each byte is: text, a tag, an attribute, a
// value, an entity (see source_color). Tags are known by the parser's tag,
// attribute and entity tables, without regard to case.
//
// A tag runs from its "<" to the next ">" or "<", whatever quotes it
// holds, so the colours of any stretch depend on the text around it only
// as far as the nearest "<" or ">". Colouring may start at a point of
// rest, where the colours before it are settled whatever follows: the
// text's start, a "<", or a point in text behind a character that can
// continue no entity. After an edit, the text is coloured from the last
// point of rest before the edit to the first point behind it from which
// on the colours the text had are still right; nothing else changes.
class SourceColorizer {
public:
	// The text as the colouring reads it: in ranges, so that a view need
	// not rearrange its text to hand it over.
	class Text {
	public:
		virtual ~Text() = default;
		virtual int32 Length() const = 0;
		// The bytes from .. to, in the text or copied into scratch.
		virtual std::string_view Range(int32 from, int32 to, std::string& scratch) const = 0;
	};

	// start .. end of the text.
	struct Stretch {
		int32 start;
		int32 end;
	};

	explicit SourceColorizer(const Text& text) : fText(text) {}

	// Colours what changed in from .. to (clamped to the text), where the
	// text behind to is as it was: from the last point of rest whose
	// colours the change cannot touch to the first point at or behind to
	// where the colours the text had go on unchanged. settled tells that
	// the old text was at a point of rest at that place (IsSettledAt(),
	// asked before the change; true when the text did not change at all),
	// which lets colouring stop sooner. runs receives the colours of the
	// stretch coloured, at text offsets, the first at its start.
	Stretch Colorize(int32 from, int32 to, bool settled, std::vector<SourceColorRun>& runs) const;
	// Whether the colours from offset on depend on the text from there on
	// alone: offset is at the text's start, or in text behind a character
	// that can continue no entity.
	bool IsSettledAt(int32 offset) const;

private:
	struct Mark {
		int32 index;	// of the last "<" or ">" before an offset; -1 for none
		char mark;
		char next;		// the character behind it; 0 at the text's end
	};

	int32 _StartBefore(int32 offset) const;
	Mark _LastMark(int32 offset) const;
	int32 _LastRest(int32 low, int32 offset) const;
	template <typename Stop>
	int32 _FindBackward(int32 low, int32 offset, Stop stop) const;

	const Text& fText;
};

#endif

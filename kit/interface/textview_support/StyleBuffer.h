#ifndef _VELMORA_STYLE_BUFFER_H
#define _VELMORA_STYLE_BUFFER_H

#include <vector>

#include "ShiftedArray.h"
#include "TextRuns.h"
#include "TextStyle.h"

namespace BPrivate {

// The style runs of a text view: the text from each run's start up to the
// next run has one style. Each distinct style is stored once and counts the
// runs that use it; adjacent runs never share a style. Offsets are byte
// offsets, kept on character boundaries by the caller. An unstylable buffer
// gives the whole text one style, the null style.
class StyleBuffer {
public:
	struct Run {
		int32 start;
		int32 end;
		int32 style;
	};
	// start .. end; empty when start == end.
	struct Range {
		int32 start;
		int32 end;
	};

	StyleBuffer(const BFont& font, const rgb_color& color);

	// Text edits. Inserted text takes the pending null style when one was
	// set for this offset, else the style of the character before it (of
	// the first character at offset 0); then the runs, when given.
	void InsertText(int32 offset, int32 length, const text_run_array* runs);
	void RemoveText(int32 from, int32 to);
	void SetText(int32 length, const text_run_array* runs);

	// SetFontAndColor() semantics: only the properties named by mode change;
	// a null font or colour leaves that part alone.
	void SetStyleRange(int32 from, int32 to, uint32 mode, const BFont* font,
		const rgb_color* color);
	void SetRunArray(int32 from, int32 to, const text_run_array* runs);
	// Colours from .. to by count colour runs (ascending offsets relative
	// to from; text before the first run keeps its colour), keeping every
	// character's font. Only the runs whose colour changes are rewritten;
	// the result is the range whose colour changed, empty when none did.
	// An unstylable text keeps its one colour.
	Range SetColorRuns(int32 from, int32 to, const color_run* runs, int32 count);
	RunArrayPointer GetRunArray(int32 from, int32 to) const;
	// The style of the character at offset; at the end, of the last one.
	const TextStyle& StyleAt(int32 offset) const;
	// The style at from and, in mode and sameColor, what the range shares.
	void ContinuousGetStyle(int32 from, int32 to, TextStyle* style, uint32* mode,
		bool* sameColor) const;

	// The style of the next text typed at offset, changed as SetStyleRange()
	// would; it lasts while typing goes on there.
	void SetNullStyle(int32 offset, uint32 mode, const BFont* font, const rgb_color* color);
	void InvalidateNullStyle() { fNullStyleOffset = -1; }
	TextStyle InsertionStyle(int32 offset) const;

	void SetStylable(bool stylable);
	bool IsStylable() const { return fStylable; }

	int32 Length() const { return fLength; }
	int32 CountRuns() const { return fRuns.Count(); }
	int32 RunIndexAt(int32 offset) const;
	Run RunAt(int32 index) const;
	const TextStyle& Style(int32 style) const { return fStyles[style].style; }
	int32 CountStyles() const;

private:
	struct RunRecord {
		int32 offset;
		int32 style;
		RunRecord& operator+=(int32 shift) { offset += shift; return *this; }
		RunRecord& operator-=(int32 shift) { offset -= shift; return *this; }
	};
	struct StyleRecord {
		TextStyle style;
		int32 refs;
	};

	int32 _Acquire(const TextStyle& style);
	void _Release(int32 style);
	void _SplitAt(int32 offset);
	void _MergeAt(int32 index);
	bool _ExtendsNeighbour(int32 offset, int32 length, const TextStyle& style);
	void _ApplyToWholeText(const TextStyle& style);
	void _ApplyRuns(int32 from, int32 to, const text_run_array* runs);
	template <typename Visit>
	void _ForEachColorPiece(int32 from, int32 to, int32 base, const color_run* runs,
		int32 count, Visit visit) const;
	Range _ChangedColors(int32 from, int32 to, const color_run* runs, int32 count) const;
	void _ReplaceRuns(int32 begin, int32 end, const std::vector<RunRecord>& records);

	std::vector<StyleRecord> fStyles;
	ShiftedArray<RunRecord, int32> fRuns;
	int32 fLength = 0;
	TextStyle fNullStyle;
	int32 fNullStyleOffset = -1;
	bool fStylable = true;
};

} // namespace BPrivate

#endif

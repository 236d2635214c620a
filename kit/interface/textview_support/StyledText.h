#ifndef _VELMORA_STYLED_TEXT_H
#define _VELMORA_STYLED_TEXT_H

#include "StyleBuffer.h"
#include "TextGapBuffer.h"
#include "TextLayout.h"

namespace BPrivate {

// The model under a styled text view: its text, style runs and lines, kept
// in step. Every change goes through here: offsets are clamped to the text
// and moved onto character boundaries (a range grows to take in every
// character it touches), then the text, the runs and the lines follow, and
// the lines that need drawing again are returned.
class StyledText {
public:
	StyledText(TextMeasurer& measurer, const BFont& font, const rgb_color& color);

	const TextGapBuffer& Text() const { return fText; }
	const StyleBuffer& Styles() const { return fStyles; }
	StyleBuffer& Styles() { return fStyles; }
	const TextLayout& Layout() const { return fLayout; }
	TextLayout& Layout() { return fLayout; }
	int32 Length() const { return fText.Length(); }
	// The whole text, NUL-terminated, valid until the next change.
	const char* RealText() { return fText.RealText(); }

	// Inserts at the character boundary at or before offset.
	LayoutChange Insert(const char* text, int32 length, int32 offset,
		const text_run_array* runs = nullptr);
	// Insert() into an empty text, taking the block's bytes over
	// (TextGapBuffer::Adopt()); into a text that is not empty they are copied.
	LayoutChange InsertAdopted(MallocBlock block, int32 length, size_t size,
		const text_run_array* runs = nullptr);
	LayoutChange Remove(int32 start, int32 finish);
	LayoutChange SetStyle(int32 start, int32 finish, uint32 mode, const BFont* font,
		const rgb_color* color);
	LayoutChange SetRunArray(int32 start, int32 finish, const text_run_array* runs);
	// StyleBuffer::SetColorRuns(), with run offsets moved onto character
	// boundaries. A colour moves no text: the lines whose colour changed
	// are returned to be drawn again, none while the layout defers.
	LayoutChange SetColorRuns(int32 start, int32 finish, const color_run* runs, int32 count);
	// The style of what is typed next at offset (StyleBuffer::SetNullStyle());
	// an empty text's one line takes its height.
	LayoutChange SetNullStyle(int32 offset, uint32 mode, const BFont* font,
		const rgb_color* color);
	LayoutChange SetText(const char* text, int32 length, const text_run_array* runs = nullptr);
	LayoutChange SetStylable(bool stylable);

	// The range moved onto character boundaries as every change moves it.
	void CharRange(int32* start, int32* finish) const;

private:
	// The runs and lines follow length bytes new at offset.
	LayoutChange _Inserted(int32 offset, int32 length, const text_run_array* runs);
	RunArrayPointer _OnBoundaries(int32 start, int32 finish, const text_run_array* runs) const;

	TextGapBuffer fText;
	StyleBuffer fStyles;
	TextLayout fLayout;
};

} // namespace BPrivate

#endif

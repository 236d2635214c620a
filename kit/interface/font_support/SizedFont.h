#ifndef _VELMORA_SIZED_FONT_H
#define _VELMORA_SIZED_FONT_H

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include <cairo.h>

#include <Font.h>

namespace BPrivate {

class FontStyle;

// A style at one size: its vertical metrics and the advance of every
// character measured so far. The advance cache is what StringWidth and
// drawing share, so a string ends where it was measured. Advances are
// unhinted and exact per glyph (no kerning, no ligatures).
//
// Thread safety: every method may be called from any number of threads at
// once. A character's entry is computed once, under fFillLock, and then
// published with a release store; readers take no lock.
class SizedFont {
public:
	SizedFont(const FontStyle& style, float size);
	~SizedFont();
	SizedFont(const SizedFont&) = delete;
	SizedFont& operator=(const SizedFont&) = delete;

	const FontStyle& Style() const { return fStyle; }
	float Size() const { return fSize; }
	// False when the font file could not be opened (it was removed after
	// the fonts were listed, say); such a font measures nothing itself.
	bool IsUsable() const { return cairo_scaled_font_status(fFont) == CAIRO_STATUS_SUCCESS; }

	void GetHeight(font_height* height) const { *height = fHeight; }

	// Invalid UTF-8 bytes count as U+FFFD, one per byte.
	float Width(std::string_view text) const;

	// Offset below the baseline and thickness of the underline and the
	// strike-out line, in pixels (the strike-out offset is negative).
	float UnderlineOffset() const { return fUnderlineOffset; }
	float UnderlineThickness() const { return fUnderlineThickness; }
	float StrikeOutOffset() const { return fStrikeOutOffset; }
	float StrikeOutThickness() const { return fStrikeOutThickness; }

	// Glyphs that one cairo font draws: glyphs[first .. first + count).
	struct Run {
		cairo_scaled_font_t* font;
		size_t first;
		size_t count;
	};
	// Places the glyphs of text on the baseline from (x, y), each at the
	// cached advance; returns the total advance, equal to Width(text).
	float Layout(std::string_view text, double x, double y,
		std::vector<cairo_glyph_t>* glyphs, std::vector<Run>* runs) const;

	// The advance of one character; used to tell monospace fonts apart.
	float Advance(uint32 code) const;
	// True when the style itself has a glyph for code.
	bool HasGlyph(uint32 code) const;

	// Fonts of one style at several sizes form a list (see FontStyle::At).
	SizedFont* Next() const { return fNext; }
	void SetNext(SizedFont* next) { fNext = next; }

private:
	// Entry of a character: the advance's bits, the glyph index, the slot of
	// the font that has the glyph, and a bit that says the entry is filled.
	typedef uint64 Entry;
	static constexpr Entry kFilled = Entry(1) << 63;
	static constexpr int kPageBits = 8;
	static constexpr uint32 kPageSize = 1 << kPageBits;
	static constexpr uint32 kPageCount = (0x10FFFF >> kPageBits) + 1;
	static constexpr int kSlotCount = 64;
	typedef std::array<std::atomic<Entry>, kPageSize> Page;

	static Entry _Pack(float advance, uint32 glyph, uint32 slot);
	static float _AdvanceOf(Entry entry);
	static uint32 _GlyphOf(Entry entry) { return (entry >> 32) & 0xFFFF; }
	static uint32 _SlotOf(Entry entry) { return (entry >> 48) & 0xFF; }

	inline Entry _Lookup(uint32 code) const;
	Entry _Fill(uint32 code) const;
	uint32 _OwnGlyph(uint32 code) const;
	float _GlyphAdvance(uint32 glyph) const;
	uint32 _SlotFor(const SizedFont* font) const;
	void _ReadMetrics();

	const FontStyle& fStyle;
	float fSize;
	cairo_scaled_font_t* fFont;
	font_height fHeight{0, 0, 0};
	float fUnderlineOffset = 1;
	float fUnderlineThickness = 1;
	float fStrikeOutOffset = -3;
	float fStrikeOutThickness = 1;
	SizedFont* fNext = nullptr;

	std::unique_ptr<std::atomic<Page*>[]> fPages;
	// Slot 0 is this font; later slots are fallback fonts at the same size.
	mutable std::array<std::atomic<const SizedFont*>, kSlotCount> fSlots;
	mutable std::mutex fFillLock;
};

} // namespace BPrivate

#endif

#include "SizedFont.h"

#include <algorithm>
#include <bit>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <UTF8.h>

#include "FontStyle.h"

namespace BPrivate {

namespace {

const uint32 kReplacementCharacter = 0xFFFD;

// Control characters have no glyph in any font; looking for a fallback for
// them would only cost time. They are measured and drawn as the missing
// glyph of the font itself.
bool WantsFallback(uint32 code)
{
	return code >= 0x20 && !(code >= 0x7F && code < 0xA0);
}

// Decodes the character at offset and steps past it; a byte that does not
// start a well-formed character is U+FFFD on its own, as when text is
// sanitized before drawing.
inline uint32 NextCode(std::string_view text, size_t& offset)
{
	unsigned char byte = text[offset];
	if (byte < 0x80) {
		offset++;
		return byte;
	}
	size_t length = 1;
	uint32 code = UTF8::Decode(text, offset, &length);
	offset += std::max<size_t>(length, 1);
	return code;
}

} // namespace

SizedFont::SizedFont(const FontStyle& style, float size)
	:
	fStyle(style),
	fSize(size),
	fPages(new std::atomic<Page*>[kPageCount])
{
	for (uint32 i = 0; i < kPageCount; i++)
		fPages[i].store(nullptr, std::memory_order_relaxed);
	for (auto& slot : fSlots)
		slot.store(nullptr, std::memory_order_relaxed);
	fSlots[0].store(this, std::memory_order_relaxed);

	cairo_matrix_t fontMatrix;
	cairo_matrix_t identity;
	cairo_matrix_init_scale(&fontMatrix, size, size);
	cairo_matrix_init_identity(&identity);
	// Unhinted metrics: widths then scale with the size and do not depend on
	// where a glyph falls on the pixel grid.
	cairo_font_options_t* options = cairo_font_options_create();
	cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
	fFont = cairo_scaled_font_create(style.CairoFace(), &fontMatrix, &identity, options);
	cairo_font_options_destroy(options);
	if (cairo_scaled_font_status(fFont) == CAIRO_STATUS_SUCCESS)
		_ReadMetrics();
}

SizedFont::~SizedFont()
{
	for (uint32 i = 0; i < kPageCount; i++)
		delete fPages[i].load(std::memory_order_relaxed);
	cairo_scaled_font_destroy(fFont);
}

void SizedFont::_ReadMetrics()
{
	cairo_font_extents_t extents;
	cairo_scaled_font_extents(fFont, &extents);
	fHeight.ascent = extents.ascent;
	fHeight.descent = extents.descent;
	fHeight.leading = std::max(0.0, extents.height - extents.ascent - extents.descent);

	FT_Face face = cairo_ft_scaled_font_lock_face(fFont);
	if (face == nullptr)
		return;
	if (face->units_per_EM > 0) {
		float scale = fSize / face->units_per_EM;
		if (face->underline_thickness > 0) {
			fUnderlineOffset = -face->underline_position * scale;
			fUnderlineThickness = face->underline_thickness * scale;
		}
		TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
		if (os2 != nullptr && os2->yStrikeoutSize > 0) {
			fStrikeOutOffset = -os2->yStrikeoutPosition * scale;
			fStrikeOutThickness = os2->yStrikeoutSize * scale;
		} else {
			fStrikeOutOffset = -fHeight.ascent * 0.3f;
			fStrikeOutThickness = fUnderlineThickness;
		}
	}
	cairo_ft_scaled_font_unlock_face(fFont);
}

SizedFont::Entry SizedFont::_Pack(float advance, uint32 glyph, uint32 slot)
{
	return kFilled | (Entry(slot & 0xFF) << 48) | (Entry(glyph & 0xFFFF) << 32)
		| std::bit_cast<uint32>(advance);
}

float SizedFont::_AdvanceOf(Entry entry)
{
	return std::bit_cast<float>(static_cast<uint32>(entry));
}

inline SizedFont::Entry SizedFont::_Lookup(uint32 code) const
{
	const Page* page = fPages[code >> kPageBits].load(std::memory_order_acquire);
	if (page != nullptr) {
		Entry entry = (*page)[code & (kPageSize - 1)].load(std::memory_order_acquire);
		if (entry & kFilled)
			return entry;
	}
	return _Fill(code);
}

SizedFont::Entry SizedFont::_Fill(uint32 code) const
{
	if (code > 0x10FFFF)
		code = kReplacementCharacter;
	std::lock_guard<std::mutex> lock(fFillLock);
	std::atomic<Page*>& pageSlot = fPages[code >> kPageBits];
	Page* page = pageSlot.load(std::memory_order_relaxed);
	if (page == nullptr) {
		page = new Page();
		for (auto& entry : *page)
			entry.store(0, std::memory_order_relaxed);
		pageSlot.store(page, std::memory_order_release);
	}
	std::atomic<Entry>& slot = (*page)[code & (kPageSize - 1)];
	Entry entry = slot.load(std::memory_order_relaxed);
	if (entry & kFilled)
		return entry;

	uint32 glyph = _OwnGlyph(code);
	uint32 fontSlot = 0;
	const SizedFont* owner = this;
	if (glyph == 0 && WantsFallback(code)) {
		if (const FontStyle* fallback = fStyle.FallbackFor(code)) {
			const SizedFont* other = fallback->At(fSize);
			uint32 otherGlyph = other->_OwnGlyph(code);
			uint32 otherSlot = otherGlyph != 0 ? _SlotFor(other) : 0;
			if (otherSlot != 0) {
				glyph = otherGlyph;
				fontSlot = otherSlot;
				owner = other;
			}
		}
	}
	entry = _Pack(owner->_GlyphAdvance(glyph), glyph, fontSlot);
	slot.store(entry, std::memory_order_release);
	return entry;
}

uint32 SizedFont::_OwnGlyph(uint32 code) const
{
	FT_Face face = cairo_ft_scaled_font_lock_face(fFont);
	if (face == nullptr)
		return 0;
	uint32 glyph = FT_Get_Char_Index(face, code);
	cairo_ft_scaled_font_unlock_face(fFont);
	return glyph;
}

float SizedFont::_GlyphAdvance(uint32 glyph) const
{
	cairo_glyph_t cairoGlyph = {glyph, 0, 0};
	cairo_text_extents_t extents;
	cairo_scaled_font_glyph_extents(fFont, &cairoGlyph, 1, &extents);
	if (cairo_scaled_font_status(fFont) != CAIRO_STATUS_SUCCESS)
		return 0;
	return extents.x_advance;
}

// Called with fFillLock held, so slots are only ever added by one thread.
uint32 SizedFont::_SlotFor(const SizedFont* font) const
{
	for (uint32 i = 1; i < kSlotCount; i++) {
		const SizedFont* current = fSlots[i].load(std::memory_order_relaxed);
		if (current == font)
			return i;
		if (current == nullptr) {
			fSlots[i].store(font, std::memory_order_release);
			return i;
		}
	}
	// Out of slots: the character is drawn as this font's missing glyph.
	return 0;
}

float SizedFont::Width(std::string_view text) const
{
	float width = 0;
	for (size_t offset = 0; offset < text.size();)
		width += _AdvanceOf(_Lookup(NextCode(text, offset)));
	return width;
}

float SizedFont::Layout(std::string_view text, double x, double y,
	std::vector<cairo_glyph_t>* glyphs, std::vector<Run>* runs) const
{
	float pen = 0;
	uint32 runSlot = UINT32_MAX;
	for (size_t offset = 0; offset < text.size();) {
		Entry entry = _Lookup(NextCode(text, offset));
		uint32 slot = _SlotOf(entry);
		if (slot != runSlot) {
			const SizedFont* font = fSlots[slot].load(std::memory_order_acquire);
			runs->push_back(Run{font->fFont, glyphs->size(), 0});
			runSlot = slot;
		}
		glyphs->push_back(cairo_glyph_t{_GlyphOf(entry), x + pen, y});
		runs->back().count++;
		pen += _AdvanceOf(entry);
	}
	return pen;
}

float SizedFont::Advance(uint32 code) const
{
	return _AdvanceOf(_Lookup(code));
}

bool SizedFont::HasGlyph(uint32 code) const
{
	return _OwnGlyph(code) != 0;
}

} // namespace BPrivate

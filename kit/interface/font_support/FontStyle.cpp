#include "FontStyle.h"

#include <cmath>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <Font.h>

#include "FontCatalog.h"
#include "SizedFont.h"

namespace BPrivate {

namespace {

int IntegerOf(FcPattern* pattern, const char* object, int fallback)
{
	int value;
	if (FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch)
		return value;
	// Variable fonts give ranges or doubles for weight and width.
	double number;
	if (FcPatternGetDouble(pattern, object, 0, &number) == FcResultMatch)
		return static_cast<int>(std::lround(number));
	return fallback;
}

uint16 FaceOf(int weight, int slant)
{
	uint16 face = 0;
	if (weight >= FC_WEIGHT_DEMIBOLD)
		face |= B_BOLD_FACE;
	if (slant != FC_SLANT_ROMAN)
		face |= B_ITALIC_FACE;
	return face != 0 ? face : uint16(B_REGULAR_FACE);
}

// Characters whose advances tell a monospace font from a proportional one.
const uint32 kProbeCharacters[] = {'i', 'l', 'M', 'W', '0', '.', ' '};

} // namespace

FontStyle::FontStyle(FcPattern* pattern, std::string family, std::string style)
	:
	fFamily(std::move(family)),
	fStyle(std::move(style))
{
	FcChar8* file = nullptr;
	if (FcPatternGetString(pattern, FC_FILE, 0, &file) == FcResultMatch)
		fFile = reinterpret_cast<const char*>(file);
	fIndex = IntegerOf(pattern, FC_INDEX, 0);
	fWeight = IntegerOf(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
	fSlant = IntegerOf(pattern, FC_SLANT, FC_SLANT_ROMAN);
	fWidth = IntegerOf(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
	fSpacing = IntegerOf(pattern, FC_SPACING, -1);
	fFace = FaceOf(fWeight, fSlant);
}

// The font as a pattern again, with what configuration rules match on.
FcPattern* FontStyle::_CreatePattern() const
{
	FcPattern* pattern = FcPatternCreate();
	FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(fFile.c_str()));
	FcPatternAddInteger(pattern, FC_INDEX, fIndex);
	FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(fFamily.c_str()));
	FcPatternAddString(pattern, FC_STYLE, reinterpret_cast<const FcChar8*>(fStyle.c_str()));
	FcPatternAddInteger(pattern, FC_WEIGHT, fWeight);
	FcPatternAddInteger(pattern, FC_SLANT, fSlant);
	FcPatternAddInteger(pattern, FC_WIDTH, fWidth);
	if (fSpacing >= 0)
		FcPatternAddInteger(pattern, FC_SPACING, fSpacing);
	return pattern;
}

FontStyle::~FontStyle()
{
	SizedFont* font = fSizes.load(std::memory_order_relaxed);
	while (font != nullptr) {
		SizedFont* next = font->Next();
		delete font;
		font = next;
	}
	if (fCairoFace != nullptr)
		cairo_font_face_destroy(fCairoFace);
	if (fFallbacks != nullptr)
		FcFontSetDestroy(fFallbacks);
}

cairo_font_face_t* FontStyle::CairoFace() const
{
	std::call_once(fFaceOnce, [this] {
		// Let the configuration decide hinting and antialiasing for this
		// font, as every other program on the desktop does.
		FcPattern* font = _CreatePattern();
		FcPattern* request = FcPatternCreate();
		FcConfigSubstitute(nullptr, request, FcMatchPattern);
		FcDefaultSubstitute(request);
		FcPattern* render = FcFontRenderPrepare(nullptr, request, font);
		fCairoFace = cairo_ft_font_face_create_for_pattern(render != nullptr ? render : font);
		if (render != nullptr)
			FcPatternDestroy(render);
		FcPatternDestroy(request);
		FcPatternDestroy(font);
	});
	return fCairoFace;
}

SizedFont* FontStyle::At(float size) const
{
	SizedFont* last = fLastAsked.load(std::memory_order_acquire);
	if (last != nullptr && last->Size() == size)
		return last;
	for (SizedFont* font = fSizes.load(std::memory_order_acquire); font != nullptr;
			font = font->Next()) {
		if (font->Size() == size) {
			fLastAsked.store(font, std::memory_order_release);
			return font;
		}
	}
	std::lock_guard<std::mutex> lock(fSizesLock);
	SizedFont* head = fSizes.load(std::memory_order_relaxed);
	for (SizedFont* font = head; font != nullptr; font = font->Next()) {
		if (font->Size() == size)
			return font;
	}
	SizedFont* font = new SizedFont(*this, size);
	font->SetNext(head);
	fSizes.store(font, std::memory_order_release);
	return font;
}

bool FontStyle::IsFixed() const
{
	int8 known = fFixed.load(std::memory_order_relaxed);
	if (known >= 0)
		return known != 0;
	bool fixed = false;
	if (fSpacing >= 0) {
		// Dual-width fonts are monospace fonts with double-width ideographs.
		fixed = fSpacing == FC_MONO || fSpacing == FC_CHARCELL || fSpacing == FC_DUAL;
	} else {
		const SizedFont* font = At(12);
		float width = -1;
		int probed = 0;
		fixed = true;
		for (uint32 code : kProbeCharacters) {
			if (!font->HasGlyph(code))
				continue;
			float advance = font->Advance(code);
			if (width < 0)
				width = advance;
			else if (std::fabs(advance - width) > 0.01f)
				fixed = false;
			probed++;
		}
		fixed = fixed && probed >= 3 && width > 0;
	}
	fFixed.store(fixed ? 1 : 0, std::memory_order_relaxed);
	return fixed;
}

void FontStyle::_LoadFallbacks() const
{
	fFallbacksLoaded = true;
	FcPattern* request = FcPatternCreate();
	FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(fFamily.c_str()));
	FcPatternAddInteger(request, FC_WEIGHT, fWeight);
	FcPatternAddInteger(request, FC_SLANT, fSlant);
	FcPatternAddInteger(request, FC_WIDTH, fWidth);
	FcConfigSubstitute(nullptr, request, FcMatchPattern);
	FcDefaultSubstitute(request);
	FcResult result;
	// Trimmed: only fonts that add characters to the ones before them.
	fFallbacks = FcFontSort(nullptr, request, FcTrue, nullptr, &result);
	FcPatternDestroy(request);
}

const FontStyle* FontStyle::FallbackFor(uint32 code) const
{
	std::lock_guard<std::mutex> lock(fFallbackLock);
	auto known = fFallbackByCode.find(code);
	if (known != fFallbackByCode.end())
		return known->second;
	if (!fFallbacksLoaded)
		_LoadFallbacks();
	const FontStyle* found = nullptr;
	for (int i = 0; fFallbacks != nullptr && i < fFallbacks->nfont; i++) {
		FcPattern* font = fFallbacks->fonts[i];
		FcCharSet* characters;
		if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch
			|| !FcCharSetHasChar(characters, code))
			continue;
		const FontStyle* style = FontCatalog::Default().StyleForPattern(font);
		if (style != nullptr && style != this) {
			found = style;
			break;
		}
	}
	fFallbackByCode.emplace(code, found);
	return found;
}

} // namespace BPrivate

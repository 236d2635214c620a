#ifndef _VELMORA_FONT_STYLE_H
#define _VELMORA_FONT_STYLE_H

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include <SupportDefs.h>

typedef struct _FcPattern FcPattern;
typedef struct _FcFontSet FcFontSet;
typedef struct _cairo_font_face cairo_font_face_t;

namespace BPrivate {

class SizedFont;

// One installed style of one family: a font file (and the face index in it),
// the names it is listed under, and the font made of it at each size.
// Styles live as long as the process; fonts and caches point at them.
// Every method may be called from any thread.
class FontStyle {
public:
	// Reads what it needs of the fontconfig pattern that describes the
	// font; the pattern is not kept (fontconfig stores a pattern's values at
	// offsets from it, which leak checkers cannot follow).
	FontStyle(FcPattern* pattern, std::string family, std::string style);
	~FontStyle();
	FontStyle(const FontStyle&) = delete;
	FontStyle& operator=(const FontStyle&) = delete;

	const std::string& Family() const { return fFamily; }
	const std::string& Style() const { return fStyle; }
	// B_REGULAR_FACE, or B_BOLD_FACE and B_ITALIC_FACE as the style has them.
	uint16 Face() const { return fFace; }
	int Weight() const { return fWeight; }
	int Slant() const { return fSlant; }
	int Width() const { return fWidth; }
	const std::string& File() const { return fFile; }
	int Index() const { return fIndex; }

	// From fontconfig's spacing when it gives one, else from the advances
	// of a few glyphs (some monospace fonts carry no spacing).
	bool IsFixed() const;

	// The font at this size, made at first use and kept.
	SizedFont* At(float size) const;

	// The installed style closest to this one that has a glyph for code,
	// for characters this style lacks; null when no installed font has one.
	const FontStyle* FallbackFor(uint32 code) const;

	// The cairo face, owned by the style.
	cairo_font_face_t* CairoFace() const;

private:
	void _LoadFallbacks() const;
	FcPattern* _CreatePattern() const;

	std::string fFamily;
	std::string fStyle;
	std::string fFile;
	int fIndex = 0;
	int fWeight;
	int fSlant;
	int fWidth;
	int fSpacing;  // -1 when fontconfig gives none
	uint16 fFace;

	mutable std::once_flag fFaceOnce;
	mutable cairo_font_face_t* fCairoFace = nullptr;

	// Fonts at each size, newest first; readers walk it without a lock.
	mutable std::atomic<SizedFont*> fSizes{nullptr};
	mutable std::mutex fSizesLock;
	// The font asked for last: text is measured a character at a time, in
	// runs of one size, while the sizes a long page uses make a long list.
	mutable std::atomic<SizedFont*> fLastAsked{nullptr};

	mutable std::atomic<int8> fFixed{-1};

	mutable std::mutex fFallbackLock;
	mutable FcFontSet* fFallbacks = nullptr;
	mutable bool fFallbacksLoaded = false;
	mutable std::unordered_map<uint32, const FontStyle*> fFallbackByCode;
};

} // namespace BPrivate

#endif

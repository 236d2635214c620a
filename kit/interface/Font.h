#ifndef _FONT_H
#define _FONT_H

#include <cstring>

#include <SupportDefs.h>

#define B_FONT_FAMILY_LENGTH 63
#define B_FONT_STYLE_LENGTH 63
typedef char font_family[B_FONT_FAMILY_LENGTH + 1];
typedef char font_style[B_FONT_STYLE_LENGTH + 1];

// Faces.
enum {
	B_ITALIC_FACE = 0x0001,
	B_UNDERSCORE_FACE = 0x0002,
	B_NEGATIVE_FACE = 0x0004,
	B_OUTLINED_FACE = 0x0008,
	B_STRIKEOUT_FACE = 0x0010,
	B_BOLD_FACE = 0x0020,
	B_REGULAR_FACE = 0x0040
};

// Which properties SetFontAndColor() and friends apply.
enum {
	B_FONT_FAMILY_AND_STYLE = 0x0001,
	B_FONT_SIZE = 0x0002,
	B_FONT_SHEAR = 0x0004,
	B_FONT_ROTATION = 0x0008,
	B_FONT_SPACING = 0x0010,
	B_FONT_ENCODING = 0x0020,
	B_FONT_FACE = 0x0040,
	B_FONT_FLAGS = 0x0080,
	B_FONT_FALSE_BOLD_WIDTH = 0x0100,
	B_FONT_ALL = 0x01FF
};

// Spacing modes.
enum {
	B_CHAR_SPACING = 0,
	B_STRING_SPACING = 1,
	B_BITMAP_SPACING = 2,
	B_FIXED_SPACING = 3
};

// Flags of get_font_family() and get_font_style().
enum {
	B_IS_FIXED = 0x0001,
	B_HAS_TUNED_FONT = 0x0002
};

namespace BPrivate {
class FontAccess;
class FontStyle;
}

struct font_height {
	float ascent;
	float descent;
	float leading;
};

// A font is a value: family, style, size and face. Families and styles come
// from fontconfig; widths and heights are measured through FreeType and
// cached per family, style and size. Fonts may be measured from any thread;
// a BFont object itself is not locked (copy it to hand it to another thread).
class BFont {
public:
	BFont();
	BFont(const BFont& font) = default;
	BFont(const BFont* font);
	BFont& operator=(const BFont& font) = default;

	status_t SetFamilyAndStyle(const font_family family, const font_style style);
	status_t SetFamilyAndFace(const font_family family, uint16 face);
	void GetFamilyAndStyle(font_family* family, font_style* style) const;

	void SetSize(float size) { fSize = size > 0 ? size : 0.1f; }
	float Size() const { return fSize; }
	void SetShear(float shear) { fShear = shear; }
	float Shear() const { return fShear; }
	void SetRotation(float rotation) { fRotation = rotation; }
	float Rotation() const { return fRotation; }
	void SetSpacing(uint8 spacing) { fSpacing = spacing; }
	uint8 Spacing() const { return fSpacing; }
	void SetEncoding(uint8 encoding) { fEncoding = encoding; }
	uint8 Encoding() const { return fEncoding; }
	void SetFlags(uint32 flags) { fFlags = flags; }
	uint32 Flags() const { return fFlags; }

	// Chooses the family's style that best matches the face; the face bits
	// are kept, including underscore and strike-out, which change only how
	// the text is drawn.
	void SetFace(uint16 face);
	uint16 Face() const { return fFace; }

	bool IsFixed() const;

	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetStringWidths(const char* stringArray[], const int32 lengthArray[],
		int32 numStrings, float widthArray[]) const;
	void GetHeight(font_height* height) const;

	bool operator==(const BFont& other) const;
	bool operator!=(const BFont& other) const { return !(*this == other); }

	void PrintToStream() const;

private:
	friend class BPrivate::FontAccess;

	// A font that was never given a family stands for one of the system
	// fonts, looked up at first use so that no font is read before the
	// program needs one.
	constexpr BFont(uint8 systemFont, uint16 face)
		: fSize(12.0f), fFace(face), fSystemFont(systemFont) {}

	const BPrivate::FontStyle* _Style() const;
	void _SetStyle(const BPrivate::FontStyle* style);

	// Not owned: styles live as long as the process.
	const BPrivate::FontStyle* fStyle = nullptr;
	float fSize;
	float fShear = 90.0f;
	float fRotation = 0.0f;
	uint8 fSpacing = B_BITMAP_SPACING;
	uint8 fEncoding = 0;
	uint16 fFace;
	uint32 fFlags = 0;
	uint8 fSystemFont;
};

extern const BFont* be_plain_font;
extern const BFont* be_bold_font;
extern const BFont* be_fixed_font;

int32 count_font_families();
status_t get_font_family(int32 index, font_family* name, uint32* flags = nullptr);
int32 count_font_styles(font_family name);
status_t get_font_style(font_family family, int32 index, font_style* name,
	uint16* face = nullptr, uint32* flags = nullptr);
// Re-reads the installed fonts; true when they changed.
bool update_font_families(bool checkOnly);

#endif

// Value-only definitions of the BFont members the text model uses, for
// programs that link the model without the font implementation. They are
// weak: wherever the real ones are linked, those are used instead.

#include <Font.h>

#include <cstring>

#define STAND_IN __attribute__((weak))

STAND_IN BFont::BFont()
	:
	fSize(12.0f),
	fFace(B_REGULAR_FACE)
{
	memset(fFamily, 0, sizeof(fFamily));
	memset(fStyle, 0, sizeof(fStyle));
	strcpy(fFamily, "Sans");
	strcpy(fStyle, "Regular");
}

STAND_IN status_t BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	if (family != nullptr)
		strncpy(fFamily, family, B_FONT_FAMILY_LENGTH);
	if (style != nullptr)
		strncpy(fStyle, style, B_FONT_STYLE_LENGTH);
	return B_OK;
}

STAND_IN void BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	if (family != nullptr)
		strcpy(*family, fFamily);
	if (style != nullptr)
		strcpy(*style, fStyle);
}

STAND_IN void BFont::SetFace(uint16 face)
{
	fFace = face;
	strcpy(fStyle, (face & B_BOLD_FACE) != 0 ? "Bold" : "Regular");
}

STAND_IN bool BFont::operator==(const BFont& other) const
{
	return strcmp(fFamily, other.fFamily) == 0 && strcmp(fStyle, other.fStyle) == 0
		&& fSize == other.fSize && fShear == other.fShear && fRotation == other.fRotation
		&& fSpacing == other.fSpacing && fEncoding == other.fEncoding && fFace == other.fFace
		&& fFlags == other.fFlags;
}

#include <Font.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "font_support/FontAccess.h"
#include "font_support/FontCatalog.h"
#include "font_support/FontStyle.h"
#include "font_support/SizedFont.h"

using BPrivate::FontAccess;
using BPrivate::FontCatalog;
using BPrivate::FontStyle;
using BPrivate::SizedFont;

namespace {

// Constant-initialised, so they are usable from any static constructor;
// the fonts behind them are looked up when first measured or drawn.
constinit const BFont sPlainFont = FontAccess::System(FontCatalog::kPlainFont, B_REGULAR_FACE);
constinit const BFont sBoldFont = FontAccess::System(FontCatalog::kBoldFont, B_BOLD_FACE);
constinit const BFont sFixedFont = FontAccess::System(FontCatalog::kFixedFont, B_REGULAR_FACE);

const uint16 kDecorationFaces = B_UNDERSCORE_FACE | B_STRIKEOUT_FACE | B_NEGATIVE_FACE
	| B_OUTLINED_FACE;

uint16 FaceOrRegular(uint16 face)
{
	return face != 0 ? face : uint16(B_REGULAR_FACE);
}

// A style's bold and italic bits with the decorations the font asked for;
// B_REGULAR_FACE when none is set.
uint16 ComposeFace(uint16 styleFace, uint16 decorations)
{
	return FaceOrRegular((styleFace & (B_BOLD_FACE | B_ITALIC_FACE)) | (decorations & kDecorationFaces));
}

void CopyName(char* destination, const std::string& name, size_t capacity)
{
	size_t length = std::min(name.size(), capacity - 1);
	name.copy(destination, length);
	destination[length] = '\0';
}

} // namespace

const BFont* be_plain_font = &sPlainFont;
const BFont* be_bold_font = &sBoldFont;
const BFont* be_fixed_font = &sFixedFont;

// A font whose file cannot be opened any more is replaced by the plain
// system font, so that text keeps a height and a width.
const SizedFont* FontAccess::Sized(const BFont& font)
{
	const FontStyle* style = font._Style();
	if (style == nullptr)
		return nullptr;
	const SizedFont* sized = style->At(font.fSize);
	if (!sized->IsUsable()) {
		const FontStyle* plain = FontCatalog::Default().System(FontCatalog::kPlainFont);
		if (plain != nullptr && plain != style)
			return plain->At(font.fSize);
	}
	return sized;
}

BFont::BFont()
	:
	BFont(sPlainFont)
{
}

BFont::BFont(const BFont* font)
	:
	BFont(font != nullptr ? *font : sPlainFont)
{
}

const FontStyle* BFont::_Style() const
{
	if (fStyle != nullptr)
		return fStyle;
	return FontCatalog::Default().System(static_cast<FontCatalog::SystemFont>(fSystemFont));
}

void BFont::_SetStyle(const FontStyle* style)
{
	fStyle = style;
	fFace = ComposeFace(style->Face(), fFace);
}

status_t BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	std::string familyName;
	if (family != nullptr) {
		familyName = family;
	} else if (const FontStyle* current = _Style()) {
		familyName = current->Family();
	}
	FontCatalog& catalog = FontCatalog::Default();
	const FontStyle* found = style != nullptr
		? catalog.Find(familyName.c_str(), style)
		: catalog.BestStyle(familyName.c_str(), fFace);
	if (found == nullptr)
		return B_NAME_NOT_FOUND;
	_SetStyle(found);
	return B_OK;
}

status_t BFont::SetFamilyAndFace(const font_family family, uint16 face)
{
	std::string familyName;
	if (family != nullptr) {
		familyName = family;
	} else if (const FontStyle* current = _Style()) {
		familyName = current->Family();
	}
	const FontStyle* found = FontCatalog::Default().BestStyle(familyName.c_str(), face);
	if (found == nullptr)
		return B_NAME_NOT_FOUND;
	fStyle = found;
	fFace = FaceOrRegular(face);
	return B_OK;
}

void BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	const FontStyle* current = _Style();
	if (family != nullptr)
		CopyName(*family, current != nullptr ? current->Family() : std::string(), sizeof(*family));
	if (style != nullptr)
		CopyName(*style, current != nullptr ? current->Style() : std::string(), sizeof(*style));
}

void BFont::SetFace(uint16 face)
{
	if (const FontStyle* current = _Style()) {
		const FontStyle* best = FontCatalog::Default().BestStyle(current->Family().c_str(), face);
		if (best != nullptr)
			fStyle = best;
	}
	fFace = FaceOrRegular(face);
}

bool BFont::IsFixed() const
{
	const FontStyle* style = _Style();
	return style != nullptr && style->IsFixed();
}

float BFont::StringWidth(const char* string) const
{
	if (string == nullptr)
		return 0;
	return StringWidth(string, static_cast<int32>(std::min<size_t>(strlen(string), INT32_MAX)));
}

float BFont::StringWidth(const char* string, int32 length) const
{
	const SizedFont* font = FontAccess::Sized(*this);
	if (string == nullptr || length <= 0 || font == nullptr)
		return 0;
	return font->Width(std::string_view(string, length));
}

void BFont::GetStringWidths(const char* stringArray[], const int32 lengthArray[],
	int32 numStrings, float widthArray[]) const
{
	if (stringArray == nullptr || lengthArray == nullptr || widthArray == nullptr)
		return;
	for (int32 i = 0; i < numStrings; i++)
		widthArray[i] = StringWidth(stringArray[i], lengthArray[i]);
}

void BFont::GetHeight(font_height* height) const
{
	if (height == nullptr)
		return;
	if (const SizedFont* font = FontAccess::Sized(*this))
		font->GetHeight(height);
	else
		*height = font_height{0, 0, 0};
}

bool BFont::operator==(const BFont& other) const
{
	return _Style() == other._Style() && fSize == other.fSize && fFace == other.fFace
		&& fShear == other.fShear && fRotation == other.fRotation
		&& fSpacing == other.fSpacing && fEncoding == other.fEncoding && fFlags == other.fFlags;
}

void BFont::PrintToStream() const
{
	font_family family;
	font_style style;
	GetFamilyAndStyle(&family, &style);
	printf("BFont { %s (%s), size %.1f, face 0x%x }\n", family, style, fSize, fFace);
}

int32 count_font_families()
{
	return FontCatalog::Default().CountFamilies();
}

status_t get_font_family(int32 index, font_family* name, uint32* flags)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	std::string family;
	if (!FontCatalog::Default().FamilyAt(index, &family, flags))
		return B_BAD_VALUE;
	CopyName(*name, family, sizeof(*name));
	return B_OK;
}

int32 count_font_styles(font_family name)
{
	return FontCatalog::Default().CountStyles(name);
}

status_t get_font_style(font_family family, int32 index, font_style* name, uint16* face,
	uint32* flags)
{
	if (name == nullptr)
		return B_BAD_VALUE;
	const FontStyle* style = FontCatalog::Default().StyleAt(family, index);
	if (style == nullptr)
		return B_BAD_VALUE;
	CopyName(*name, style->Style(), sizeof(*name));
	if (face != nullptr)
		*face = style->Face();
	if (flags != nullptr)
		*flags = style->IsFixed() ? B_IS_FIXED : 0;
	return B_OK;
}

bool update_font_families(bool checkOnly)
{
	return FontCatalog::Default().Update(checkOnly);
}

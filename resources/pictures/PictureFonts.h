#ifndef _VELMORA_PICTURE_FONTS_H
#define _VELMORA_PICTURE_FONTS_H

#include <string>

#include <cairo.h>

// The typefaces lettered into the program's pictures. Each is pinned to one
// file of the DejaVu family, so that the pictures come out the same on every
// machine that has those fonts; where one is missing, fontconfig's nearest
// match stands in and a warning says the pictures will differ.
enum class Typeface {
	kSans,
	kSansBold,
	kSerifBoldItalic,
	kMonoBold
};

namespace PictureFonts {

// The cairo face, set up for outlines without hinting, so that glyph shapes
// and advances do not depend on the desktop's rendering settings. Owned by
// this module for the life of the process; null only when fontconfig knows
// no font at all.
cairo_font_face_t* Face(Typeface typeface);

// The font file that stands for the typeface ("" when none).
std::string FileOf(Typeface typeface);

// Whether the pinned font was found, rather than a stand-in.
bool IsPinned(Typeface typeface);

// Lets fontconfig free its configuration, for a program that letters no
// more pictures; a typeface resolved afterwards reads it again.
void Finish();

// Selects the typeface at a size (pixels per em) on the context, with the
// rendering options of every picture: grey antialiasing, no hinting.
void Select(cairo_t* context, Typeface typeface, double size);

} // namespace PictureFonts

#endif

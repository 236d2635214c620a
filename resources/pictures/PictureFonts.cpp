#include "PictureFonts.h"

#include <cstdio>
#include <mutex>
#include <string>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace PictureFonts {

namespace {

struct Pinned {
	const char* family;
	const char* style;
};

// In the order of Typeface.
const Pinned kPinned[] = {
	{"DejaVu Sans", "Book"},
	{"DejaVu Sans", "Bold"},
	{"DejaVu Serif", "Bold Italic"},
	{"DejaVu Sans Mono", "Bold"},
};
const int kTypefaceCount = sizeof(kPinned) / sizeof(kPinned[0]);

struct Resolved {
	std::once_flag once;
	FT_Face fontFile = nullptr;
	cairo_font_face_t* face = nullptr;
	std::string file;
	bool pinned = false;
};

Resolved sResolved[kTypefaceCount];

std::string StringOf(FcPattern* pattern, const char* object)
{
	FcChar8* value = nullptr;
	if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || value == nullptr)
		return std::string();
	return reinterpret_cast<const char*>(value);
}

// The faces are made from font files opened here rather than from
// fontconfig patterns, so that cairo holds nothing of fontconfig's and
// fontconfig can free everything at Finish(). The files stay open as long
// as the process.
FT_Library Library()
{
	static FT_Library library = nullptr;
	static std::once_flag once;
	std::call_once(once, [] {
		if (FT_Init_FreeType(&library) != 0)
			library = nullptr;
	});
	return library;
}

// Glyph outlines exactly as the font draws them: no hinting, no embedded
// bitmaps.
void MakeFace(Resolved& resolved, int index)
{
	FT_Library library = Library();
	if (library == nullptr
		|| FT_New_Face(library, resolved.file.c_str(), index, &resolved.fontFile) != 0) {
		resolved.fontFile = nullptr;
		return;
	}
	cairo_font_face_t* face = cairo_ft_font_face_create_for_ft_face(resolved.fontFile,
		FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP);
	if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
		cairo_font_face_destroy(face);
		return;
	}
	resolved.face = face;
}

void Resolve(Typeface typeface, Resolved& resolved)
{
	const Pinned& pinned = kPinned[static_cast<int>(typeface)];
	FcPattern* request = FcPatternCreate();
	FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(pinned.family));
	FcPatternAddString(request, FC_STYLE, reinterpret_cast<const FcChar8*>(pinned.style));
	FcConfigSubstitute(nullptr, request, FcMatchPattern);
	FcDefaultSubstitute(request);
	FcResult result = FcResultNoMatch;
	FcPattern* match = FcFontMatch(nullptr, request, &result);
	FcPatternDestroy(request);
	if (match == nullptr) {
		fprintf(stderr, "No font is installed to letter the pictures with.\n");
		return;
	}
	resolved.file = StringOf(match, FC_FILE);
	int index = 0;
	FcPatternGetInteger(match, FC_INDEX, 0, &index);
	resolved.pinned = StringOf(match, FC_FAMILY) == pinned.family
		&& StringOf(match, FC_STYLE) == pinned.style;
	FcPatternDestroy(match);
	if (!resolved.pinned) {
		fprintf(stderr,
			"warning: the font \"%s %s\" is not installed; \"%s\" stands in, so the pictures "
			"differ from those made elsewhere (install the DejaVu fonts).\n",
			pinned.family, pinned.style, resolved.file.c_str());
	}
	if (!resolved.file.empty())
		MakeFace(resolved, index);
}

Resolved& ResolvedFor(Typeface typeface)
{
	Resolved& resolved = sResolved[static_cast<int>(typeface)];
	std::call_once(resolved.once, [&] { Resolve(typeface, resolved); });
	return resolved;
}

} // namespace

cairo_font_face_t* Face(Typeface typeface)
{
	return ResolvedFor(typeface).face;
}

std::string FileOf(Typeface typeface)
{
	return ResolvedFor(typeface).file;
}

bool IsPinned(Typeface typeface)
{
	return ResolvedFor(typeface).pinned;
}

void Finish()
{
	FcFini();
}

void Select(cairo_t* context, Typeface typeface, double size)
{
	cairo_font_face_t* face = Face(typeface);
	if (face != nullptr)
		cairo_set_font_face(context, face);
	cairo_set_font_size(context, size);
	cairo_font_options_t* options = cairo_font_options_create();
	cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
	cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
	cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
	cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
	cairo_set_font_options(context, options);
	cairo_font_options_destroy(options);
}

} // namespace PictureFonts

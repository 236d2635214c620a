#include "PictureFonts.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

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

// Glyph outlines exactly as the font draws them: no hinting, no embedded
// bitmaps, grey antialiasing.
cairo_font_face_t* FaceForFile(const std::string& file, int index)
{
	FcPattern* pattern = FcPatternCreate();
	FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.c_str()));
	FcPatternAddInteger(pattern, FC_INDEX, index);
	FcPatternAddBool(pattern, FC_ANTIALIAS, FcTrue);
	FcPatternAddBool(pattern, FC_HINTING, FcFalse);
	FcPatternAddInteger(pattern, FC_HINT_STYLE, FC_HINT_NONE);
	FcPatternAddBool(pattern, FC_AUTOHINT, FcFalse);
	FcPatternAddBool(pattern, FC_EMBEDDED_BITMAP, FcFalse);
	FcPatternAddInteger(pattern, FC_RGBA, FC_RGBA_NONE);
	cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
	FcPatternDestroy(pattern);
	if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
		cairo_font_face_destroy(face);
		return nullptr;
	}
	return face;
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
		resolved.face = FaceForFile(resolved.file, index);
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

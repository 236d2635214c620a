#include "FontCatalog.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <strings.h>

#include <fontconfig/fontconfig.h>

#include <Font.h>
#include <UTF8.h>

#include "FontStyle.h"

namespace BPrivate {

namespace {

std::string Truncated(std::string name, size_t limit)
{
	if (name.size() > limit)
		name.resize(UTF8::Boundary(name, limit));
	return name;
}

// The English name of a font when it has one, else its first name.
std::string NameOf(FcPattern* font, const char* object, const char* languageObject)
{
	FcChar8* first = nullptr;
	FcChar8* name;
	for (int i = 0; FcPatternGetString(font, object, i, &name) == FcResultMatch; i++) {
		if (first == nullptr)
			first = name;
		FcChar8* language;
		if (FcPatternGetString(font, languageObject, i, &language) == FcResultMatch
			&& strcasecmp(reinterpret_cast<const char*>(language), "en") == 0)
			return reinterpret_cast<const char*>(name);
	}
	return first != nullptr ? reinterpret_cast<const char*>(first) : "";
}

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
	int order = strcasecmp(a.c_str(), b.c_str());
	return order != 0 ? order < 0 : a < b;
}

bool SkipsFont(FcPattern* font)
{
	// Bitmap fonts do not scale to the sizes a page asks for, and a variable
	// font is listed once more for each of its named instances.
	FcBool flag;
	if (FcPatternGetBool(font, FC_OUTLINE, 0, &flag) == FcResultMatch && !flag)
		return true;
	return FcPatternGetBool(font, FC_VARIABLE, 0, &flag) == FcResultMatch && flag;
}

std::string FileOf(FcPattern* font)
{
	FcChar8* file = nullptr;
	if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
		return std::string();
	return reinterpret_cast<const char*>(file);
}

int IndexOf(FcPattern* font)
{
	int index = 0;
	FcPatternGetInteger(font, FC_INDEX, 0, &index);
	return index;
}

} // namespace

FontCatalog& FontCatalog::Default()
{
	// Never destroyed: window threads may still measure text while the
	// process exits, and styles must outlive every font that points at them.
	static FontCatalog* catalog = [] {
		FcInit();
		return new FontCatalog;
	}();
	return *catalog;
}

FontCatalog::FontCatalog()
{
	fFamilies = _ReadFamilies();
	fSystem[kPlainFont] = _MatchSystem("sans-serif", FC_WEIGHT_REGULAR);
	fSystem[kBoldFont] = _MatchSystem("sans-serif", FC_WEIGHT_BOLD);
	fSystem[kFixedFont] = _MatchSystem("monospace", FC_WEIGHT_REGULAR);
}

// Called from the constructor or with fLock held exclusively.
std::vector<FontCatalog::Family> FontCatalog::_ReadFamilies()
{
	FcPattern* all = FcPatternCreate();
	FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_STYLELANG,
		FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_SPACING, FC_OUTLINE, FC_VARIABLE,
		nullptr);
	FcFontSet* fonts = FcFontList(nullptr, all, objects);
	FcObjectSetDestroy(objects);
	FcPatternDestroy(all);

	std::vector<Family> families;
	if (fonts == nullptr)
		return families;
	// The same family and style may be installed twice (a TrueType and an
	// OpenType file, say); file order decides which one is listed.
	std::vector<FcPattern*> sorted(fonts->fonts, fonts->fonts + fonts->nfont);
	std::sort(sorted.begin(), sorted.end(), [](FcPattern* a, FcPattern* b) {
		std::string fileA = FileOf(a);
		std::string fileB = FileOf(b);
		return fileA != fileB ? fileA < fileB : IndexOf(a) < IndexOf(b);
	});
	std::map<std::string, Family, decltype(&LessIgnoringCase)> byName(&LessIgnoringCase);
	for (FcPattern* font : sorted) {
		if (SkipsFont(font) || FileOf(font).empty())
			continue;
		std::string family = Truncated(NameOf(font, FC_FAMILY, FC_FAMILYLANG), B_FONT_FAMILY_LENGTH);
		std::string style = Truncated(NameOf(font, FC_STYLE, FC_STYLELANG), B_FONT_STYLE_LENGTH);
		if (family.empty())
			continue;
		Family& entry = byName.try_emplace(family, Family{family, {}}).first->second;
		bool listed = std::any_of(entry.styles.begin(), entry.styles.end(),
			[&style](const FontStyle* known) { return strcasecmp(known->Style().c_str(), style.c_str()) == 0; });
		if (!listed)
			entry.styles.push_back(_StyleFor(font, family, style));
	}
	FcFontSetDestroy(fonts);

	for (auto& [name, family] : byName) {
		std::sort(family.styles.begin(), family.styles.end(),
			[](const FontStyle* a, const FontStyle* b) { return LessIgnoringCase(a->Style(), b->Style()); });
		families.push_back(std::move(family));
	}
	return families;
}

// Called from the constructor or with fLock held exclusively.
const FontStyle* FontCatalog::_StyleFor(FcPattern* font, const std::string& family,
	const std::string& style)
{
	StyleKey key(FileOf(font), IndexOf(font));
	auto known = fStyles.find(key);
	if (known != fStyles.end())
		return known->second.get();
	auto made = std::make_unique<FontStyle>(font, family, style);
	const FontStyle* result = made.get();
	fStyles.emplace(std::move(key), std::move(made));
	return result;
}

const FontStyle* FontCatalog::_MatchSystem(const char* generic, int weight)
{
	// Not FcNameParse: it reads the "-" of "sans-serif" as the start of a size.
	FcPattern* request = FcPatternCreate();
	FcPatternAddString(request, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
	FcPatternAddInteger(request, FC_WEIGHT, weight);
	FcConfigSubstitute(nullptr, request, FcMatchPattern);
	FcDefaultSubstitute(request);
	FcResult result;
	FcPattern* match = FcFontMatch(nullptr, request, &result);
	FcPatternDestroy(request);
	if (match == nullptr)
		return nullptr;
	const FontStyle* style = nullptr;
	if (!FileOf(match).empty()) {
		style = _StyleFor(match,
			Truncated(NameOf(match, FC_FAMILY, FC_FAMILYLANG), B_FONT_FAMILY_LENGTH),
			Truncated(NameOf(match, FC_STYLE, FC_STYLELANG), B_FONT_STYLE_LENGTH));
	}
	FcPatternDestroy(match);
	return style;
}

const FontStyle* FontCatalog::StyleForPattern(FcPattern* font)
{
	StyleKey key(FileOf(font), IndexOf(font));
	if (key.first.empty())
		return nullptr;
	{
		std::shared_lock<std::shared_mutex> lock(fLock);
		auto known = fStyles.find(key);
		if (known != fStyles.end())
			return known->second.get();
	}
	std::unique_lock<std::shared_mutex> lock(fLock);
	return _StyleFor(font, Truncated(NameOf(font, FC_FAMILY, FC_FAMILYLANG), B_FONT_FAMILY_LENGTH),
		Truncated(NameOf(font, FC_STYLE, FC_STYLELANG), B_FONT_STYLE_LENGTH));
}

int32 FontCatalog::CountFamilies() const
{
	std::shared_lock<std::shared_mutex> lock(fLock);
	return static_cast<int32>(fFamilies.size());
}

bool FontCatalog::FamilyAt(int32 index, std::string* name, uint32* flags) const
{
	const FontStyle* regular = nullptr;
	{
		std::shared_lock<std::shared_mutex> lock(fLock);
		if (index < 0 || index >= static_cast<int32>(fFamilies.size()))
			return false;
		*name = fFamilies[index].name;
		regular = _Best(fFamilies[index], B_REGULAR_FACE);
	}
	if (flags != nullptr)
		*flags = regular != nullptr && regular->IsFixed() ? B_IS_FIXED : 0;
	return true;
}

const FontCatalog::Family* FontCatalog::_FindFamily(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	auto found = std::find_if(fFamilies.begin(), fFamilies.end(),
		[name](const Family& family) { return strcasecmp(family.name.c_str(), name) == 0; });
	return found != fFamilies.end() ? &*found : nullptr;
}

int32 FontCatalog::CountStyles(const char* family) const
{
	std::shared_lock<std::shared_mutex> lock(fLock);
	const Family* found = _FindFamily(family);
	return found != nullptr ? static_cast<int32>(found->styles.size()) : 0;
}

const FontStyle* FontCatalog::StyleAt(const char* family, int32 index) const
{
	std::shared_lock<std::shared_mutex> lock(fLock);
	const Family* found = _FindFamily(family);
	if (found == nullptr || index < 0 || index >= static_cast<int32>(found->styles.size()))
		return nullptr;
	return found->styles[index];
}

const FontStyle* FontCatalog::Find(const char* family, const char* style) const
{
	std::shared_lock<std::shared_mutex> lock(fLock);
	const Family* found = _FindFamily(family);
	if (found == nullptr || style == nullptr)
		return nullptr;
	for (const FontStyle* candidate : found->styles) {
		if (strcasecmp(candidate->Style().c_str(), style) == 0)
			return candidate;
	}
	return nullptr;
}

const FontStyle* FontCatalog::BestStyle(const char* family, uint16 face) const
{
	std::shared_lock<std::shared_mutex> lock(fLock);
	const Family* found = _FindFamily(family);
	return found != nullptr ? _Best(*found, face) : nullptr;
}

// Bold and italic must match first; then the normal width, then the weight
// closest to regular or bold: "Bold Oblique" before "Condensed Bold Oblique",
// "Book" before "ExtraLight".
const FontStyle* FontCatalog::_Best(const Family& family, uint16 face)
{
	bool bold = (face & B_BOLD_FACE) != 0;
	bool italic = (face & B_ITALIC_FACE) != 0;
	int targetWeight = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
	const FontStyle* best = nullptr;
	long bestScore = 0;
	for (const FontStyle* style : family.styles) {
		long score = 0;
		if (((style->Face() & B_BOLD_FACE) != 0) != bold)
			score += 100000;
		if (((style->Face() & B_ITALIC_FACE) != 0) != italic)
			score += 100000;
		score += 100L * std::abs(style->Width() - FC_WIDTH_NORMAL);
		score += std::abs(style->Weight() - targetWeight);
		if (best == nullptr || score < bestScore) {
			best = style;
			bestScore = score;
		}
	}
	return best;
}

bool FontCatalog::Update(bool checkOnly)
{
	FcInitBringUptoDate();
	std::unique_lock<std::shared_mutex> lock(fLock);
	std::vector<Family> families = _ReadFamilies();
	bool changed = families.size() != fFamilies.size()
		|| !std::equal(families.begin(), families.end(), fFamilies.begin(),
			[](const Family& a, const Family& b) { return a.name == b.name && a.styles == b.styles; });
	if (changed && !checkOnly)
		fFamilies = std::move(families);
	return changed;
}

} // namespace BPrivate

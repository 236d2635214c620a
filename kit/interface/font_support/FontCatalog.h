#ifndef _VELMORA_FONT_CATALOG_H
#define _VELMORA_FONT_CATALOG_H

#include <array>
#include <map>
#include <memory>
#include <shared_mutex>
#include <string>
#include <utility>
#include <vector>

#include <SupportDefs.h>

typedef struct _FcPattern FcPattern;

namespace BPrivate {

class FontStyle;

// The installed fonts as families of styles, sorted by name, read from
// fontconfig. Styles are never freed, so a pointer to one stays valid even
// after the list is read again. Every method may be called from any thread;
// the catalog never calls into a style while it holds its own lock.
class FontCatalog {
public:
	// Initialises fontconfig (once, on first use) and lists the fonts.
	static FontCatalog& Default();

	int32 CountFamilies() const;
	// The family's listed name (at most B_FONT_FAMILY_LENGTH bytes) and its
	// flags (B_IS_FIXED when its regular style is monospace).
	bool FamilyAt(int32 index, std::string* name, uint32* flags) const;

	int32 CountStyles(const char* family) const;
	const FontStyle* StyleAt(const char* family, int32 index) const;

	// Exact family and style names, ignoring ASCII case; null when the
	// family or the style is not installed.
	const FontStyle* Find(const char* family, const char* style) const;
	// The family's style that best matches the bold and italic bits of face;
	// null when the family is not installed.
	const FontStyle* BestStyle(const char* family, uint16 face) const;

	// The style for a font fontconfig returned (by file and index), made
	// when the font is not in the listing.
	const FontStyle* StyleForPattern(FcPattern* font);

	enum SystemFont { kPlainFont, kBoldFont, kFixedFont };
	// The best matches for "sans-serif" (regular and bold) and "monospace";
	// null only when no font is installed at all.
	const FontStyle* System(SystemFont which) const { return fSystem[which]; }

	// Reads the installed fonts again; true when the listing changed. With
	// checkOnly the listing is left as it was.
	bool Update(bool checkOnly);

private:
	FontCatalog();

	struct Family {
		std::string name;
		std::vector<const FontStyle*> styles;
	};
	typedef std::pair<std::string, int> StyleKey;

	std::vector<Family> _ReadFamilies();
	const Family* _FindFamily(const char* name) const;
	static const FontStyle* _Best(const Family& family, uint16 face);
	const FontStyle* _StyleFor(FcPattern* font, const std::string& family,
		const std::string& style);
	const FontStyle* _MatchSystem(const char* generic, int weight);

	mutable std::shared_mutex fLock;
	std::vector<Family> fFamilies;
	std::map<StyleKey, std::unique_ptr<FontStyle>> fStyles;
	std::array<const FontStyle*, 3> fSystem{};
};

} // namespace BPrivate

#endif

#include "FontFaces.h"

#include <strings.h>

#include <cstring>
#include <memory>

#include <Font.h>

#include "Config_.h"
#include "StringHelpers.h"

namespace {

bool FamilyBeginningWith(const char* word, char* family)
{
	size_t length = strlen(word);
	int32 count = count_font_families();
	for (int32 i = 0; i < count; i++) {
		font_family installed;
		if (get_font_family(i, &installed) == B_OK
				&& strncasecmp(installed, word, length) == 0) {
			strncpy0(family, installed, B_FONT_FAMILY_LENGTH);
			return true;
		}
	}
	return false;
}

} // namespace

bool FontFaces::FamilyForFace(char* family, const char* face, const Config_* settings)
{
	if (family == nullptr)
		return false;
	int32 end = 0;
	for (const char* rest = face; rest != nullptr && *rest != '\0';) {
		std::unique_ptr<char[]> word(GetWordCommaSep(rest, &end));
		if (word != nullptr && FamilyBeginningWith(word.get(), family))
			return true;
		if (rest[end] == '\0')
			break;
		rest += end + 1;
	}
	strncpy0(family, settings != nullptr ? settings->ProportionalFontName() : "",
		B_FONT_FAMILY_LENGTH);
	return false;
}

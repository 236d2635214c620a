#ifndef ATTRIBUTE_DICTIONARY_H
#define ATTRIBUTE_DICTIONARY_H

#include <SupportDefs.h>

#include "TagDictionary.h"

// One known attribute name. Entries live for the whole run of the program,
// so a pointer to one identifies the attribute (attval->dict == attr_href).
struct _attribute {
	const char* name;	// lower case
	uint32 versions;	// VERS_* bits of the HTML versions that define it
};

// The entry of an attribute name, without regard to case; null for a name
// that no HTML version or browser defines.
const _attribute* LookUpAttribute(const char* name);

extern const _attribute* const attr_align;
extern const _attribute* const attr_alt;
extern const _attribute* const attr_background;
extern const _attribute* const attr_bgcolor;
extern const _attribute* const attr_border;
extern const _attribute* const attr_color;
extern const _attribute* const attr_content;
extern const _attribute* const attr_face;
extern const _attribute* const attr_height;
extern const _attribute* const attr_href;
extern const _attribute* const attr_link;
extern const _attribute* const attr_name;
extern const _attribute* const attr_size;
extern const _attribute* const attr_src;
extern const _attribute* const attr_text;
extern const _attribute* const attr_width;

#endif

#ifndef ENTITY_TABLE_H
#define ENTITY_TABLE_H

#include <SupportDefs.h>

// The visual text's non-breaking space: a parsed &nbsp; (or U+00A0) becomes
// this byte, and the byte is written back as &nbsp;.
constexpr uint32 kNonBreakingSpaceCode = 0x0F;

// One named character reference of HTML 4.
struct _entity {
	const char* name;
	uint32 code;	// Unicode code point; kNonBreakingSpaceCode for "nbsp"
};

// The HTML 4 entities in the standard order (Latin-1, symbols, special),
// "nbsp" first; for listing them.
int32 CountEntities();
const _entity* EntityAt(int32 index);

// The entity of a name. Names differ in case ("Eacute", "eacute"), so the
// exact name wins; otherwise the first entry that equals it without regard
// to case. Null when there is none.
const _entity* LookUpEntity(const char* name);

// The name of the entity for a character, or null; EntityName(0x0F) is
// "nbsp" and U+00A0 has none, so that it is written as the character.
const char* EntityName(uint32 code);

// Decodes the UTF-8 character at str, reading at most length bytes, into
// *ch; returns the number of bytes it takes. A malformed or cut-off sequence
// gives U+FFFD and 1. Returns 0 (and leaves *ch) for no input.
int32 GetUTF8(const char* str, int32 length, uint32* ch);

#endif

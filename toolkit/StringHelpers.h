#ifndef VELMORA_STRING_HELPERS_H
#define VELMORA_STRING_HELPERS_H

#include <string>

#include <SupportDefs.h>

class BMessage;

// Helpers for NUL-terminated strings. A null argument gives a null, false
// or zero result. Every string these functions return is new, made with
// new[], and belongs to the caller, who frees it with delete[].
// Letter case means ASCII letters; other bytes are left as they are.

// A copy of text.
char* newtext(const char* text);

// Copies at most n bytes of src into dest and terminates it, so dest needs
// n + 1 bytes. Returns dest; a null src leaves dest empty and returns null.
char* strncpy0(char* dest, const char* src, size_t n);

// Appends the pieces in order to the end of the string in buffer, null
// pieces left out. buffer must have room for all of them. Returns buffer.
char* endstrcpys(char* buffer, const char* piece1, const char* piece2 = nullptr,
	const char* piece3 = nullptr, const char* piece4 = nullptr, const char* piece5 = nullptr,
	const char* piece6 = nullptr, const char* piece7 = nullptr, const char* piece8 = nullptr);

bool strcmpexact(const char* a, const char* b);
bool strcmpexactxcase(const char* a, const char* b);
// The number of leading characters in which a and b agree.
int32 strcmplen(const char* a, const char* b);
int32 strcmplenxcase(const char* a, const char* b);

// Change letter case in place; return text.
char* strtolower(char* text);
char* strtoupper(char* text);

// Decimal text of value.
char* itoa(int32 value);
// Upper-case hexadecimal text of value as 32 bits, without prefix
// (-1 gives "FFFFFFFF").
char* itoahex(int32 value);
// The value of the hexadecimal digits at the start of text (either case);
// reading stops at the first other character. The reverse of itoahex:
// more than 32 bits give 0xFFFFFFFF (-1).
int32 hexitoa(const char* text);

// The next comma-separated word of text, as in a list of font faces:
// characters that are not letters or digits are skipped at the start (a
// comma among them too), the word runs to the next "," or the end, and
// characters that are not letters or digits are dropped from its end.
// Bytes of multi-byte UTF-8 characters count as letters. end receives the
// index of that "," (or of the terminator). Null when the word is empty.
char* GetWordCommaSep(const char* text, int32* end);

// Writes the UTF-8 encoding of code and a terminator into buffer (4 bytes
// are enough) and returns the number of bytes of the character: 1 up to
// 0x7F, 2 up to 0x7FF, 3 above. Codes that three bytes cannot carry
// (beyond 0xFFFF) and the UTF-16 surrogates 0xD800..0xDFFF give U+FFFD,
// the replacement character. 0 and nothing written for a negative code or
// a null buffer.
int32 MakeUTF8Char(int32 code, char* buffer);

// Writes path into out with every "./" segment dropped and every "../"
// segment removing the segment written before it; a "../" with nothing
// before it to remove is kept. A final "." or ".." counts as a segment.
// out needs strlen(path) + 1 bytes (the result is never longer). Returns
// out; a null path leaves out empty and returns null.
char* ProcessPath(char* out, const char* path);

// The message's flattened bytes; empty when it is null or cannot be
// flattened.
std::string FlattenedMessage(const BMessage* message);
// True when both messages flatten to the same bytes: the same fields with
// the same values, added in the same order. False when either is null.
bool CompareMessages(const BMessage* a, const BMessage* b);

#endif

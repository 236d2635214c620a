#ifndef VELMORA_CHARACTER_WRITING_H
#define VELMORA_CHARACTER_WRITING_H

#include <string>
#include <string_view>

#include <SupportDefs.h>

// How the characters of a page's text are written into its HTML.
namespace CharacterWriting {

// Appends one character (its UTF-8 bytes and its code; 0x0F is the visual
// text's non-breaking space) as HTML: by its entity name where HTML has
// one, else as it is. With bytesAsRead (a page whose bytes are UTF-8 under
// a single-byte declaration) only the characters that markup needs go by
// name; every other one is written as it is, so that saving turns it into
// the very byte it was read from.
void Append(std::string& html, uint32 code, std::string_view character, bool bytesAsRead);
// A whole text, each character as Append() writes it.
std::string Escaped(std::string_view text, bool bytesAsRead);

} // namespace CharacterWriting

#endif

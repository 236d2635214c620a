#ifndef VELMORA_PAGE_TEXT_H
#define VELMORA_PAGE_TEXT_H

#include <string>
#include <string_view>
#include <vector>

#include <SupportDefs.h>

#include "TextEncoding.h"

class BFile;

// The page's text between its file and the HTML window: the window holds
// UTF-8 with LF line ends; the file holds the page's encoding with CR LF.
namespace PageText {

// The text of page bytes as the HTML window shows it: decoded, without a
// byte order mark, every CR LF and lone CR made LF. encoding receives the
// encoding the page is in.
std::string Decode(std::string_view bytes, TextEncoding* encoding);
// The bytes of the window's text as a page file holds them: every line
// end (LF, CR LF or a lone CR) written CR LF, in encoding (a character it
// cannot hold becomes a numeric character reference).
std::string Encode(std::string_view text, const TextEncoding& encoding);
// Every CR LF and lone CR made LF.
std::string NormalizeLineEnds(std::string_view text);
void NormalizeLineEndsInPlace(std::string& text);

// The name extensions of page files, which the file panels list.
std::vector<std::string> FileExtensions();

// The whole content of a file.
status_t ReadFile(BFile* file, std::string& bytes);
// Makes bytes the whole content of the file: written from its start, then
// cut to their length.
status_t WriteFile(BFile* file, const std::string& bytes);

} // namespace PageText

#endif

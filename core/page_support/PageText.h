#ifndef VELMORA_PAGE_TEXT_H
#define VELMORA_PAGE_TEXT_H

#include <functional>
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
// Takes a piece of the bytes written; what it returns other than B_OK stops
// the writing.
using PieceWriter = std::function<status_t(std::string_view bytes)>;
// The bytes of Encode handed to write a piece at a time, each made as it
// goes, so that a big page's bytes are never held whole; a text in an
// encoding that cannot be written in pieces (TextEncoding::EncodesInPieces)
// is one piece. Returns the first status other than B_OK of write.
status_t EncodeInPieces(std::string_view text, const TextEncoding& encoding,
	const PieceWriter& write, size_t pieceSize = 256 * 1024);
// Every CR LF and lone CR made LF.
std::string NormalizeLineEnds(std::string_view text);
void NormalizeLineEndsInPlace(std::string& text);
// The same for the length bytes at text; returns their new length.
size_t NormalizeLineEndsInPlace(char* text, size_t length);

// The name extensions of page files, which the file panels list.
std::vector<std::string> FileExtensions();

// The whole content of a file.
status_t ReadFile(BFile* file, std::string& bytes);
// Makes the bytes that produce hands to its writer the whole content of
// the file: written from its start, then cut to their length, which goes
// to *length.
status_t WriteFile(BFile* file, const std::function<status_t(const PieceWriter&)>& produce,
	off_t* length);

} // namespace PageText

#endif

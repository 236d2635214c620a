#ifndef CHARSET_DECLARATION_H
#define CHARSET_DECLARATION_H

#include <string>
#include <string_view>

// The charset a page declares about itself, read from its bytes before they
// are decoded: the encoding of an XML declaration at the start, else the
// first META tag's charset (or the charset= part of an http-equiv
// Content-Type). Comments are skipped; only the start of a page is read.
class CharsetDeclaration {
public:
	static std::string Find(std::string_view bytes);
	// The charset's name where the page writes it: a part of bytes, empty
	// (and not a part of them) when the page declares none.
	static std::string_view Locate(std::string_view bytes);

private:
	static std::string_view FromXmlDeclaration(std::string_view bytes);
	static std::string_view FromMeta(std::string_view bytes, size_t offset);
	static std::string_view FromContentType(std::string_view content);
};

#endif

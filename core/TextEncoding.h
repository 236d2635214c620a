#ifndef TEXT_ENCODING_H
#define TEXT_ENCODING_H

#include <string>
#include <string_view>

// The character encoding of a page file. Reading a page finds it (byte
// order mark, then the charset the page declares, then the bytes
// themselves) and decodes the page to UTF-8; saving encodes the text back
// in it, so that a page keeps the encoding it came in.
class TextEncoding {
public:
	// UTF-8 without a byte order mark.
	TextEncoding();

	// The encoding a page file is in: its byte order mark; else the charset
	// its XML declaration or META tag declares, when the bytes decode in it;
	// else UTF-8 when the bytes are UTF-8, else Windows-1252.
	static TextEncoding Detect(std::string_view bytes);

	// Detect and Decode in one: the page's encoding, and its text in
	// UTF-8. Checks a page's UTF-8 once rather than twice.
	static TextEncoding DecodePage(std::string_view bytes, std::string& text);
	// DecodePage, taking the bytes: a page in UTF-8 becomes its own text
	// without a copy. The bytes are left empty.
	static TextEncoding DecodePageTaking(std::string&& bytes, std::string& text);

	// The encoding of a name that Name() gave, with or without the byte
	// order mark; UTF-8 for a name no converter knows.
	static TextEncoding Named(std::string_view name, bool byteOrderMark);

	// The charset name to write back into the page ("UTF-8", "ISO-8859-1",
	// "windows-1252", "EUC-JP", ...).
	const std::string& Name() const { return fName; }
	bool HasByteOrderMark() const { return fByteOrderMark; }
	// The page declares a single-byte charset (ISO-8859-1, Windows-1252,
	// US-ASCII) while its bytes are UTF-8 with multi-byte characters. It is
	// read as declared, as a browser reads it; written, each character
	// must become the byte it was read from again, so that correcting the
	// declaration later still gives the characters the author meant.
	bool DeclaresSingleByteOverUtf8() const { return fUtf8Bytes; }

	// The text of page bytes in UTF-8, without the byte order mark. In
	// UTF-8, a byte that is not part of a UTF-8 character is read as
	// Windows-1252. False when the bytes are not in this encoding.
	bool Decode(std::string_view bytes, std::string& text) const;
	// The page bytes of UTF-8 text, with the byte order mark when the page
	// had one. A character the encoding lacks is written as a numeric
	// character reference (&#8364;); the result is then false.
	bool Encode(std::string_view text, std::string& bytes) const;
	// A text may be encoded a piece at a time: the mark, then each piece
	// appended by AppendEncoded give the bytes Encode gives for the whole,
	// when the pieces are cut between characters and not inside a CR LF
	// pair. Not so for the encodings of other libraries, whose converters
	// may keep a state from one character to the next.
	bool EncodesInPieces() const { return fMethod != Method::kIconv; }
	// The mark Encode writes first; empty when it writes none.
	std::string_view ByteOrderMark() const;
	// Encode without the mark, appending to bytes.
	bool AppendEncoded(std::string_view text, std::string& bytes) const;

private:
	enum class Method { kUTF8, kWindows1252, kIconv };

	TextEncoding(Method method, std::string name, bool byteOrderMark);
	// foundUtf8: the bytes were found to be UTF-8 without a mark or a
	// declaration, and need no decoding.
	static TextEncoding Detect(std::string_view bytes, bool& foundUtf8);
	static bool ForDeclaredCharset(std::string_view charset, TextEncoding& encoding);

	Method fMethod;
	std::string fName;
	bool fByteOrderMark;
	bool fUtf8Bytes = false;
};

#endif

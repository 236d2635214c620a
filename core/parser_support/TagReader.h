#ifndef TAG_READER_H
#define TAG_READER_H

#include <optional>
#include <string_view>
#include <vector>

// An attribute of a start tag as it stands in the text.
struct TagAttributeText {
	std::string_view name;
	std::optional<std::string_view> value;	// between the quotes, if any
	char delim;								// '"', '\'' or 0
};

struct StartTagText {
	std::string_view name;
	std::vector<TagAttributeText> attributes;
	size_t end = 0;			// offset just after the closing '>'
	bool selfClosing = false;
};

// Reads markup syntax directly from a page's text, for what the HTML library
// does not tell: names and values as written.
class TagReader {
public:
	static bool IsNameStart(char c);
	// Tag names are ASCII letters, digits and . - _ : (as the library reads them).
	static bool IsNameChar(char c);
	static bool IsSpace(char c);
	static size_t NameLength(std::string_view text, size_t offset);

	// Reads the start tag whose '<' is at offset. False when it is none or is
	// not well formed (cut off, an unclosed quote, a stray '<' or quote):
	// then the caller trusts the library's reading of it instead.
	static bool ReadStartTag(std::string_view text, size_t offset, StartTagText& tag);

private:
	static bool ReadAttribute(std::string_view text, size_t& offset, TagAttributeText& attribute);
};

#endif

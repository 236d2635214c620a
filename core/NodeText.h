#ifndef VELMORA_NODE_TEXT_H
#define VELMORA_NODE_TEXT_H

#include <optional>
#include <string>
#include <string_view>

#include <GraphicsDefs.h>

class BMessage;
struct _attribute;
struct _node;

// What the program reads from parsed nodes and element archives, as
// strings, and how text is written back as HTML.
namespace NodeText {

// The value of the node's first attribute of that kind ("" for one
// written without a value); none when the node has no such attribute.
std::optional<std::string> Attribute(const _node* node, const _attribute* attr);
// The node's attributes but the given ones, as text: each a blank, the
// name as written and, with a value, ="value". Empty when there are none.
std::string OtherAttributes(const _node* node, const _attribute* a1 = nullptr,
	const _attribute* a2 = nullptr, const _attribute* a3 = nullptr,
	const _attribute* a4 = nullptr);
// The node's characters in the page parser's lexer buffer; none when the
// range is empty or out of the buffer.
std::optional<std::string> SourceRange(const _node* node, const std::string* buffer);
// The tag's name in upper case; empty for a node without a tag.
std::string UpperTagName(const _node* node);
// Text (UTF-8) as HTML: the characters HTML names are written as their
// entities, so that a "<" or "&" in it reads back the same.
std::string EscapedText(const std::string& text);

// A colour written as six hexadecimal digits, optionally after one "#";
// none for anything else. Alpha is 255.
std::optional<rgb_color> ParseColor(const char* text);

// Replaces field with the archive's string of that name, if it has one.
void RestoreString(const BMessage* archive, const char* name, std::string& field);
// Adds the string under name unless it is empty.
void ArchiveString(BMessage* archive, const char* name, const std::string& value);
// True when the archive's "class" is exactly className.
bool IsArchiveOf(const BMessage* archive, const char* className);

} // namespace NodeText

#endif

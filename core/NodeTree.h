#ifndef NODE_TREE_H
#define NODE_TREE_H

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <SupportDefs.h>

#include "AttributeDictionary.h"
#include "TagDictionary.h"

// The parsed page as the rest of the program reads it: a tree of _node
// records, their _attval lists, and the _lexer whose buffer holds the text
// of the nodes. Strings in these records are allocated with malloc and
// released with free; so are the strings handed out through char**.

// Node kinds. The written form of the kinds beyond the first eight (their
// delimiters around the node's text) is given with each.
enum : uint32 {
	RootNode = 0,
	DocTypeTag = 1,		// text "!DOCTYPE ...": written "<" text ">"
	CommentTag = 2,		// text between "<!--" and "-->"
	ProcInsTag = 3,		// text between "<?" and ">", with a final "?" if it had one
	TextNode = 4,
	StartTag = 5,
	EndTag = 6,
	StartEndTag = 7,	// an element written <name/>
	AspTag = 8,			// server script: text between "<%" and "%>"
	JsteTag = 9,		// text "# ... #": written "<" text ">"
	PhpTag = 10,		// text "?php ... ?": written "<" text ">"
	CDATATag = 11,		// text "![CDATA[ ... ]]": written "<" text ">"
	SectionTag = 12,	// text "![ ... ]": written "<" text ">"
	XmlDeclTag = 13,	// text "?xml ... ?": written "<" text ">"
	// The code of a script or style sheet, written as it stands. The parser
	// gives it as text; the parser bridge marks it, so that code is never
	// taken for page text.
	RawTextNode = 14
};

struct _attval {
	_attval* next;
	const _attribute* dict;	// null for a name no HTML version defines
	int32 delim;			// the quote it was written with: '"', '\'' or 0
	char* attribute;		// the name as written
	// The value as written (character references are not decoded), ready
	// to be written between double quotes: a '"' it held is "&quot;". Null
	// for an attribute written without a value.
	char* value;
};

struct _node {
	_node* parent;
	_node* prev;
	_node* next;
	_node* last;			// last child
	// The node's text in the lexer buffer, [start, end): for text the
	// characters (references decoded, a non-breaking space as byte 0x0F),
	// for the other kinds but elements the text named with the kind above.
	// Elements have an empty range, but for a tag no HTML version defines
	// (CM_NEW), which keeps the rest of its tag as written after the name.
	uint32 start;
	uint32 end;
	uint32 type;
	bool closed;			// an end tag for the element follows in the page
	bool implicit;			// made by the parser; not written in the page
	// The tag; for a tag no HTML version defines, an entry of UnknownTag().
	// Null for the kinds that are no elements.
	const _tagdict* tag;
	char* element;			// the name as written; null for the kinds that are no elements
	_attval* attributes;
	_node* content;			// first child
};

struct _lexer {
	// The text the nodes' ranges point into, while the elements are built
	// from them; emptied once they are.
	std::string lexbuf;
	uint32 warnings;		// warnings and errors the parse found
	uint32 errors;
};

// A zeroed, unlinked text node.
_node* NewNode();
// The strings of nodes: an element's name and its attributes' names and
// values. A big page has a hundred thousand of them, mostly a few bytes
// long, and they are kept in pools; each is freed with FreeNodeString(),
// and is never cut short in place (its length gives its pool).
char* CopyNodeString(std::string_view text);
void FreeNodeString(char* text);
// A node string owned where it is kept.
struct NodeStringFree {
	void operator()(char* text) const { FreeNodeString(text); }
};
using NodeString = std::unique_ptr<char, NodeStringFree>;
// Frees the node with its attributes and all its descendants (not its
// siblings); it does not unlink the node. Deep trees are freed without
// recursion.
void FreeNode(_node* node);

class NodeTree {
public:
	// Replaces *out (freeing it) with a copy of the value of the node's first
	// attribute of that kind; an attribute without a value gives "". Leaves
	// *out as it is when there is none.
	static void ReadAttribute(char** out, const _node* node, const _attribute* attr);
	static _attval* FindAttribute(const _node* node, const _attribute* attr);
	// Frees *out and sets it to the node's attributes other than the given
	// ones, in order, each as a blank, the name as written and, with a value,
	// ="value"; null when that is empty.
	static void ReadUnsupportedAttributes(char** out, const _node* node,
		const _attribute* a1 = nullptr, const _attribute* a2 = nullptr,
		const _attribute* a3 = nullptr, const _attribute* a4 = nullptr,
		const _attribute* a5 = nullptr, const _attribute* a6 = nullptr);

	// A node linked into a tree (parent, sibling or content).
	static bool IsValidNode(const _node* node);
	// A tag that has an end tag: known and not empty.
	static bool IsPairTag(const _tagdict* tag);
	// The document-order walk: start at the root's first child with closing
	// false and descend true. Paired elements and nodes with content come
	// twice (opening, then closing with closing true), the rest once; the
	// walk ends with the root's closing visit and then null.
	static _node* LogicalNextNode(const _node* node, bool& closing, bool& descend);

	// Links child (unlinked) as the last child of parent.
	static void AppendChild(_node* parent, _node* child);
	// Appends an attribute to the node's list (no value: written without
	// one); a '"' in the value is stored as "&quot;".
	static _attval* AddAttribute(_node* node, std::string_view name,
		std::optional<std::string_view> value, int32 delim);
};

#endif

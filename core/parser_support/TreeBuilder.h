#ifndef TREE_BUILDER_H
#define TREE_BUILDER_H

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "MarkupScan.h"
#include "NodeTree.h"
#include "TagReader.h"

class ReportCollector;
class SourceText;

// Copies the HTML library's tree of a page into the editor's node tree,
// without recursion, taking from the page's own text what the library
// changed or does not tell: element and attribute names as written,
// attribute values as written, the literal content of XMP and its kin,
// and which elements the page itself wrote.
class TreeBuilder {
public:
	// An attribute as the library read it: the name in lower case, the value
	// with character references decoded.
	struct LibraryAttribute {
		std::string_view name;
		const char* value;
	};

	TreeBuilder(TidyDoc document, const SourceText& source, const MarkupScan& scan,
		ReportCollector& reports, const std::function<bool()>& stopRequested);
	~TreeBuilder();
	TreeBuilder(const TreeBuilder&) = delete;
	TreeBuilder& operator=(const TreeBuilder&) = delete;

	// The root of the new tree, its texts in lexer's buffer; null when a
	// stop request came.
	_node* Build(_lexer& lexer);
	// False when a literal section the scan found had no element in the
	// library's tree: the library read the page differently, and the page
	// must be read again without the sections, or their content is lost.
	bool KeptEveryLiteralSection() const;

private:
	// Null for markup that does not enter the tree.
	_node* MakeNode(TidyNode source, _node* parent);
	void KeepOutOfText(_node* root);
	void MakeMovedTextVisual(_node* moved, const _node* following);
	bool IsDroppedEndTag(size_t offset);
	void FillElement(_node* node, TidyNode source, _node* parent);
	bool KeepUnknownTagAsWritten(_node* node, size_t offset, size_t end);
	void KeepWhiteBefore(const _node* node, size_t offset, _node* parent);
	void KeepSpaceAtEndOf(_node* text);
	void FillText(_node* node, TidyNode source, _node* parent);
	void FillMarkupText(_node* node, TidyNode source);
	bool IsLineEndSwallowed(TidyNode source);
	bool NeedsWhiteBefore(const _node* node, const _node* parent) const;
	void TrimWhiteAtBlockEnd(_node* block);
	const char* WhiteText() const;
	_node* WhiteNode();
	void KeepStrayFrameTag(_node* node, size_t offset);
	bool KeepLiteralSection(_node* node, TidyNode source, size_t offset);

	size_t OffsetOf(TidyNode source) const;
	size_t MarkupStart(size_t offset) const;
	bool ClaimWrittenElement(size_t offset);
	bool IsWrittenAt(size_t offset, std::string_view name) const;
	void AddAttributes(_node* node, TidyNode source, const StartTagText* written);
	std::string_view LibraryValue(TidyNode source);
	std::string_view RawFrom(size_t offset, std::string_view open, std::string_view close) const;
	void AppendText(_node* node, std::string_view text, bool visual);
	std::string DocTypeText(TidyNode source);

	TidyDoc fDocument;
	const SourceText& fSource;
	const MarkupScan& fScan;
	ReportCollector& fReports;
	const std::function<bool()>& fStopRequested;

	_lexer* fLexer = nullptr;
	TidyBuffer fValue;
	// Reused from element to element, so that reading one allocates nothing.
	StartTagText fTag;
	std::vector<LibraryAttribute> fLibraryAttributes;
	std::vector<bool> fSectionKept;
	// The places of elements the page wrote, claimed by the first node there.
	std::vector<bool> fWrittenElements;
	// PRE and its kin the node being made stands in.
	int32 fPreformattedDepth = 0;
	// A node after which the page has white space that the library left
	// out (a comment swallows the line end after it), until the node after
	// it is made; fWhiteFollows says it of the node being made.
	const _node* fWhiteAfter = nullptr;
	bool fWhiteFollows = false;
	// Markup made inside an element that holds text only.
	bool fMarkupInTextOnly = false;
};

#endif

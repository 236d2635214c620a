#ifndef MARKUP_SCAN_H
#define MARKUP_SCAN_H

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TagDictionary.h"
#include "TagReader.h"

// A first look at a page's markup, before the HTML library reads it, for
// what the library would otherwise lose:
// - the names of tags no HTML version defines (the library drops such a tag
//   with its attributes unless the name is declared to it first): declared
//   as inline tags when the page also closes them, else as empty tags;
// - the content of XMP, LISTING and PLAINTEXT, which the page means
//   literally and the library would read as markup;
// - markup that ends the library's parse, so that everything after it would
//   be lost: declarations such as <!done> after the document's start, and FRAME or
//   FRAMESET tags in a page's body. The library reads them as processing
//   instructions; the tree builder turns them back into what they are;
// - which start tags an end tag closes, and how many start tags there are
//   (the library's parse recurses once per nesting level);
// - where the library reads text as SVG or MathML: from such a start tag to
//   its end tag (to the end of the page when there is none) it leaves
//   character references in text undecoded.
class MarkupScan {
public:
	struct RawSection {
		size_t tagOffset;		// the '<' of the start tag
		size_t contentStart;
		size_t contentEnd;
		const _tagdict* tag;
	};

	explicit MarkupScan(std::string_view text);

	const std::vector<RawSection>& RawSections() const { return fRawSections; }
	// The offsets of the '<' of the declarations and of the start tags given
	// to the library as processing instructions.
	const std::vector<size_t>& Declarations() const { return fDeclarations; }
	const std::vector<size_t>& StrayFrameTags() const { return fStrayFrameTags; }
	// End tags of FRAME, and of FRAMESET outside one, given to the library
	// the same way; like other stray end tags they do not enter the tree.
	const std::vector<size_t>& StrayFrameEndTags() const { return fStrayFrameEndTags; }
	// Forget the literal sections: the page is then read without them.
	void DropRawSections() { fRawSections.clear(); }

	// Lower-case names of unknown tags, in order of first appearance.
	std::vector<std::string> UnknownPairedNames() const;
	std::vector<std::string> UnknownEmptyNames() const;
	bool IsUnknownEmpty(std::string_view lowerName) const;

	bool IsClosed(size_t tagOffset) const;
	// Whether text at offset is read with its references left as written.
	bool InForeignContent(size_t offset) const;
	bool HasForeignContent() const { return !fForeignBounds.empty(); }
	// The end of the declaration whose "<!" is at offset: the first '>'
	// outside quotes and outside an internal subset in brackets.
	static size_t DeclarationEnd(std::string_view text, size_t offset);
	size_t StartTagCount() const { return fStartTagCount; }

	// Whether the library is to read other text than the page's.
	bool ChangesText() const
	{
		return !fRawSections.empty() || !fDeclarations.empty() || !fStrayFrameTags.empty()
			|| !fStrayFrameEndTags.empty();
	}
	// The text the library reads: the literal sections' characters become
	// 'x' (line ends kept), a declaration's "<!", a stray frame tag's "<f"
	// and a stray frame end tag's "</" become "<?", so that lines and
	// columns stay the same.
	std::string TextForLibrary(std::string_view text) const;

private:
	struct NameUse {
		size_t order;
		bool opened = false;
		bool closed = false;
	};

	void NoteText(std::string_view text);
	size_t ScanMarkup(std::string_view text, size_t offset);
	bool IsDeclarationInDocument(std::string_view text, size_t offset);
	static bool HasCharacters(std::string_view text);
	static bool ImpliesBody(const _tagdict* tag, std::string_view lowerName);
	size_t KeepDeclaration(std::string_view text, size_t offset);
	size_t ScanStartTag(std::string_view text, size_t offset);
	void NoteFrameTag(const _tagdict* known, std::string_view lowerName, const StartTagText& tag,
		size_t offset);
	size_t ScanEndTag(std::string_view text, size_t offset);
	void NoteForeignStart(std::string_view lowerName, size_t contentStart, bool selfClosing);
	void NoteForeignEnd(std::string_view lowerName, size_t offset);
	size_t SkipRawContent(std::string_view text, size_t contentStart, std::string_view name,
		const _tagdict* literal, size_t tagOffset);
	std::vector<std::string> UnknownNames(bool empty) const;

	std::vector<RawSection> fRawSections;
	std::vector<size_t> fDeclarations;
	std::vector<size_t> fStrayFrameTags;
	std::vector<size_t> fStrayFrameEndTags;
	bool fInBody = false;
	bool fInTitle = false;
	bool fPastDocumentStart = false;
	int32 fFramesetDepth = 0;
	std::unordered_map<std::string, NameUse> fNames;
	std::unordered_map<std::string, std::vector<size_t>> fOpenStarts;
	// By offset: the start tags an end tag closes.
	std::vector<bool> fClosed;
	size_t fStartTagCount = 0;
	// Alternately where foreign content starts and where it ends.
	std::vector<size_t> fForeignBounds;
	int32 fForeignDepth = 0;
	// Reused from tag to tag, so that reading one allocates nothing.
	StartTagText fTag;
};

#endif

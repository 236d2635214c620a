#ifndef VELMORA_PAGE_ELEMENT_H
#define VELMORA_PAGE_ELEMENT_H

#include <string>

#include "HTML_Element.h"
#include "Visual_Element.h"

class BMessage;

// An element with both sides: a parsed node and a place in the visual
// text. Every element that stands for a tag is one. The element list
// holds the Visual_Element part; a dynamic cast finds the whole again.
class Page_Element : public HTML_Element, public Visual_Element {
public:
	Page_Element(const _node* node, long position, Visual_Engine* engine, Element_List* list);

	// The other member of the element's pair, found by its class's own
	// search; null without a partner and for classes without pairs.
	Page_Element* FindOpeningClosing() const;
	// The partner's list index; 0 (the sentinel's) when there is none.
	unsigned long FindOpeningClosingIndex() const;

	// The tag an archive names. Archives cross address spaces (the
	// clipboard of another process), so a tag goes by its name: a known
	// tag, or one a page declared, which only an unsupported tag may carry
	// back. False for a name that is neither, and for no name at all; an
	// empty name is no tag (comments and other markup).
	static bool TagOfArchive(const BMessage* archive, bool declaredAllowed,
		const _tagdict** tag);

protected:
	// The fields every element archive holds: its class, its tag and its
	// node's type; and, for the elements that have them, whether it opens
	// its pair ("opentag") and the attributes it keeps as text
	// ("unsupported").
	void ArchiveTag(BMessage* archive, const char* className, const _tagdict* tag,
		const bool* open = nullptr, const std::string* unsupported = nullptr) const;
	// Reads back those of the fields the archive holds into the given ones;
	// false when it is no archive of the class.
	static bool RestoreTag(const BMessage* archive, const char* className,
		const _tagdict** tag = nullptr, bool* open = nullptr,
		std::string* unsupported = nullptr);
};

#endif

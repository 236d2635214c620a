#ifndef VELMORA_PAGE_ELEMENT_H
#define VELMORA_PAGE_ELEMENT_H

#include "HTML_Element.h"
#include "Visual_Element.h"

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
};

#endif

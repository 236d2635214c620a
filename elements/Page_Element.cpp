#include "Page_Element.h"

#include "Anchor.h"
#include "EndLine.h"
#include "TextChange.h"
#include "UnsupportedTag.h"

Page_Element::Page_Element(const _node* node, long position, Visual_Engine* engine,
	Element_List* list)
	:
	HTML_Element(node),
	Visual_Element(position, engine, list)
{
}

Page_Element* Page_Element::FindOpeningClosing() const
{
	if (const Anchor* anchor = dynamic_cast<const Anchor*>(this))
		return anchor->FindOpeningClosing();
	if (const TextChange* run = dynamic_cast<const TextChange*>(this))
		return run->FindOpeningClosing();
	if (const EndLine* lineEnd = dynamic_cast<const EndLine*>(this))
		return lineEnd->FindOpeningClosing();
	if (const UnsupportedTag* tag = dynamic_cast<const UnsupportedTag*>(this))
		return tag->FindOpeningClosing();
	return nullptr;
}

unsigned long Page_Element::FindOpeningClosingIndex() const
{
	Page_Element* partner = FindOpeningClosing();
	return partner != nullptr ? partner->ThisIndex() : 0;
}

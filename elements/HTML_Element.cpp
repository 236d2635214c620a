#include "HTML_Element.h"

#include "Anchor.h"
#include "EndLine.h"
#include "TextChange.h"
#include "NodeTree.h"

HTML_Element::HTML_Element(const _node* node)
	:
	node(const_cast<_node*>(node)),
	headMark(false),
	valid(NodeTree::IsValidNode(node))
{
}

HTML_Element::~HTML_Element()
{
}

void HTML_Element::TagEffects(structTagEffects*) const
{
}

bool HTML_Element::OpenTag() const
{
	if (const Anchor* anchor = dynamic_cast<const Anchor*>(this))
		return anchor->OpenTag();
	if (const TextChange* run = dynamic_cast<const TextChange*>(this))
		return run->OpenTag();
	if (HTMLType() == tag_p) {
		if (const EndLine* paragraph = dynamic_cast<const EndLine*>(this))
			return paragraph->OpenTag();
	}
	return false;
}

bool HTML_Element::PairTag() const
{
	return dynamic_cast<const Anchor*>(this) != nullptr
		|| dynamic_cast<const TextChange*>(this) != nullptr || HTMLType() == tag_p;
}

bool HTML_Element::HasText() const
{
	if (const Anchor* anchor = dynamic_cast<const Anchor*>(this))
		return anchor->HasText();
	if (const TextChange* run = dynamic_cast<const TextChange*>(this))
		return run->HasText();
	if (const EndLine* lineEnd = dynamic_cast<const EndLine*>(this))
		return lineEnd->HasText();
	return false;
}

void HTML_Element::TagEffectsOf(const _tagdict* tag, structTagEffects* effects)
{
	if (tag == nullptr || effects == nullptr)
		return;
	if (TextChange::SupportsTag(tag))
		TextChange::TagEffectsOf(tag, effects);
	else if (Anchor::SupportsTag(tag))
		Anchor::TagEffectsOf(tag, effects);
}

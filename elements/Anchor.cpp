#include "Anchor.h"

#include <Message.h>

#include "Element_List.h"
#include "Environment.h"
#include "EnginePage.h"
#include "NodeText.h"
#include "NodeTree.h"
#include "element_support/PairSearch.h"

Anchor::Anchor(long position, _node* node, insert_mode mode, Visual_Engine* engine,
	Element_List* list, const BMessage* archive)
	:
	Page_Element(node, position, engine, list),
	open(node == nullptr || node->type != EndTag)
{
	link = NodeText::Attribute(node, attr_href).value_or("");
	name = NodeText::Attribute(node, attr_name).value_or("");
	unsupportedAttributes = NodeText::OtherAttributes(node, attr_href, attr_name);
	if (RestoreTag(archive, "Anchor", nullptr, &open, &unsupportedAttributes)) {
		NodeText::RestoreString(archive, "linkto", link);
		NodeText::RestoreString(archive, "name", name);
	}
	if (list == nullptr)
		return;
	if (!open && mode != INSERT_BUILD)
		list->AddBefore(position, this);
	else
		list->AddAfter(position, this);
}

Anchor::~Anchor()
{
	if (ElementList() != nullptr)
		ElementList()->Remove(this);
}

void Anchor::SetLinkTo(const char* target)
{
	link = target != nullptr ? target : "";
}

void Anchor::SetName(const char* targetName)
{
	name = targetName != nullptr ? targetName : "";
}

long Anchor::InsertHTML(long position)
{
	std::string text;
	if (open) {
		// The values may come from the user, who types a '"' as it is.
		text = "<A";
		if (!link.empty())
			text += " HREF=\"" + NodeText::QuotedValue(link) + "\"";
		if (!name.empty())
			text += " NAME=\"" + NodeText::QuotedValue(name) + "\"";
		text += unsupportedAttributes + ">";
	} else {
		text = "</A>";
	}
	if (MyPage() == nullptr)
		return 0;
	return MyPage()->InsertHTML(text.c_str(), false, false, position, this);
}

const _tagdict* Anchor::HTMLType() const
{
	return MyNode() != nullptr ? MyNode()->tag : nullptr;
}

void Anchor::TagEffects(structTagEffects* effects) const
{
	TagEffectsOf(HTMLType(), effects);
}

void Anchor::GetEnvironment(Environment* environment) const
{
	if (environment == nullptr)
		return;
	Page_Element::GetEnvironment(environment);
	if (open) {
		if (MyPage() != nullptr)
			environment->PushColor(MyPage()->LinkColor());
		environment->SetAnchor(this);
		if (!link.empty())
			environment->SetUnderlined();
	} else {
		environment->PopColor();
		environment->UnsetAnchor();
		const Anchor* partner = FindOpeningClosing();
		if (partner != nullptr && partner->LinkTo()[0] != '\0')
			environment->UnsetUnderlined();
	}
}

void Anchor::Archive(BMessage* archive) const
{
	if (archive == nullptr)
		return;
	ArchiveTag(archive, "Anchor", HTMLType(), &open, &unsupportedAttributes);
	NodeText::ArchiveString(archive, "linkto", link);
	NodeText::ArchiveString(archive, "name", name);
}

Anchor* Anchor::FindOpeningClosing() const
{
	return FindPartner(this, open, [](const Anchor&) { return true; });
}

bool Anchor::HasText() const
{
	return TextBetween(this, FindOpeningClosing());
}

bool Anchor::SupportsTag(const _tagdict* tag)
{
	return tag != nullptr && tag == tag_a;
}

void Anchor::TagEffectsOf(const _tagdict* tag, structTagEffects* effects)
{
	if (effects == nullptr)
		return;
	if (!SupportsTag(tag)) {
		HTML_Element::TagEffectsOf(tag, effects);
		return;
	}
	effects->underlined = true;
	effects->anchor = true;
}

#include "Page_Element.h"

#include <cstring>

#include <Message.h>

#include "Anchor.h"
#include "EndLine.h"
#include "TextChange.h"
#include "NodeText.h"
#include "NodeTree.h"
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

void Page_Element::ArchiveTag(BMessage* archive, const char* className, const _tagdict* tag,
	const bool* open, const std::string* unsupported) const
{
	archive->AddString("class", className);
	archive->AddString("_tag", tag != nullptr && tag->name != nullptr ? tag->name : "");
	if (tag != nullptr && (tag->model & CM_NEW) != 0)
		archive->AddBool("_tag_declared_empty", (tag->model & CM_EMPTY) != 0);
	if (HeadMark())
		archive->AddBool("_head", true);
	archive->AddInt32("_type", MyNode() != nullptr ? static_cast<int32>(MyNode()->type) : 0);
	if (open != nullptr)
		archive->AddBool("opentag", *open);
	if (unsupported != nullptr)
		NodeText::ArchiveString(archive, "unsupported", *unsupported);
}

bool Page_Element::TagOfArchive(const BMessage* archive, bool declaredAllowed,
	const _tagdict** tag)
{
	const char* name = nullptr;
	if (archive == nullptr || archive->FindString("_tag", &name) != B_OK || name == nullptr)
		return false;
	if (name[0] == '\0') {
		*tag = nullptr;
		return true;
	}
	bool empty = false;
	if (archive->FindBool("_tag_declared_empty", &empty) == B_OK) {
		*tag = declaredAllowed ? UnknownTag(name, empty) : nullptr;
		return *tag != nullptr;
	}
	*tag = LookUpTag(name);
	return *tag != nullptr;
}

bool Page_Element::RestoreTag(const BMessage* archive, const char* className,
	const _tagdict** tag, bool* open, std::string* unsupported)
{
	if (!NodeText::IsArchiveOf(archive, className))
		return false;
	const _tagdict* archivedTag = nullptr;
	bool declaredAllowed = strcmp(className, "UnsupportedTag") == 0;
	if (tag != nullptr && TagOfArchive(archive, declaredAllowed, &archivedTag))
		*tag = archivedTag;
	if (open != nullptr)
		archive->FindBool("opentag", open);
	if (unsupported != nullptr)
		NodeText::RestoreString(archive, "unsupported", *unsupported);
	return true;
}

#include "PairRole.h"

#include <typeinfo>

#include <Message.h>

#include "Anchor.h"
#include "Element_List.h"
#include "EndLine.h"
#include "HorizontalLine.h"
#include "NodeTree.h"
#include "TextChange.h"
#include "UnsupportedTag.h"

namespace {

// Content models that stand on lines of their own; a tag that may also
// stand inline (a script, a select) is not one of them.
constexpr uint32 kBlockModels = CM_BLOCK | CM_LIST | CM_DEFLIST | CM_TABLE | CM_ROWGRP | CM_ROW
	| CM_FIELD | CM_HTML | CM_FRAMES;

bool IsBlockTag(const _tagdict* tag)
{
	return tag != nullptr && (tag->model & kBlockModels) != 0 && (tag->model & CM_INLINE) == 0;
}

} // namespace

PairRole PairRole::Of(const Visual_Element* element)
{
	PairRole role;
	if (element == nullptr)
		return role;
	const std::type_info& type = typeid(*element);
	if (type == typeid(TextChange)) {
		const TextChange* run = static_cast<const TextChange*>(element);
		role.kind = TEXT_RUN;
		role.tag = run->HTMLType();
		role.open = run->OpenTag();
		role.block = TextChange::IsHeadingType(role.tag) || role.tag == tag_center
			|| role.tag == tag_blockquote;
	} else if (type == typeid(Anchor)) {
		role.kind = LINK;
		role.tag = tag_a;
		role.open = static_cast<const Anchor*>(element)->OpenTag();
	} else if (type == typeid(EndLine)) {
		const EndLine* lineEnd = static_cast<const EndLine*>(element);
		role.tag = lineEnd->Type();
		if (role.tag == tag_p) {
			role.kind = PARAGRAPH;
			role.open = lineEnd->OpenTag();
			role.block = true;
		}
	} else if (type == typeid(UnsupportedTag)) {
		const UnsupportedTag* other = static_cast<const UnsupportedTag*>(element);
		role.tag = other->HTMLType();
		role.block = IsBlockTag(role.tag);
		if (other->IsPairTag()) {
			role.kind = UNSUPPORTED;
			role.open = other->OpenTag();
		}
	} else if (type == typeid(HorizontalLine)) {
		role.tag = tag_hr;
		role.block = true;
	}
	return role;
}

bool PairRole::HoldsPlainText(const _tagdict* tag)
{
	static const _tagdict* const kPlain[] = {LookUpTag("option"), LookUpTag("textarea"),
		LookUpTag("select"), tag_title, tag_script, tag_style, tag_xmp, tag_plaintext,
		tag_listing};
	for (const _tagdict* plain : kPlain) {
		if (tag != nullptr && tag == plain)
			return true;
	}
	return false;
}

long PairRole::OwnedLength(const Element_List_Item& item)
{
	if (item.spaceTo > 0)
		return item.spaceTo;
	const EndLine* lineEnd = dynamic_cast<const EndLine*>(item.element);
	return lineEnd != nullptr && lineEnd->Type() == tag_br ? 1 : 0;
}

void PairRole::MakeClosing(BMessage* archive)
{
	archive->ReplaceBool("opentag", false);
	archive->ReplaceInt32("_type", EndTag);
}

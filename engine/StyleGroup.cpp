#include "StyleGroup.h"

#include "Anchor.h"
#include "TagDictionary.h"
#include "TextChange.h"

style_group StyleGroups::GroupOf(const _tagdict* tag)
{
	if (tag == nullptr)
		return GROUP_NONE;
	if (TextChange::IsBasicType(tag))
		return GROUP_BASIC;
	if (TextChange::IsItalicType(tag))
		return GROUP_ITALIC;
	if (TextChange::IsBoldType(tag))
		return GROUP_BOLD;
	if (TextChange::IsFixedType(tag))
		return GROUP_FIXED;
	if (TextChange::IsUnderlinedType(tag))
		return GROUP_UNDERLINED;
	if (TextChange::IsStruckoutType(tag))
		return GROUP_STRUCKOUT;
	if (TextChange::IsFontType(tag))
		return GROUP_FONT;
	if (Anchor::SupportsTag(tag))
		return GROUP_ANCHOR;
	return GROUP_NONE;
}

style_group StyleGroups::GroupOf(const Visual_Element* element)
{
	if (const TextChange* run = dynamic_cast<const TextChange*>(element))
		return GroupOf(run->Type());
	if (dynamic_cast<const Anchor*>(element) != nullptr)
		return GROUP_ANCHOR;
	return GROUP_NONE;
}

bool StyleGroups::Selects(tag_mask mask, style_group group)
{
	if (group == GROUP_NONE)
		return false;
	return mask == MASK_ALL || mask == MaskOf(group);
}

tag_mask StyleGroups::MaskOf(style_group group)
{
	if (group == GROUP_NONE)
		return MASK_TAG;
	return static_cast<tag_mask>(static_cast<int32>(MASK_BASIC) + static_cast<int32>(group));
}

#ifndef VELMORA_STYLE_GROUP_H
#define VELMORA_STYLE_GROUP_H

#include <SupportDefs.h>

class Visual_Element;
struct _tagdict;

// The groups of styles, in the order every formatting operation takes
// them. Members of one group say the same kind of thing (a size, a
// slant, a weight, ...), so at most one of them is open over any text a
// command formats.
enum style_group : int32 {
	GROUP_NONE = -1,
	GROUP_BASIC = 0,
	GROUP_ITALIC,
	GROUP_BOLD,
	GROUP_FIXED,
	GROUP_UNDERLINED,
	GROUP_STRUCKOUT,
	GROUP_ANCHOR,
	GROUP_FONT,
	GROUP_COUNT
};

// The groups a removal of styles takes away.
enum tag_mask : int32 {
	MASK_TAG = 0,		// none of the groups: the tag given with it
	MASK_ALL = 1,
	MASK_BASIC = 2,
	MASK_ITALIC = 3,
	MASK_BOLD = 4,
	MASK_FIXED = 5,
	MASK_UNDERLINED = 6,
	MASK_STRUCKOUT = 7,
	MASK_ANCHOR = 8,
	MASK_FONT = 9
};

class StyleGroups {
public:
	// GROUP_NONE for the tags of no group: P, and every tag the visual view
	// does not render.
	static style_group GroupOf(const _tagdict* tag);
	// The group of a text run or a link; GROUP_NONE for any other element
	// (paragraphs and unsupported tags of the same name included).
	static style_group GroupOf(const Visual_Element* element);
	static bool Selects(tag_mask mask, style_group group);
	static tag_mask MaskOf(style_group group);
};

#endif

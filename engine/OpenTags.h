#ifndef VELMORA_OPEN_TAGS_H
#define VELMORA_OPEN_TAGS_H

#include <array>
#include <vector>

#include "StyleGroup.h"

class Page_Element;

// The tags open at an offset: for each style group the innermost open
// member (null when none is), and the open unsupported tags in the order
// they opened. The asker owns it, so that no two threads ever share one.
struct OpenTags {
	std::array<Page_Element*, GROUP_COUNT> slot{};
	std::vector<Page_Element*> others;

	Page_Element* operator[](style_group group) const
	{
		return group == GROUP_NONE ? nullptr : slot[group];
	}
};

#endif

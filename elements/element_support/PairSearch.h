#ifndef VELMORA_PAIR_SEARCH_H
#define VELMORA_PAIR_SEARCH_H

#include <algorithm>

#include "Page_Element.h"

// The partner search every pair class shares: an opening element looks
// forward, a closing one backward, for the nearest element of its class
// with the opposite open flag that matches (no nesting count).
template <class Element, class Matches>
Element* FindPartner(const Element* self, bool open, Matches matches)
{
	const Visual_Element* current = self;
	while ((current = open ? current->Next() : current->Previous()) != nullptr) {
		const Element* candidate = dynamic_cast<const Element*>(current);
		if (candidate != nullptr && candidate->OpenTag() != open && matches(*candidate))
			return const_cast<Element*>(candidate);
	}
	return nullptr;
}

// Whether visible text lies between an element and its partner: at least
// one character between the end of the first one's room and the start of
// the second.
inline bool TextBetween(const Page_Element* element, const Page_Element* partner)
{
	if (partner == nullptr || partner->ThisOffset() == element->ThisOffset())
		return false;
	long finish = std::min(element->ThisFinish(), partner->ThisFinish());
	long start = std::max(element->ThisOffset(), partner->ThisOffset());
	return finish < start;
}

#endif

#ifndef VELMORA_PAIR_WALK_H
#define VELMORA_PAIR_WALK_H

#include <vector>

#include "PairRole.h"

class Element_List;
class Page_Element;

// Pairs found by their nesting: a closing element ends the innermost open
// pair of its kind and tag. (The elements' own partner search takes the
// nearest one, which pairs the outer start of two nested FONTs with the
// inner end.)
class PairWalk {
public:
	struct Open {
		Page_Element* element;
		PairRole role;
		unsigned long index;
	};

	// The pairs open in front of a list index, outermost first.
	static std::vector<Open> OpenBefore(const Element_List& list, unsigned long index);
	// For every list index the index of its partner; 0 (the sentinel's) for
	// elements without one.
	static std::vector<unsigned long> Partners(const Element_List& list);

	// Takes the element at index into the open pairs: an opening one is
	// pushed, a closing one ends its pair. The index of the pair it ended,
	// or 0.
	static unsigned long Step(std::vector<Open>& open, const Element_List& list,
		unsigned long index);
};

#endif

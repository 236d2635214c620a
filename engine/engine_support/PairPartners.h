#ifndef VELMORA_PAIR_PARTNERS_H
#define VELMORA_PAIR_PARTNERS_H

#include <vector>

class Element_List;
class Page_Element;

// The partners of the list's pairs by their nesting (PairWalk), found when
// first asked for and kept until Forget(): whoever changes the pairs of
// the list says so. A list that grew or shrank has them found again
// anyway, unless the change was told by Removed().
class PairPartners {
public:
	explicit PairPartners(const Element_List& list);

	// The index of the partner of the record at index; 0 for none.
	unsigned long operator[](unsigned long index);
	// The partner of an element of the list; null for none.
	Page_Element* Of(const Page_Element* element);
	void Forget() { partners.clear(); }
	// The record at index has just left the list, and nothing else changed.
	// Finding all partners again costs a walk of the whole list, once per
	// deletion; the records behind it only move up instead. Taking out both
	// ends of a pair, or an end without a partner, leaves every other pair
	// as the walk finds it; the partner of a lone end taken out has none
	// until Pair() gives it one.
	void Removed(unsigned long index);
	// The records at these indices (ascending, numbered as before) have
	// just left the list together, and nothing else changed: as Removed()
	// for each, in one pass over the partners.
	void Removed(const std::vector<unsigned long>& indices);
	// The two records are partners now (after Removed(), where the walk
	// would pair them).
	void Pair(unsigned long a, unsigned long b);

private:
	const Element_List& list;
	std::vector<unsigned long> partners;
};

#endif

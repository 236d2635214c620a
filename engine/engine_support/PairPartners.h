#ifndef VELMORA_PAIR_PARTNERS_H
#define VELMORA_PAIR_PARTNERS_H

#include <vector>

class Element_List;
class Page_Element;

// The partners of the list's pairs by their nesting (PairWalk), found when
// first asked for and kept until Forget(): whoever changes the pairs of
// the list says so. A list that grew or shrank has them found again
// anyway.
class PairPartners {
public:
	explicit PairPartners(const Element_List& list);

	// The index of the partner of the record at index; 0 for none.
	unsigned long operator[](unsigned long index);
	// The partner of an element of the list; null for none.
	Page_Element* Of(const Page_Element* element);
	void Forget() { partners.clear(); }

private:
	const Element_List& list;
	std::vector<unsigned long> partners;
};

#endif

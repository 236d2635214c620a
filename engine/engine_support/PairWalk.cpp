#include "PairWalk.h"

#include "Element_List.h"
#include "Page_Element.h"

unsigned long PairWalk::Step(std::vector<Open>& open, const Element_List& list,
	unsigned long index)
{
	Visual_Element* element = list[index].element;
	PairRole role = PairRole::Of(element);
	if (!role.IsPair())
		return 0;
	if (role.open) {
		open.push_back({dynamic_cast<Page_Element*>(element), role, index});
		return 0;
	}
	for (auto it = open.rbegin(); it != open.rend(); ++it) {
		if (it->role.SameKey(role)) {
			unsigned long opening = it->index;
			open.erase(std::next(it).base());
			return opening;
		}
	}
	return 0;
}

std::vector<PairWalk::Open> PairWalk::OpenBefore(const Element_List& list, unsigned long index)
{
	std::vector<Open> open;
	unsigned long end = std::min(index, list.LastIndex() + 1);
	for (unsigned long i = 1; i < end; i++)
		Step(open, list, i);
	return open;
}

std::vector<unsigned long> PairWalk::Partners(const Element_List& list)
{
	std::vector<unsigned long> partners(list.LastIndex() + 1, 0);
	std::vector<Open> open;
	for (unsigned long i = 1; i <= list.LastIndex(); i++) {
		unsigned long opening = Step(open, list, i);
		if (opening != 0) {
			partners[opening] = i;
			partners[i] = opening;
		}
	}
	return partners;
}

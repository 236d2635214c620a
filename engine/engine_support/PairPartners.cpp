#include "PairPartners.h"

#include "Element_List.h"
#include "Page_Element.h"
#include "PairWalk.h"

PairPartners::PairPartners(const Element_List& list)
	:
	list(list)
{
}

unsigned long PairPartners::operator[](unsigned long index)
{
	if (partners.size() != list.LastIndex() + 1)
		partners = PairWalk::Partners(list);
	return index < partners.size() ? partners[index] : 0;
}

Page_Element* PairPartners::Of(const Page_Element* element)
{
	long index = list.IndexOf(element);
	if (index < 1)
		return nullptr;
	unsigned long partner = (*this)[static_cast<unsigned long>(index)];
	return partner != 0 ? dynamic_cast<Page_Element*>(list[partner].element) : nullptr;
}

void PairPartners::Removed(unsigned long index)
{
	if (partners.size() != list.LastIndex() + 2 || index == 0 || index >= partners.size()) {
		partners.clear();
		return;
	}
	partners.erase(partners.begin() + static_cast<long>(index));
	for (unsigned long& partner : partners) {
		if (partner == index)
			partner = 0;
		else if (partner > index)
			partner--;
	}
}

void PairPartners::Removed(const std::vector<unsigned long>& indices)
{
	if (indices.empty())
		return;
	if (partners.size() != list.LastIndex() + 1 + indices.size() || indices.front() == 0
			|| indices.back() >= partners.size()) {
		partners.clear();
		return;
	}
	// Each record's index once those before it are gone; 0 for one gone.
	std::vector<unsigned long> moved(partners.size());
	auto gone = indices.begin();
	unsigned long goneSoFar = 0;
	for (unsigned long i = 0; i < partners.size(); i++) {
		if (gone != indices.end() && *gone == i) {
			goneSoFar++;
			++gone;
			moved[i] = 0;
		} else {
			moved[i] = i - goneSoFar;
		}
	}
	unsigned long kept = 0;
	for (unsigned long i = 0; i < partners.size(); i++) {
		if (i == 0 || moved[i] != 0)
			partners[kept++] = moved[partners[i]];
	}
	partners.resize(kept);
}

void PairPartners::Pair(unsigned long a, unsigned long b)
{
	if (partners.size() != list.LastIndex() + 1 || a == 0 || b == 0 || a >= partners.size()
			|| b >= partners.size()) {
		partners.clear();
		return;
	}
	partners[a] = b;
	partners[b] = a;
}

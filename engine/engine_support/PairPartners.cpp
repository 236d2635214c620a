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

#ifndef VELMORA_NULL_ELEMENT_H
#define VELMORA_NULL_ELEMENT_H

#include "Visual_Element.h"

// The sentinel at index 0 of every element list, at offset 0. Applying it
// starts an environment from the page's defaults.
class NULL_Element : public Visual_Element {
public:
	NULL_Element(Visual_Engine* engine, Element_List* list);

	void GetEnvironment(Environment* environment) const override;
	void Archive(BMessage* archive) const override;

};

#endif

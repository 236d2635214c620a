#ifndef VELMORA_HORIZONTAL_LINE_H
#define VELMORA_HORIZONTAL_LINE_H

#include <string>

#include "InsertMode.h"
#include "Page_Element.h"

class BMessage;

// A rule (HR): a line of its own in the visual text, a line feed followed
// by the rule's space, which ends with a second line feed. The space and
// the second line feed are the element's placeholder characters; the rule
// is drawn over that line.
class HorizontalLine : public Page_Element {
public:
	// inserted grows by the characters the element puts into the text.
	HorizontalLine(long position, _node* node, insert_mode mode, Visual_Engine* engine,
		Element_List* list, long& inserted, const BMessage* archive = nullptr);
	~HorizontalLine() override;

	long InsertHTML(long position) override;
	const _tagdict* HTMLType() const override;
	void Archive(BMessage* archive) const override;

private:
	std::string unsupportedAttributes;
};

#endif

#ifndef VELMORA_END_LINE_H
#define VELMORA_END_LINE_H

#include <string>

#include "InsertMode.h"
#include "Page_Element.h"

class BMessage;

// A line break (BR: one line feed in the text) or one end of a paragraph
// (P: an opening one owns a paragraph break, a closing one takes no room).
class EndLine : public Page_Element {
public:
	// inserted grows by the characters the element puts into the text.
	EndLine(long position, _node* node, insert_mode mode, Visual_Engine* engine,
		Element_List* list, long& inserted, const BMessage* archive = nullptr);
	~EndLine() override;

	long InsertHTML(long position) override;
	const _tagdict* HTMLType() const override { return type; }
	void Archive(BMessage* archive) const override;

	// The BR or P tag the element stands for.
	const _tagdict* Type() const { return type; }
	bool OpenTag() const { return open; }
	EndLine* FindOpeningClosing() const;
	bool HasText() const;

private:
	bool open;				// first: it shares the word of the flags before it
	const _tagdict* type;	// a dictionary entry, never owned
	std::string unsupportedAttributes;
};

#endif

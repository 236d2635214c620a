#ifndef VELMORA_UNSUPPORTED_TAG_H
#define VELMORA_UNSUPPORTED_TAG_H

#include "InsertMode.h"
#include "NodeTree.h"
#include "Page_Element.h"

class BMessage;

// A tag, comment or other markup that the visual view does not render. It
// keeps the markup's text so that the HTML is written back unchanged, and
// takes no room in the visual text.
class UnsupportedTag : public Page_Element {
public:
	UnsupportedTag(long position, _node* node, insert_mode mode, Visual_Engine* engine,
		Element_List* list, const BMessage* archive = nullptr);
	~UnsupportedTag() override;

	long InsertHTML(long position) override;
	const _tagdict* HTMLType() const override { return tag; }
	void Archive(BMessage* archive) const override;

	bool OpenTag() const { return open; }
	bool IsPairTag() const;
	UnsupportedTag* FindOpeningClosing() const;
	// The markup between its delimiters; null when there is none.
	const char* Text() const { return text.get(); }

private:
	void LineBreaks(bool* before, bool* after) const;

	bool open;				// first: it shares the word of the flags before it
	const _tagdict* tag;	// a dictionary entry, never owned
	// Kept with the node strings: a big page has a hundred thousand.
	NodeString text;
};

#endif

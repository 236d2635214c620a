#ifndef VELMORA_HTML_ELEMENT_H
#define VELMORA_HTML_ELEMENT_H

struct _node;
struct _tagdict;
struct structTagEffects;

// The HTML side of an element: the parsed node it stands for and how it
// writes itself back. The node belongs to the parser bridge.
class HTML_Element {
public:
	explicit HTML_Element(const _node* node);
	virtual ~HTML_Element();
	HTML_Element(const HTML_Element&) = delete;
	HTML_Element& operator=(const HTML_Element&) = delete;

	// Writes the element's HTML through Page::InsertHTML at position;
	// returns the bytes written.
	virtual long InsertHTML(long position) = 0;
	// The element's tag; null for elements without one.
	virtual const _tagdict* HTMLType() const = 0;
	virtual void TagEffects(structTagEffects* effects) const;

	_node* MyNode() const { return node; }
	bool ValidNode() const { return valid; }
	// Made from a node inside the page's head: written back into the head.
	bool HeadMark() const { return headMark; }
	void SetHeadMark(bool mark) { headMark = mark; }

	// The opening member of a pair (links, text runs, paragraphs).
	bool OpenTag() const;
	// Links, text runs and paragraphs come in pairs.
	bool PairTag() const;
	// Visible text lies between the element and its partner.
	bool HasText() const;

	// The effect flags of a tag that the text runs or links know.
	static void TagEffectsOf(const _tagdict* tag, structTagEffects* effects);

private:
	_node* node;	// not owned: the parser bridge's
	bool headMark;
	bool valid;
};

#endif

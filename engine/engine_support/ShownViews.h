#ifndef VELMORA_SHOWN_VIEWS_H
#define VELMORA_SHOWN_VIEWS_H

#include <vector>

#include <SupportDefs.h>

class BView;
class Element_List;
class Visual_Element;

// The elements the text view shows as views (its children), in the order of
// the element list. Placing the views behind an edit starts at the first
// one behind it, found by a binary search, instead of walking every child
// of the text view and asking each which element it is: on a page of a
// thousand pictures that walk was most of a keystroke.
//
// The order is read again when the text view's children change or when an
// element was moved in the list; the elements of a range handed out are
// checked to stand in order, so that a move nobody reported reads it again
// too.
class ShownViews {
public:
	ShownViews(const BView& textView, const Element_List& list);

	// The list's indices of the shown elements whose indices lie in
	// first .. last, in order. Under the engine lock.
	const std::vector<unsigned long>& Between(unsigned long first, unsigned long last);
	// An element moved to another place in the list.
	void Reordered() { fStale = true; }

private:
	void Read();
	// Fills fFound; false if an element left the list or the order.
	bool Collect(unsigned long first, unsigned long last);

	const BView& fTextView;
	const Element_List& fList;
	std::vector<Visual_Element*> fElements;
	uint32 fReadAt = 0;
	bool fStale = true;
	std::vector<unsigned long> fFound;
};

#endif

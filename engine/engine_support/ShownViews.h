#ifndef VELMORA_SHOWN_VIEWS_H
#define VELMORA_SHOWN_VIEWS_H

#include <cstdint>
#include <vector>

#include <SupportDefs.h>

class BView;
class Element_List;
class Visual_Element;
struct ViewPlacement;

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
	// A shown element: its place among the shown ones and its list index.
	struct Shown {
		size_t position;
		unsigned long index;
	};
	ShownViews(const BView& textView, const Element_List& list);

	// The shown elements whose indices lie in first .. last, in order.
	// Under the engine lock.
	const std::vector<Shown>& Between(unsigned long first, unsigned long last);
	size_t Count() const { return fElements.size(); }
	// An element moved to another place in the list.
	void Reordered() { fStale = true; }

	// What placing learns of the views from one position on: each stands
	// where placing it would put it at a layout generation of the text
	// view, with the text scrolled as far. An edit that moves none of their
	// lines leaves them there, and placing after it stops at them. Forgotten
	// whenever the order is read again.
	void InPlaceFrom(size_t position, uint32 generation, float scrollTop);
	bool IsInPlaceFrom(size_t position, uint32 generation, float scrollTop) const;
	// A view that placing passed by since it was placed takes the
	// generation and scroll it stood in place at, when those are newer
	// than its own.
	void UpdatePassedBy(size_t position, ViewPlacement* placement) const;

private:
	void Read();
	// Fills fFound; false if an element left the list or the order.
	bool Collect(unsigned long first, unsigned long last);

	const BView& fTextView;
	const Element_List& fList;
	std::vector<Visual_Element*> fElements;
	uint32 fReadAt = 0;
	bool fStale = true;
	std::vector<Shown> fFound;
	struct InPlace {
		size_t from = SIZE_MAX;
		uint32 generation = 0;
		float scrollTop = 0;
	};
	InPlace fInPlace;
};

#endif

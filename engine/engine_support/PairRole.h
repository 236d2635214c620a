#ifndef VELMORA_PAIR_ROLE_H
#define VELMORA_PAIR_ROLE_H

#include <SupportDefs.h>

class BMessage;
class Visual_Element;
struct Element_List_Item;
struct _tagdict;

// What an element is to the nesting of the page: one end of a pair (a text
// run, a link, a paragraph or an unsupported tag that has an end tag),
// whose partner is of the same kind and tag, or a single element; whether
// it stands on lines of its own; and how many characters of the text it
// owns.
struct PairRole {
	enum Kind : int8 { SINGLE, TEXT_RUN, LINK, PARAGRAPH, UNSUPPORTED };

	Kind kind = SINGLE;
	const _tagdict* tag = nullptr;
	bool open = false;
	// A block element: no text run or link may hold it.
	bool block = false;

	static PairRole Of(const Visual_Element* element);

	bool IsPair() const { return kind != SINGLE; }
	// The two are ends of one kind of pair (partners when one opens and
	// the other closes).
	bool SameKey(const PairRole& other) const
	{
		return kind == other.kind && kind != SINGLE && (kind == LINK || tag == other.tag);
	}

	// Whether text inside the tag is read as plain text, where no style can
	// stand (form fields, scripts, literal text).
	static bool HoldsPlainText(const _tagdict* tag);
	// The characters an element owns from its offset on: its space, or the
	// line feed of a line break.
	static long OwnedLength(const Element_List_Item& item);
	// Turns the archive of an opening element into that of a closing one
	// of the same pair.
	static void MakeClosing(BMessage* archive);
};

#endif

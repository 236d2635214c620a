#ifndef VELMORA_PARAGRAPHS_H
#define VELMORA_PARAGRAPHS_H

#include <utility>
#include <vector>

#include "PairPartners.h"

class Element_List;
class Page_Element;
class Visual_Element;
class Visual_Engine;
struct _tagdict;

// The commands that work on whole paragraphs: headings, paragraphs,
// quotes, centring and lists. A selection's paragraphs are the blocks of
// the level it starts on (the body, or the innermost block that may hold
// paragraphs it starts in: a division, table cell, list item, definition
// or quote) that hold any of its characters:
// - a paragraph (P) with everything up to its end,
// - a heading,
// - a line of text outside both, up to and with the line break that
//   ends it,
// - and, taken whole and left as they are, a rule or a block of another
//   kind (a table, a list, a division).
// Every command leaves the page's text as it was (only the characters
// the paragraphs and headings own change) and writes the styles around
// the changed blocks anew, so that no style holds a block.
class Paragraphs {
public:
	struct Block {
		enum Kind { LINE, PARAGRAPH, HEADING, OTHER };

		Kind kind;
		long from;					// its characters
		long to;
		Page_Element* opening;		// a paragraph's, heading's or block's opening; a rule
		Page_Element* closing;		// their closing element; null when there is none
		Page_Element* lineBreak;	// the line break that ends a line, or null
		Visual_Element* first;		// its first element (null: the end of the list)
		Visual_Element* behind;		// the element behind it (null: the end of the list)
	};

	explicit Paragraphs(Visual_Engine& engine);

	std::vector<Block> Selected(long start, long end);

	// Each selected paragraph, heading or line becomes a heading of the
	// tag's level (h1 to h6) or a paragraph (p). The characters the text
	// grew by.
	long Format(long start, long end, const _tagdict* tag);
	// The headings that hold characters of [start, end) become paragraphs;
	// the range moves with its characters.
	void PlainHeadings(long* start, long* end);
	// Wraps the selected paragraphs in BLOCKQUOTE or CENTER, or in a list
	// (UL or OL with one LI per paragraph, DL with DT and DD taking turns);
	// when the selection starts in such a block or list already, the block
	// or the list with its items is taken off instead.
	void Wrap(long start, long end, const _tagdict* tag);

	// The first element made, if any.
	Page_Element* Made() const { return made; }

private:
	struct Step {
		long offset;
		const _tagdict* tag;
		bool open;
		const Visual_Element* before;
	};

	Page_Element* Container(long at);
	Page_Element* Wrapping(long at, const _tagdict* tag);
	void TakeOff(Page_Element* block, const _tagdict* tag);
	void ScanScope(Page_Element* container);
	void AddBlock(Block block);
	void Apply(const std::vector<Step>& steps);
	Page_Element* Create(const _tagdict* tag, bool open, long offset,
		const Visual_Element* before);
	long Replace(Page_Element* old, const _tagdict* tag, bool open);
	void Rebind(std::vector<Block>::iterator first, std::vector<Block>::iterator last);
	void FormatBlock(const Block& block, const _tagdict* tag);
	Visual_Element* ElementAt(unsigned long index, long offset) const;

	Visual_Engine& engine;
	Element_List& list;
	PairPartners partners;
	std::vector<Block> blocks;
	unsigned long scopeLast = 0;
	Visual_Element* scopeEnd = nullptr;
	Page_Element* made = nullptr;
	// The elements the block in hand replaced, with their replacements.
	std::vector<std::pair<const Visual_Element*, Page_Element*>> replaced;
};

#endif

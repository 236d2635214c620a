#ifndef VELMORA_STYLE_REWRITE_H
#define VELMORA_STYLE_REWRITE_H

#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "PairRole.h"

class BMessage;
class Element_List;
class Page_Element;
class Visual_Engine;
class Visual_Text;

// Writes the text runs and links of a stretch of the page anew, so that
// they style the same characters as before (less what Remove() takes off)
// in the form the page's reader reads back unchanged:
// - every pair nests in every other, unsupported pairs included; where two
//   cross, one of them is cut in two: a link before a size step before any
//   other style stays whole, and of two alike the later one is cut;
// - no run or link holds a block (a paragraph, a heading, a rule, a table
//   cell, ...), nor stands in text that is read as plain text (a form
//   field, a script);
// - no run starts or ends with a blank, and a run of blanks only goes;
// - a run that ends where an identical one starts (or on the other side
//   of a line break) is one run, and a run inside an identical one is not
//   written twice.
// The stretch is read once into characters and elements, each with the
// styles open over it; the elements are written again from that, the ones
// that keep their place as the same objects, in one pass over the list.
class StyleRewrite {
public:
	// Reads the stretch around [from, to], from the element before from to
	// the one after to, under the engine lock that the caller holds.
	// Pairs are found by their nesting, but for a pair a command has just
	// made (opening, closing): that may cross a pair of its own kind.
	StyleRewrite(Visual_Engine& engine, long from, long to,
		const Page_Element* opening = nullptr, const Page_Element* closing = nullptr);
	~StyleRewrite();
	StyleRewrite(const StyleRewrite&) = delete;
	StyleRewrite& operator=(const StyleRewrite&) = delete;

	// Takes off the characters of [start, end) the styles whose opening
	// element picks selects.
	void Remove(long start, long end, const std::function<bool(const Page_Element&)>& picks);
	// The style an opening element opens stays even where it holds only
	// blanks: an empty selection was given one to format.
	void KeepBlanks(const Page_Element* opening);
	// Writes the stretch back; false when it already was as it should be.
	bool Apply();
	// After Apply(): the element that opens the first run of the style an
	// opening element opened (the element itself when it stayed); null when
	// the style is gone.
	Page_Element* Survivor(const Page_Element* opening) const;
	// The stretch's characters.
	long From() const { return start; }
	long To() const { return end; }

private:
	struct Instance;
	struct StackNode {
		Instance* top;
		const StackNode* below;
	};
	struct Item;
	struct Out;
	using Stack = const StackNode*;

	long FindStretch(long from, long to);
	void ReadStretch(long from, long to);
	void TakeOpenPairsWhole(long& from, long& to);
	void ReadElement(unsigned long index, Stack& styles, std::vector<Instance*>& open,
		int& plainDepth);
	Instance* NewInstance(Page_Element* opening, const PairRole& role, bool inside);
	void AddText(long from, long to, Stack styles);
	void AddToken(int kind, unsigned long index, long owned, Instance* fixed, bool block,
		Stack styles);
	void SplitTextAt(long offset);
	void MarkContent(const Item& item);
	bool HoldsContent(const Item& item, long from, long to) const;

	Stack Push(Stack stack, Instance* instance);
	Stack Without(Stack stack, const std::function<bool(const Instance*)>& drops);
	Stack Renamed(Stack stack, Instance* from, Instance* to);
	static bool Contains(Stack stack, const Instance* instance);

	// The writing: styles made alike first, then written out, blanks moved
	// out of the runs, and the result resolved into elements.
	void DropNestedCopies();
	void JoinOverLineBreaks();
	void JoinAdjacentCopies();
	bool JoinRun(size_t k, Instance* starting, Stack before);
	void FindRuns();
	void Emit();
	void Transition(size_t k, Instance* fixedOpening);
	void TransitionToEnd();
	void PopTo(size_t depth, long offset);
	void Open(Instance* instance, long offset);
	long RunEnd(Instance* instance, size_t k);
	static Instance* Joined(Instance* instance);
	long TopFixed() const;
	void TrimBlanks();
	bool Movable(const Out& entry) const;
	void TrimOpenings(size_t first, size_t end);
	void TrimClosings(size_t first, size_t end);
	void MarkFilledPairs();
	void DropReopenings();
	bool Resolve();
	bool SaysTheSame(Instance* a, Instance* b);
	const BMessage& ArchiveOf(Instance* instance, bool open);
	bool IsBlank(long offset) const;
	bool IsLineBreak(const Item& item) const;

	Visual_Engine& engine;
	Element_List& list;
	Visual_Text& text;
	unsigned long first;		// the stretch's list indices
	unsigned long last;
	long start;					// the stretch's first character offset
	long end;					// the offset behind the stretch's characters
	bool applied = false;
	const Page_Element* madeOpening;	// the pair a command has just made
	const Page_Element* madeClosing;
	std::deque<Instance> instances;
	std::deque<StackNode> nodes;
	std::vector<Item> items;
	std::vector<Instance*> startStack;	// open in front of the stretch, outermost first
	std::vector<Instance*> endStack;	// open behind it
	std::vector<Out> out;
	std::vector<Instance*> stack;
	std::unordered_map<const Page_Element*, Instance*> byOpening;
};

#endif

#include "StyleRewrite.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include <Message.h>

#include "Element_List.h"
#include "Page_Element.h"
#include "PairWalk.h"
#include "StringHelpers.h"
#include "StyleGroup.h"
#include "TagDictionary.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

// Which style stays whole where two cross: the higher one.
constexpr int kLinkPriority = 3;
constexpr int kSizePriority = 2;
constexpr int kStylePriority = 1;

bool IsStyle(const PairRole& role)
{
	return (role.kind == PairRole::TEXT_RUN || role.kind == PairRole::LINK) && !role.block;
}

} // namespace

struct StyleRewrite::Instance {
	Page_Element* opening = nullptr;	// the element that opened it, in or before the stretch
	Page_Element* closing = nullptr;	// the element that closed it, when in the stretch
	PairRole role;
	bool fixed = false;			// a pair that is written as it stands: never cut or moved
	bool plainText = false;		// a fixed pair whose text is read as plain text
	bool inside = false;		// its opening element lies in the stretch
	int priority = 0;
	size_t order = 0;
	size_t endDepth = SIZE_MAX;	// its depth among the styles open behind the stretch
	long closeItem = -1;		// fixed: the item that closes it; -1 when that lies behind
	Instance* joinedInto = nullptr;
	std::unique_ptr<BMessage> openArchive;
	std::unique_ptr<BMessage> closeArchive;
	std::vector<std::pair<long, long>> runs;	// the items [first, end) it is open over
	size_t runCursor = 0;
	bool openingUsed = false;
	bool keepsBlanks = false;	// holds only blanks, or nothing, as it should
	bool hasContent = false;	// holds more than blanks and line breaks
	size_t itemsAtOpening = 0;
	long lastClose = -1;
	Page_Element* firstOpening = nullptr;
};

struct StyleRewrite::Item {
	// EMPTY: a style pair that holds nothing (a link target), written as it
	// stands; DROPPED: one that a removal took.
	enum Kind : int8 { TEXT, SINGLE, OPEN, CLOSE, EMPTY, DROPPED };

	Kind kind;
	bool block;
	long from;					// text: its characters [from, to); an element: its offset
	long to;					// and the end of the characters it owns
	unsigned long index;		// an element's list index
	Instance* fixed;			// OPEN, CLOSE, EMPTY: the pair
	Stack styles;				// the styles open over it, innermost on top
};

struct StyleRewrite::Out {
	enum Kind : int8 { ITEM, OPEN, CLOSE };

	Kind kind;
	long offset;				// where an element goes; where a text starts
	long to;					// where a text ends
	size_t item;
	Instance* instance;
	bool filled;				// OPEN, CLOSE: the pair holds more than blanks
	Page_Element* element;
	bool dropped = false;		// a pair of blanks only
};

StyleRewrite::StyleRewrite(Visual_Engine& engine, long from, long to,
	const Page_Element* opening, const Page_Element* closing)
	:
	engine(engine),
	list(*engine.ElementList()),
	text(*engine.View()),
	first(1),
	last(0),
	start(0),
	end(0),
	madeOpening(opening),
	madeClosing(closing)
{
	ReadStretch(from, to);
}

StyleRewrite::~StyleRewrite() = default;

// #pragma mark - Reading

// The stretch takes in the elements at the two offsets in front of from
// and behind to, and the text between. Styles may end where it starts: it
// starts where no blank comes right before. The offset it starts at.
long StyleRewrite::FindStretch(long from, long to)
{
	long length = text.TextLength();
	from = std::clamp<long>(from, 0, length);
	to = std::clamp<long>(to, from, length);
	unsigned long lastIndex = list.LastIndex();
	TakeOpenPairsWhole(from, to);
	first = list.FirstIndexAtOrAbove(from);
	for (int steps = 0; first > 1; steps++) {
		bool blankBefore = false;
		if (first <= lastIndex) {
			Element_List_Item before = list[first - 1];
			long at = list[first].offset;
			blankBefore = before.offset + PairRole::OwnedLength(before) < at && IsBlank(at - 1);
		}
		if (steps >= 2 && !blankBefore)
			break;
		first = list.FirstIndexAtOrAbove(list[first - 1].offset);
	}
	unsigned long behind = list.FirstIndexAbove(to);
	if (behind <= lastIndex)
		behind = list.FirstIndexAbove(list[behind].offset);
	last = behind <= lastIndex ? list.FirstIndexAbove(list[behind].offset) - 1 : lastIndex;
	// The text up to the element behind the stretch belongs to it.
	end = last < lastIndex ? list[last + 1].offset : length;
	if (first > lastIndex)
		return std::min<long>(from, list.LastOffset());
	return first > 1 ? list[first].offset : 0;
}

// Reads the stretch into text and elements with the styles open over
// each; style elements are not items but start and end styles.
void StyleRewrite::ReadStretch(long from, long to)
{
	start = FindStretch(from, to);
	Stack styles = nullptr;
	std::vector<Instance*> open;
	int plainDepth = 0;
	for (const PairWalk::Open& pair : PairWalk::OpenBefore(list, first)) {
		Instance* instance = NewInstance(pair.element, pair.role, false);
		open.push_back(instance);
		if (!instance->fixed)
			styles = Push(styles, instance);
		else if (instance->plainText)
			plainDepth++;
	}
	startStack = open;

	long cursor = start;
	for (unsigned long index = first; index <= last; index++) {
		Element_List_Item item = list[index];
		if (item.offset > cursor) {
			AddText(cursor, item.offset, plainDepth > 0 ? nullptr : styles);
			cursor = item.offset;
		}
		ReadElement(index, styles, open, plainDepth);
		cursor = std::max<long>(cursor, item.offset + PairRole::OwnedLength(item));
	}
	if (end > cursor)
		AddText(cursor, end, plainDepth > 0 ? nullptr : styles);
	endStack = open;
	// A pair of blanks that was written so stays so; one a command has just
	// made around blanks goes.
	for (Instance& instance : instances) {
		if (instance.inside && instance.closing != nullptr && !instance.hasContent
				&& instance.opening != madeOpening)
			instance.keepsBlanks = true;
	}
}

// The pairs open at either end of the range are in the stretch whole: a
// style that runs on around an inline pair (a span) can only be cut around
// all of it, and the styles that end behind the range end where the
// stretch has put them.
void StyleRewrite::TakeOpenPairsWhole(long& from, long& to)
{
	auto inText = [](const PairWalk::Open& pair) {
		return pair.role.kind != PairRole::PARAGRAPH && !pair.role.block;
	};
	for (const PairWalk::Open& pair : PairWalk::OpenBefore(list, list.FirstIndexAtOrAbove(from))) {
		if (inText(pair)) {
			from = std::min<long>(from, pair.element->ThisOffset());
			break;
		}
	}
	std::vector<PairWalk::Open> open = PairWalk::OpenBefore(list, list.FirstIndexAbove(to));
	auto outer = std::find_if(open.begin(), open.end(), inText);
	if (outer == open.end())
		return;
	std::vector<unsigned long> partners = PairWalk::Partners(list);
	unsigned long closing = partners[outer->index];
	to = closing != 0 ? std::max<long>(to, list[closing].offset) : text.TextLength();
}

void StyleRewrite::ReadElement(unsigned long index, Stack& styles, std::vector<Instance*>& open,
	int& plainDepth)
{
	Element_List_Item item = list[index];
	PairRole role = PairRole::Of(item.element);
	Page_Element* element = dynamic_cast<Page_Element*>(item.element);
	Stack here = plainDepth > 0 ? nullptr : styles;
	bool made = element != nullptr && element == madeClosing;
	auto innermost = [&](bool fixed) {
		auto found = std::find_if(open.rbegin(), open.rend(), [&](const Instance* instance) {
			if (made)
				return instance->opening == madeOpening;
			return instance->fixed == fixed && instance->role.SameKey(role)
				&& (instance->opening != madeOpening || madeClosing == nullptr);
		});
		return found == open.rend() ? open.end() : std::next(found).base();
	};
	if (IsStyle(role) && element != nullptr) {
		if (role.open) {
			Instance* instance = NewInstance(element, role, true);
			instance->itemsAtOpening = items.size();
			styles = Push(styles, instance);
			open.push_back(instance);
			return;
		}
		// The closing of a style that is not open is no item: it is not
		// written again, and goes.
		auto found = innermost(false);
		if (found == open.end())
			return;
		Instance* instance = *found;
		instance->closing = element;
		styles = Without(styles, [instance](const Instance* x) { return x == instance; });
		open.erase(found);
		// A pair of the page that holds nothing (a link's target) stays as
		// it is; one a command has just made around nothing goes.
		if (instance->inside && items.size() == instance->itemsAtOpening
				&& instance->opening != madeOpening) {
			instance->keepsBlanks = true;
			items.push_back({Item::EMPTY, false, item.offset, item.offset, index, instance,
				plainDepth > 0 ? nullptr : styles});
		}
		return;
	}
	long owned = PairRole::OwnedLength(item);
	Stack around = role.block ? nullptr : here;
	if (role.IsPair() && role.open) {
		Instance* pair = NewInstance(element, role, true);
		AddToken(Item::OPEN, index, owned, pair, role.block, around);
		open.push_back(pair);
		if (pair->plainText)
			plainDepth++;
		return;
	}
	if (role.IsPair()) {
		auto found = innermost(true);
		if (found != open.end()) {
			Instance* pair = *found;
			AddToken(Item::CLOSE, index, owned, pair, role.block, around);
			open.erase(found);
			if (pair->plainText)
				plainDepth--;
			return;
		}
	}
	AddToken(Item::SINGLE, index, owned, nullptr, role.block, around);
}

StyleRewrite::Instance* StyleRewrite::NewInstance(Page_Element* opening, const PairRole& role,
	bool inside)
{
	Instance& instance = instances.emplace_back();
	instance.opening = opening;
	instance.role = role;
	instance.fixed = !IsStyle(role);
	instance.plainText = instance.fixed && PairRole::HoldsPlainText(role.tag);
	instance.inside = inside;
	instance.order = instances.size();
	if (role.kind == PairRole::LINK)
		instance.priority = kLinkPriority;
	else if (StyleGroups::GroupOf(role.tag) == GROUP_BASIC)
		instance.priority = kSizePriority;
	else
		instance.priority = kStylePriority;
	if (opening != nullptr)
		byOpening[opening] = &instance;
	return &instance;
}

void StyleRewrite::AddText(long from, long to, Stack styles)
{
	items.push_back({Item::TEXT, false, from, to, 0, nullptr, styles});
	MarkContent(items.back());
}

void StyleRewrite::AddToken(int kind, unsigned long index, long owned, Instance* fixed,
	bool block, Stack styles)
{
	long offset = list[index].offset;
	items.push_back({static_cast<Item::Kind>(kind), block, offset, offset + owned, index, fixed,
		styles});
	MarkContent(items.back());
}

// The styles open over an item that holds more than blanks hold it.
void StyleRewrite::MarkContent(const Item& item)
{
	bool content = HoldsContent(item, item.from, item.to);
	for (Stack s = item.styles; content && s != nullptr && !s->top->hasContent; s = s->below)
		s->top->hasContent = true;
}

// Text of more than blanks, or an element but a line break.
bool StyleRewrite::HoldsContent(const Item& item, long from, long to) const
{
	if (item.kind != Item::TEXT)
		return !IsLineBreak(item);
	for (long offset = from; offset < to; offset++) {
		if (!IsBlank(offset))
			return true;
	}
	return false;
}

void StyleRewrite::SplitTextAt(long offset)
{
	auto found = std::upper_bound(items.begin(), items.end(), offset,
		[](long value, const Item& item) { return value < item.from; });
	if (found == items.begin())
		return;
	Item& before = *std::prev(found);
	if (before.kind != Item::TEXT || before.to <= offset || before.from >= offset)
		return;
	Item rest = before;
	rest.from = offset;
	before.to = offset;
	items.insert(found, rest);
}

// #pragma mark - Stacks of styles

StyleRewrite::Stack StyleRewrite::Push(Stack stack, Instance* instance)
{
	nodes.push_back({instance, stack});
	return &nodes.back();
}

StyleRewrite::Stack StyleRewrite::Without(Stack stack,
	const std::function<bool(const Instance*)>& drops)
{
	if (stack == nullptr)
		return nullptr;
	Stack below = Without(stack->below, drops);
	if (drops(stack->top))
		return below;
	return below == stack->below ? stack : Push(below, stack->top);
}

StyleRewrite::Stack StyleRewrite::Renamed(Stack stack, Instance* from, Instance* to)
{
	if (stack == nullptr)
		return nullptr;
	Stack below = Renamed(stack->below, from, to);
	Instance* top = stack->top == from ? to : stack->top;
	return below == stack->below && top == stack->top ? stack : Push(below, top);
}

bool StyleRewrite::Contains(Stack stack, const Instance* instance)
{
	for (; stack != nullptr; stack = stack->below) {
		if (stack->top == instance)
			return true;
	}
	return false;
}

void StyleRewrite::Remove(long start, long end,
	const std::function<bool(const Page_Element&)>& picks)
{
	if (start >= end)
		return;
	SplitTextAt(start);
	SplitTextAt(end);
	auto drops = [&picks](const Instance* instance) {
		return !instance->fixed && instance->opening != nullptr && picks(*instance->opening);
	};
	std::unordered_map<Stack, Stack> done;
	for (Item& item : items) {
		bool inside = item.kind == Item::TEXT ? item.from >= start && item.to <= end
			: item.from >= start && item.from < end;
		if (inside && item.kind == Item::EMPTY && drops(item.fixed))
			item.kind = Item::DROPPED;
		if (!inside || item.styles == nullptr)
			continue;
		auto known = done.find(item.styles);
		if (known == done.end())
			known = done.emplace(item.styles, Without(item.styles, drops)).first;
		item.styles = known->second;
	}
}

// #pragma mark - Styles made alike

bool StyleRewrite::SaysTheSame(Instance* a, Instance* b)
{
	return a->role.SameKey(b->role) && CompareMessages(&ArchiveOf(a, true), &ArchiveOf(b, true));
}

const BMessage& StyleRewrite::ArchiveOf(Instance* instance, bool open)
{
	if (instance->openArchive == nullptr) {
		instance->openArchive = std::make_unique<BMessage>();
		instance->opening->Archive(instance->openArchive.get());
		instance->openArchive->AddInt32("relative_offset", 0);
	}
	if (open)
		return *instance->openArchive;
	if (instance->closeArchive == nullptr) {
		instance->closeArchive = std::make_unique<BMessage>(*instance->openArchive);
		PairRole::MakeClosing(instance->closeArchive.get());
	}
	return *instance->closeArchive;
}

// A style opened inside an identical open one says nothing more; one
// that ends behind the stretch stays, for its closing tag there.
void StyleRewrite::DropNestedCopies()
{
	std::unordered_map<Stack, Stack> done;
	auto runsOn = [this](const Instance* instance) {
		return std::find(endStack.begin(), endStack.end(), instance) != endStack.end();
	};
	for (Item& item : items) {
		if (item.styles == nullptr || item.styles->below == nullptr)
			continue;
		auto known = done.find(item.styles);
		if (known == done.end()) {
			std::vector<Instance*> outward;
			for (Stack s = item.styles; s != nullptr; s = s->below)
				outward.push_back(s->top);
			Stack result = item.styles;
			for (size_t inner = 0; inner + 1 < outward.size(); inner++) {
				for (size_t outer = inner + 1; outer < outward.size(); outer++) {
					if (!runsOn(outward[inner]) && SaysTheSame(outward[outer], outward[inner])) {
						Instance* copy = outward[inner];
						copy->joinedInto = outward[outer];
						result = Without(result, [copy](const Instance* x) { return x == copy; });
						break;
					}
				}
			}
			known = done.emplace(item.styles, result).first;
		}
		item.styles = known->second;
	}
}

// A line break between two identical runs stands in one run: the runs
// join over it.
void StyleRewrite::JoinOverLineBreaks()
{
	for (size_t k = 1; k + 1 < items.size(); k++) {
		if (!IsLineBreak(items[k]))
			continue;
		for (Stack s = items[k - 1].styles; s != nullptr; s = s->below) {
			Instance* ending = s->top;
			if (Contains(items[k].styles, ending) || Contains(items[k + 1].styles, ending))
				continue;
			for (Stack t = items[k + 1].styles; t != nullptr; t = t->below) {
				Instance* starting = t->top;
				if (Contains(items[k].styles, starting) || !SaysTheSame(ending, starting))
					continue;
				items[k].styles = Push(items[k].styles, ending);
				JoinRun(k + 1, starting, items[k].styles);
				break;
			}
		}
	}
}

// A style that ends where an identical one starts goes on instead; in
// front of the stretch, the styles open there end.
void StyleRewrite::JoinAdjacentCopies()
{
	Stack opened = nullptr;
	for (Instance* instance : startStack) {
		if (!instance->fixed)
			opened = Push(opened, instance);
	}
	for (size_t k = 0; k < items.size(); k++) {
		Stack before = k > 0 ? items[k - 1].styles : opened;
		// Each join takes one style that starts here for one that ends here.
		for (bool joined = true; joined;) {
			joined = false;
			for (Stack s = items[k].styles; s != nullptr && !joined; s = s->below) {
				if (!Contains(before, s->top))
					joined = JoinRun(k, s->top, before);
			}
		}
	}
}

// Joins the run of starting that begins at item k with an identical style
// that ends in front of it. A style whose closing tag lies behind the
// stretch stays as it is: that tag ends it where it stands.
bool StyleRewrite::JoinRun(size_t k, Instance* starting, Stack before)
{
	if (std::find(endStack.begin(), endStack.end(), starting) != endStack.end())
		return false;
	for (Stack t = before; t != nullptr; t = t->below) {
		Instance* ending = t->top;
		if (Contains(items[k].styles, ending) || !SaysTheSame(ending, starting))
			continue;
		starting->joinedInto = ending;
		std::unordered_map<Stack, Stack> done;
		for (size_t m = k; m < items.size() && Contains(items[m].styles, starting); m++) {
			auto known = done.find(items[m].styles);
			if (known == done.end())
				known = done.emplace(items[m].styles,
					Renamed(items[m].styles, starting, ending)).first;
			items[m].styles = known->second;
		}
		return true;
	}
	return false;
}

// #pragma mark - Writing

void StyleRewrite::FindRuns()
{
	long count = static_cast<long>(items.size());
	for (long k = 0; k < count; k++) {
		Item& item = items[k];
		if (item.kind == Item::CLOSE)
			item.fixed->closeItem = k;
		for (Stack s = item.styles; s != nullptr; s = s->below) {
			auto& runs = s->top->runs;
			if (!runs.empty() && runs.back().second == k)
				runs.back().second = k + 1;
			else
				runs.push_back({k, k + 1});
		}
	}
	// A style open behind the stretch runs on beyond it, where its closing
	// tag stands at its depth.
	for (size_t depth = 0; depth < endStack.size(); depth++) {
		Instance* instance = Joined(endStack[depth]);
		instance->endDepth = depth;
		if (!instance->runs.empty() && instance->runs.back().second == count)
			instance->runs.back().second = LONG_MAX;
	}
}

// The style a style was joined into, or the style itself.
StyleRewrite::Instance* StyleRewrite::Joined(Instance* instance)
{
	while (instance->joinedInto != nullptr)
		instance = instance->joinedInto;
	return instance;
}

long StyleRewrite::RunEnd(Instance* instance, size_t k)
{
	auto& runs = instance->runs;
	long at = static_cast<long>(k);
	while (instance->runCursor < runs.size() && runs[instance->runCursor].second <= at)
		instance->runCursor++;
	return instance->runCursor < runs.size() ? runs[instance->runCursor].second : at;
}

long StyleRewrite::TopFixed() const
{
	for (long j = static_cast<long>(stack.size()) - 1; j >= 0; j--) {
		if (stack[j]->fixed)
			return j;
	}
	return -1;
}

void StyleRewrite::PopTo(size_t depth, long offset)
{
	while (stack.size() > depth) {
		Instance* instance = stack.back();
		if (!instance->fixed)
			out.push_back({Out::CLOSE, offset, offset, 0, instance, false, nullptr});
		stack.pop_back();
	}
}

void StyleRewrite::Open(Instance* instance, long offset)
{
	out.push_back({Out::OPEN, offset, offset, 0, instance, false, nullptr});
	stack.push_back(instance);
}

void StyleRewrite::Emit()
{
	stack = startStack;
	for (size_t k = 0; k < items.size(); k++) {
		Item& item = items[k];
		if (item.kind == Item::DROPPED)
			continue;
		if (item.kind == Item::EMPTY) {
			Transition(k, nullptr);
			out.push_back({Out::OPEN, item.from, item.from, 0, item.fixed, false, nullptr});
			out.push_back({Out::CLOSE, item.from, item.from, 0, item.fixed, false, nullptr});
			continue;
		}
		if (item.kind == Item::CLOSE) {
			auto found = std::find(stack.rbegin(), stack.rend(), item.fixed);
			if (found != stack.rend()) {
				PopTo(stack.size() - (found - stack.rbegin()), item.from);
				stack.pop_back();
			}
		} else if (item.block) {
			PopTo(static_cast<size_t>(TopFixed() + 1), item.from);
		} else {
			Transition(k, item.kind == Item::OPEN ? item.fixed : nullptr);
		}
		out.push_back({Out::ITEM, item.from, item.to, k, nullptr, false, nullptr});
		if (item.kind == Item::OPEN)
			stack.push_back(item.fixed);
	}
	TransitionToEnd();
}

// Closes what must not stay open over item k and opens what must be: the
// styles that run on stay open, unless one that is opened now runs
// longer and may not be cut, or a pair that opens here would end inside
// them; then they are cut where the other one opens.
void StyleRewrite::Transition(size_t k, Instance* fixedOpening)
{
	Stack wanted = items[k].styles;
	long topFixed = TopFixed();
	size_t cut = static_cast<size_t>(topFixed + 1);
	while (cut < stack.size() && Contains(wanted, stack[cut]))
		cut++;
	auto toOpen = [&]() {
		std::vector<Instance*> opening;
		for (Stack s = wanted; s != nullptr; s = s->below) {
			if (std::find(stack.begin(), stack.begin() + cut, s->top) == stack.begin() + cut)
				opening.push_back(s->top);
		}
		return opening;
	};
	// A style opened here goes outside a kept one that it must not be cut
	// by: one that ends first and may be cut (a link before a size step
	// before the rest), or one that runs on behind the stretch where the
	// closing tags there end it first.
	for (Instance* opened : toOpen()) {
		long runEnd = RunEnd(opened, k);
		for (size_t j = topFixed + 1; j < cut; j++) {
			Instance* kept = stack[j];
			long keptEnd = RunEnd(kept, k);
			if ((keptEnd < runEnd && opened->priority > kept->priority)
					|| (keptEnd == LONG_MAX && runEnd == LONG_MAX
						&& opened->endDepth < kept->endDepth)) {
				cut = j;
				break;
			}
		}
	}
	long pairEnd = LONG_MAX;
	if (fixedOpening != nullptr) {
		pairEnd = fixedOpening->closeItem < 0 ? static_cast<long>(items.size())
			: fixedOpening->closeItem;
		for (size_t j = topFixed + 1; j < cut; j++) {
			if (RunEnd(stack[j], k) <= pairEnd) {
				cut = j;
				break;
			}
		}
	}
	std::vector<Instance*> opening = toOpen();
	PopTo(cut, items[k].from);
	// Opened here, a style that ends inside the pair that opens would hold
	// its start: it opens inside instead.
	std::erase_if(opening, [&](Instance* x) { return RunEnd(x, k) <= pairEnd && fixedOpening; });
	// The longer run outside; of two that run on behind the stretch, the
	// one its closing tags close last; else the older one.
	std::sort(opening.begin(), opening.end(), [&](Instance* a, Instance* b) {
		long endA = RunEnd(a, k);
		long endB = RunEnd(b, k);
		if (endA != endB)
			return endA > endB;
		if (a->endDepth != b->endDepth)
			return a->endDepth < b->endDepth;
		return a->order < b->order;
	});
	for (Instance* instance : opening)
		Open(instance, items[k].from);
}

// Behind the stretch the list goes on as it was: the styles open there
// are open again, in the order their closings expect.
void StyleRewrite::TransitionToEnd()
{
	std::vector<Instance*> wanted;
	for (Instance* instance : endStack)
		wanted.push_back(Joined(instance));
	size_t match = 0;
	while (match < stack.size() && match < wanted.size() && stack[match] == wanted[match])
		match++;
	match = std::max<size_t>(match, static_cast<size_t>(TopFixed() + 1));
	PopTo(match, end);
	for (size_t j = match; j < wanted.size(); j++) {
		if (wanted[j]->fixed)
			stack.push_back(wanted[j]);
		else
			Open(wanted[j], end);
	}
}

bool StyleRewrite::IsLineBreak(const Item& item) const
{
	return item.kind == Item::SINGLE && PairRole::Of(list[item.index].element).tag == tag_br;
}

bool StyleRewrite::IsBlank(long offset) const
{
	return offset >= 0 && offset < text.TextLength() && text.ByteAt(offset) == ' ';
}

// Which pairs hold more than blanks: those may give their blanks away.
// Pairs open on either side of the stretch hold what lies beyond it.
void StyleRewrite::MarkFilledPairs()
{
	struct Open {
		size_t at;
		bool filled;
	};
	std::vector<Open> open;
	for (size_t i = 0; i < out.size(); i++) {
		Out& entry = out[i];
		if (entry.kind == Out::OPEN) {
			open.push_back({i, false});
		} else if (entry.kind == Out::CLOSE) {
			if (open.empty() || out[open.back().at].instance != entry.instance) {
				entry.filled = true;
				continue;
			}
			bool filled = open.back().filled || entry.instance->keepsBlanks;
			entry.filled = out[open.back().at].filled = filled;
			if (!filled)
				entry.dropped = out[open.back().at].dropped = true;
			open.pop_back();
			if (filled && !open.empty())
				open.back().filled = true;
		} else if (!open.empty()) {
			if (HoldsContent(items[entry.item], entry.offset, entry.to))
				open.back().filled = true;
		}
	}
	for (const Open& pair : open)
		out[pair.at].filled = true;
}

// Pairs that hold only blanks go: the page's reader moves the blanks out
// of them. Runs of blanks formatted on purpose (an empty selection given
// one blank) stay.
// A pair gives its blanks away when it holds more, and was not made to
// hold blanks.
bool StyleRewrite::Movable(const Out& entry) const
{
	return entry.filled && !entry.instance->keepsBlanks;
}

void StyleRewrite::TrimBlanks()
{
	MarkFilledPairs();
	std::erase_if(out, [](const Out& entry) { return entry.dropped; });
	for (size_t i = 0; i < out.size(); i++) {
		if (out[i].kind == Out::OPEN && (i == 0 || out[i - 1].kind != Out::OPEN)) {
			size_t j = i;
			while (j < out.size() && out[j].kind == Out::OPEN)
				j++;
			TrimOpenings(i, j);
		}
	}
	for (size_t i = out.size(); i-- > 0;) {
		if (out[i].kind == Out::CLOSE && (i + 1 == out.size() || out[i + 1].kind != Out::CLOSE)) {
			size_t j = i + 1;
			while (i > 0 && out[i - 1].kind == Out::CLOSE)
				i--;
			TrimClosings(i, j);
		}
	}
}

// Openings out[first, end) are followed by text that starts with blanks:
// the innermost ones whose pairs hold more than blanks move behind them.
void StyleRewrite::TrimOpenings(size_t first, size_t end)
{
	while (end < out.size() && out[end].kind == Out::ITEM
			&& items[out[end].item].kind == Item::TEXT) {
		size_t moving = end;
		while (moving > first && Movable(out[moving - 1]))
			moving--;
		long blanks = 0;
		while (out[end].offset + blanks < out[end].to && IsBlank(out[end].offset + blanks))
			blanks++;
		if (moving == end || blanks == 0)
			return;
		std::rotate(out.begin() + moving, out.begin() + end, out.begin() + end + 1);
		Out& blank = out[moving];
		long after = blank.offset + blanks;
		for (size_t m = moving + 1; m <= end; m++)
			out[m].offset = after;
		if (after < blank.to) {
			Out rest = blank;
			rest.offset = after;
			blank.to = after;
			out.insert(out.begin() + end + 1, rest);
			return;
		}
		first = moving + 1;
		end = end + 1;
	}
}

// Closings out[first, end) follow text that ends with blanks, or a line
// break (whose line end the page's reader takes for a blank): the
// innermost ones whose pairs hold more than that move in front of them.
void StyleRewrite::TrimClosings(size_t first, size_t end)
{
	while (first > 0 && out[first - 1].kind == Out::ITEM
			&& IsLineBreak(items[out[first - 1].item])) {
		size_t moving = first;
		while (moving < end && Movable(out[moving]))
			moving++;
		if (moving == first)
			return;
		long before = out[first - 1].offset;
		std::rotate(out.begin() + first - 1, out.begin() + first, out.begin() + moving);
		for (size_t m = first - 1; m + 1 < moving; m++)
			out[m].offset = before;
		end = moving - 1;
		first = first - 1;
	}
	while (first > 0 && out[first - 1].kind == Out::ITEM
			&& items[out[first - 1].item].kind == Item::TEXT) {
		size_t moving = first;
		while (moving < end && Movable(out[moving]))
			moving++;
		Out& text = out[first - 1];
		long blanks = 0;
		while (text.to - blanks > text.offset && IsBlank(text.to - blanks - 1))
			blanks++;
		if (moving == first || blanks == 0)
			return;
		long before = text.to - blanks;
		std::rotate(out.begin() + first - 1, out.begin() + first, out.begin() + moving);
		for (size_t m = first - 1; m + 1 < moving; m++)
			out[m].offset = before;
		Out& blank = out[moving - 1];
		if (before > blank.offset) {
			Out head = blank;
			head.to = before;
			blank.offset = before;
			out.insert(out.begin() + first - 1, head);
			return;
		}
		end = moving - 1;
		first = first - 1;
	}
}

// A style closed and at once opened again at the same depth stays open.
void StyleRewrite::DropReopenings()
{
	for (size_t i = 0; i + 1 < out.size(); i++) {
		if (out[i].kind != Out::CLOSE || out[i + 1].kind != Out::OPEN)
			continue;
		size_t close = i;
		size_t open = i + 1;
		while (out[close].kind == Out::CLOSE && open < out.size() && out[open].kind == Out::OPEN
				&& out[close].instance == out[open].instance
				&& out[close].offset == out[open].offset) {
			out.erase(out.begin() + open);
			out.erase(out.begin() + close);
			if (close == 0)
				break;
			close--;
			open = close + 1;
		}
	}
}

bool StyleRewrite::Resolve()
{
	for (size_t i = out.size(); i-- > 0;) {
		if (out[i].kind == Out::CLOSE && out[i].instance->lastClose < 0)
			out[i].instance->lastClose = static_cast<long>(i);
	}
	std::vector<Element_List::Rewritten> records;
	std::vector<size_t> recordOut;
	for (size_t i = 0; i < out.size(); i++) {
		Out& entry = out[i];
		Instance* instance = entry.instance;
		if (entry.kind == Out::ITEM) {
			const Item& item = items[entry.item];
			if (item.kind != Item::TEXT) {
				records.push_back({list[item.index].element, item.from});
				recordOut.push_back(i);
			}
			continue;
		}
		if (entry.kind == Out::OPEN && instance->inside && !instance->openingUsed) {
			instance->openingUsed = true;
			entry.element = instance->opening;
		} else if (entry.kind == Out::CLOSE && instance->closing != nullptr
				&& instance->lastClose == static_cast<long>(i)) {
			entry.element = instance->closing;
		} else {
			ArchiveOf(instance, entry.kind == Out::OPEN);
		}
		records.push_back({entry.element, entry.offset});
		recordOut.push_back(i);
	}
	bool same = records.size() == last + 1 - first;
	for (size_t n = 0; same && n < records.size(); n++) {
		Element_List_Item item = list[first + n];
		same = records[n].element == item.element && records[n].offset == item.offset;
	}
	if (same)
		return false;
	list.Rewrite(first, last, records, [&](size_t n, long offset) -> Visual_Element* {
		Out& entry = out[recordOut[n]];
		entry.element = engine.Instantiate(&ArchiveOf(entry.instance, entry.kind == Out::OPEN),
			offset);
		return entry.element;
	});
	for (const Out& entry : out) {
		if (entry.kind == Out::OPEN && entry.instance->firstOpening == nullptr)
			entry.instance->firstOpening = entry.element;
	}
	return true;
}

bool StyleRewrite::Apply()
{
	DropNestedCopies();
	JoinOverLineBreaks();
	JoinAdjacentCopies();
	FindRuns();
	Emit();
	TrimBlanks();
	DropReopenings();
	applied = Resolve();
	return applied;
}

void StyleRewrite::KeepBlanks(const Page_Element* opening)
{
	auto found = byOpening.find(opening);
	if (found != byOpening.end())
		found->second->keepsBlanks = true;
}

Page_Element* StyleRewrite::Survivor(const Page_Element* opening) const
{
	auto found = byOpening.find(opening);
	if (!applied || found == byOpening.end() || !found->second->inside)
		return const_cast<Page_Element*>(opening);
	const Instance* instance = found->second;
	while (instance->firstOpening == nullptr && instance->joinedInto != nullptr)
		instance = instance->joinedInto;
	return instance->firstOpening;
}

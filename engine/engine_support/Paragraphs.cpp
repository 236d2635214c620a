#include "Paragraphs.h"

#include <algorithm>
#include <map>

#include "Element_List.h"
#include "NodeTree.h"
#include "Page_Element.h"
#include "PairWalk.h"
#include "TextChange.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

bool IsList(const _tagdict* tag)
{
	return tag == tag_ul || tag == tag_ol || tag == tag_dl;
}

bool IsItemOf(const _tagdict* item, const _tagdict* list)
{
	if (list == tag_dl)
		return item == tag_dt || item == tag_dd;
	return item == tag_li && (list == tag_ul || list == tag_ol);
}

// A block that holds paragraphs, as the body does: a division, a cell, a
// list item or definition, a quote. A list or table holds items and rows,
// and a term, caption or preformatted text holds only text: none of them
// can take a paragraph or heading.
bool HoldsParagraphs(const PairRole& role)
{
	static const _tagdict* const kHolders[] = {LookUpTag("div"), LookUpTag("td"),
		LookUpTag("th"), tag_li, tag_dd, tag_blockquote, tag_center, LookUpTag("form"),
		LookUpTag("fieldset"), LookUpTag("noscript"), LookUpTag("noframes"), LookUpTag("ins"),
		LookUpTag("del")};
	if (!role.IsPair() || !role.open || role.tag == nullptr)
		return false;
	return std::find(std::begin(kHolders), std::end(kHolders), role.tag) != std::end(kHolders);
}

// An item or cell stands in its list or row; one that does not is read
// anew by the page's reader, around whatever it is given to hold.
bool InItsPlace(const _tagdict* tag, const _tagdict* parent)
{
	if (tag == tag_li)
		return parent == tag_ul || parent == tag_ol || parent == LookUpTag("menu")
			|| parent == LookUpTag("dir");
	if (tag == tag_dd)
		return parent == tag_dl;
	if (tag == LookUpTag("td") || tag == LookUpTag("th"))
		return parent == LookUpTag("tr");
	return true;
}

// The parts of lists, tables and choice fields, which stand only in their
// list, table or field: the page's reader takes a group of choices that a
// broken page left outside its field out of a quote or list again.
bool IsPart(const _tagdict* tag)
{
	return tag != nullptr && (tag == tag_li || tag == tag_dt || tag == tag_dd
		|| tag == LookUpTag("optgroup") || tag == LookUpTag("option")
		|| (tag->model & (CM_TABLE | CM_ROWGRP | CM_ROW)) != 0);
}

bool StartsParagraph(const PairRole& role)
{
	return role.open && (role.kind == PairRole::PARAGRAPH || TextChange::IsHeadingType(role.tag));
}

} // namespace

Paragraphs::Paragraphs(Visual_Engine& engine)
	:
	engine(engine),
	list(*engine.ElementList()),
	partners(list)
{
}

// The element a tag put in at offset goes in front of, from index on:
// elements written into the page's head stand nowhere in the body, and the
// tag goes behind those at its place. Those that text typed in front of
// them pushed further stay behind it, or the list would leave offset order.
Visual_Element* Paragraphs::ElementAt(unsigned long index, long offset) const
{
	for (; index <= scopeLast && index <= list.LastIndex(); index++) {
		Element_List_Item item = list[index];
		const HTML_Element* html = dynamic_cast<const HTML_Element*>(item.element);
		const _tagdict* tag = html != nullptr ? html->HTMLType() : nullptr;
		bool inHead = html != nullptr
			&& (html->HeadMark() || (tag != nullptr && (tag->model & CM_HEAD) != 0));
		if (!inHead || item.offset > offset)
			return item.element;
	}
	return scopeEnd;
}

// The innermost block holding the character at offset that holds
// paragraphs; null for the body.
Page_Element* Paragraphs::Container(long at)
{
	Page_Element* inner = nullptr;
	std::vector<PairWalk::Open> open = PairWalk::OpenBefore(list, list.FirstIndexAbove(at));
	for (size_t i = 0; i < open.size(); i++) {
		const _tagdict* parent = i > 0 ? open[i - 1].role.tag : nullptr;
		if (HoldsParagraphs(open[i].role) && InItsPlace(open[i].role.tag, parent))
			inner = open[i].element;
	}
	return inner;
}

// The quote or centring the character at offset lies in, or the list whose
// item it lies in; null when there is none of the kind.
Page_Element* Paragraphs::Wrapping(long at, const _tagdict* tag)
{
	std::vector<PairWalk::Open> open = PairWalk::OpenBefore(list, list.FirstIndexAbove(at));
	for (size_t i = open.size(); i-- > 0;) {
		const _tagdict* here = open[i].role.tag;
		if (!IsList(tag) && here == tag)
			return open[i].element;
		if (IsList(tag) && i > 0 && IsItemOf(here, tag) && open[i - 1].role.tag == tag)
			return open[i - 1].element;
	}
	return nullptr;
}

// #pragma mark - The paragraphs of a level

void Paragraphs::AddBlock(Block block)
{
	if (block.kind == Block::LINE && block.from >= block.to && block.first == block.behind)
		return;
	blocks.push_back(block);
}

// Reads the blocks of the level inside container (the body when null).
void Paragraphs::ScanScope(Page_Element* container)
{
	blocks.clear();
	partners.Forget();
	unsigned long index = 1;
	long from = 0;
	scopeLast = list.LastIndex();
	scopeEnd = nullptr;
	long end = engine.View()->TextLength();
	if (container != nullptr) {
		unsigned long at = container->ThisIndex();
		index = at + 1;
		from = container->ThisOffset() + PairRole::OwnedLength(list[at]);
		if (partners[at] != 0) {
			scopeLast = partners[at] - 1;
			scopeEnd = list[partners[at]].element;
			end = list[partners[at]].offset;
		}
	}
	Block line{Block::LINE, from, from, nullptr, nullptr, nullptr, ElementAt(index, from),
		nullptr};
	auto endLine = [&](long to, unsigned long behind) {
		line.to = to;
		line.behind = ElementAt(behind, to);
		AddBlock(line);
	};
	while (index <= scopeLast) {
		Element_List_Item item = list[index];
		PairRole role = PairRole::Of(item.element);
		Page_Element* element = dynamic_cast<Page_Element*>(item.element);
		bool paragraph = StartsParagraph(role);
		bool other = !paragraph && role.block && (role.open || !role.IsPair());
		if (paragraph || other) {
			endLine(item.offset, index);
			unsigned long last = role.IsPair() && partners[index] != 0 ? partners[index] : index;
			if (paragraph && partners[index] == 0) {
				// A paragraph that is not closed ends where the next block starts.
				last = index;
				while (last < scopeLast) {
					PairRole next = PairRole::Of(list[last + 1].element);
					if (StartsParagraph(next) || (next.block && next.open))
						break;
					last++;
				}
			}
			last = std::min(last, scopeLast);
			Element_List_Item lastItem = list[last];
			long to = lastItem.offset + PairRole::OwnedLength(lastItem);
			if (paragraph && partners[index] == 0)
				to = last < scopeLast ? list[last + 1].offset : end;
			Block::Kind kind = !paragraph ? Block::OTHER
				: role.kind == PairRole::PARAGRAPH ? Block::PARAGRAPH : Block::HEADING;
			Page_Element* closing = partners[index] != 0 && role.IsPair()
				? dynamic_cast<Page_Element*>(list[partners[index]].element) : nullptr;
			AddBlock({kind, item.offset, to, element, closing, nullptr, item.element,
				ElementAt(last + 1, to)});
			index = last + 1;
			line = {Block::LINE, to, to, nullptr, nullptr, nullptr, ElementAt(index, to), nullptr};
			continue;
		}
		if (role.kind == PairRole::UNSUPPORTED && role.open && !role.block
				&& partners[index] > index) {
			// An inline element (a span, a map) is the line's with all it holds.
			index = std::min(partners[index], scopeLast) + 1;
			continue;
		}
		if (role.kind == PairRole::SINGLE && role.tag == tag_br) {
			line.lineBreak = element;
			endLine(item.offset + PairRole::OwnedLength(item), index + 1);
			long next = item.offset + PairRole::OwnedLength(item);
			line = {Block::LINE, next, next, nullptr, nullptr, nullptr, ElementAt(index + 1, next),
				nullptr};
		}
		index++;
	}
	endLine(end, scopeLast + 1);
}

std::vector<Paragraphs::Block> Paragraphs::Selected(long start, long end)
{
	ScanScope(Container(start));
	std::vector<Block> selected;
	for (const Block& block : blocks) {
		bool holds = start < end ? block.from < end && block.to > start
			: block.from <= start && start <= block.to;
		if (holds)
			selected.push_back(block);
		if (holds && start >= end)
			break;
	}
	return selected;
}

// #pragma mark - Making elements

Page_Element* Paragraphs::Create(const _tagdict* tag, bool open, long offset,
	const Visual_Element* before)
{
	Page_Element* element = engine.InsertTagAt(offset, tag, open ? StartTag : EndTag,
		INSERT_BUILD);
	if (element == nullptr)
		return nullptr;
	engine.PlaceBefore(element, before);
	partners.Forget();
	if (made == nullptr && open)
		made = element;
	return element;
}

// The steps go in from the last one, so that the offsets of the earlier
// ones stay right; each goes in front of the element that followed its
// place, or of the step behind it that went there already.
void Paragraphs::Apply(const std::vector<Step>& steps)
{
	std::map<const Visual_Element*, const Visual_Element*> ahead;
	for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
		auto known = ahead.find(step->before);
		const Visual_Element* before = known != ahead.end() ? known->second : step->before;
		Page_Element* element = Create(step->tag, step->open, step->offset, before);
		if (element != nullptr)
			ahead[step->before] = element;
	}
}

// The blocks still to be done name the elements that replaced the ones
// they named. This is done at once, while no new element can have the
// address of a replaced one.
void Paragraphs::Rebind(std::vector<Block>::iterator first, std::vector<Block>::iterator last)
{
	auto current = [this](auto* element) -> decltype(element) {
		for (const auto& [old, replacement] : replaced) {
			if (element == old)
				return replacement;
		}
		return element;
	};
	for (auto block = first; block != last; ++block) {
		block->opening = current(block->opening);
		block->closing = current(block->closing);
		block->lineBreak = current(block->lineBreak);
		block->first = current(block->first);
		block->behind = current(block->behind);
	}
	replaced.clear();
}

// An element replaced by another of the same place; the growth of the text.
long Paragraphs::Replace(Page_Element* old, const _tagdict* tag, bool open)
{
	long length = engine.View()->TextLength();
	long offset = old->ThisOffset();
	const Visual_Element* behind = old->Next();
	engine.Delete(old);
	partners.Forget();
	Page_Element* replacement = Create(tag, open, offset, behind);
	replaced.emplace_back(old, replacement);
	return engine.View()->TextLength() - length;
}

// #pragma mark - Commands

void Paragraphs::FormatBlock(const Block& block, const _tagdict* tag)
{
	switch (block.kind) {
		case Block::LINE: {
			// A line break that ends the line stays behind the new block.
			long to = block.lineBreak != nullptr ? block.lineBreak->ThisOffset() : block.to;
			const Visual_Element* behind = block.lineBreak != nullptr ? block.lineBreak
				: block.behind;
			Apply({{block.from, tag, true, block.first}, {to, tag, false, behind}});
			break;
		}
		case Block::PARAGRAPH:
		case Block::HEADING:
			if (block.opening->HTMLType() == tag)
				break;
			if (block.closing != nullptr)
				Replace(block.closing, tag, false);
			else
				Apply({{block.to, tag, false, block.behind}});
			Replace(block.opening, tag, true);
			break;
		case Block::OTHER:
			break;
	}
}

long Paragraphs::Format(long start, long end, const _tagdict* tag)
{
	std::vector<Block> selected = Selected(start, end);
	if (selected.empty())
		return 0;
	long length = engine.View()->TextLength();
	for (size_t n = selected.size(); n-- > 0;) {
		FormatBlock(selected[n], tag);
		Rebind(selected.begin(), selected.begin() + static_cast<long>(n));
	}
	long growth = engine.View()->TextLength() - length;
	engine.RewriteStyles(selected.front().from, selected.back().to + growth);
	return growth;
}

void Paragraphs::PlainHeadings(long* start, long* end)
{
	partners.Forget();
	std::vector<Page_Element*> headings;
	for (unsigned long index = 1; index <= list.LastIndex(); index++) {
		PairRole role = PairRole::Of(list[index].element);
		if (!role.open || !TextChange::IsHeadingType(role.tag) || list[index].offset >= *end)
			continue;
		unsigned long closing = partners[index];
		if (closing != 0 && list[closing].offset >= *start)
			headings.push_back(dynamic_cast<Page_Element*>(list[index].element));
	}
	// The range keeps its characters: it moves with what changes in front
	// of its ends.
	auto replace = [&](Page_Element* element, bool open) {
		long at = element->ThisOffset();
		long growth = Replace(element, tag_p, open);
		if (at < *start)
			*start += growth;
		if (at < *end)
			*end += growth;
	};
	for (auto heading = headings.rbegin(); heading != headings.rend(); ++heading) {
		if (Page_Element* closing = partners.Of(*heading))
			replace(closing, false);
		replace(*heading, true);
	}
}

// Takes off a quote, centring or list, with the list's items.
void Paragraphs::TakeOff(Page_Element* block, const _tagdict* tag)
{
	long from = block->ThisOffset();
	long to = from;
	ScanScope(block);
	std::vector<Page_Element*> gone{block};
	if (Page_Element* closing = partners.Of(block)) {
		gone.push_back(closing);
		to = closing->ThisOffset();
	}
	for (const Block& item : blocks) {
		if (item.kind == Block::OTHER && IsItemOf(item.opening->HTMLType(), tag)) {
			gone.push_back(item.opening);
			if (item.closing != nullptr)
				gone.push_back(item.closing);
		}
	}
	for (Page_Element* element : gone)
		engine.Delete(element);
	partners.Forget();
	engine.RewriteStyles(from, to);
}

void Paragraphs::Wrap(long start, long end, const _tagdict* tag)
{
	if (Page_Element* block = Wrapping(start, tag)) {
		TakeOff(block, tag);
		return;
	}
	std::vector<Block> selected = Selected(start, end);
	bool parts = std::any_of(selected.begin(), selected.end(), [](const Block& block) {
		return block.kind == Block::OTHER && IsPart(block.opening->HTMLType());
	});
	if (selected.empty() || parts)
		return;
	std::vector<Step> steps;
	steps.push_back({selected.front().from, tag, true, selected.front().first});
	int lines = 0;
	for (size_t n = 0; n < selected.size() && IsList(tag); n++) {
		const Block& block = selected[n];
		// A term holds only text: lines take turns as terms and
		// definitions, anything more is a definition.
		const _tagdict* item = tag_li;
		if (tag == tag_dl)
			item = block.kind == Block::LINE && lines++ % 2 == 0 ? tag_dt : tag_dd;
		steps.push_back({block.from, item, true, block.first});
		steps.push_back({block.to, item, false, block.behind});
	}
	steps.push_back({selected.back().to, tag, false, selected.back().behind});
	Apply(steps);
	engine.RewriteStyles(selected.front().from, selected.back().to);
}

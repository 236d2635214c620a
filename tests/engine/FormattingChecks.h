#ifndef VELMORA_TESTS_FORMATTING_CHECKS_H
#define VELMORA_TESTS_FORMATTING_CHECKS_H

#include <algorithm>
#include <string>
#include <vector>

#include <Autolock.h>

#include "Element_List.h"
#include "HTML_Element.h"
#include "Visual_Element.h"
#include "ModelTesting.h"
#include "TagDictionary.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "engine_support/PairRole.h"

// What a formatting command must keep: every pair nested, the page's own
// text, and HTML that reads back into the same elements at the same
// offsets.
namespace FormattingChecks {

// One element as the reading of a page makes it.
struct Mark {
	const _tagdict* tag;
	bool open;
	long offset;

	bool operator==(const Mark&) const = default;
};

inline std::vector<Mark> Marks(Visual_Engine* engine)
{
	BAutolock lock(engine);
	const Element_List& list = *engine->ElementList();
	std::vector<Mark> marks;
	for (unsigned long i = 1; i <= list.LastIndex(); i++) {
		const HTML_Element* html = dynamic_cast<const HTML_Element*>(list[i].element);
		marks.push_back({html != nullptr ? html->HTMLType() : nullptr,
			PairRole::Of(list[i].element).open, list[i].offset});
	}
	return marks;
}

inline std::string Describe(const std::vector<Mark>& marks, size_t from = 0,
	size_t to = SIZE_MAX)
{
	std::string text;
	for (size_t i = from; i < std::min(to, marks.size()); i++) {
		const Mark& mark = marks[i];
		text += mark.open ? "" : "/";
		text += mark.tag != nullptr && mark.tag->name != nullptr ? mark.tag->name : "-";
		text += "@" + std::to_string(mark.offset) + " ";
	}
	return text;
}

// Where two lists of marks part, with a few marks before; empty when they
// do not.
inline std::string Difference(const std::vector<Mark>& a, const std::vector<Mark>& b)
{
	size_t at = 0;
	while (at < a.size() && at < b.size() && a[at] == b[at])
		at++;
	if (at == a.size() && at == b.size())
		return std::string();
	size_t from = at > 6 ? at - 6 : 0;
	return "at mark " + std::to_string(at) + ":\n  " + Describe(a, from, at + 8) + "\n  "
		+ Describe(b, from, at + 8);
}

// The page's text: the view's characters but those the elements own.
inline std::string PageText(Visual_Engine* engine)
{
	BAutolock lock(engine);
	const Element_List& list = *engine->ElementList();
	std::string all = engine->View()->Text();
	std::vector<bool> owned(all.size(), false);
	for (unsigned long i = 1; i <= list.LastIndex(); i++) {
		Element_List_Item item = list[i];
		long end = std::min<long>(item.offset + PairRole::OwnedLength(item), all.size());
		for (long o = item.offset; o < end; o++)
			owned[o] = true;
	}
	std::string text;
	for (size_t i = 0; i < all.size(); i++) {
		if (!owned[i])
			text += all[i];
	}
	return text;
}

// Empty when every closing element ends the innermost open pair.
inline std::string Crossing(Visual_Engine* engine)
{
	BAutolock lock(engine);
	const Element_List& list = *engine->ElementList();
	std::vector<PairRole> open;
	for (unsigned long i = 1; i <= list.LastIndex(); i++) {
		PairRole role = PairRole::Of(list[i].element);
		if (!role.IsPair())
			continue;
		if (role.open) {
			open.push_back(role);
			continue;
		}
		auto match = std::find_if(open.rbegin(), open.rend(),
			[&](const PairRole& o) { return o.SameKey(role); });
		if (match == open.rend())
			return "a closing " + std::string(role.tag->name) + " alone at index "
				+ std::to_string(i);
		if (match != open.rbegin())
			return std::string(role.tag->name) + " crosses " + open.back().tag->name
				+ " at index " + std::to_string(i);
		open.pop_back();
	}
	return std::string();
}

// The page as it is saved: its HTML in its own encoding.
inline std::string Saved(ModelTesting::ModelPage& page)
{
	page.GenerateHTML();
	const BMallocIO* buffer = page.HTMLBuffer();
	std::string html(static_cast<const char*>(buffer->Buffer()), buffer->BufferLength());
	std::string bytes;
	return page.Encoding().Encode(html, bytes) ? bytes : html;
}

// The elements and the text of a page read from html.
inline std::vector<Mark> ReadBack(const std::string& html, std::string* text)
{
	ModelTesting::ModelPage page;
	page.Read(html);
	*text = PageText(page.Engine());
	return Marks(page.Engine());
}

} // namespace FormattingChecks

#endif

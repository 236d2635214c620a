#include "RunHTML.h"

#include <algorithm>

#include <Autolock.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "HTML_Element.h"
#include "Page_Element.h"
#include "PairWalk.h"
#include "TagDictionary.h"
#include "Visual_Element.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

// What the page writes in its head is not part of a run.
void Write(HTML_Element* html)
{
	if (html == nullptr || html->HeadMark())
		return;
	const _tagdict* tag = html->HTMLType();
	if (tag != nullptr && (tag->model & CM_HEAD) != 0)
		return;
	html->InsertHTML(0);
}

} // namespace

std::string RunHTML::Of(Visual_Engine& engine, int32 from, int32 to)
{
	std::string html;
	BAutolock lock(&engine);
	from = std::max(from, 0);
	to = std::min(to, engine.View()->TextLength());
	if (engine.MyPage() == nullptr || from >= to)
		return html;
	PageModel::SideOutput side(&html);
	const Element_List& list = *engine.ElementList();
	unsigned long first = list.FirstIndexAtOrAbove(from);
	unsigned long end = list.FirstIndexAtOrAbove(to);
	for (const PairWalk::Open& open : PairWalk::OpenBefore(list, first))
		Write(open.element);
	long offset = from;
	for (unsigned long index = first; index < end; index++) {
		Element_List_Item item = list[index];
		if (item.offset > offset) {
			engine.TextHTML(offset, item.offset);
			offset = item.offset;
		}
		Write(dynamic_cast<HTML_Element*>(item.element));
	}
	engine.TextHTML(offset, to);
	std::vector<PairWalk::Open> open = PairWalk::OpenBefore(list, end);
	std::vector<unsigned long> partners = PairWalk::Partners(list);
	for (auto pair = open.rbegin(); pair != open.rend(); ++pair) {
		unsigned long partner = partners[pair->index];
		if (partner > 0)
			Write(dynamic_cast<HTML_Element*>(list[partner].element));
	}
	return html;
}

#include "HorizontalLine.h"

#include <Message.h>

#include <Autolock.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "NodeText.h"
#include "NodeTree.h"

namespace {

constexpr float kRuleHeight = 26;

} // namespace

HorizontalLine::HorizontalLine(long position, _node* node, insert_mode mode,
	Visual_Engine* engine, Element_List* list, long& inserted, const BMessage* archive)
	:
	Page_Element(node, position, engine, list)
{
	unsupportedAttributes = NodeText::OtherAttributes(node);
	RestoreTag(archive, "HorizontalLine", nullptr, nullptr, &unsupportedAttributes);
	if (engine == nullptr)
		return;
	long start = 0;
	long end = 0;
	BAutolock lock(engine);
	if (lock.IsLocked()) {
		Visual_Text* view = engine->View();
		view->Insert(static_cast<int32>(position), "\n", 1);
		inserted += 1;
		long space = engine->CreateSpace(position + 1, this, position, &start, &end, 0,
			kRuleHeight, 0);
		inserted += space;
		// The second line feed ends the rule's line, so that what follows
		// the rule starts a line of its own.
		view->Insert(static_cast<int32>(position + 1 + space), "\n", 1);
		inserted += 1;
		if (end > 0)
			end += 1;
	}
	if (mode == INSERT_BUILD)
		engine->AddAfter(position, this);
	else
		engine->AddBefore(position, this);
	if (end > 0 && list != nullptr)
		list->SetSpaceFromToRelOffset(this, start, end);
}

// The space goes first, while the list still knows where it is; then the
// line feed in front of it.
HorizontalLine::~HorizontalLine()
{
	Visual_Engine* engine = TakesItsTextAlong() ? Engine() : nullptr;
	if (engine != nullptr) {
		BAutolock lock(engine);
		engine->DeleteSpace(this);
		int32 offset = static_cast<int32>(ThisOffset());
		engine->View()->BDeleteText(offset, offset + 1);
	}
	if (ElementList() != nullptr)
		ElementList()->Remove(this);
}

long HorizontalLine::InsertHTML(long position)
{
	std::string text = "<HR" + unsupportedAttributes + ">";
	if (MyPage() == nullptr)
		return 0;
	return MyPage()->InsertHTML(text.c_str(), true, true, position, this);
}

const _tagdict* HorizontalLine::HTMLType() const
{
	return MyNode() != nullptr ? MyNode()->tag : nullptr;
}

void HorizontalLine::Archive(BMessage* archive) const
{
	if (archive == nullptr)
		return;
	ArchiveTag(archive, "HorizontalLine", HTMLType(), nullptr, &unsupportedAttributes);
}

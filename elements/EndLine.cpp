#include "EndLine.h"

#include <Message.h>

#include <Autolock.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "ErrorAlert.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "NodeText.h"
#include "NodeTree.h"
#include "element_support/PairSearch.h"

EndLine::EndLine(long position, _node* node, insert_mode, Visual_Engine* engine,
	Element_List* list, long& inserted, const BMessage* archive)
	:
	Page_Element(node, position, engine, list),
	open(node == nullptr || node->type != EndTag),
	type(node != nullptr ? node->tag : nullptr)
{
	unsupportedAttributes = NodeText::OtherAttributes(node);
	RestoreTag(archive, "EndLine", &type, &open, &unsupportedAttributes);
	if (engine == nullptr)
		return;
	long start = 0;
	long end = 0;
	if (type == tag_p && open) {
		inserted += engine->InsertParagraph(this, position, &start, &end);
	} else if (type == tag_br) {
		BAutolock lock(engine);
		if (lock.IsLocked()) {
			engine->View()->Insert(static_cast<int32>(position), "\n", 1);
			inserted += 1;
		}
	}
	engine->AddAfter(position, this);
	if (end > 0 && list != nullptr)
		list->SetSpaceFromToRelOffset(this, start, end);
}

EndLine::~EndLine()
{
	Visual_Engine* engine = TakesItsTextAlong() ? Engine() : nullptr;
	if (engine != nullptr && type == tag_br) {
		int32 offset = static_cast<int32>(ThisOffset());
		engine->View()->BDeleteText(offset, offset + 1);
	} else if (engine != nullptr && type == tag_p) {
		engine->DeleteParagraph(this);
	}
	if (ElementList() != nullptr)
		ElementList()->Remove(this);
}

long EndLine::InsertHTML(long position)
{
	std::string text;
	if (type == tag_br)
		text = "<BR";
	else if (type == tag_p)
		text = open ? "<P" : "</P";
	else
		ErrorAlert("Internal error: EndLine - unknown type");
	text += unsupportedAttributes + ">";
	if (MyPage() == nullptr)
		return 0;
	bool openingParagraph = type == tag_p && open;
	return MyPage()->InsertHTML(text.c_str(), openingParagraph, !openingParagraph, position,
		this);
}

void EndLine::Archive(BMessage* archive) const
{
	if (archive == nullptr)
		return;
	ArchiveTag(archive, "EndLine", type, &open, &unsupportedAttributes);
}

EndLine* EndLine::FindOpeningClosing() const
{
	if (!PairTag())
		return nullptr;
	const _tagdict* key = type;
	return FindPartner(this, open,
		[key](const EndLine& candidate) { return candidate.Type() == key; });
}

bool EndLine::HasText() const
{
	if (!PairTag())
		return false;
	return TextBetween(this, FindOpeningClosing());
}

#include "PageWalk.h"

#include <strings.h>

#include <cstring>
#include <string>

#include "Element_List.h"
#include "EnginePage.h"
#include "NodeTree.h"
#include "Page_Element.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "NodeText.h"

namespace {

bool BeginsWith(const std::string& text, const char* prefix)
{
	return strncasecmp(text.c_str(), prefix, strlen(prefix)) == 0;
}

const _tagdict* FramesetTag()
{
	static const _tagdict* const sFrameset = LookUpTag("frameset");
	return sFrameset;
}

bool IsCode(const _node* node)
{
	const _node* parent = node->parent;
	return parent != nullptr && (parent->tag == tag_script || parent->tag == tag_style);
}

// Inferred elements written all the same: where a table ends decides
// whether the text after it stays after it, and text in a frameset is
// dropped unless it stands in a NOFRAMES.
bool IsWrittenWhenInferred(const _tagdict* tag)
{
	static const _tagdict* const sTable = LookUpTag("table");
	static const _tagdict* const sNoframes = LookUpTag("noframes");
	return tag == sTable || tag == sNoframes;
}

// Elements the parser inferred to group others (a list around stray
// items, a row around cells) are not the page's: the page is written as
// its author wrote it, and reading it again infers them again.
bool IsInferredGroup(const _node* node)
{
	return node->implicit && node->tag != nullptr && (node->tag->model & CM_INLINE) == 0
		&& !IsWrittenWhenInferred(node->tag);
}

} // namespace

PageWalk::PageWalk(EnginePage* page, _node* document, const _lexer* lexer,
	std::function<void(float, const char*)> progress)
	:
	fPage(page),
	fDocument(document),
	fLexer(lexer),
	fProgress(std::move(progress))
{
}

int32 PageWalk::CountNodes()
{
	int32 count = 0;
	bool closing = false;
	bool descend = true;
	for (const _node* node = fDocument->content; node != nullptr && node != fDocument;
			node = NodeTree::LogicalNextNode(node, closing, descend)) {
		count++;
		fPageWritten = fPageWritten || !node->implicit;
	}
	return count;
}

void PageWalk::Start()
{
	fStarted = true;
	fTotal = CountNodes();
	fStep = std::max<int32>(fTotal / 100, 1);
	fTail = fPage->Engine()->View()->TextLength();
	fNode = fDocument->content;
	if (fProgress)
		fProgress(0, nullptr);
}

bool PageWalk::Step(int32 nodes, bigtime_t deadline)
{
	if (fDone || fStopped)
		return fDone;
	if (!fStarted)
		Start();
	// The clock is read every few nodes: a node costs microseconds.
	constexpr int32 kNodesPerClockReading = 32;
	for (int32 walked = 0; fNode != nullptr && fNode != fDocument; walked++) {
		if (walked >= nodes)
			return false;
		if (walked % kNodesPerClockReading == kNodesPerClockReading - 1
				&& deadline != B_INFINITE_TIMEOUT && system_time() >= deadline)
			return false;
		if (fPage->IsStopProcessing()) {
			fStopped = true;
			return false;
		}
		Visit();
	}
	Finish();
	return true;
}

void PageWalk::Visit()
{
	_node* node = fNode;
	if (node->tag == tag_title && !fClosing && !fTitleTaken) {
		fTitleTaken = true;
		// The title's text is the page's; the walk goes on behind it.
		std::optional<std::string> title = NodeText::SourceRange(node->content,
			&fLexer->lexbuf);
		fPage->SetTitle(title ? title->c_str() : nullptr);
		ShowProgress();
		if (node->next != nullptr) {
			fNode = node->next;
			fClosing = false;
			fDescend = true;
		} else {
			fNode = node->parent;
			fClosing = true;
			fDescend = false;
		}
		return;
	}
	if (!TakeForPage(node, fClosing))
		Pass(node, fClosing);
	ShowProgress();
	fNode = NodeTree::LogicalNextNode(node, fClosing, fDescend);
}

void PageWalk::Finish()
{
	fDone = true;
	if (fPageWritten && !fDocumentTypeRead)
		fPage->OmitDocumentType();
}

float PageWalk::Done() const
{
	if (fDone)
		return 1;
	return fTotal > 0 ? std::min(1.0f, static_cast<float>(fCounter) / fTotal) : 0;
}

bool PageWalk::TakeForPage(_node* node, bool closing)
{
	const _tagdict* tag = node->tag;
	if (tag == FramesetTag() && node->parent != nullptr && node->parent->tag == tag_html)
		fPage->SetFramesetDocument(true);
	if (tag == tag_body && !closing) {
		fInHead = false;
		TakeBody(node);
		return true;
	}
	if (tag == tag_head && closing)
		fInHead = false;
	// The page's own document type decides how a browser lays it out
	// (standards or quirks mode): it is written back as it was read. A
	// declaration elsewhere is markup of the page.
	if (node->type == DocTypeTag && node->parent == fDocument) {
		fDocumentTypeRead = true;
		std::optional<std::string> text = NodeText::SourceRange(node, &fLexer->lexbuf);
		if (text && !text->empty())
			fPage->SetDocumentType(text->c_str());
		return true;
	}
	// The HTML element's attributes (lang, dir) are the page's, written
	// back with the element the program writes in its place.
	if (tag == tag_html && !closing && node->parent == fDocument)
		fPage->SetHTMLAttributes(NodeText::OtherAttributes(node));
	if (tag == tag_html || tag == tag_head || tag == tag_body)
		return true;
	if (tag == tag_meta && !closing) {
		std::string name = NodeText::Attribute(node, attr_name).value_or("");
		return BeginsWith(name, "Author") || BeginsWith(name, "Generator");
	}
	if (tag == tag_basefont) {
		if (!closing)
			fPage->SetBaseFont(node);
		return true;
	}
	return IsInferredGroup(node);
}

// Colours the page models are taken from the BODY; what it cannot read as
// a colour stays among the BODY's other attributes, as written.
void PageWalk::TakeBody(const _node* body)
{
	const _attribute* modelled[3] = {nullptr, nullptr, nullptr};
	const _attribute* colours[3] = {attr_text, attr_link, attr_bgcolor};
	for (int which = 0; which < 3; which++) {
		std::optional<std::string> value = NodeText::Attribute(body, colours[which]);
		std::optional<rgb_color> color = value ? NodeText::ParseColor(value->c_str())
			: std::nullopt;
		if (!color)
			continue;
		modelled[which] = colours[which];
		fPage->SetColors(which + 1, color->red, color->green, color->blue, 255);
	}
	std::optional<std::string> background = NodeText::Attribute(body, attr_background);
	if (background)
		fPage->SetBackground(background->c_str());
	fPage->SetBodyAttributes(NodeText::OtherAttributes(body, modelled[0], modelled[1],
		modelled[2], attr_background).c_str());
}

void PageWalk::Pass(_node* node, bool closing)
{
	// A further title is markup of the page; its text is written with it,
	// into the head.
	bool titleText = node->type == TextNode && node->parent != nullptr
		&& node->parent->tag == tag_title;
	if (node->type == TextNode && (IsCode(node) || titleText))
		node->type = RawTextNode;
	else if (node->type == TextNode && fInHead)
		node->type = CommentTag;
	_node* passed = node;
	if (closing) {
		// A tag the page defines itself closes with the name it opened with.
		if (node->element != nullptr && node->tag != nullptr && (node->tag->model & CM_NEW) != 0) {
			passed = fPage->NewNode();
			passed->type = EndTag;
			passed->tag = node->tag;
			passed->element = CopyNodeString(node->element);
		} else {
			passed = fPage->SharedEndTagNode(node->tag);
		}
	}
	Visual_Engine* engine = fPage->Engine();
	long position = engine->View()->TextLength() - fTail;
	engine->InsertAt(position, passed, INSERT_BUILD, nullptr);
	if (fInHead || titleText) {
		// End tags share their node, so an earlier element at the offset
		// may have the same one: the one just made is the last there.
		Element_List* list = engine->ElementList();
		Page_Element* element = list->LastAddedAt(passed, position);
		if (element == nullptr)
			element = list->ElementForNodeFrom(passed, position);
		if (element != nullptr)
			element->SetHeadMark(true);
	}
}

void PageWalk::ShowProgress()
{
	fCounter++;
	if (fCounter % fStep == 0 && fProgress)
		fProgress(static_cast<float>(fCounter / fStep), "Processing…");
}

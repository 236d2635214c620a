#include "HTMLFragment.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <Autolock.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "HTML_Element.h"
#include "Visual_Element.h"
#include "NodeTree.h"
#include "PageParser.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

bool IsTag(const _node* node)
{
	return node->type == StartTag || node->type == EndTag || node->type == StartEndTag;
}

// An attribute that runs code: an event handler, or a link to a script.
bool RunsCode(const _attval* attribute)
{
	if (attribute->attribute != nullptr && strncasecmp(attribute->attribute, "on", 2) == 0)
		return true;
	if (attribute->value == nullptr)
		return false;
	const char* value = attribute->value;
	while (*value == ' ' || *value == '\t' || *value == '\n' || *value == '\r')
		value++;
	return strncasecmp(value, "javascript:", 11) == 0 || strncasecmp(value, "vbscript:", 9) == 0;
}

char* CopyOf(const char* text)
{
	return text != nullptr ? CopyNodeString(text) : nullptr;
}

} // namespace

HTMLFragment::HTMLFragment(EnginePage* page, std::string_view html)
	:
	fPage(page),
	fHTML(html)
{
}

// As a run is pasted: a placeholder stands at the offset while the
// fragment is built in front of it, with the formatting that began at the
// offset moved behind it, so that the pasted run is not enclosed in it.
long HTMLFragment::InsertAt(long offset)
{
	if (fPage == nullptr || offset < 0 || fHTML.empty())
		return 0;
	ParseOptions options;
	options.showWarnings = false;
	std::unique_ptr<ParsedPage> parsed = PageParser::Parse(fHTML, options);
	if (parsed->Status() != B_OK || parsed->Document() == nullptr)
		return 0;
	Visual_Engine* engine = fPage->Engine();
	Visual_Text* view = engine->View();
	BAutolock lock(engine);
	offset = std::clamp<long>(offset, 0, view->TextLength());
	std::vector<Visual_Element*> opening = OpeningTagsAt(offset);
	bool undoWasSuppressed = view->IsUndoSuppressed();
	view->SuppressUndo(true);
	view->SetInsertMode(INSERT_BUILD);
	engine->InsertText("x", 1, offset);
	for (auto tag = opening.rbegin(); tag != opening.rend(); ++tag)
		engine->MoveBefore(offset + 1, *tag);
	long end = Build(*parsed, offset);
	view->SetInsertMode(INSERT_EDIT);
	view->Delete(static_cast<int32>(end), static_cast<int32>(end + 1));
	// Tidying may take out tags the run repeats of its neighbours.
	long length = view->TextLength();
	engine->ClearCode(std::max<long>(offset - 1, 0), end + 1, nullptr, nullptr);
	end += view->TextLength() - length;
	view->SuppressUndo(undoWasSuppressed);
	if (!undoWasSuppressed)
		view->SetUndo(UNDO_INSERT, static_cast<int32>(offset), static_cast<int32>(end));
	view->Refresh(static_cast<int32>(offset), static_cast<int32>(end + 1));
	return end - offset;
}

std::vector<Visual_Element*> HTMLFragment::OpeningTagsAt(long offset) const
{
	std::vector<Visual_Element*> opening;
	Element_List* list = fPage->Engine()->ElementList();
	long counter = 0;
	for (long index = list->IndexOfAt(offset, &counter); index >= 0;
			index = list->IndexOfAt(offset, &counter)) {
		Visual_Element* element = (*list)[index].element;
		const HTML_Element* html = dynamic_cast<const HTML_Element*>(element);
		if (html != nullptr && html->PairTag() && html->OpenTag())
			opening.push_back(element);
	}
	return opening;
}

// Walks the fragment's tree in document order, building what is shown;
// returns the offset behind it.
long HTMLFragment::Build(const ParsedPage& parsed, long offset)
{
	const _node* document = parsed.Document();
	const std::string& text = parsed.Lexer()->lexbuf;
	bool closing = false;
	bool descend = true;
	const _node* node = document->content;
	while (node != nullptr && node != document) {
		if (!closing && IsLeftOut(node)) {
			// The walk goes on behind the node, with none of its content.
			if (node->next != nullptr) {
				node = node->next;
			} else {
				node = node->parent;
				closing = true;
			}
			descend = !closing;
			continue;
		}
		if (node->type == TextNode && node->end > node->start && node->end <= text.size()) {
			long length = node->end - node->start;
			fPage->Engine()->InsertText(text.data() + node->start, length, offset);
			offset += length;
		} else if (IsTag(node) && !IsTransparent(node)) {
			offset += Pass(node, closing, offset);
		}
		node = NodeTree::LogicalNextNode(node, closing, descend);
	}
	return offset;
}

// Nothing of these is shown, and what they hold is not text of the page:
// a script or a style sheet would act on the whole page, the head's parts
// belong to the page's own head, and comments and declarations are the
// other program's notes.
bool HTMLFragment::IsLeftOut(const _node* node) const
{
	if (node->type == TextNode)
		return false;
	if (!IsTag(node))
		return true;
	const _tagdict* tag = node->tag;
	return tag == nullptr || tag == tag_script || tag == tag_style || tag == tag_head
		|| tag == tag_title || (tag->model & CM_HEAD) != 0;
}

// Their content is pasted without them: the page has its own HTML and
// BODY; a tag the other program made up means nothing here; a group the
// parser inferred is inferred again when the page is read.
bool HTMLFragment::IsTransparent(const _node* node) const
{
	const _tagdict* tag = node->tag;
	if (tag == nullptr || tag == tag_html || tag == tag_body || (tag->model & CM_NEW) != 0)
		return true;
	return node->implicit && (tag->model & CM_INLINE) == 0;
}

long HTMLFragment::Pass(const _node* node, bool closing, long offset)
{
	_node* copy = PageCopy(node, closing);
	return fPage->Engine()->InsertAt(offset, copy, INSERT_BUILD, nullptr);
}

// The page's own node for an element: the fragment's tree goes when the
// paste is done, the element stays.
_node* HTMLFragment::PageCopy(const _node* node, bool closing) const
{
	_node* copy = fPage->NewNode();
	copy->tag = node->tag;
	if (closing) {
		copy->type = EndTag;
		return copy;
	}
	copy->type = node->type;
	copy->closed = node->closed;
	copy->element = CopyOf(node->element);
	copy->attributes = HarmlessAttributes(node->attributes);
	return copy;
}

_attval* HTMLFragment::HarmlessAttributes(const _attval* attributes)
{
	_attval* first = nullptr;
	_attval** next = &first;
	for (const _attval* attribute = attributes; attribute != nullptr;
			attribute = attribute->next) {
		if (RunsCode(attribute))
			continue;
		_attval* copy = static_cast<_attval*>(calloc(1, sizeof(_attval)));
		copy->dict = attribute->dict;
		copy->delim = attribute->delim;
		copy->attribute = CopyOf(attribute->attribute);
		copy->value = CopyOf(attribute->value);
		*next = copy;
		next = &copy->next;
	}
	return first;
}

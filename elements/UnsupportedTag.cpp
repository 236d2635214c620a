#include "UnsupportedTag.h"

#include <Message.h>

#include "Element_List.h"
#include "EnginePage.h"
#include "TextChange.h"
#include "Visual_Engine.h"
#include "NodeText.h"
#include "NodeTree.h"
#include "element_support/PairSearch.h"

namespace {

// Content models that stand on lines of their own.
constexpr uint32 kLineModels = CM_BLOCK | CM_LIST | CM_DEFLIST | CM_TABLE | CM_ROW;

const std::string* LexerBuffer(Visual_Engine* engine)
{
	if (engine == nullptr || engine->MyPage() == nullptr)
		return nullptr;
	const _lexer* lexer = engine->MyPage()->Lexer();
	return lexer != nullptr ? &lexer->lexbuf : nullptr;
}

// The text of a title after the page's first: kept as markup of the head.
bool IsTitleText(const _node* node)
{
	return node != nullptr && node->type == RawTextNode && node->parent != nullptr
		&& node->parent->tag == tag_title;
}

// A tag no HTML version defines keeps its name as the page wrote it:
// browsers take everything up to a blank for its name, in any case.
std::string TagName(const _node* node)
{
	if ((node->tag->model & CM_NEW) != 0 && node->element != nullptr)
		return node->element;
	return NodeText::UpperTagName(node);
}

// Such a tag's text holds its attributes as the page wrote them.
bool IsWrittenAsRead(const _node* node, const std::optional<std::string>& range)
{
	return node != nullptr && node->tag != nullptr && (node->tag->model & CM_NEW) != 0
		&& range.has_value();
}

} // namespace

UnsupportedTag::UnsupportedTag(long position, _node* node, insert_mode, Visual_Engine* engine,
	Element_List* list, const BMessage* archive)
	:
	Page_Element(node, position, engine, list),
	open(node == nullptr || node->type != EndTag),
	tag(node != nullptr ? node->tag : nullptr)
{
	std::optional<std::string> range = NodeText::SourceRange(node, LexerBuffer(engine));
	std::optional<std::string> markup;
	if (tag != nullptr && tag->name != nullptr) {
		markup = open ? TagName(node) : "/" + TagName(node);
		if (open && range)
			*markup += *range;
	} else if (range && IsTitleText(node)) {
		// The parser decoded the text's references; written as it stands, a
		// "<" or "&" in it would change the page.
		markup = NodeText::EscapedText(*range);
	} else if (range) {
		markup = range;
	} else if (node != nullptr && node->type != TextNode && node->type != RawTextNode
			&& node->type != RootNode && node->type != EndTag) {
		// An empty comment or instruction is still markup of the page.
		markup = std::string();
	}
	std::string attributes = IsWrittenAsRead(node, range) ? std::string()
		: NodeText::OtherAttributes(node);
	if (!attributes.empty())
		markup = markup.value_or(std::string()) + attributes;
	if (RestoreTag(archive, "UnsupportedTag", &tag, &open)) {
		const char* html = nullptr;
		if (archive->FindString("html", &html) == B_OK && html != nullptr)
			markup = html;
	}
	if (markup)
		text.reset(CopyNodeString(*markup));
	if (engine != nullptr)
		engine->AddAfter(position, this);
}

UnsupportedTag::~UnsupportedTag()
{
	if (ElementList() != nullptr)
		ElementList()->Remove(this);
}

long UnsupportedTag::InsertHTML(long position)
{
	if (!text || MyPage() == nullptr)
		return 0;
	uint32 type = MyNode() != nullptr ? MyNode()->type : StartTag;
	std::string markup;
	switch (type) {
		case CommentTag:
			markup = std::string("<!--") + text.get() + "-->";
			break;
		case ProcInsTag:
			markup = std::string("<?") + text.get() + ">";
			break;
		case AspTag:
			markup = std::string("<%") + text.get() + "%>";
			break;
		case RawTextNode:
			markup = text.get();
			break;
		default:
			markup = std::string("<") + text.get() + ">";
	}
	bool before = false;
	bool after = false;
	LineBreaks(&before, &after);
	return MyPage()->InsertHTML(markup.c_str(), before, after, position, this);
}

// Line ends are only written where they cannot change the page's text: in
// the body, a line end next to something that may stand inside running
// text (markup without a tag, a tag that may be inline) would read back as
// a space.
void UnsupportedTag::LineBreaks(bool* before, bool* after) const
{
	uint32 type = MyNode() != nullptr ? MyNode()->type : StartTag;
	if (type == RawTextNode)
		return;
	bool inText = !HeadMark();
	if (tag == nullptr) {
		*before = *after = !inText;
	} else if (inText && (tag->model & CM_INLINE) != 0) {
		return;
	} else if ((tag->model & kLineModels) != 0) {
		*before = open;
		*after = !open;
	} else if ((tag->model & CM_HEAD) != 0) {
		// A title's text is all of it, a line end too.
		*after = !open || tag != tag_title;
	}
}

void UnsupportedTag::Archive(BMessage* archive) const
{
	if (archive == nullptr)
		return;
	ArchiveTag(archive, "UnsupportedTag", tag, &open);
	if (text)
		archive->AddString("html", text.get());
}

bool UnsupportedTag::IsPairTag() const
{
	return TextChange::IsPairTag(this);
}

UnsupportedTag* UnsupportedTag::FindOpeningClosing() const
{
	if (!IsPairTag())
		return nullptr;
	const _tagdict* key = tag;
	return FindPartner(this, open,
		[key](const UnsupportedTag& candidate) { return candidate.HTMLType() == key; });
}

#include "TreeBuilder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "AsciiCase.h"
#include "EntityTable.h"
#include "ReportCollector.h"
#include "SourceText.h"
#include "TagReader.h"
#include "UTF8.h"

namespace {

using LibraryAttribute = TreeBuilder::LibraryAttribute;

constexpr size_t kNodesBetweenStopChecks = 4096;

// The scan lists its places in the order of the text.
bool Holds(const std::vector<size_t>& places, size_t offset)
{
	return std::binary_search(places.begin(), places.end(), offset);
}

uint32 NodeTypeOf(TidyNodeType type)
{
	switch (type) {
		case TidyNode_Root: return RootNode;
		case TidyNode_DocType: return DocTypeTag;
		case TidyNode_Comment: return CommentTag;
		case TidyNode_ProcIns: return ProcInsTag;
		case TidyNode_Text: return TextNode;
		case TidyNode_Start: return StartTag;
		case TidyNode_End: return EndTag;
		case TidyNode_StartEnd: return StartEndTag;
		case TidyNode_CDATA: return CDATATag;
		case TidyNode_Section: return SectionTag;
		case TidyNode_Asp: return AspTag;
		case TidyNode_Jste: return JsteTag;
		case TidyNode_Php: return PhpTag;
		case TidyNode_XmlDecl: return XmlDeclTag;
	}
	return TextNode;
}

bool IsElement(uint32 type)
{
	return type == StartTag || type == EndTag || type == StartEndTag;
}

void ReadLibraryAttributes(TidyNode source, std::vector<LibraryAttribute>& attributes)
{
	attributes.clear();
	for (TidyAttr attribute = tidyAttrFirst(source); attribute != nullptr;
			attribute = tidyAttrNext(attribute)) {
		const char* name = tidyAttrName(attribute);
		attributes.push_back(LibraryAttribute{name != nullptr ? name : "", tidyAttrValue(attribute)});
	}
}

// Elements the library renames while it reads; the page keeps its own.
struct Renaming {
	const char* written;
	const char* library;
};

constexpr Renaming kRenamedByLibrary[] = {
	{"dir", "ul"}, {"xmp", "pre"}, {"listing", "pre"}, {"plaintext", "pre"},
};

bool MayHideATagEnd(std::string_view value)
{
	return value.find_first_of("<>\n") != std::string_view::npos;
}

bool SameNamesInOrder(const StartTagText& written, const std::vector<LibraryAttribute>& library)
{
	if (written.attributes.size() != library.size())
		return false;
	for (size_t i = 0; i < library.size(); i++) {
		if (!AsciiCase::Equal(written.attributes[i].name, library[i].name))
			return false;
	}
	return true;
}

// The names of both readings as sets, the page's allowed to repeat a name
// the library kept once.
bool SameNames(const StartTagText& written, const std::vector<LibraryAttribute>& library)
{
	if (SameNamesInOrder(written, library))
		return true;
	std::vector<std::string> writtenNames;
	for (const TagAttributeText& attribute : written.attributes)
		writtenNames.push_back(AsciiCase::Lower(attribute.name));
	std::vector<std::string_view> libraryNames;
	for (const LibraryAttribute& attribute : library)
		libraryNames.push_back(attribute.name);
	std::sort(writtenNames.begin(), writtenNames.end());
	std::sort(libraryNames.begin(), libraryNames.end());

	size_t w = 0;
	for (size_t l = 0; l < libraryNames.size(); l++, w++) {
		while (w < writtenNames.size() && writtenNames[w] < libraryNames[l]) {
			if (w == 0 || writtenNames[w] != writtenNames[w - 1])
				return false;
			w++;
		}
		if (w >= writtenNames.size() || writtenNames[w] != libraryNames[l])
			return false;
	}
	for (; w < writtenNames.size(); w++) {
		if (w == 0 || writtenNames[w] != writtenNames[w - 1])
			return false;
	}
	return true;
}

// Whether the page's own reading of a start tag can be trusted: both readings
// name the same attributes, and where a value could hide the tag's end, both
// read the same value.
bool ReadingsAgree(const StartTagText& written, const std::vector<LibraryAttribute>& library)
{
	if (!SameNames(written, library))
		return false;
	for (const TagAttributeText& attribute : written.attributes) {
		if (!attribute.value.has_value() || !MayHideATagEnd(*attribute.value))
			continue;
		std::string name = AsciiCase::Lower(attribute.name);
		auto same = std::find_if(library.begin(), library.end(),
			[&](const LibraryAttribute& candidate) { return candidate.name == name; });
		if (same == library.end() || same->value == nullptr || *attribute.value != same->value)
			return false;
	}
	return true;
}

// The library hands values with character references decoded; written back
// as they are, "&amp;lt;" would come back as "<".
std::string WithAmpersandsEscaped(std::string_view value)
{
	std::string escaped;
	escaped.reserve(value.size());
	for (char c : value) {
		if (c == '&')
			escaped += "&amp;";
		else
			escaped += c;
	}
	return escaped;
}

// The character a reference names, or nothing when it names none.
std::optional<uint32> ReferencedCode(std::string_view reference)
{
	if (reference.size() >= 2 && reference[0] == '#') {
		bool hex = reference[1] == 'x' || reference[1] == 'X';
		std::string digits(reference.substr(hex ? 2 : 1));
		if (digits.empty() || digits.size() > 8
				|| digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789")
					!= std::string::npos)
			return std::nullopt;
		uint32 code = static_cast<uint32>(strtoul(digits.c_str(), nullptr, hex ? 16 : 10));
		return code == 0 || code > 0x10FFFF ? std::nullopt : std::optional<uint32>(code);
	}
	const _entity* entity = LookUpEntity(std::string(reference).c_str());
	if (entity == nullptr)
		return std::nullopt;
	return entity->code == kNonBreakingSpaceCode ? 0xA0 : entity->code;
}

// Text with its character references decoded; what names no character
// stays as written.
std::string WithReferencesDecoded(std::string_view text)
{
	std::string decoded;
	decoded.reserve(text.size());
	size_t copied = 0;
	for (size_t amp = text.find('&'); amp != std::string_view::npos;
			amp = text.find('&', amp + 1)) {
		size_t semicolon = text.find(';', amp + 1);
		if (semicolon == std::string_view::npos)
			break;
		std::optional<uint32> code = ReferencedCode(text.substr(amp + 1, semicolon - amp - 1));
		if (!code)
			continue;
		decoded.append(text.substr(copied, amp - copied));
		BPrivate::UTF8::Append(decoded, *code);
		copied = semicolon + 1;
		amp = semicolon;
	}
	decoded.append(text.substr(copied));
	return decoded;
}

// The longest character reference looked for: "&" + a name or number + ";".
constexpr size_t kLongestReference = 34;

// The character written at offset of the page's text, a reference decoded;
// its length in the text.
uint32 WrittenCharacter(std::string_view text, size_t offset, size_t* length)
{
	if (text[offset] == '&') {
		size_t semicolon = text.substr(0, offset + kLongestReference).find(';', offset + 1);
		if (semicolon != std::string_view::npos) {
			std::optional<uint32> code = ReferencedCode(text.substr(offset + 1,
				semicolon - offset - 1));
			if (code) {
				*length = semicolon + 1 - offset;
				return *code;
			}
		}
	}
	return BPrivate::UTF8::Decode(text, offset, length);
}

// The library reads a non-breaking space in preformatted text as a plain
// one. Walks the page's text from where the library's text starts, and
// gives the library's text with the non-breaking spaces the page wrote;
// where the two do not match character for character, the library's text
// as it is.
std::string WithNonBreakingSpacesOf(std::string_view library, std::string_view page,
	size_t offset)
{
	std::string restored;
	restored.reserve(library.size());
	size_t at = offset;
	for (size_t i = 0; i < library.size();) {
		if (at >= page.size())
			return std::string(library);
		size_t libraryLength = 1;
		size_t pageLength = 1;
		uint32 read = BPrivate::UTF8::Decode(library, i, &libraryLength);
		uint32 written = WrittenCharacter(page, at, &pageLength);
		if (read == ' ' && written == 0xA0)
			restored += "\xC2\xA0";
		else if (read == written)
			restored.append(library.substr(i, libraryLength));
		else
			return std::string(library);
		i += libraryLength;
		at += pageLength;
	}
	return restored;
}

bool IsAscii(std::string_view text)
{
	size_t offset = 0;
	for (uint64_t word; offset + 8 <= text.size(); offset += 8) {
		memcpy(&word, text.data() + offset, 8);
		if ((word & 0x8080808080808080ull) != 0)
			return false;
	}
	for (; offset < text.size(); offset++) {
		if (static_cast<unsigned char>(text[offset]) >= 0x80)
			return false;
	}
	return true;
}

// Whether text in the element is text of the page's body: not in the head,
// nor code, nor the title.
bool IsBodyText(const _node* parent)
{
	const _tagdict* tag = parent->tag;
	return tag != nullptr && tag != tag_html && tag != tag_head && tag != tag_title
		&& tag != tag_script && tag != tag_style;
}

// An inline element around which a browser shows white space (none is
// shown beside a line break).
bool IsInline(const _node* node)
{
	return (node->type == StartTag || node->type == StartEndTag) && node->tag != nullptr
		&& (node->tag->model & CM_INLINE) != 0 && (node->tag->model & CM_HEAD) == 0
		&& node->tag != tag_br;
}

bool IsPreformatted(const _tagdict* tag)
{
	return tag != nullptr && (tag == tag_pre || tag == tag_xmp || tag == tag_listing
		|| tag == tag_plaintext);
}

// Elements whose content the library reads as text alone; whatever else it
// puts into one (an unclosed STYLE swallows the rest of the page) would
// turn into that text when the page is written and read again.
bool HoldsTextOnly(const _tagdict* tag)
{
	return tag != nullptr && (tag == tag_script || tag == tag_style || tag == tag_title);
}

// Moves the children of node from the first one that is not text on to
// follow node, in their order; returns the first one moved.
_node* MoveOutNonText(_node* node)
{
	_node* first = node->content;
	while (first != nullptr && first->type == TextNode)
		first = first->next;
	if (first == nullptr)
		return nullptr;
	_node* last = node->last;
	node->last = first->prev;
	if (first->prev != nullptr)
		first->prev->next = nullptr;
	else
		node->content = nullptr;
	for (_node* moved = first; moved != nullptr; moved = moved->next)
		moved->parent = node->parent;
	first->prev = node;
	last->next = node->next;
	if (node->next != nullptr)
		node->next->prev = last;
	else if (node->parent != nullptr)
		node->parent->last = last;
	node->next = first;
	return first;
}

bool HasInternalSubset(const _node* node, const std::string& buffer)
{
	return std::string_view(buffer).substr(node->start, node->end - node->start).find('[')
		!= std::string_view::npos;
}

} // namespace

TreeBuilder::TreeBuilder(TidyDoc document, const SourceText& source, const MarkupScan& scan,
	ReportCollector& reports, const std::function<bool()>& stopRequested)
	:
	fDocument(document),
	fSource(source),
	fScan(scan),
	fReports(reports),
	fStopRequested(stopRequested)
{
	tidyBufInit(&fValue);
	fSectionKept.assign(scan.RawSections().size(), false);
	fWrittenElements.assign(source.Text().size() + 1, false);
}

TreeBuilder::~TreeBuilder()
{
	tidyBufFree(&fValue);
}

_node* TreeBuilder::Build(_lexer& lexer)
{
	fLexer = &lexer;
	// The nodes' texts take about as much room as the page's.
	fLexer->lexbuf.reserve(fSource.Text().size());
	_node* root = NewNode();
	root->type = RootNode;

	TidyNode top = tidyGetRoot(fDocument);
	TidyNode current = top != nullptr ? tidyGetChild(top) : nullptr;
	_node* parent = root;
	size_t made = 0;
	while (current != nullptr) {
		if (++made % kNodesBetweenStopChecks == 0 && fStopRequested && fStopRequested()) {
			FreeNode(root);
			return nullptr;
		}
		_node* node = MakeNode(current, parent);
		if (node != nullptr) {
			if (fWhiteAfter != nullptr && fWhiteAfter == parent->last
					&& NeedsWhiteBefore(node, parent))
				NodeTree::AppendChild(parent, WhiteNode());
			NodeTree::AppendChild(parent, node);
			fWhiteAfter = fWhiteFollows ? node : nullptr;
		}
		fWhiteFollows = false;
		// A kept literal section comes with its content already, a document
		// type its declarations; the library's reading of them is left out.
		bool descend = node != nullptr && node->content == nullptr
			&& !(node->type == DocTypeTag && HasInternalSubset(node, lexer.lexbuf));
		TidyNode child = descend ? tidyGetChild(current) : nullptr;
		if (child != nullptr) {
			parent = node;
			if (IsPreformatted(parent->tag))
				fPreformattedDepth++;
			current = child;
			continue;
		}
		while (current != nullptr) {
			TidyNode next = tidyGetNext(current);
			if (next != nullptr) {
				current = next;
				break;
			}
			current = tidyGetParent(current);
			if (current == top || current == nullptr) {
				current = nullptr;
				break;
			}
			if (IsPreformatted(parent->tag))
				fPreformattedDepth--;
			TrimWhiteAtBlockEnd(parent);
			parent = parent->parent;
		}
	}
	if (fMarkupInTextOnly)
		KeepOutOfText(root);
	return root;
}

void TreeBuilder::KeepOutOfText(_node* root)
{
	bool closing = false;
	bool descend = true;
	for (_node* node = root->content; node != nullptr && node != root;
			node = NodeTree::LogicalNextNode(node, closing, descend)) {
		if (closing || !HoldsTextOnly(node->tag) || node->parent == nullptr)
			continue;
		bool code = node->tag == tag_script || node->tag == tag_style;
		_node* following = node->next;
		_node* moved = MoveOutNonText(node);
		if (code)
			MakeMovedTextVisual(moved, following);
	}
}

// Text that followed markup inside a script or style sheet was kept as code;
// moved out beside it, it is page text and takes the visual text's characters.
void TreeBuilder::MakeMovedTextVisual(_node* moved, const _node* following)
{
	for (; moved != nullptr && moved != following; moved = moved->next) {
		if (moved->type != TextNode)
			continue;
		std::string code(fLexer->lexbuf, moved->start, moved->end - moved->start);
		AppendText(moved, code, true);
	}
}

bool TreeBuilder::KeptEveryLiteralSection() const
{
	return std::all_of(fSectionKept.begin(), fSectionKept.end(), [](bool kept) { return kept; });
}

_node* TreeBuilder::MakeNode(TidyNode source, _node* parent)
{
	uint32 type = NodeTypeOf(tidyNodeGetType(source));
	size_t strayOffset = type == ProcInsTag ? MarkupStart(OffsetOf(source)) : 0;
	if (type == ProcInsTag && IsDroppedEndTag(strayOffset))
		return nullptr;
	_node* node = NewNode();
	node->type = type;
	node->start = node->end = static_cast<uint32>(fLexer->lexbuf.size());
	fMarkupInTextOnly = fMarkupInTextOnly || (type != TextNode && HoldsTextOnly(parent->tag));
	if (node->type == ProcInsTag && Holds(fScan.StrayFrameTags(), strayOffset))
		KeepStrayFrameTag(node, strayOffset);
	else if (IsElement(node->type))
		FillElement(node, source, parent);
	else if (node->type == TextNode)
		FillText(node, source, parent);
	else
		FillMarkupText(node, source);
	if (node->type == CommentTag)
		fWhiteFollows = IsLineEndSwallowed(source);
	return node;
}

void TreeBuilder::FillElement(_node* node, TidyNode source, _node* parent)
{
	size_t offset = OffsetOf(source);
	const char* reported = tidyNodeGetName(source);
	std::string_view libraryName = reported != nullptr ? reported : "";
	// The library turns the literal sections into PRE; an element it implies
	// there (a BODY, say) gets the same place.
	if (libraryName == "pre" && KeepLiteralSection(node, source, offset))
		return;
	std::string_view writtenName = libraryName;
	const _tagdict* renamed = nullptr;
	bool written = IsWrittenAt(offset, libraryName);
	for (const Renaming& renaming : kRenamedByLibrary) {
		if (!written && libraryName == renaming.library && IsWrittenAt(offset, renaming.written)) {
			writtenName = renaming.written;
			renamed = LookUpTag(renaming.written);
			written = true;
			fReports.DropObsoleteReportAt(offset);
		}
	}
	written = written && ClaimWrittenElement(offset);
	node->implicit = !written;

	int32 id = tidyNodeGetId(source);
	if (renamed != nullptr) {
		node->tag = renamed;
	} else if (id != TidyTag_UNKNOWN) {
		node->tag = TagForLibraryId(id);
	} else {
		std::string name(libraryName);
		node->tag = UnknownTag(name.c_str(), fScan.IsUnknownEmpty(name));
		if (written && node->type != EndTag) {
			fReports.AddUnknownTag(offset, static_cast<int32>(tidyNodeLine(source)),
				static_cast<int32>(tidyNodeColumn(source)), libraryName);
		}
	}

	if (written && node->type != EndTag)
		KeepWhiteBefore(node, offset, parent);
	const std::string& text = fSource.Text();
	std::string_view name = written ? std::string_view(text).substr(offset + 1, writtenName.size())
		: libraryName;
	node->element = CopyNodeString(name);
	node->closed = written && fScan.IsClosed(offset);

	// The page's own reading of the tag serves its attributes, where the
	// library found any, and the end of a tag no HTML version defines.
	bool readable = written && (id == TidyTag_UNKNOWN || tidyAttrFirst(source) != nullptr)
		&& TagReader::ReadStartTag(text, offset, fTag);
	// Where nothing follows the name as a browser reads it, what the library
	// took for attributes is the rest of the name.
	if (readable && id == TidyTag_UNKNOWN && node->tag != nullptr && node->type != EndTag
			&& !KeepUnknownTagAsWritten(node, offset, fTag.end))
		return;
	AddAttributes(node, source, readable ? &fTag : nullptr);
}

// A tag no HTML version defines is the page's own, written back as it was
// written: its name as a browser reads it (all up to a blank, "/" or ">",
// where the library stops at the first character not allowed in a name)
// and the rest of the tag, attributes as written, as the node's text; the
// attributes as read stay for those who ask. The library reads an empty
// one as a block and leaves out the white space around it, which a
// browser, reading it as inline, shows.
// True when the tag has more than its name.
bool TreeBuilder::KeepUnknownTagAsWritten(_node* node, size_t offset, size_t end)
{
	const std::string& text = fSource.Text();
	size_t nameEnd = offset + 1;
	while (nameEnd < end - 1 && !TagReader::IsSpace(text[nameEnd]) && text[nameEnd] != '/')
		nameEnd++;
	FreeNodeString(node->element);
	node->element = CopyNodeString(std::string_view(text).substr(offset + 1, nameEnd - offset - 1));
	if ((node->tag->model & CM_EMPTY) != 0 && fPreformattedDepth == 0)
		fWhiteFollows = end < text.size() && TagReader::IsSpace(text[end]);
	AppendText(node, std::string_view(text).substr(nameEnd, end - 1 - nameEnd), false);
	return node->end > node->start;
}

// The library leaves out white space before some inline elements (form
// controls, tags it does not know) that a browser shows as a space between
// the text or element before and the element.
void TreeBuilder::KeepWhiteBefore(const _node* node, size_t offset, _node* parent)
{
	const std::string& text = fSource.Text();
	const _node* before = parent->last;
	if (fPreformattedDepth > 0 || offset == 0 || !TagReader::IsSpace(text[offset - 1])
			|| before == nullptr || !IsBodyText(parent) || !IsInline(node))
		return;
	if (before->type == TextNode)
		KeepSpaceAtEndOf(parent->last);
	else if (IsInline(before) && before->type != EndTag)
		NodeTree::AppendChild(parent, WhiteNode());
}

void TreeBuilder::KeepSpaceAtEndOf(_node* text)
{
	std::string& buffer = fLexer->lexbuf;
	if (text == nullptr || text->type != TextNode || text->end != buffer.size()
			|| text->end == text->start || TagReader::IsSpace(buffer.back()))
		return;
	buffer += ' ';
	text->end++;
}

// Given to the library as "<?frame>" to keep it from ending its parse.
bool TreeBuilder::IsDroppedEndTag(size_t offset)
{
	if (!Holds(fScan.StrayFrameEndTags(), offset))
		return false;
	std::string_view text(fSource.Text());
	std::string name = AsciiCase::Lower(text.substr(offset + 2, TagReader::NameLength(text,
		offset + 2)));
	std::pair<int32, int32> place = fSource.PlaceOf(offset);
	fReports.AddDroppedEndTag(offset, place.first, place.second, name);
	return true;
}

// Given to the library as "<?rame...>" to keep it from ending its parse;
// an empty element of the page's own writing.
void TreeBuilder::KeepStrayFrameTag(_node* node, size_t offset)
{
	const std::string& text = fSource.Text();
	StartTagText tag;
	TagReader::ReadStartTag(text, offset, tag);
	std::string_view name = std::string_view(text).substr(offset + 1,
		TagReader::NameLength(text, offset + 1));
	node->type = tag.selfClosing ? StartEndTag : StartTag;
	node->tag = LookUpTag(std::string(name).c_str());
	node->element = CopyNodeString(name);
	node->closed = fScan.IsClosed(offset);
	ClaimWrittenElement(offset);
	for (const TagAttributeText& attribute : tag.attributes)
		NodeTree::AddAttribute(node, attribute.name, attribute.value, attribute.delim);
}

bool TreeBuilder::KeepLiteralSection(_node* node, TidyNode source, size_t offset)
{
	const std::vector<MarkupScan::RawSection>& sections = fScan.RawSections();
	auto found = std::lower_bound(sections.begin(), sections.end(), offset,
		[](const MarkupScan::RawSection& section, size_t place) {
			return section.tagOffset < place;
		});
	if (found == sections.end() || found->tagOffset != offset
			|| fSectionKept[found - sections.begin()])
		return false;
	const MarkupScan::RawSection& section = *found;
	fSectionKept[found - sections.begin()] = true;
	ClaimWrittenElement(offset);
	fReports.DropObsoleteReportAt(offset);

	const std::string& text = fSource.Text();
	size_t nameLength = TagReader::NameLength(text, offset + 1);
	node->tag = section.tag;
	node->element = CopyNodeString(std::string_view(text).substr(offset + 1, nameLength));
	node->closed = fScan.IsClosed(offset);
	bool readable = TagReader::ReadStartTag(text, offset, fTag);
	AddAttributes(node, source, readable ? &fTag : nullptr);

	_node* content = NewNode();
	AppendText(content, std::string_view(text).substr(section.contentStart,
		section.contentEnd - section.contentStart), true);
	NodeTree::AppendChild(node, content);
	return true;
}

void TreeBuilder::FillText(_node* node, TidyNode source, _node* parent)
{
	// Scripts and style sheets are code, not visual text: their bytes stay.
	bool visual = parent->tag != tag_script && parent->tag != tag_style;
	std::string_view text = LibraryValue(source);
	std::string changed;
	if (visual && fScan.HasForeignContent() && fScan.InForeignContent(OffsetOf(source))) {
		changed = WithReferencesDecoded(text);
		text = changed;
	} else if (visual && fPreformattedDepth > 0 && text.find(' ') != std::string_view::npos) {
		changed = WithNonBreakingSpacesOf(text, fSource.Text(), OffsetOf(source));
		text = changed;
	}
	if (fWhiteAfter != nullptr && fWhiteAfter == parent->last && IsBodyText(parent)
			&& (fPreformattedDepth > 0 || text.empty() || !TagReader::IsSpace(text[0]))) {
		changed = WhiteText() + std::string(text);
		text = changed;
	}
	AppendText(node, text, visual);
}

// The library takes a line end right after a comment for part of the
// comment, and leaves it out of the text that follows; a browser shows it
// (as a space, or a new line in preformatted text).
bool TreeBuilder::IsLineEndSwallowed(TidyNode source)
{
	// The library places a comment at its "<!--" or, after text, behind it.
	// A comment left open at the page's end has nothing behind it.
	std::string_view page(fSource.Text());
	size_t offset = OffsetOf(source);
	if (offset > page.size())
		return false;
	if (page.compare(offset, 4, "<!--") == 0)
		offset += 4;
	else if (offset < 4 || page.compare(offset - 4, 4, "<!--") != 0)
		return false;
	size_t end = offset + LibraryValue(source).size();
	return end + 3 < page.size() && page.compare(end, 3, "-->") == 0 && page[end + 3] == '\n';
}

// White space at the end of a block shows nowhere. The library keeps it
// where the block's end is implied (text in a frameset ends up in a
// NOFRAMES), and leaves it out where the end tag is written: left out here
// too, a page reads the same once written.
void TreeBuilder::TrimWhiteAtBlockEnd(_node* block)
{
	_node* text = block->last;
	const _tagdict* tag = block->tag;
	if (text == nullptr || text->type != TextNode || tag == nullptr
			|| (tag != tag_body
				&& (tag->model & (CM_INLINE | CM_FIELD | CM_MIXED | CM_HTML | CM_HEAD)) != 0)
			|| IsPreformatted(tag) || HoldsTextOnly(tag))
		return;
	const std::string& buffer = fLexer->lexbuf;
	while (text->end > text->start && TagReader::IsSpace(buffer[text->end - 1]))
		text->end--;
}

// Text takes the white space the library left out itself (FillText); an
// inline element, or anything in preformatted text, gets it as text of its
// own before it.
bool TreeBuilder::NeedsWhiteBefore(const _node* node, const _node* parent) const
{
	if (node->type == TextNode || !IsBodyText(parent))
		return false;
	return fPreformattedDepth > 0 || (IsElement(node->type) && node->tag != nullptr
		&& (node->tag->model & CM_INLINE) != 0);
}

// The white space the library left out, as a browser shows it.
const char* TreeBuilder::WhiteText() const
{
	return fPreformattedDepth > 0 ? "\n" : " ";
}

_node* TreeBuilder::WhiteNode()
{
	_node* text = NewNode();
	AppendText(text, WhiteText(), true);
	return text;
}

void TreeBuilder::FillMarkupText(_node* node, TidyNode source)
{
	size_t offset = MarkupStart(OffsetOf(source));
	std::string text;
	switch (node->type) {
		case CommentTag:
		case AspTag:
			text = LibraryValue(source);
			break;
		case JsteTag:
			text = "#" + std::string(LibraryValue(source)) + "#";
			break;
		case PhpTag:
			text = "?" + std::string(LibraryValue(source)) + "?";
			break;
		case CDATATag:
			text = "![CDATA[" + std::string(LibraryValue(source)) + "]]";
			break;
		case SectionTag:
			text = "![" + std::string(LibraryValue(source)) + "]";
			break;
		case ProcInsTag: {
			if (Holds(fScan.Declarations(), offset)) {
				// Given to the library as "<?...>" to keep it from ending its parse.
				std::string_view page(fSource.Text());
				size_t close = std::min(page.find('>', offset + 2), page.size());
				node->type = DocTypeTag;
				text = page.substr(offset + 1, close - offset - 1);
				break;
			}
			// The library's value of an instruction it read from malformed
			// markup can be a range that runs backwards (asking for it reads
			// far beyond its buffer); only its target name is taken from it.
			std::string_view raw = RawFrom(offset, "<?", ">");
			const char* target = tidyNodeGetName(source);
			text = !raw.empty() ? std::string(raw) : std::string(target != nullptr ? target : "");
			break;
		}
		case XmlDeclTag:
			text = RawFrom(offset, "<?xml", ">");
			if (text.empty()) {
				text = "?xml";
				ReadLibraryAttributes(source, fLibraryAttributes);
				for (const LibraryAttribute& attribute : fLibraryAttributes) {
					text += ' ';
					text.append(attribute.name);
					text += "=\"";
					text += attribute.value != nullptr ? attribute.value : "";
					text += '"';
				}
				text += "?";
			} else {
				text = "?xml" + text;
			}
			break;
		case DocTypeTag:
			text = DocTypeText(source);
			break;
	}
	AppendText(node, text, false);
}

std::string TreeBuilder::DocTypeText(TidyNode source)
{
	size_t offset = MarkupStart(OffsetOf(source));
	const std::string& page = fSource.Text();
	if (AsciiCase::StartsWith(std::string_view(page).substr(offset), "<!doctype")) {
		size_t end = MarkupScan::DeclarationEnd(page, offset);
		if (end <= page.size() && page[end - 1] == '>')
			return page.substr(offset + 1, end - offset - 2);
	}
	// The library keeps the public and system identifiers as attributes.
	const char* name = tidyNodeGetName(source);
	std::string text = "!DOCTYPE " + std::string(name != nullptr ? name : "html");
	bool hasPublic = false;
	ReadLibraryAttributes(source, fLibraryAttributes);
	for (const LibraryAttribute& attribute : fLibraryAttributes) {
		if (attribute.value == nullptr)
			continue;
		if (attribute.name == "PUBLIC") {
			text += " PUBLIC";
			hasPublic = true;
		} else if (!hasPublic) {
			text += " SYSTEM";
		}
		text += " \"" + std::string(attribute.value) + "\"";
	}
	return text;
}

size_t TreeBuilder::OffsetOf(TidyNode source) const
{
	return fSource.OffsetOf(static_cast<int32>(tidyNodeLine(source)),
		static_cast<int32>(tidyNodeColumn(source)));
}

// The library places an instruction or declaration at its '<' or, after
// text, at the character after its "<?" or "<!".
size_t TreeBuilder::MarkupStart(size_t offset) const
{
	const std::string& text = fSource.Text();
	if (offset < text.size() && text[offset] == '<')
		return offset;
	if (offset >= 2 && offset - 2 < text.size() && text[offset - 2] == '<')
		return offset - 2;
	return offset;
}

// False when another node claimed the place first: the library copies
// elements (an inline element reopened in the next paragraph) with the place
// of the one the page wrote.
bool TreeBuilder::ClaimWrittenElement(size_t offset)
{
	if (offset >= fWrittenElements.size() || fWrittenElements[offset])
		return false;
	fWrittenElements[offset] = true;
	return true;
}

bool TreeBuilder::IsWrittenAt(size_t offset, std::string_view name) const
{
	std::string_view text(fSource.Text());
	if (name.empty() || offset >= text.size() || text[offset] != '<')
		return false;
	size_t end = offset + 1 + name.size();
	return AsciiCase::StartsWith(text.substr(offset + 1), name)
		&& (end >= text.size() || !TagReader::IsNameChar(text[end]));
}

void TreeBuilder::AddAttributes(_node* node, TidyNode source, const StartTagText* written)
{
	std::vector<LibraryAttribute>& library = fLibraryAttributes;
	ReadLibraryAttributes(source, library);
	if (library.empty())
		return;
	if (written != nullptr && ReadingsAgree(*written, library)) {
		for (const TagAttributeText& attribute : written->attributes)
			NodeTree::AddAttribute(node, attribute.name, attribute.value, attribute.delim);
		return;
	}
	for (const LibraryAttribute& attribute : fLibraryAttributes) {
		// What the library could not read as a name is nothing it can read
		// back either.
		if (attribute.name.empty())
			continue;
		if (attribute.value == nullptr) {
			NodeTree::AddAttribute(node, attribute.name, std::nullopt, 0);
		} else {
			NodeTree::AddAttribute(node, attribute.name, WithAmpersandsEscaped(attribute.value),
				'"');
		}
	}
}

std::string_view TreeBuilder::LibraryValue(TidyNode source)
{
	tidyBufClear(&fValue);
	if (!tidyNodeGetValue(fDocument, source, &fValue) || fValue.bp == nullptr)
		return std::string_view();
	return std::string_view(reinterpret_cast<const char*>(fValue.bp), fValue.size);
}

std::string_view TreeBuilder::RawFrom(size_t offset, std::string_view open,
	std::string_view close) const
{
	std::string_view text(fSource.Text());
	if (text.compare(offset, open.size(), open) != 0)
		return std::string_view();
	size_t start = offset + open.size();
	size_t end = text.find(close, start);
	if (end == std::string_view::npos)
		return std::string_view();
	return text.substr(start, end - start);
}

void TreeBuilder::AppendText(_node* node, std::string_view text, bool visual)
{
	std::string& buffer = fLexer->lexbuf;
	node->start = static_cast<uint32>(buffer.size());
	std::string sanitized;
	// Most text is ASCII, which needs neither of the changes below.
	if (visual && IsAscii(text))
		visual = false;
	if (visual && !BPrivate::UTF8::IsValid(text)) {
		// The library makes broken characters of control characters
		// inside multi-byte ones; the node text is UTF-8 all the same.
		sanitized = BPrivate::UTF8::Sanitized(text);
		text = sanitized;
	}
	if (!visual) {
		buffer.append(text);
	} else {
		// The visual text has a character of its own for the non-breaking space.
		size_t copied = 0;
		for (size_t found = text.find("\xC2\xA0"); found != std::string_view::npos;
				found = text.find("\xC2\xA0", copied)) {
			buffer.append(text.substr(copied, found - copied));
			buffer += static_cast<char>(kNonBreakingSpaceCode);
			copied = found + 2;
		}
		buffer.append(text.substr(copied));
	}
	node->end = static_cast<uint32>(buffer.size());
}

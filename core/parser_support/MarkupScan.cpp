#include "MarkupScan.h"

#include <algorithm>

#include "AsciiCase.h"
#include "TagReader.h"

namespace {

bool StartsWith(std::string_view text, size_t offset, std::string_view prefix)
{
	return text.compare(offset, prefix.size(), prefix) == 0;
}

size_t After(std::string_view text, size_t offset, std::string_view close)
{
	size_t found = text.find(close, offset);
	return found == std::string_view::npos ? text.size() : found + close.size();
}

// Where the library ends a start tag that the tag reader cannot read: at
// its '>', or before a '<' outside a quoted value, which the library takes
// for new markup. Quoted values are skipped as the library reads them, so
// that a '<' inside one starts nothing here either.
size_t UnreadableTagEnd(std::string_view text, size_t position)
{
	while (position < text.size()) {
		char c = text[position];
		if (c == '>')
			return position + 1;
		if (c == '<')
			return position;
		position++;
		if (c != '=')
			continue;
		while (position < text.size() && TagReader::IsSpace(text[position]))
			position++;
		if (position >= text.size() || (text[position] != '"' && text[position] != '\''))
			continue;
		size_t close = text.find(text[position], position + 1);
		if (close == std::string_view::npos)
			return position;
		position = close + 1;
	}
	return position;
}

// The tags whose content the library (and every browser) reads as plain
// characters up to their end tag.
bool IsScriptLike(std::string_view lowerName)
{
	return lowerName == "script" || lowerName == "style";
}

const _tagdict* LiteralTag(std::string_view lowerName)
{
	if (lowerName == "xmp")
		return tag_xmp;
	if (lowerName == "listing")
		return tag_listing;
	if (lowerName == "plaintext")
		return tag_plaintext;
	return nullptr;
}

} // namespace

MarkupScan::MarkupScan(std::string_view text)
	:
	fClosed(text.size(), false)
{
	size_t offset = 0;
	size_t textFrom = 0;
	while ((offset = text.find('<', offset)) != std::string_view::npos) {
		NoteText(text.substr(textFrom, offset - textFrom));
		offset = ScanMarkup(text, offset);
		textFrom = offset;
	}
	if (fForeignDepth > 0)
		fForeignBounds.push_back(text.size());
}

// Text outside markup puts the library into the page's body, except in
// the title; once it is there, text tells nothing more.
void MarkupScan::NoteText(std::string_view text)
{
	if (fInBody && fPastDocumentStart)
		return;
	if (!fInTitle && HasCharacters(text)) {
		fPastDocumentStart = true;
		fInBody = true;
	}
}

// Reads the markup whose '<' is at offset; returns where the scan goes on.
size_t MarkupScan::ScanMarkup(std::string_view text, size_t offset)
{
	char next = offset + 1 < text.size() ? text[offset + 1] : '\0';
	switch (next) {
		case '!':
			if (StartsWith(text, offset, "<!--"))
				return After(text, offset + 4, "-->");
			if (StartsWith(text, offset, "<![CDATA["))
				return After(text, offset + 9, "]]>");
			if (IsDeclarationInDocument(text, offset))
				return KeepDeclaration(text, offset);
			if (StartsWith(text, offset, "<!d") || StartsWith(text, offset, "<!D"))
				return DeclarationEnd(text, offset);
			return After(text, offset + 2, ">");
		case '?':
			return After(text, offset + 2, ">");
		case '%':
			return After(text, offset + 2, "%>");
		case '/':
			return ScanEndTag(text, offset);
		default:
			if (TagReader::IsNameStart(next))
				return ScanStartTag(text, offset);
			return offset + 1;
	}
}

// The library takes "<!d" for the start of a document type declaration;
// after the start of the document, one it cannot read ends its parse. Only
// the first, before any text or tag, is left to it.
bool MarkupScan::IsDeclarationInDocument(std::string_view text, size_t offset)
{
	bool declaration = offset + 2 < text.size() && text[offset + 1] == '!'
		&& (text[offset + 2] == 'd' || text[offset + 2] == 'D');
	if (!declaration || fPastDocumentStart) {
		fPastDocumentStart = fPastDocumentStart || declaration;
		return declaration;
	}
	fPastDocumentStart = true;
	return false;
}

size_t MarkupScan::KeepDeclaration(std::string_view text, size_t offset)
{
	fDeclarations.push_back(offset);
	return After(text, offset + 2, ">");
}

// A document type declaration may hold declarations of its own in
// brackets, each with a '>' of its own.
size_t MarkupScan::DeclarationEnd(std::string_view text, size_t offset)
{
	char quote = 0;
	int32 brackets = 0;
	for (size_t position = offset + 2; position < text.size(); position++) {
		char c = text[position];
		if (quote != 0) {
			if (c == quote)
				quote = 0;
		} else if (c == '"' || c == '\'') {
			quote = c;
		} else if (c == '[') {
			brackets++;
		} else if (c == ']' && brackets > 0) {
			brackets--;
		} else if (c == '>' && brackets == 0) {
			return position + 1;
		}
	}
	return text.size();
}

bool MarkupScan::HasCharacters(std::string_view text)
{
	return std::any_of(text.begin(), text.end(), [](char c) { return !TagReader::IsSpace(c); });
}

size_t MarkupScan::ScanStartTag(std::string_view text, size_t offset)
{
	size_t nameLength = TagReader::NameLength(text, offset + 1);
	std::string lowerName = AsciiCase::Lower(text.substr(offset + 1, nameLength));
	fStartTagCount++;
	fPastDocumentStart = true;
	if (lowerName == "title")
		fInTitle = true;
	fOpenStarts[lowerName].push_back(offset);
	const _tagdict* known = LookUpTag(lowerName.c_str());
	if (known == nullptr) {
		NameUse& use = fNames.try_emplace(lowerName, NameUse{fNames.size()}).first->second;
		use.opened = true;
	}

	StartTagText& tag = fTag;
	bool readable = TagReader::ReadStartTag(text, offset, tag);
	NoteFrameTag(known, lowerName, tag, offset);
	NoteForeignStart(lowerName, readable ? tag.end : offset + 1 + nameLength,
		readable && tag.selfClosing);
	if (!readable)
		return UnreadableTagEnd(text, offset + 1 + nameLength);
	if (tag.selfClosing)
		return tag.end;
	const _tagdict* literal = LiteralTag(lowerName);
	if (literal != nullptr || IsScriptLike(lowerName))
		return SkipRawContent(text, tag.end, lowerName, literal, offset);
	return tag.end;
}

// With an HTML 4 document type, the library ends its parse at a FRAMESET in
// the body or a FRAME outside a frameset. Such a tag is given to it as an
// instruction, unless a '>' inside a value would end the instruction early.
// A tag too malformed to read is given as one all the same: its attributes
// are lost, but not the rest of the page.
void MarkupScan::NoteFrameTag(const _tagdict* known, std::string_view lowerName,
	const StartTagText& tag, size_t offset)
{
	if (ImpliesBody(known, lowerName)) {
		fInBody = true;
		return;
	}
	bool frameset = lowerName == "frameset";
	if (!frameset && lowerName != "frame")
		return;
	bool stray = frameset ? fInBody : fFramesetDepth == 0;
	if (!stray) {
		if (frameset)
			fFramesetDepth++;
		return;
	}
	bool disguisable = true;
	for (const TagAttributeText& attribute : tag.attributes) {
		if (attribute.value.has_value() && attribute.value->find('>') != std::string_view::npos)
			disguisable = false;
	}
	if (disguisable)
		fStrayFrameTags.push_back(offset);
}

// Whether a start tag puts the library into the page's body: the body
// itself, and whatever may not stand in the head or in a frameset.
bool MarkupScan::ImpliesBody(const _tagdict* tag, std::string_view lowerName)
{
	if (tag == nullptr || tag == tag_body)
		return true;
	bool headOrFrames = (tag->model & (CM_HTML | CM_HEAD | CM_FRAMES | CM_OBJECT)) != 0
		|| tag == tag_script || tag == tag_style || lowerName == "noscript";
	return !headOrFrames;
}

size_t MarkupScan::ScanEndTag(std::string_view text, size_t offset)
{
	size_t nameLength = TagReader::NameLength(text, offset + 2);
	if (nameLength == 0)
		return offset + 2;
	std::string lowerName = AsciiCase::Lower(text.substr(offset + 2, nameLength));
	bool frameEnd = lowerName == "frame" || lowerName == "frameset";
	if (lowerName == "frameset" && fFramesetDepth > 0) {
		fFramesetDepth--;
		frameEnd = false;
	}
	if (frameEnd && text.find('>', offset + 2) != std::string_view::npos)
		fStrayFrameEndTags.push_back(offset);
	if (lowerName == "title")
		fInTitle = false;
	NoteForeignEnd(lowerName, offset);
	auto use = fNames.find(lowerName);
	if (use != fNames.end())
		use->second.closed = true;
	auto open = fOpenStarts.find(lowerName);
	if (open != fOpenStarts.end() && !open->second.empty()) {
		fClosed[open->second.back()] = true;
		open->second.pop_back();
	}
	return After(text, offset + 2 + nameLength, ">");
}

size_t MarkupScan::SkipRawContent(std::string_view text, size_t contentStart,
	std::string_view lowerName, const _tagdict* literal, size_t tagOffset)
{
	size_t contentEnd = text.size();
	for (size_t candidate = text.find("</", contentStart); candidate != std::string_view::npos;
			candidate = text.find("</", candidate + 2)) {
		size_t nameEnd = candidate + 2 + lowerName.size();
		if (AsciiCase::StartsWith(text.substr(candidate + 2), lowerName)
				&& (nameEnd >= text.size() || !TagReader::IsNameChar(text[nameEnd]))) {
			contentEnd = candidate;
			break;
		}
	}
	if (literal != nullptr)
		fRawSections.push_back(RawSection{tagOffset, contentStart, contentEnd, literal});
	return contentEnd;
}

// A tag too malformed to read starts foreign content all the same: the
// library still takes it for what its name says.
void MarkupScan::NoteForeignStart(std::string_view lowerName, size_t contentStart,
	bool selfClosing)
{
	if (selfClosing || (lowerName != "svg" && lowerName != "math"))
		return;
	if (fForeignDepth++ == 0)
		fForeignBounds.push_back(contentStart);
}

void MarkupScan::NoteForeignEnd(std::string_view lowerName, size_t offset)
{
	if (fForeignDepth == 0 || (lowerName != "svg" && lowerName != "math"))
		return;
	if (--fForeignDepth == 0)
		fForeignBounds.push_back(offset);
}

bool MarkupScan::InForeignContent(size_t offset) const
{
	auto after = std::upper_bound(fForeignBounds.begin(), fForeignBounds.end(), offset);
	return (after - fForeignBounds.begin()) % 2 == 1;
}

std::vector<std::string> MarkupScan::UnknownNames(bool empty) const
{
	std::vector<std::pair<size_t, std::string>> ordered;
	for (const auto& [name, use] : fNames) {
		if (use.opened && use.closed != empty)
			ordered.emplace_back(use.order, name);
	}
	std::sort(ordered.begin(), ordered.end());
	std::vector<std::string> names;
	for (auto& [order, name] : ordered)
		names.push_back(std::move(name));
	return names;
}

std::vector<std::string> MarkupScan::UnknownPairedNames() const
{
	return UnknownNames(false);
}

std::vector<std::string> MarkupScan::UnknownEmptyNames() const
{
	return UnknownNames(true);
}

bool MarkupScan::IsUnknownEmpty(std::string_view lowerName) const
{
	auto use = fNames.find(std::string(lowerName));
	return use != fNames.end() && use->second.opened && !use->second.closed;
}

bool MarkupScan::IsClosed(size_t tagOffset) const
{
	return tagOffset < fClosed.size() && fClosed[tagOffset];
}

std::string MarkupScan::TextForLibrary(std::string_view text) const
{
	// One copy of the page: the literal sections are replaced while copying,
	// and the markup marks are set in the copy, shifted back by the bytes the
	// sections before them lost (their multi-byte characters became one 'x').
	std::string result;
	result.reserve(text.size());
	std::vector<size_t> shortenedBy;
	size_t copied = 0;
	for (const RawSection& section : fRawSections) {
		result.append(text.substr(copied, section.contentStart - copied));
		for (size_t i = section.contentStart; i < section.contentEnd; i++) {
			unsigned char c = text[i];
			if (c == '\n')
				result += '\n';
			else if ((c & 0xC0) != 0x80)
				result += 'x';
		}
		copied = section.contentEnd;
		shortenedBy.push_back(copied - result.size());
	}
	result.append(text.substr(copied));
	for (const std::vector<size_t>* marks : {&fDeclarations, &fStrayFrameTags, &fStrayFrameEndTags}) {
		for (size_t offset : *marks) {
			size_t place = offset + 1;
			auto after = std::upper_bound(fRawSections.begin(), fRawSections.end(), place,
				[](size_t at, const RawSection& section) { return at < section.contentStart; });
			if (after != fRawSections.begin()) {
				size_t before = static_cast<size_t>(after - fRawSections.begin()) - 1;
				// Inside literal content every character is an 'x' already.
				if (place < fRawSections[before].contentEnd)
					continue;
				place -= shortenedBy[before];
			}
			result[place] = '?';
		}
	}
	return result;
}

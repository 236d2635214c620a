#include "PageModel.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <OS.h>

#include "Config_.h"
#include "FontFaces.h"
#include "GarbageCollector_.h"
#include "NodeText.h"
#include "ParsedPage.h"

namespace {

constexpr int32 kDefaultBaseSize = 3;
const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};
const rgb_color kWhite = {255, 255, 255, 255};

std::string HexColor(const rgb_color& color)
{
	char text[8];
	snprintf(text, sizeof(text), "%02X%02X%02X", color.red, color.green, color.blue);
	return text;
}

// Whether attributes (as kept: each a blank and the name as written) hold
// one of this name, in any letter case.
bool HasAttribute(const std::string& attributes, const char* name)
{
	size_t length = strlen(name);
	for (size_t blank = attributes.find(' '); blank != std::string::npos;
			blank = attributes.find(' ', blank + 1)) {
		if (strncasecmp(attributes.c_str() + blank + 1, name, length) != 0)
			continue;
		char next = attributes.c_str()[blank + 1 + length];
		if (next == '=' || next == ' ' || next == '\0')
			return true;
	}
	return false;
}

// The string this thread writes its HTML into instead of the buffer.
thread_local std::string* sSideOutput = nullptr;

long WriteSideOutput(std::string& output, const char* text, bool newLineBefore,
	bool newLineAfter)
{
	size_t before = output.size();
	if (newLineBefore && !output.empty() && output.back() != '\n')
		output += "\r\n";
	output += text;
	if (newLineAfter)
		output += "\r\n";
	return static_cast<long>(output.size() - before);
}

} // namespace

PageModel::SideOutput::SideOutput(std::string* into)
	:
	fOuter(sSideOutput)
{
	sSideOutput = into;
}

PageModel::SideOutput::~SideOutput()
{
	sSideOutput = fOuter;
}

PageModel::PageModel(Config_* settings)
	:
	settings(settings),
	textColor(kBlack),
	linkColor(kBlue),
	backgroundColor(kWhite),
	baseFontNode(nullptr),
	baseSize(kDefaultBaseSize),
	framesetDocument(false),
	omitDocumentType(false),
	garbageCollector(std::make_unique<GarbageCollector_>()),
	stopProcessing(false),
	processingCount(0),
	htmlBuffer(std::make_unique<BMallocIO>()),
	preformattedDepth(0),
	htmlCarriageReturns(0)
{
	baseFont = std::make_unique<BFont>(settings != nullptr ? settings->ProportionalFont()
		: be_plain_font);
}

PageModel::~PageModel()
{
	FreeTree();
}

// #pragma mark - Presentation values

const char* PageModel::Background() const
{
	return background.empty() ? nullptr : background.c_str();
}

const char* PageModel::Title() const
{
	return title.empty() ? nullptr : title.c_str();
}

void PageModel::SetTitle(const char* newTitle)
{
	title = newTitle != nullptr ? newTitle : "";
}

void PageModel::SetColors(long which, int red, int green, int blue, int alpha)
{
	rgb_color color = make_color(static_cast<uint8>(red), static_cast<uint8>(green),
		static_cast<uint8>(blue), static_cast<uint8>(alpha));
	if (which == 1)
		textColor = color;
	else if (which == 2)
		linkColor = color;
	else if (which == 3)
		backgroundColor = color;
}

void PageModel::SetBackground(const char* source)
{
	background = source != nullptr ? source : "";
}

void PageModel::SetBodyAttributes(const char* attributes)
{
	bodyAttributes = attributes != nullptr ? attributes : "";
}

void PageModel::ResetPageValues()
{
	SetTitle(nullptr);
	background.clear();
	bodyAttributes.clear();
	htmlAttributes.clear();
	framesetDocument = false;
	documentType.clear();
	omitDocumentType = false;
	textColor = kBlack;
	linkColor = kBlue;
	backgroundColor = kWhite;
}

void PageModel::SetBaseFont(const _node* node)
{
	baseFontNode = node;
	baseSize = kDefaultBaseSize;
	baseFont = std::make_unique<BFont>(settings != nullptr ? settings->ProportionalFont()
		: be_plain_font);
	if (node == nullptr)
		return;
	std::optional<std::string> face = NodeText::Attribute(node, attr_face);
	if (face) {
		font_family family;
		FontFaces::FamilyForFace(family, face->c_str(), settings);
		font_style style;
		if (get_font_style(family, 0, &style) == B_OK)
			baseFont->SetFamilyAndStyle(family, style);
	}
	std::optional<std::string> size = NodeText::Attribute(node, attr_size);
	if (size)
		baseSize = std::clamp<int32>(static_cast<int32>(strtol(size->c_str(), nullptr, 10)), 1, 7);
}

float PageModel::FontSizeFor(const char* size) const
{
	float base = settings != nullptr ? static_cast<float>(settings->BaseFontSize())
		: be_plain_font->Size();
	if (size == nullptr)
		return base;
	while (*size == ' ')
		size++;
	long value = strtol(size, nullptr, 10);
	long step = value;
	if (*size == '+' || *size == '-')
		step = baseSize + value;
	step = std::clamp<long>(step, 1, 7);
	static const float kIncrements[] = {1, 2, 3, 5, 9, 16, 27};
	return base + kIncrements[step - 1] - 3;
}

// A colour the page could not read stays among the BODY's other
// attributes as it was written, in place of the page's own.
std::string PageModel::BodyTag() const
{
	std::string tag = "<BODY";
	auto colour = [&](const char* name, const rgb_color& value) {
		if (!HasAttribute(bodyAttributes, name))
			tag += " " + std::string(name) + "=\"#" + HexColor(value) + "\"";
	};
	colour("TEXT", textColor);
	colour("BGCOLOR", backgroundColor);
	colour("LINK", linkColor);
	if (!background.empty())
		tag += " BACKGROUND=\"" + background + "\"";
	tag += " " + bodyAttributes + ">";
	return tag;
}

// #pragma mark - Errors

void PageModel::HTMLError(long, long, const char*, VUDAV_message_type)
{
}

void PageModel::HTMLError(const _node*, const char*, VUDAV_message_type)
{
}

void PageModel::HTMLError(const Visual_Element*, const char*, VUDAV_message_type)
{
}

// #pragma mark - HTML output

void PageModel::ClearHTMLBuffer()
{
	htmlBuffer = std::make_unique<BMallocIO>();
	preformattedDepth = 0;
	htmlCarriageReturns = 0;
}

PageModel::HTMLBytes PageModel::TakeHTMLBuffer()
{
	HTMLBytes bytes;
	bytes.block = htmlBuffer->DetachBuffer(&bytes.length, &bytes.size);
	ClearHTMLBuffer();
	return bytes;
}

void PageModel::EndPreformatted()
{
	if (preformattedDepth > 0)
		preformattedDepth--;
}

long PageModel::InsertHTML(const char* text, bool newLineBefore, bool newLineAfter,
	long position, Visual_Element* element)
{
	if (text == nullptr || position < 0)
		return 0;
	if (preformattedDepth > 0)
		newLineBefore = newLineAfter = false;
	if (sSideOutput != nullptr)
		return WriteSideOutput(*sSideOutput, text, newLineBefore, newLineAfter);
	size_t length = htmlBuffer->BufferLength();
	const char* buffer = static_cast<const char*>(htmlBuffer->Buffer());
	char secondLast = length >= 2 ? buffer[length - 2] : '\0';
	char lastByte = length >= 1 ? buffer[length - 1] : '\0';
	long written = 0;
	htmlBuffer->Seek(0, SEEK_END);
	if (newLineBefore && secondLast != '\r' && lastByte != '\n') {
		htmlBuffer->Write("\r\n", 2);
		htmlCarriageReturns++;
		written += 2;
		position += 2;
	}
	size_t textLength = strlen(text);
	long returnsBefore = htmlCarriageReturns;
	long returnsInText = static_cast<long>(std::count(text, text + textLength, '\r'));
	htmlBuffer->Write(text, textLength);
	htmlCarriageReturns += returnsInText;
	written += static_cast<long>(textLength);
	if (newLineAfter) {
		htmlBuffer->Write("\r\n", 2);
		htmlCarriageReturns++;
		written += 2;
	}
	// The span is recorded as a place in the HTML window's text, which
	// holds the buffer with its line ends made LF.
	if (element != nullptr) {
		long start = position - returnsBefore;
		RecordHTMLSpan(element, start, start + static_cast<long>(textLength) - returnsInText);
	}
	return written;
}

void PageModel::RecordHTMLSpan(Visual_Element*, long, long)
{
}

// #pragma mark - Long tasks

bool PageModel::Processing()
{
	if (stopProcessing)
		return false;
	processingCount++;
	return true;
}

void PageModel::NotProcessing()
{
	int32 count = processingCount.load();
	while (count > 0 && !processingCount.compare_exchange_weak(count, count - 1)) {
	}
}

// The tasks poll the stop flag; this polls their count.
void PageModel::StopProcessing()
{
	stopProcessing = true;
	if (processingCount.load() == 0)
		return;
	snooze(1500);
	while (processingCount.load() != 0)
		snooze(10000);
	snooze(60000);
}

// #pragma mark - The parsed tree

void PageModel::AdoptTree(std::unique_ptr<ParsedPage> newTree)
{
	FreeTree();
	tree = std::move(newTree);
}

void PageModel::FreeTree()
{
	tree.reset();
	std::lock_guard<std::mutex> guard(madeNodesLock);
	for (_node* node : madeNodes)
		::FreeNode(node);
	madeNodes.clear();
	endTagNodes.clear();
}

_node* PageModel::Document() const
{
	return tree != nullptr ? tree->Document() : nullptr;
}

_lexer* PageModel::Lexer() const
{
	return tree != nullptr ? tree->Lexer() : nullptr;
}

_node* PageModel::NewNode()
{
	_node* node = ::NewNode();
	std::lock_guard<std::mutex> guard(madeNodesLock);
	madeNodes.push_back(node);
	return node;
}

_node* PageModel::SharedEndTagNode(const _tagdict* tag)
{
	std::lock_guard<std::mutex> guard(madeNodesLock);
	_node*& shared = endTagNodes[tag];
	if (shared == nullptr) {
		shared = ::NewNode();
		shared->type = EndTag;
		shared->tag = tag;
		madeNodes.push_back(shared);
	}
	return shared;
}

void PageModel::FreeNode(_node* node)
{
	if (node == nullptr)
		return;
	std::lock_guard<std::mutex> guard(madeNodesLock);
	if (node->type == EndTag && node->tag != nullptr) {
		auto shared = endTagNodes.find(node->tag);
		if (shared != endTagNodes.end() && shared->second == node)
			return;
	}
	auto found = std::find(madeNodes.begin(), madeNodes.end(), node);
	if (found == madeNodes.end())
		return;
	madeNodes.erase(found);
	::FreeNode(node);
}

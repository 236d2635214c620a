#ifndef VELMORA_PAGE_MODEL_H
#define VELMORA_PAGE_MODEL_H

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <DataIO.h>
#include <Font.h>
#include <GraphicsDefs.h>

#include "TextEncoding.h"
#include "VudavMessageType.h"

class Config_;
class GarbageCollector_;
class ParsedPage;
class Visual_Element;
struct _tagdict;
struct _lexer;
struct _node;

// What one open HTML document is, apart from its windows: the values taken
// from BODY and BASEFONT (colours, background, base font), the title and
// what else the page writes itself, the parsed tree its elements point
// into, the buffer its HTML is generated into, its encoding and the count
// of its long tasks. Elements, the engine and the parser walk know the
// page through this class only; the page that owns windows and files
// derives from it and adds what those do with the values (window titles,
// the engine's refresh, the error list) by overriding the virtual setters.
class PageModel {
public:
	// settings: the program's; null for the built-in defaults.
	explicit PageModel(Config_* settings);
	virtual ~PageModel();
	PageModel(const PageModel&) = delete;
	PageModel& operator=(const PageModel&) = delete;

	// Presentation values.
	virtual void SetTitle(const char* title);
	// which: 1 text, 2 link, 3 background colour; other values change nothing.
	virtual void SetColors(long which, int red, int green, int blue, int alpha);
	// The source as written in BODY; empty counts as none.
	virtual void SetBackground(const char* source);
	// The BASEFONT node of the parsed tree (null for none): its face and size.
	void SetBaseFont(const _node* node);
	void SetBodyAttributes(const char* attributes);
	// The HTML element's attributes (its language, its direction), each
	// after a blank, as the page wrote them.
	void SetHTMLAttributes(const std::string& attributes) { htmlAttributes = attributes; }
	const std::string& HTMLAttributes() const { return htmlAttributes; }
	// A page whose frames take the place of its body is written without one.
	void SetFramesetDocument(bool frameset) { framesetDocument = frameset; }
	bool IsFramesetDocument() const { return framesetDocument; }
	// The page's own document type (the text between "<" and ">"), written
	// in place of the program's; empty for a page that had none.
	void SetDocumentType(const char* text) { documentType = text != nullptr ? text : ""; }
	const std::string& DocumentType() const { return documentType; }
	// A page read without a document type is written without one: a
	// browser lays it out the same (quirks mode) either way, and the HTML
	// library, which reads a page without one by other rules, reads it as
	// before. New and empty pages get the program's.
	void OmitDocumentType() { omitDocumentType = true; }
	bool IsDocumentTypeOmitted() const { return omitDocumentType; }
	float FontSizeFor(const char* size) const;

	const rgb_color* TextColor() const { return &textColor; }
	const rgb_color* LinkColor() const { return &linkColor; }
	const rgb_color* BackgroundColor() const { return &backgroundColor; }
	// Null when the page has no background image.
	const char* Background() const;
	const BFont* BaseFont() const { return baseFont.get(); }
	const _node* BaseFontNode() const { return baseFontNode; }
	// Null when the page has no title.
	const char* Title() const;
	const char* BodyAttributes() const { return bodyAttributes.c_str(); }
	// The BODY tag with the page's colours and background and the
	// attributes the page does not model.
	std::string BodyTag() const;

	// Reports for the error list: a range of the HTML text, a node or an
	// element. Ignored for a null text, a negative position or a null node
	// or element; the page that shows an error list lists them.
	virtual void HTMLError(long start, long finish, const char* text, VUDAV_message_type kind);
	virtual void HTMLError(const _node* node, const char* text, VUDAV_message_type kind);
	virtual void HTMLError(const Visual_Element* element, const char* text,
		VUDAV_message_type kind);
	// While held, reports are dropped: those of a build that goes again.
	void HoldErrors(bool hold) { errorsHeld = hold; }
	bool ErrorsHeld() const { return errorsHeld.load(); }

	// The HTML output. InsertHTML appends text with line ends around it as
	// asked and records the span of the element that wrote it; returns the
	// bytes written.
	long InsertHTML(const char* text, bool newLineBefore, bool newLineAfter, long position,
		Visual_Element* element);
	const BMallocIO* HTMLBuffer() const { return htmlBuffer.get(); }
	void ClearHTMLBuffer();
	// The HTML buffer's bytes, taken out of it without a copy.
	struct HTMLBytes {
		BPrivate::MallocBlock block;
		size_t length = 0;
		// The block's size, at least one more than the length.
		size_t size = 0;
		std::string_view View() const
			{ return std::string_view(block != nullptr ? block.get() : "", length); }
	};
	// The buffer's bytes; the buffer starts again empty (ClearHTMLBuffer).
	HTMLBytes TakeHTMLBuffer();
	// While one lives, what its thread writes with InsertHTML goes into a
	// string of the caller's instead of the HTML buffer, and records no
	// spans: a part of the page is written for another program (the
	// clipboard) without touching the page's output or its lock.
	class SideOutput {
	public:
		explicit SideOutput(std::string* into);
		~SideOutput();
		SideOutput(const SideOutput&) = delete;
		SideOutput& operator=(const SideOutput&) = delete;

	private:
		std::string* fOuter;
	};
	// Held by whoever generates into the HTML buffer and reads it: the
	// page's threads may both want to.
	std::mutex& HTMLBufferLock() { return htmlBufferLock; }
	// Between these, what is written stands in preformatted text, where
	// every line end is part of the text: InsertHTML adds none.
	void BeginPreformatted() { preformattedDepth++; }
	void EndPreformatted();
	bool InPreformatted() const { return preformattedDepth > 0; }

	const TextEncoding& Encoding() const { return encoding; }
	void SetEncoding(const TextEncoding& pageEncoding) { encoding = pageEncoding; }

	// Long tasks (reading, building, refreshing) count themselves in with
	// Processing() and out with NotProcessing(), and give up when a stop is
	// asked for.
	bool Processing();
	void NotProcessing();
	// Asks the long tasks to give up and waits until none runs.
	void StopProcessing();
	// Asks them to give up, without waiting.
	void RequestStop() { stopProcessing = true; }
	bool IsStopProcessing() const { return stopProcessing.load(); }
	// The user's stop of the reading under way, which the reader polls as
	// it polls the stop above; the next reading begins without it.
	void RequestReadingStop() { readingStopped = true; }
	void ClearReadingStop() { readingStopped = false; }
	bool IsReadingStopped() const { return readingStopped.load(); }
	bool IsProcessing() const { return processingCount.load() != 0; }

	// The tree of the last reading, with the nodes the program made for
	// elements of its own; every element that stands for a tag points into
	// it, so it lives until the next reading.
	void AdoptTree(std::unique_ptr<ParsedPage> tree);
	void FreeTree();
	_node* Document() const;
	_lexer* Lexer() const;
	// A zeroed, unlinked text node that lives as long as the current tree.
	_node* NewNode();
	// Frees a node made by NewNode(); other nodes are left alone.
	void FreeNode(_node* node);
	// The end tag node of tag that the elements of the page's end tags
	// share, made once per tag for the current tree: nobody changes such a
	// node, and a big page has tens of thousands of end tags. Not for the
	// tags a page defines itself, whose end tags keep their own name.
	_node* SharedEndTagNode(const _tagdict* tag);

	Config_* Config() const { return settings; }
	GarbageCollector_* GarbageCollector() const { return garbageCollector.get(); }

protected:
	// Where the span of HTML an element wrote goes; the page that has an
	// engine records it in the element's list record.
	virtual void RecordHTMLSpan(Visual_Element* element, long start, long finish);
	// Colours, title, background, body and HTML attributes and document
	// type as a page without any starts.
	void ResetPageValues();

private:
	Config_* settings;	// not owned: the application's
	rgb_color textColor;
	rgb_color linkColor;
	rgb_color backgroundColor;
	std::string background;			// empty when none
	std::unique_ptr<BFont> baseFont;
	const _node* baseFontNode;		// not owned: the tree's
	int32 baseSize;
	std::string title;				// empty when none
	std::string bodyAttributes;
	std::string htmlAttributes;
	bool framesetDocument;
	std::string documentType;		// empty: the program's own
	bool omitDocumentType;
	std::unique_ptr<GarbageCollector_> garbageCollector;
	std::atomic<bool> stopProcessing;
	std::atomic<bool> readingStopped{false};
	std::atomic<bool> errorsHeld{false};
	std::atomic<int32> processingCount;
	std::unique_ptr<BMallocIO> htmlBuffer;
	std::mutex htmlBufferLock;
	int32 preformattedDepth;
	long htmlCarriageReturns;		// in htmlBuffer
	TextEncoding encoding;
	std::unique_ptr<ParsedPage> tree;
	std::vector<_node*> madeNodes;	// owned: freed with the tree
	std::unordered_map<const _tagdict*, _node*> endTagNodes;	// some of madeNodes
	std::mutex madeNodesLock;
};

#endif

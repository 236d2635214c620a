#ifndef PARSED_PAGE_H
#define PARSED_PAGE_H

#include <string>
#include <vector>

#include <SupportDefs.h>

#include "NodeTree.h"
#include "TextEncoding.h"
#include "VudavMessageType.h"

// One entry for the error list. start and finish are byte offsets into the
// page's text (Source()): both the place the report names, or 0 and 0 for
// notes that name no place. line and column are the place as the HTML
// library counts it (1-based; 0 for none).
struct ParseReport {
	int32 start;
	int32 finish;
	std::string text;
	VUDAV_message_type kind;
	int32 line;
	int32 column;
};

// What reading a page gives: the node tree and the lexer buffer its nodes
// point into, the reports for the error list, the page's encoding and its
// text as the HTML window is to hold it. Owns the tree; elements that point
// into it must be gone before it is deleted.
class ParsedPage {
public:
	ParsedPage();
	~ParsedPage();
	ParsedPage(const ParsedPage&) = delete;
	ParsedPage& operator=(const ParsedPage&) = delete;

	// B_OK; B_CANCELED when a stop request ended the reading (there is no
	// tree then); another error when the page could not be read at all.
	status_t Status() const { return fStatus; }
	// True when the page was read and had no errors.
	bool Succeeded() const { return fStatus == B_OK && fLexer.errors == 0; }

	// The root (type RootNode); null unless the status is B_OK.
	_node* Document() const { return fDocument; }
	_lexer* Lexer() { return &fLexer; }
	const _lexer* Lexer() const { return &fLexer; }
	const std::vector<ParseReport>& Reports() const { return fReports; }

	const TextEncoding& Encoding() const { return fEncoding; }
	// The page decoded to UTF-8 with LF line ends, without a byte order
	// mark: the text report offsets refer to.
	const std::string& Source() const { return fSource; }
	// Frees the text and the reports once the reports are taken: a page
	// keeps its tree for as long as it is shown, the page's text is the
	// HTML window's and the reports are the error list's.
	void DropSourceAndReports()
	{
		std::string().swap(fSource);
		std::vector<ParseReport>().swap(fReports);
	}

private:
	friend class PageParser;

	status_t fStatus = B_OK;
	_node* fDocument = nullptr;
	_lexer fLexer{};
	std::vector<ParseReport> fReports;
	TextEncoding fEncoding;
	std::string fSource;
};

#endif

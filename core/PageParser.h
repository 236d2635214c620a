#ifndef PAGE_PARSER_H
#define PAGE_PARSER_H

#include <functional>
#include <memory>
#include <string_view>

#include <SupportDefs.h>

#include "ParsedPage.h"

struct ParseOptions {
	// Warnings go to the report list only while this is set.
	bool showWarnings = true;
	// Told the share of the page read so far, in whole percent, each time
	// it grows; last with 100. Called on the parsing thread.
	std::function<void(int32 percent)> progress;
	// Polled while the page is read; once it answers true the reading ends
	// and the result is B_CANCELED with no tree. Called on the parsing thread.
	std::function<bool()> stopRequested;
	// Work of the caller's that needs nothing of the reading, run once on
	// the calling thread while the library parses (or before the reading
	// ends, when it does not parse): on a second processor it costs the
	// reading nothing.
	std::function<void()> meanwhile;
};

// Reads a page: the bytes of a page file in, a ParsedPage out. The HTML
// library's parse recurses once per level of nesting, so it runs on a
// thread whose stack is sized for the page; the caller waits for it.
class PageParser {
public:
	static std::unique_ptr<ParsedPage> Parse(std::string_view bytes,
		const ParseOptions& options = ParseOptions());
	// Parse, taking the bytes, which are freed once decoded: a big page's
	// bytes are not held while the library's tree and the page's are.
	static std::unique_ptr<ParsedPage> ParseTaking(std::string&& bytes,
		const ParseOptions& options = ParseOptions());

private:
	static std::unique_ptr<ParsedPage> ParseDecoded(std::unique_ptr<ParsedPage> page,
		std::string decoded, const ParseOptions& options);
};

#endif

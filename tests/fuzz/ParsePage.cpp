// Reads arbitrary bytes as a page and checks what the rest of the editor
// relies on: a tree whose links, walk and text ranges hold, attribute
// strings that can be built for every node, report places inside the text,
// and Windows-1252 pages that write back byte for byte.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "PageParser.h"
#include "TreeInvariants.h"

namespace {

void Require(bool condition)
{
	if (!condition)
		__builtin_trap();
}

void CheckRoundTrip(std::string_view bytes, const TextEncoding& encoding)
{
	if (encoding.Name() != "windows-1252")
		return;
	std::string text;
	Require(encoding.Decode(bytes, text));
	std::string written;
	Require(encoding.Encode(text, written) && written == bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string_view bytes(reinterpret_cast<const char*>(data), size);
	int32 lastPercent = -1;
	ParseOptions options;
	options.progress = [&lastPercent](int32 percent) {
		Require(percent > lastPercent && percent <= 100);
		lastPercent = percent;
	};
	std::unique_ptr<ParsedPage> page = PageParser::Parse(bytes, options);
	Require(page->Status() == B_OK);
	Require(lastPercent == 100);
	std::string violation = TreeInvariants::Violation(*page);
	if (!violation.empty())
		fprintf(stderr, "%s\n", violation.c_str());
	Require(violation.empty());
	CheckRoundTrip(bytes, page->Encoding());
	return 0;
}

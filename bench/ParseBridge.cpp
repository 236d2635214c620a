// Reading a page through the bridge (decoding, the library's parse on a
// thread of its own, the tree, the reports) against the library's own parse
// in the same run: of the page's bytes with the library's default options
// (bridge_over_library), and of the very text the bridge hands the library,
// with the bridge's options (bridge_over_library_same_input: the bridge's own
// cost). The first differs in the library's work too: pages in Windows-1252
// read as UTF-8 give it a report for every accented letter. Pages of 1 MB and
// 5 MB are made of the corpus's pages, one after another. The target: the
// bridge adds at most 30%.

#include <benchmark/benchmark.h>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <map>
#include <string_view>
#include <vector>
#include <string>

#include "BenchSupport.h"
#include "CorpusFiles.h"
#include "CorpusPages.h"
#include "LibraryParse.h"
#include "PageParser.h"
#include "parser_support/LibraryConfiguration.h"
#include "parser_support/MarkupScan.h"
#include "parser_support/SourceText.h"

namespace {

// The library's own parse, with its default options or with the bridge's,
// fed byte by byte; returns how many bytes it read. On some malformed
// pages it stops early (the bridge does not), so only pages it reads to
// the end make a fair comparison.
size_t LibraryReading(const std::string& page, const MarkupScan* bridgeOptions = nullptr)
{
	struct Feed {
		const std::string& text;
		size_t position = 0;
	} feed{page};
	TidyInputSource input;
	tidyInitSource(&input, &feed,
		[](void* data) -> int {
			Feed* feed = static_cast<Feed*>(data);
			if (feed->position >= feed->text.size())
				return static_cast<int>(EndOfStream);
			return static_cast<unsigned char>(feed->text[feed->position++]);
		},
		[](void* data, byte) { static_cast<Feed*>(data)->position--; },
		[](void* data) -> Bool {
			Feed* feed = static_cast<Feed*>(data);
			return feed->position >= feed->text.size() ? yes : no;
		});
	TidyDoc document = tidyCreate();
	tidySetMessageCallback(document, Silently);
	if (bridgeOptions != nullptr)
		LibraryConfiguration::Apply(document, *bridgeOptions);
	tidyParseSource(document, &input);
	tidyRelease(document);
	return feed.position;
}

// Processor seconds since start (the bridge parses on a thread of its own).
double SecondsSince(double start)
{
	return ProcessSeconds() - start;
}

void BridgeAgainstLibrary(benchmark::State& state)
{
	const std::string& page = CorpusPages::PageOfMegabytes(state.range(0));
	if (LibraryReading(page) != page.size()) {
		state.SkipWithError("the library alone does not read the whole page");
		return;
	}
	std::unique_ptr<ParsedPage> sample = PageParser::Parse(page);
	size_t visits = 0;
	bool closing = false;
	bool descend = true;
	for (const _node* node = sample->Document()->content; node != nullptr;
			node = NodeTree::LogicalNextNode(node, closing, descend))
		visits++;
	sample.reset();
	// Exactly what the bridge hands the library: the page decoded, with line
	// feeds, literal content and troublesome markup disguised.
	std::string decoded;
	TextEncoding::Detect(page).Decode(page, decoded);
	SourceText source(std::move(decoded));
	MarkupScan scan(source.Text());
	std::string libraryText = scan.TextForLibrary(source.Text());
	double library = 0;
	double librarySameOptions = 0;
	double bridge = 0;
	for (auto _ : state) {
		double start = ProcessSeconds();
		LibraryReading(page);
		double libraryTime = SecondsSince(start);

		start = ProcessSeconds();
		LibraryReading(libraryText, &scan);
		librarySameOptions += SecondsSince(start);

		start = ProcessSeconds();
		std::unique_ptr<ParsedPage> parsed = PageParser::Parse(page);
		benchmark::DoNotOptimize(parsed->Document());
		parsed.reset();
		double bridgeTime = SecondsSince(start);

		library += libraryTime;
		bridge += bridgeTime;
		state.SetIterationTime(bridgeTime);
	}
	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["bridge_s"] = bridge / runs;
	state.counters["library_same_input_s"] = librarySameOptions / runs;
	state.counters["bridge_over_library"] = bridge / library;
	state.counters["bridge_over_library_same_input"] = bridge / librarySameOptions;
	state.counters["nodes_visited"] = static_cast<double>(visits);
	state.SetBytesProcessed(static_cast<int64_t>(page.size()) * state.iterations());
}

} // namespace

BENCHMARK(BridgeAgainstLibrary)->Arg(1)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

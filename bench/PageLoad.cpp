// Loading a 1 MB page as the editor does (Page::Load on the engine's
// looper: the parse, the elements, the visual text; headless) and writing
// its HTML again (Page::GenerateHTML), each against the library's own parse
// of the same bytes (tidyParseString on a fresh document) in the same run.
// Targets: loading at most 1.5 times the library's parse (load_over_library),
// writing the HTML at most once it (generate_over_library). Writing it a
// second time with nothing changed in between (regenerate_over_library)
// shows what the tidying of the elements costs when it finds nothing to
// do. The page is made of the corpus's pages, one after another. The load
// is timed twice: built in parts, as the editor builds a page it shows (the
// first part, then the rest into the shown text), and built in one go, as
// the batch commands build it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "CorpusPages.h"
#include "LibraryParse.h"
#include "Page.h"
#include "TempDirectory.h"
#include "Visual_Engine.h"
#include "Visual_View.h"

namespace {

void LoadAndGenerateAgainstLibrary(benchmark::State& state)
{
	const std::string& html = CorpusPages::PageOfMegabytes(state.range(0));
	TempDirectory pages;
	Page* page = PageOn(html, pages);
	page->BuildInParts(state.range(1) != 0);

	double library = 0;
	double load = 0;
	double generate = 0;
	double regenerate = 0;
	size_t written = 0;
	for (auto _ : state) {
		library += SecondsOfLibraryParse(html);

		auto start = std::chrono::steady_clock::now();
		LoadPage(page);
		double loadTime = SecondsSince(start);
		load += loadTime;

		start = std::chrono::steady_clock::now();
		page->GenerateHTML();
		generate += SecondsSince(start);

		start = std::chrono::steady_clock::now();
		page->GenerateHTML();
		regenerate += SecondsSince(start);
		written = page->HTMLBuffer()->BufferLength();
		state.SetIterationTime(loadTime);
	}
	int32 textLength = page->Engine()->View()->TextLength();
	delete page;

	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["load_s"] = load / runs;
	state.counters["generate_s"] = generate / runs;
	state.counters["load_over_library"] = load / library;
	state.counters["generate_over_library"] = generate / library;
	state.counters["regenerate_over_library"] = regenerate / library;
	state.counters["visual_text_bytes"] = textLength;
	state.counters["html_bytes"] = static_cast<double>(written);
	state.SetBytesProcessed(static_cast<int64_t>(html.size()) * state.iterations());
}

} // namespace

BENCHMARK(LoadAndGenerateAgainstLibrary)->ArgNames({"megabytes", "in_parts"})
	->Args({1, 1})->Args({1, 0})->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

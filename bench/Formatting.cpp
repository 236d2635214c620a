// Bold given to the whole of a 1 MB page and taken off again, as the
// engine's looper runs the commands (the rewriting of the page's elements,
// without the restyling of the view that follows), each against the HTML
// library's own parse of the same bytes in the same run. Targets: each at
// most once the library's parse (bold_over_library, unbold_over_library).
// The restyling of the whole view after a command is reported beside
// (restyle_over_library), since it follows any change of the whole page.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include <Autolock.h>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "CorpusPages.h"
#include "LibraryParse.h"
#include "NodeTree.h"
#include "Page.h"
#include "TempDirectory.h"
#include "Visual_Engine.h"
#include "Visual_View.h"

namespace {

void BoldOverAPageAgainstLibrary(benchmark::State& state)
{
	const std::string& html = CorpusPages::PageOfMegabytes(state.range(0));
	TempDirectory pages;
	Page* page = PageOn(html, pages);
	LoadPage(page);
	Visual_Engine* engine = page->Engine();
	long length = engine->View()->TextLength();

	double library = 0;
	double bold = 0;
	double unbold = 0;
	double restyle = 0;
	for (auto _ : state) {
		library += SecondsOfLibraryParse(html);

		_node* node = page->NewNode();
		node->tag = tag_b;
		node->type = StartTag;
		auto start = std::chrono::steady_clock::now();
		engine->Format(0, length, node, nullptr);
		double boldTime = SecondsSince(start);
		bold += boldTime;

		start = std::chrono::steady_clock::now();
		{
			BAutolock lock(engine);
			engine->View()->_Refresh(0, 0);
		}
		restyle += SecondsSince(start);

		long from = 0;
		long to = length;
		start = std::chrono::steady_clock::now();
		engine->UntagArea(&from, &to, MASK_BOLD, nullptr);
		unbold += SecondsSince(start);
		state.SetIterationTime(boldTime);
	}
	long elements = static_cast<long>(engine->ElementList()->LastIndex());
	delete page;

	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["bold_s"] = bold / runs;
	state.counters["unbold_s"] = unbold / runs;
	state.counters["bold_over_library"] = bold / library;
	state.counters["unbold_over_library"] = unbold / library;
	state.counters["restyle_over_library"] = restyle / library;
	state.counters["elements"] = static_cast<double>(elements);
	state.counters["visual_text_bytes"] = static_cast<double>(length);
}

} // namespace

BENCHMARK(BoldOverAPageAgainstLibrary)->Arg(1)->UseManualTime()->Iterations(5)
	->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

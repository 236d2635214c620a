// How long a user waits for the first screen of a big page (5 MB by
// default): from the load's start (Page::Load posted to the engine's
// looper, headless) until the visual window has drawn the page and is
// idle, against the library's own parse of the same bytes in the same run.
// The time of the load alone (the engine's looper done) is reported beside
// it, so that what the first draw adds (the wrapping of the visual text)
// shows on its own.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include <WindowTesting.h>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "CorpusPages.h"
#include "LibraryParse.h"
#include "Page.h"
#include "TempDirectory.h"
#include "VWindow.h"
#include "Visual_Engine.h"

namespace {

void FirstScreenAgainstLibrary(benchmark::State& state)
{
	const std::string& html = CorpusPages::PageOfMegabytes(state.range(0));
	TempDirectory pages;
	Page* page = PageOn(html, pages);

	double library = 0;
	double loaded = 0;
	double drawn = 0;
	for (auto _ : state) {
		library += SecondsOfLibraryParse(html);

		auto start = std::chrono::steady_clock::now();
		page->Engine()->PostMessage('reld');
		Settle(page->Engine()->Looper());
		double loadTime = SecondsSince(start);
		BPrivate::WaitForWindowIdle(page->VisualWindow());
		double drawTime = SecondsSince(start);
		loaded += loadTime;
		drawn += drawTime;
		state.SetIterationTime(drawTime);
		Settle(page->HTMLErrorWindow());
	}
	delete page;

	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["loaded_s"] = loaded / runs;
	state.counters["first_screen_s"] = drawn / runs;
	state.counters["loaded_over_library"] = loaded / library;
	state.counters["first_screen_over_library"] = drawn / library;
	state.SetBytesProcessed(static_cast<int64_t>(html.size()) * state.iterations());
}

} // namespace

BENCHMARK(FirstScreenAgainstLibrary)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

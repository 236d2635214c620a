// How long a user waits for the first screen of a big page (5 MB by
// default): from the load's start (Page::Load posted to the engine's
// looper, headless) until the visual window shows the page's first part
// drawn and is idle, against the library's own parse of the same bytes in
// the same run. The time until the whole page is built (the engine's
// looper done with its last part) is reported beside it: before a page was
// built in parts, that was the wait for the first screen.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include <Autolock.h>
#include <WindowTesting.h>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "CorpusPages.h"
#include "LibraryParse.h"
#include "Page.h"
#include "Tidy.h"
#include "TempDirectory.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"

namespace {

bool ViewShown(Page* page)
{
	BAutolock lock(page->VisualWindow());
	Visual_Text* view = page->Engine()->View();
	return !view->IsHidden() && view->TextLength() > 0;
}

// Until the load has hidden the visual text (the page shown before goes)
// and shown it again with the page's first part in.
void WaitUntilShown(Page* page)
{
	while (ViewShown(page))
		snooze(500);
	while (!ViewShown(page))
		snooze(500);
}

// What one load took, from its start: until its first screen was drawn and
// until the whole page was built.
struct LoadTimes {
	double drawn;
	double built;
};

// Loads the page state's iterations times, each after the library's parse
// of the same bytes, and waits for each load as wait says; counts
// "library_s" and returns the sums of the times.
template <class Wait>
LoadTimes TimeLoads(benchmark::State& state, const std::string& html, double& library, Wait wait)
{
	TempDirectory pages;
	Page* page = PageOn(html, pages);
	LoadTimes sum{0, 0};
	library = 0;
	for (auto _ : state) {
		library += SecondsOfLibraryParse(html);
		auto start = std::chrono::steady_clock::now();
		page->Engine()->PostMessage('reld');
		LoadTimes times = wait(page, start);
		sum.drawn += times.drawn;
		sum.built += times.built;
		state.SetIterationTime(times.drawn);
		Settle(page->HTMLErrorWindow());
	}
	delete page;
	state.counters["library_s"] = library / static_cast<double>(state.iterations());
	return sum;
}

void FirstScreenAgainstLibrary(benchmark::State& state)
{
	const std::string& html = CorpusPages::PageOfMegabytes(state.range(0));
	double library = 0;
	LoadTimes sum = TimeLoads(state, html, library,
		[](Page* page, std::chrono::steady_clock::time_point start) {
			WaitUntilShown(page);
			BPrivate::WaitForWindowIdle(page->VisualWindow());
			double drawn = SecondsSince(start);
			// Any message to the engine's looper builds the rest at once: it
			// is only asked once the build is over.
			while (page->MyTidy()->IsBuilding())
				snooze(1000);
			Settle(page->Engine()->Looper());
			return LoadTimes{drawn, SecondsSince(start)};
		});

	double runs = static_cast<double>(state.iterations());
	state.counters["loaded_s"] = sum.built / runs;
	state.counters["first_screen_s"] = sum.drawn / runs;
	state.counters["loaded_over_library"] = sum.built / library;
	state.counters["first_screen_over_library"] = sum.drawn / library;
	state.SetBytesProcessed(static_cast<int64_t>(html.size()) * state.iterations());
}

// The same load when a message reaches the engine's looper right behind
// it (any message but the build's own builds the rest at once): the page is
// built in one go after its first part, as every page was before it was
// built in parts. The whole page drawn, against the library's parse.
void WholePageInOneGoAgainstLibrary(benchmark::State& state)
{
	const std::string& html = CorpusPages::PageOfMegabytes(state.range(0));
	double library = 0;
	LoadTimes sum = TimeLoads(state, html, library,
		[](Page* page, std::chrono::steady_clock::time_point start) {
			Settle(page->Engine()->Looper());
			BPrivate::WaitForWindowIdle(page->VisualWindow());
			double drawn = SecondsSince(start);
			return LoadTimes{drawn, drawn};
		});

	double runs = static_cast<double>(state.iterations());
	state.counters["whole_page_s"] = sum.drawn / runs;
	state.counters["whole_page_over_library"] = sum.drawn / library;
}

} // namespace

BENCHMARK(FirstScreenAgainstLibrary)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);
BENCHMARK(WholePageInOneGoAgainstLibrary)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

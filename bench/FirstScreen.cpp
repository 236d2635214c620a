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
		WaitUntilShown(page);
		BPrivate::WaitForWindowIdle(page->VisualWindow());
		double drawTime = SecondsSince(start);
		// Any message to the engine's looper builds the rest at once: it is
		// only asked once the build is over.
		while (page->MyTidy()->IsBuilding())
			snooze(1000);
		Settle(page->Engine()->Looper());
		double loadTime = SecondsSince(start);
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

// The same load when a message reaches the engine's looper right behind
// it (any message but the build's own builds the rest at once): the page is
// built in one go after its first part, as every page was before it was
// built in parts. The whole page drawn, against the library's parse.
void WholePageInOneGoAgainstLibrary(benchmark::State& state)
{
	const std::string& html = CorpusPages::PageOfMegabytes(state.range(0));
	TempDirectory pages;
	Page* page = PageOn(html, pages);
	double library = 0;
	double drawn = 0;
	for (auto _ : state) {
		library += SecondsOfLibraryParse(html);
		auto start = std::chrono::steady_clock::now();
		page->Engine()->PostMessage('reld');
		Settle(page->Engine()->Looper());
		BPrivate::WaitForWindowIdle(page->VisualWindow());
		double drawTime = SecondsSince(start);
		drawn += drawTime;
		state.SetIterationTime(drawTime);
		Settle(page->HTMLErrorWindow());
	}
	delete page;

	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["whole_page_s"] = drawn / runs;
	state.counters["whole_page_over_library"] = drawn / library;
}

} // namespace

BENCHMARK(FirstScreenAgainstLibrary)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);
BENCHMARK(WholePageInOneGoAgainstLibrary)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

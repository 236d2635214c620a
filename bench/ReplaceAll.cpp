// "Replace all" of a word with 10, 1 000 and 100 000 matches on pages of
// one size (100 000 words of which the others are a word of the same
// length), in the visual window and in the HTML window: from the finder's
// button to the editor window idle again. Each iteration replaces the word
// and then puts it back, two replacements of every match. Target: the cost
// grows with the matches, no faster (m100000_over_m1000 near 100, and
// m1000_over_m10 at most 100, the search of the page's text being the
// same for all).

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include <Autolock.h>
#include <TextControl.h>
#include <WindowTesting.h>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "HFinder.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "KFinderView.h"
#include "Page.h"
#include "TempDirectory.h"
#include "VFinder.h"
#include "VWindow.h"

namespace {

constexpr int kWords = 100000;
constexpr int kWordsPerParagraph = 100;
// A wait for the editor window that outlasts any replacement measured.
constexpr bigtime_t kLongest = 600000000;

// kWords words, every (kWords / matches)-th of them the one replaced.
std::string Body(int matches)
{
	std::string body;
	int every = kWords / matches;
	for (int word = 0; word < kWords; word++) {
		if (word % kWordsPerParagraph == 0)
			body += word == 0 ? "<p>" : "</p>\n<p>";
		body += word % every == 0 ? "cat " : "cot ";
	}
	return body + "</p>";
}

class LoadedPage {
public:
	explicit LoadedPage(int matches)
	{
		fFolder.Write("page.html",
			"<html><head><title>Words</title></head><body>" + Body(matches) + "</body></html>\n");
		fPage = new Page((fFolder / "page.html").c_str(), 0, Application(fFolders));
		LoadPage(fPage);
		std::string html = "<html><body>" + Body(matches) + "</body></html>\n";
		BAutolock lock(fPage->HTMLWindow());
		fPage->HTMLWindow()->View()->SetText(html.c_str(), static_cast<int32>(html.size()));
	}

	~LoadedPage() { delete fPage; }

	// Replaces every find with replace through the finder's button.
	void ReplaceAll(KFinder* finder, BWindow* editor, const char* find, const char* replace)
	{
		{
			BAutolock lock(finder);
			finder->View()->FindField()->SetText(find);
			finder->View()->ReplaceField()->SetText(replace);
		}
		finder->PostMessage('rall');
		BPrivate::WaitForWindowIdle(finder, kLongest);
		BPrivate::WaitForWindowIdle(editor, kLongest);
	}

	VWindow* Visual() const { return fPage->VisualWindow(); }
	HWindow* HTML() const { return fPage->HTMLWindow(); }

private:
	TempDirectory fFolder;
	Page* fPage;
	inline static TempDirectory fFolders;
};

// One page per number of matches, kept for the runs of that number and
// closed before the program ends, while the application still stands.
std::map<int, std::unique_ptr<LoadedPage>> pages;

LoadedPage& PageWith(int matches)
{
	std::unique_ptr<LoadedPage>& page = pages[matches];
	if (!page)
		page = std::make_unique<LoadedPage>(matches);
	return *page;
}

void VisualReplaceAll(benchmark::State& state)
{
	LoadedPage& page = PageWith(static_cast<int>(state.range(0)));
	for (auto _ : state) {
		page.ReplaceAll(page.Visual()->Finder(), page.Visual(), "cat", "dog");
		page.ReplaceAll(page.Visual()->Finder(), page.Visual(), "dog", "cat");
	}
}

void HTMLReplaceAll(benchmark::State& state)
{
	LoadedPage& page = PageWith(static_cast<int>(state.range(0)));
	for (auto _ : state) {
		page.ReplaceAll(page.HTML()->Finder(), page.HTML(), "cat", "dog");
		page.ReplaceAll(page.HTML()->Finder(), page.HTML(), "dog", "cat");
	}
}

} // namespace

BENCHMARK(VisualReplaceAll)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(HTMLReplaceAll)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)
	->UseRealTime();

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	WallReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	for (const char* view : {"VisualReplaceAll", "HTMLReplaceAll"}) {
		std::string name = view;
		auto run = [&name](const char* matches) { return name + "/" + matches + "/real_time"; };
		reporter.PrintRatio((name + " m1000_over_m10").c_str(), run("1000"), run("10"));
		reporter.PrintRatio((name + " m100000_over_m1000").c_str(), run("100000"), run("1000"));
		reporter.PrintRatio((name + " m100000_over_m10").c_str(), run("100000"), run("10"));
	}
	pages.clear();
	return 0;
}

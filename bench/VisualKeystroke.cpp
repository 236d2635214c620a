// One keystroke in the visual view as the user makes it: a key message to
// the visual window, handled (the view's key rules, the element offsets,
// the decorations) until the window has drawn the changed line. On pages
// of 1 MB and 5 MB made of the corpus's pages against a 10 KB page, typed
// in the middle of the page. Targets: at most 2 times the 10 KB keystroke
// (mb1_over_kb10, mb5_over_kb10), and under 16 ms.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <string>

#include <Autolock.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>
#include <WindowTesting.h>

#include "BenchSupport.h"
#include "CorpusPages.h"
#include "HTMLError_Window.h"
#include "Page.h"
#include "TempDirectory.h"
#include "VLooper.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_View.h"
#include "WApplication.h"

namespace {

WApplication* Application(const TempDirectory& folders)
{
	static WApplication* application = [&folders] {
		BPrivate::DisplayServer::UseHeadless();
		setenv("XDG_CONFIG_HOME", (folders / "config").c_str(), 1);
		setenv("XDG_DATA_HOME", (folders / "data").c_str(), 1);
		return new WApplication(nullptr, true);
	}();
	return application;
}

void Settle(BLooper* looper)
{
	BMessage reply;
	BMessenger(looper).SendMessage('sync', &reply);
}

// A page of about kilobytes, loaded, with the caret in the middle of its
// text and the view scrolled there.
class LoadedPage {
public:
	explicit LoadedPage(int32 kilobytes)
	{
		std::string html = kilobytes >= 1024 ? CorpusPages::PageOfMegabytes(kilobytes / 1024)
			: CorpusPages::PageOfMegabytes(1).substr(0, kilobytes * 1024) + "</body></html>";
		fFolder.Write("page.html", html);
		fPage = new Page((fFolder / "page.html").c_str(), 0, Application(fFolders));
		fPage->Engine()->PostMessage('reld');
		Settle(fPage->Engine()->Looper());
		Settle(fPage->Engine()->Looper());
		Settle(fPage->HTMLErrorWindow());
		BAutolock lock(fPage->VisualWindow());
		Visual_Text* view = fPage->Engine()->View();
		int32 middle = view->TextLength() / 2;
		while (middle < view->TextLength() && fPage->Engine()->InNullCharactersAt(middle) > 0)
			middle++;
		view->Select(middle, middle);
		view->ScrollToSelection();
	}

	~LoadedPage() { delete fPage; }

	BWindow* Window() const { return fPage->VisualWindow(); }

private:
	TempDirectory fFolder;
	Page* fPage;
	inline static TempDirectory fFolders;
};

// As RatioReporter, on wall time: the waiting thread spends no processor
// time of its own.
class WallReporter : public RatioReporter {
public:
	void ReportRuns(const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns(runs);
		for (const Run& run : runs) {
			if (run.iterations > 0)
				seconds[run.benchmark_name()] = run.real_accumulated_time / run.iterations;
		}
	}
};

void Keystroke(benchmark::State& state)
{
	LoadedPage& page = ObjectOfSize<LoadedPage>(static_cast<int32>(state.range(0)));
	for (auto _ : state) {
		BPrivate::PostKey(page.Window(), "x");
		BPrivate::WaitForWindowIdle(page.Window());
	}
}

} // namespace

// The work is the window's thread's: wall time, measured per iteration.
BENCHMARK(Keystroke)->Arg(10)->Arg(1024)->Arg(5120)->Unit(benchmark::kMillisecond)
	->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	WallReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	const char* small = "Keystroke/10/min_time:2.000/real_time";
	reporter.PrintRatio("mb1_over_kb10", "Keystroke/1024/min_time:2.000/real_time", small);
	reporter.PrintRatio("mb5_over_kb10", "Keystroke/5120/min_time:2.000/real_time", small);
	for (const auto& [name, seconds] : reporter.seconds)
		printf("%s: %.3f ms\n", name.c_str(), seconds * 1000);
	// The pages' windows are the process's to the end.
	fflush(stdout);
	_exit(0);
}

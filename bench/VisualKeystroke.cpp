// One keystroke in the visual view as the user makes it: a key message to
// the visual window, handled (the view's key rules, the element offsets,
// the decorations) until the window has drawn the changed line. On pages
// of 1 MB and 5 MB made of the corpus's pages against a 10 KB page. The
// large pages repeat the corpus, so each is typed into in the middle at
// the same text as the small one: what is measured is the page's size,
// not the drawing of other letters in another font. A letter and
// Backspace take turns, so that the line stays as it was. Targets: at
// most 2 times the 10 KB keystroke (mb1_over_kb10, mb5_over_kb10), and
// under 16 ms. The same for Return and Backspace, which move every line
// (and picture) behind the caret down and up again.

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include <Autolock.h>
#include <WindowTesting.h>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "CorpusPages.h"
#include "Page.h"
#include "TempDirectory.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_View.h"
#include "WApplication.h"

namespace {

constexpr int32 kSmallPage = 10;

// A page of about kilobytes, loaded, with the caret in the middle of its
// text (in a large page, at the same place of the first line from there on
// that holds the text of the small page's caret line) and the view
// scrolled there.
class LoadedPage {
public:
	explicit LoadedPage(int32 kilobytes)
	{
		std::string html = kilobytes >= 1024 ? CorpusPages::PageOfMegabytes(kilobytes / 1024)
			: CorpusPages::PageOfMegabytes(1).substr(0, kilobytes * 1024) + "</body></html>";
		fFolder.Write("page.html", html);
		fPage = new Page((fFolder / "page.html").c_str(), 0, Application(fFolders));
		LoadPage(fPage);
		BAutolock lock(fPage->VisualWindow());
		Visual_Text* view = fPage->Engine()->View();
		int32 middle = view->TextLength() / 2;
		while (middle < view->TextLength() && fPage->Engine()->InNullCharactersAt(middle) > 0)
			middle++;
		std::string_view text(view->Text(), view->TextLength());
		if (kilobytes == kSmallPage) {
			int32 lineStart = view->OffsetAt(view->LineAt(middle));
			sPlace = text.substr(lineStart, middle - lineStart + 40);
			sCaret = middle - lineStart;
		} else if (size_t same = text.find(sPlace, middle); same != std::string_view::npos) {
			middle = static_cast<int32>(same) + sCaret;
		}
		view->Select(middle, middle);
		view->ScrollToSelection();
	}

	~LoadedPage() { delete fPage; }

	BWindow* Window() const { return fPage->VisualWindow(); }

private:
	TempDirectory fFolder;
	Page* fPage;
	inline static TempDirectory fFolders;
	// The small page's caret: the text of its line up to it and a little
	// behind it, and where in that text it stands.
	inline static std::string sPlace;
	inline static int32 sCaret = 0;
};

void Typed(benchmark::State& state, const char* key)
{
	ObjectOfSize<LoadedPage>(kSmallPage);	// says where the others are typed into
	LoadedPage& page = ObjectOfSize<LoadedPage>(static_cast<int32>(state.range(0)));
	for (auto _ : state) {
		BPrivate::PostKey(page.Window(), key);
		BPrivate::WaitForWindowIdle(page.Window());
		BPrivate::PostKey(page.Window(), "\b");
		BPrivate::WaitForWindowIdle(page.Window());
	}
}

} // namespace

void Keystroke(benchmark::State& state)
{
	Typed(state, "x");
}

void LineBreak(benchmark::State& state)
{
	Typed(state, "\n");
}

// The work is the window's thread's: wall time, measured per iteration of
// two keystrokes.
BENCHMARK(Keystroke)->Arg(kSmallPage)->Arg(1024)->Arg(5120)->Unit(benchmark::kMillisecond)
	->MinTime(2.0)->UseRealTime();
BENCHMARK(LineBreak)->Arg(kSmallPage)->Arg(1024)->Arg(5120)->Unit(benchmark::kMillisecond)
	->MinTime(2.0)->UseRealTime();

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	WallReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	const char* small = "Keystroke/10/min_time:2.000/real_time";
	reporter.PrintRatio("mb1_over_kb10", "Keystroke/1024/min_time:2.000/real_time", small);
	reporter.PrintRatio("mb5_over_kb10", "Keystroke/5120/min_time:2.000/real_time", small);
	const char* smallBreak = "LineBreak/10/min_time:2.000/real_time";
	reporter.PrintRatio("return_mb1_over_kb10", "LineBreak/1024/min_time:2.000/real_time",
		smallBreak);
	reporter.PrintRatio("return_mb5_over_kb10", "LineBreak/5120/min_time:2.000/real_time",
		smallBreak);
	for (const auto& [name, seconds] : reporter.seconds)
		printf("%s: %.3f ms per keystroke\n", name.c_str(), seconds * 1000 / 2);
	// The pages' windows are the process's to the end.
	fflush(stdout);
	_exit(0);
}

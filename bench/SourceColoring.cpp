// The HTML window's source view with real fonts, shown (headless) at
// 800 x 600: colouring a whole 1 MB and 5 MB page, from handing the
// colouring over until the last slice is done, against the HTML library's
// own parse of the same bytes in the same run (target at most 1); the
// first screen of a 5 MB page drawn with its colours, against the same
// parse and the whole colouring; one keystroke in the middle of a coloured
// 5 MB page, through the view's key handling, its recolouring and the
// redraw, against the same keystroke in a 10 KB page (target under 16 ms
// and at most 2); and how long the window keeps a message waiting while a
// 5 MB page is being coloured.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <Autolock.h>
#include <Message.h>
#include <OS.h>
#include <Messenger.h>
#include <WindowTesting.h>

#include "BenchApplication.h"
#include "BenchSupport.h"
#include "CorpusPages.h"
#include "HTML_View.h"
#include "HWindow.h"
#include "LibraryParse.h"
#include "Page.h"

namespace {

const int32 kSmall = 10 << 10;
const int32 kMegabyte = 1 << 20;

// The corpus as one page of at least size bytes.
const std::string& Source(int32 size)
{
	return CorpusPages::PageOfMegabytes((size + kMegabyte - 1) / kMegabyte);
}

// About 10 KB of the corpus's markup on a line of its own, from a tag to
// the end of one, with a link in its middle; the keystrokes go into the
// link's attribute name.
struct MarkupBlock {
	std::string text;
	int32 caret;
};

const MarkupBlock& Block()
{
	static const MarkupBlock block = [] {
		const std::string& corpus = Source(kMegabyte);
		size_t link = corpus.find(" href=", corpus.size() / 3);
		size_t start = corpus.find('<', link - kSmall / 2);
		MarkupBlock made{corpus.substr(start, kSmall - 1), static_cast<int32>(link + 3 - start)};
		made.text.resize(made.text.rfind('>') + 1);
		made.text += '\n';
		return made;
	}();
	return block;
}

// Larger pages repeat the block, so that the keystroke in the middle block
// meets what it meets in the small page.
std::string Repeated(int32 size)
{
	std::string text;
	while (static_cast<int32>(text.size()) < size)
		text += Block().text;
	return text;
}

class Editor;

// Every editor made, deleted before the program ends.
std::vector<Editor*>& Editors()
{
	static std::vector<Editor*> editors;
	return editors;
}

// A page whose HTML window is shown with a text of the given size.
class Editor {
public:
	explicit Editor(const std::string& text)
	{
		static TempDirectory folders;
		Application(folders);
		fPages.Write("page.html", "<HTML><BODY></BODY></HTML>\n");
		fPage = new Page((fPages / "page.html").c_str(), 0, nullptr);
		HWindow* window = fPage->HTMLWindow();
		window->Show();
		SetText(text);
		WaitForIdle();
		Editors().push_back(this);
	}

	~Editor() { delete fPage; }

	HWindow* Window() const { return fPage->HTMLWindow(); }
	HTML_View* View() const { return Window()->View(); }

	void SetText(const std::string& text)
	{
		BAutolock lock(Window());
		View()->SetText(text.c_str(), static_cast<int32>(text.size()));
	}

	void WaitForIdle() { BPrivate::WaitForWindowIdle(Window(), 600000000); }

	// The caret in the middle block, where the small page has it: in the
	// name of an attribute.
	void PutCaretInTheMiddle()
	{
		BAutolock lock(Window());
		int32 block = static_cast<int32>(Block().text.size());
		int32 middle = View()->TextLength() / block / 2 * block + Block().caret;
		View()->Select(middle, middle);
		View()->ScrollToSelection();
		Window()->UpdateIfNeeded();
	}

private:
	TempDirectory fPages;
	Page* fPage;
};

Editor& EditorOf(int32 size)
{
	static std::map<int32, Editor*> editors;
	Editor*& editor = editors[size];
	if (editor == nullptr) {
		editor = new Editor(Repeated(size));
		editor->PutCaretInTheMiddle();
	}
	return *editor;
}

// The page is in the view (set_text_s: the text view's own work, its
// lines wrapped and drawn, colouring blocked); each iteration takes its
// colours away and times Colorize() of the whole text, which ends when
// the window has nothing left to do.
void ColourAgainstLibrary(benchmark::State& state)
{
	const std::string& html = Source(static_cast<int32>(state.range(0)) * kMegabyte);
	static Editor& editor = *new Editor("");
	HTML_View* view = editor.View();
	auto start = std::chrono::steady_clock::now();
	{
		BAutolock lock(editor.Window());
		view->BlockColorize();
		view->SetText(html.c_str(), static_cast<int32>(html.size()));
	}
	editor.WaitForIdle();
	double setText = SecondsSince(start);
	view->UnblockColorize();
	editor.WaitForIdle();
	double library = 0;
	double colour = 0;
	double libraryProcessor = 0;
	double colourProcessor = 0;
	for (auto _ : state) {
		start = std::chrono::steady_clock::now();
		double processor = ProcessSeconds();
		ParseWithTheLibraryAlone(html);
		libraryProcessor += ProcessSeconds() - processor;
		library += SecondsSince(start);

		{
			BAutolock lock(editor.Window());
			view->SetFontAndColor(0, view->TextLength(), nullptr, 0,
				&view->Colors()[SOURCE_TEXT]);
		}
		editor.WaitForIdle();
		start = std::chrono::steady_clock::now();
		processor = ProcessSeconds();
		view->Colorize(0, view->TextLength());
		editor.WaitForIdle();
		colourProcessor += ProcessSeconds() - processor;
		double time = SecondsSince(start);
		colour += time;
		state.SetIterationTime(time);
	}
	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["colour_s"] = colour / runs;
	state.counters["set_text_s"] = setText;
	state.counters["colour_over_library"] = colour / library;
	state.counters["cpu_colour_over_library"] = colourProcessor / libraryProcessor;
}
BENCHMARK(ColourAgainstLibrary)->Arg(1)->Arg(5)->UseManualTime()->Iterations(3)
	->Unit(benchmark::kMillisecond);

// How soon the user sees a 5 MB page coloured: from handing the text to the
// shown window (its own work included: the text taken in, its lines
// wrapped) until the window has drawn the lines in view with their
// colours, against the library's parse of the same bytes and against the
// colouring of the whole text, which goes on behind, in the same run.
void FirstColouredScreen(benchmark::State& state)
{
	const std::string& html = Source(5 * kMegabyte);
	static Editor& editor = *new Editor("");
	double library = 0;
	double firstScreen = 0;
	double whole = 0;
	for (auto _ : state) {
		library += SecondsOfLibraryParse(html);
		editor.SetText("");
		editor.WaitForIdle();
		auto start = std::chrono::steady_clock::now();
		{
			BAutolock lock(editor.Window());
			editor.View()->SetText(html.c_str(), static_cast<int32>(html.size()));
			editor.Window()->UpdateIfNeeded();
		}
		double shown = SecondsSince(start);
		firstScreen += shown;
		editor.WaitForIdle();
		whole += SecondsSince(start);
		state.SetIterationTime(shown);
	}
	double runs = static_cast<double>(state.iterations());
	state.counters["library_s"] = library / runs;
	state.counters["first_screen_s"] = firstScreen / runs;
	state.counters["whole_s"] = whole / runs;
	state.counters["first_screen_over_library"] = firstScreen / library;
	state.counters["first_screen_over_whole"] = firstScreen / whole;
}
BENCHMARK(FirstColouredScreen)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// While a 5 MB page is coloured, a message sent to the window waits at
// most for the slice under way: the longest wait of a few dozen, sent a
// millisecond apart from the start of the colouring on, and how many
// waited longer than a frame (16 ms).
void AnswerWhileColouring(benchmark::State& state)
{
	const std::string& html = Source(5 * kMegabyte);
	static Editor& editor = *new Editor("");
	std::vector<double> waits;
	for (auto _ : state) {
		editor.SetText(html);
		BMessenger window(editor.Window());
		for (int32 i = 0; i < 40; i++) {
			auto start = std::chrono::steady_clock::now();
			BMessage reply;
			window.SendMessage('sync', &reply);
			waits.push_back(SecondsSince(start));
			snooze(1000);
		}
		editor.WaitForIdle();
	}
	state.counters["longest_wait_ms"] = *std::max_element(waits.begin(), waits.end()) * 1000;
	state.counters["waits_over_a_frame"] = static_cast<double>(std::count_if(waits.begin(),
		waits.end(), [](double wait) { return wait > 0.016; }));
}
BENCHMARK(AnswerWhileColouring)->Iterations(2)->Unit(benchmark::kMillisecond);

// One keystroke per iteration, then one taking it back, each through
// KeyDown and drawn before the next, into the name of a link's attribute:
// a letter, which makes the name unknown, and a "<", which ends the tag
// there and opens another.
void Keystroke(benchmark::State& state, const char* key)
{
	Editor& editor = EditorOf(static_cast<int32>(state.range(0)));
	HWindow* window = editor.Window();
	HTML_View* view = editor.View();
	const char backspace[] = {B_BACKSPACE, 0};
	bool typed = false;
	for (auto _ : state) {
		window->Lock();
		view->KeyDown(typed ? backspace : key, 1);
		window->UpdateIfNeeded();
		window->Unlock();
		typed = !typed;
	}
	if (typed) {
		BAutolock lock(window);
		view->KeyDown(backspace, 1);
	}
}

void BM_KeystrokeLetter(benchmark::State& state)
{
	Keystroke(state, "a");
}
BENCHMARK(BM_KeystrokeLetter)->Arg(kSmall)->Arg(5 * kMegabyte)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeTag(benchmark::State& state)
{
	Keystroke(state, "<");
}
BENCHMARK(BM_KeystrokeTag)->Arg(kSmall)->Arg(5 * kMegabyte)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	std::string large = std::to_string(5 * kMegabyte);
	std::string small = std::to_string(kSmall);
	for (const char* kind : {"BM_KeystrokeLetter", "BM_KeystrokeTag"}) {
		std::string name = kind;
		reporter.PrintMilliseconds((name + " in 10 KB").c_str(), name + "/" + small);
		reporter.PrintMilliseconds((name + " in 5 MB (a frame is 16 ms)").c_str(),
			name + "/" + large);
		reporter.PrintRatio((name + " in 5 MB / in 10 KB (target at most 2)").c_str(),
			name + "/" + large, name + "/" + small);
	}
	for (Editor* editor : Editors())
		delete editor;
	benchmark::Shutdown();
	return 0;
}

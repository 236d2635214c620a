// A text view in a shown (headless) window, with real fonts: one character
// typed in the middle of a 1 MB styled text against the same keystroke in
// a 10 KB one, each through the view's key handling, its hooks, the
// re-wrap and the redraw of what changed on screen; and loading 1 MB with
// SetText followed by a styling pass over all of it, against assigning
// the same bytes to a std::string.

#include <iterator>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include <DisplayServer.h>
#include <ScrollView.h>
#include <TextView.h>
#include <Window.h>
#include <WindowTesting.h>

#include "BenchSupport.h"

namespace {

const int32 kSmall = 10 << 10;
const int32 kLarge = 1 << 20;
// Styles change every so many bytes, as in a page of formatted text.
const int32 kRunLength = 64;

// Paragraphs of words, some accented, now and then a tab.
std::string Block(int32 size)
{
	static const char* const kWords[] = {"the", "quick", "brown", "fox", "jumps", "over",
		"lazy", "dog", "caf\xC3\xA9", "na\xC3\xAFve", "\xC3\xBC" "ber", "markup", "paragraph",
		"styled", "text", "editor", "window"};
	std::mt19937 random(7);
	std::string text;
	while (static_cast<int32>(text.size()) < size) {
		text += kWords[random() % std::size(kWords)];
		switch (random() % 60) {
			case 0: text += '\n'; break;
			case 1: text += '\t'; break;
			default: text += ' '; break;
		}
	}
	text.resize(size - 1);
	return text + '\n';
}

// A large text repeats the small one, so that its middle block, where the
// keystroke goes, is laid out and drawn exactly as the small text is.
std::string Prose(int32 size)
{
	std::string block = Block(kSmall);
	std::string text;
	while (static_cast<int32>(text.size()) < size)
		text += block;
	return text;
}

BFont FontNumber(int32 index)
{
	BFont font;
	switch (index % 3) {
		case 1:
			font.SetSize(15);
			font.SetFace(B_BOLD_FACE);
			break;
		case 2:
			font.SetSize(11);
			font.SetFace(B_ITALIC_FACE);
			break;
		default:
			break;
	}
	return font;
}

rgb_color ColorNumber(int32 index)
{
	static const rgb_color kColors[] = {{0, 0, 0, 255}, {0, 0, 185, 255}, {195, 0, 0, 255},
		{0, 140, 0, 255}, {0, 0, 220, 255}, {130, 130, 130, 255}};
	return kColors[index % 6];
}

BPrivate::RunArrayPointer Runs(int32 size)
{
	int32 count = size / kRunLength;
	BPrivate::RunArrayPointer runs(BPrivate::AllocRunArray(count));
	for (int32 i = 0; i < count; i++) {
		int32 inBlock = i % (kSmall / kRunLength);
		runs->runs[i] = text_run{i * kRunLength, FontNumber(inBlock), ColorNumber(inBlock)};
	}
	return runs;
}

// A window of 800 x 600 with a text view in a scroll view, as an editor
// window has it, holding a styled text of the given size.
class Editor {
public:
	explicit Editor(int32 size)
		:
		fText(Prose(size))
	{
		fWindow = new BWindow(BRect(50, 50, 849, 649), "bench", B_TITLED_WINDOW, 0);
		fView = new BTextView(BRect(0, 0, 780, 597), "text", BRect(6, 9, 775, 592),
			B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE);
		fWindow->AddChild(new BScrollView("scroll", fView, B_FOLLOW_ALL_SIDES, 0, false, true));
		fWindow->SetPulseRate(0);
		BPrivate::RunArrayPointer runs = Runs(size);
		fView->SetText(fText.data(), static_cast<int32>(fText.size()), runs.get());
		fView->MakeFocus(true);
		fWindow->Show();
		BPrivate::WaitForWindowIdle(fWindow);
		fWindow->Lock();
		int32 middle = static_cast<int32>(fText.size()) / 2 / kSmall * kSmall + kSmall / 2;
		while ((static_cast<unsigned char>(fText[middle]) & 0xC0) == 0x80)
			middle++;
		fView->Select(middle, middle);
		fView->ScrollToSelection();
		fWindow->UpdateIfNeeded();
		fWindow->Unlock();
	}

	~Editor()
	{
		if (fWindow->Lock())
			fWindow->Quit();
	}

	BWindow* Window() { return fWindow; }
	BTextView* View() { return fView; }
	const std::string& Text() const { return fText; }

private:
	std::string fText;
	BWindow* fWindow;
	BTextView* fView;
};


// One keystroke per iteration: a character, then a backspace taking it
// back, so that the text stays as it was. Each goes through KeyDown and
// is drawn before the next.
void BM_Keystroke(benchmark::State& state)
{
	Editor& editor = ObjectOfSize<Editor>(static_cast<int32>(state.range(0)));
	BWindow* window = editor.Window();
	BTextView* view = editor.View();
	const char backspace[] = {B_BACKSPACE, 0};
	bool typed = false;
	for (auto _ : state) {
		window->Lock();
		view->KeyDown(typed ? backspace : "a", 1);
		window->UpdateIfNeeded();
		window->Unlock();
		typed = !typed;
	}
	state.counters["lines"] = view->CountLines();
}
BENCHMARK(BM_Keystroke)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMicrosecond);

// Loading a page: the text, then its styles in chunks of a run each, as
// the editor's views colour and format what they load.
void LoadAndStyle(benchmark::State& state, bool fonts)
{
	Editor& editor = ObjectOfSize<Editor>(kSmall);
	BWindow* window = editor.Window();
	BTextView* view = editor.View();
	std::string text = Prose(static_cast<int32>(state.range(0)));
	int32 length = static_cast<int32>(text.size());
	for (auto _ : state) {
		window->Lock();
		view->SetText(text.data(), length);
		for (int32 i = 0, start = 0; start < length; i++, start += kRunLength) {
			BFont font = FontNumber(i);
			rgb_color color = ColorNumber(i);
			view->SetFontAndColor(start, start + kRunLength, fonts ? &font : nullptr,
				fonts ? B_FONT_ALL : 0, &color);
		}
		window->UpdateIfNeeded();
		window->Unlock();
	}
}

void BM_LoadAndColour(benchmark::State& state)
{
	LoadAndStyle(state, false);
}
BENCHMARK(BM_LoadAndColour)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_LoadAndFormat(benchmark::State& state)
{
	LoadAndStyle(state, true);
}
BENCHMARK(BM_LoadAndFormat)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_AssignString(benchmark::State& state)
{
	std::string text = Prose(static_cast<int32>(state.range(0)));
	std::string copy;
	for (auto _ : state) {
		copy.assign(text);
		benchmark::DoNotOptimize(copy.data());
	}
}
BENCHMARK(BM_AssignString)->Arg(kLarge)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
	BPrivate::DisplayServer::UseHeadless();
	benchmark::Initialize(&argc, argv);
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	std::string large = std::to_string(kLarge);
	std::string small = std::to_string(kSmall);
	reporter.PrintMilliseconds("keystroke in 10 KB", "BM_Keystroke/" + small);
	reporter.PrintMilliseconds("keystroke in 1 MB (a frame is 16 ms)", "BM_Keystroke/" + large);
	reporter.PrintRatio("keystroke in 1 MB / keystroke in 10 KB (target at most 2)",
		"BM_Keystroke/" + large, "BM_Keystroke/" + small);
	reporter.PrintMilliseconds("SetText and colouring of 1 MB", "BM_LoadAndColour/" + large);
	reporter.PrintMilliseconds("SetText and formatting of 1 MB", "BM_LoadAndFormat/" + large);
	reporter.PrintRatio("SetText and colouring of 1 MB / std::string assignment of 1 MB",
		"BM_LoadAndColour/" + large, "BM_AssignString/" + large);
	reporter.PrintRatio("SetText and formatting of 1 MB / std::string assignment of 1 MB",
		"BM_LoadAndFormat/" + large, "BM_AssignString/" + large);
	benchmark::Shutdown();
	return 0;
}

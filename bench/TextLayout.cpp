// The cost of a keystroke in a large styled text against the same keystroke
// in a small one, and of laying out a large text against copying its bytes.

#include <textview_support/StyledText.h>
#include <textview_support/TextMeasurer.h>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"

#include <random>
#include <string>
#include <vector>

using BPrivate::StyledText;

namespace {

const int32 kSmall = 10 << 10;
const int32 kLarge = 1 << 20;

// Every byte has a width of its own, scaled by the font size; the layout
// work is the same as with real fonts, without the font engine.
class ByteWidthMeasurer : public BPrivate::TextMeasurer {
public:
	float StringWidth(const char* text, int32 length, const BFont& font) override
	{
		float width = 0;
		for (int32 i = 0; i < length; i++)
			width += 5 + static_cast<unsigned char>(text[i]) % 4;
		return width * font.Size() / 12;
	}

	void GetHeight(const BFont& font, font_height* height) override
	{
		height->ascent = font.Size() * 0.8f;
		height->descent = font.Size() * 0.2f;
		height->leading = 1;
	}
};

// Blocks of 10 KB: words, paragraphs of a few hundred bytes, now and then a
// tab or an accented letter, a change of style every 64 bytes, and a line
// feed at the end. A large text repeats the block, so that its middle block
// is laid out exactly as the small text is.
std::string Block()
{
	std::mt19937 random(1);
	std::string text;
	while (static_cast<int32>(text.size()) < kSmall) {
		text.append(2 + random() % 8, static_cast<char>('a' + random() % 26));
		switch (random() % 40) {
			case 0: text += '\n'; break;
			case 1: text += '\t'; break;
			case 2: text += "\xC3\xA9 "; break;
			default: text += ' '; break;
		}
	}
	text.resize(kSmall - 1);
	return text + '\n';
}

struct Document {
	explicit Document(int32 size)
		:
		model(measurer, BFont(), make_color(0, 0, 0))
	{
		std::string block = Block();
		while (static_cast<int32>(text.size()) < size)
			text += block;
		std::vector<BFont> fonts(3);
		fonts[1].SetSize(16);
		fonts[2].SetSize(9);
		int32 count = size / 64;
		BPrivate::RunArrayPointer runs(BPrivate::AllocRunArray(count));
		for (int32 i = 0; i < count; i++)
			runs->runs[i] = text_run{i * 64, fonts[i % 3], make_color(0, 0, i % 2 ? 255 : 0)};
		model.Layout().Breaker().SetWidth(500);
		model.SetText(text.data(), text.size(), runs.get());
	}

	// In the middle of the block that holds the middle of the text.
	int32 EditOffset() const { return text.size() / 2 / kSmall * kSmall + kSmall / 2; }

	ByteWidthMeasurer measurer;
	StyledText model;
	std::string text;
};

// Typing a character in the middle of the text and deleting it again: text,
// style runs and lines follow each edit.
void BM_Keystroke(benchmark::State& state)
{
	Document& document = ObjectOfSize<Document>(state.range(0));
	StyledText& model = document.model;
	int32 middle = document.EditOffset();
	for (auto _ : state) {
		model.Insert("x", 1, middle);
		model.Remove(middle, middle + 1);
	}
}
BENCHMARK(BM_Keystroke)->Arg(kSmall)->Arg(kLarge);

void BM_FullLayout(benchmark::State& state)
{
	StyledText& model = ObjectOfSize<Document>(state.range(0)).model;
	for (auto _ : state)
		model.Layout().Layout();
	state.counters["lines"] = model.Layout().CountLines();
}
BENCHMARK(BM_FullLayout)->Arg(kLarge)->Unit(benchmark::kMillisecond);

void BM_AssignString(benchmark::State& state)
{
	const std::string& text = ObjectOfSize<Document>(state.range(0)).text;
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
	benchmark::Initialize(&argc, argv);
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	std::string large = std::to_string(kLarge);
	reporter.PrintRatio("keystroke in 1 MB / keystroke in 10 KB (target at most 2)",
		"BM_Keystroke/" + large, "BM_Keystroke/" + std::to_string(kSmall));
	reporter.PrintRatio("layout of 1 MB / std::string assignment of 1 MB",
		"BM_FullLayout/" + large, "BM_AssignString/" + large);
	benchmark::Shutdown();
	return 0;
}

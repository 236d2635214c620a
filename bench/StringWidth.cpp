// Measuring a megabyte of mixed text with BFont::StringWidth, line by line
// as a text view wraps it: once with a font size never measured before
// (every glyph's advance is looked up) and once more with the same font
// (every advance comes from the cache). Reported: milliseconds per MB for
// both, their ratio, and the cached time against a loop that only decodes
// the same UTF-8 (the least any measuring can cost).

#include <chrono>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <Font.h>
#include <UTF8.h>

namespace {

std::vector<std::string> MixedLines()
{
	const char* pieces[] = {
		"The quick brown fox jumps over the lazy dog; 0123456789 <p>markup</p> ",
		"Caf\xC3\xA9 cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e, na\xC3\xAFve \xC3\x85ngstr\xC3\xB6m, \xC3\x9C" "ber Stra\xC3\x9F" "e ",
		"plain words and more plain words in a long paragraph of ordinary prose ",
		"\xE6\xBC\xA2\xE5\xAD\x97\xE3\x81\x8B\xE3\x81\xAA ",
		"se\xC3\xB1or, \xC2\xA9 2024, \xC2\xBD \xC2\xBF qu\xC3\xA9? \xE2\x82\xAC 12,50 ",
	};
	const int weights[] = {5, 3, 5, 1, 2};
	std::vector<std::string> lines;
	size_t total = 0;
	std::string line;
	for (int round = 0; total < 1024 * 1024; round++) {
		for (int piece = 0; piece < 5; piece++) {
			for (int i = 0; i < weights[piece] && (round + i) % 3 != 2; i++) {
				line += pieces[piece];
				if (line.size() >= 80) {
					total += line.size();
					lines.push_back(std::move(line));
					line.clear();
				}
			}
		}
	}
	return lines;
}

double MeasureAll(const BFont& font, const std::vector<std::string>& lines)
{
	double sum = 0;
	for (const std::string& line : lines)
		sum += font.StringWidth(line.c_str(), static_cast<int32>(line.size()));
	return sum;
}

double Milliseconds(std::chrono::steady_clock::duration duration)
{
	return std::chrono::duration<double, std::milli>(duration).count();
}

void BM_StringWidthColdAndCached(benchmark::State& state)
{
	const std::vector<std::string> lines = MixedLines();
	size_t bytes = 0;
	for (const std::string& line : lines)
		bytes += line.size();
	double megabytes = bytes / (1024.0 * 1024.0);
	BFont font = *be_plain_font;
	double cold = 0;
	double cached = 0;
	double decoding = 0;
	int64_t rounds = 0;
	float size = 10;
	for (auto _ : state) {
		size += 0.01f;  // a size no earlier round measured: an empty cache
		font.SetSize(size);
		auto start = std::chrono::steady_clock::now();
		benchmark::DoNotOptimize(MeasureAll(font, lines));
		auto warm = std::chrono::steady_clock::now();
		benchmark::DoNotOptimize(MeasureAll(font, lines));
		auto done = std::chrono::steady_clock::now();
		size_t characters = 0;
		for (const std::string& line : lines)
			characters += BPrivate::UTF8::CountChars(line);
		benchmark::DoNotOptimize(characters);
		auto decoded = std::chrono::steady_clock::now();
		cold += Milliseconds(warm - start);
		cached += Milliseconds(done - warm);
		decoding += Milliseconds(decoded - done);
		rounds++;
	}
	state.counters["cold_ms_per_MB"] = cold / rounds / megabytes;
	state.counters["cached_ms_per_MB"] = cached / rounds / megabytes;
	state.counters["cold_over_cached"] = cold / cached;
	state.counters["cached_over_decoding"] = cached / decoding;
	state.SetBytesProcessed(static_cast<int64_t>(bytes) * 2 * rounds);
}

} // namespace

BENCHMARK(BM_StringWidthColdAndCached)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();

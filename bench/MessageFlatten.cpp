// Flattening and reading back a clipboard-sized run archive, as a ratio to
// copying the same number of bytes (the least any serialisation costs).

#include <Message.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>

namespace {

// A run archive of `pieces` text entries named "0", "1", ...
BMessage RunArchive(int pieces)
{
	BMessage archive;
	for (int i = 0; i < pieces; i++) {
		BMessage piece;
		piece.AddString("class", "text");
		piece.AddString("text", "A sentence of ordinary length in a copied page. ");
		piece.AddInt32("relative_offset", i);
		archive.AddMessage(std::to_string(i).c_str(), &piece);
	}
	return archive;
}

template <typename Work>
double SecondsOf(Work work)
{
	auto start = std::chrono::steady_clock::now();
	work();
	return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_FlattenRunArchive(benchmark::State& state)
{
	BMessage clipboard('CLIP');
	BMessage archive = RunArchive(static_cast<int>(state.range(0)));
	clipboard.AddMessage("VelmoraClipboard", &archive);
	std::string buffer(static_cast<size_t>(clipboard.FlattenedSize()), '\0');
	std::string copy(buffer.size(), '\0');
	double flattening = 0;
	double copying = 0;
	for (auto _ : state) {
		flattening += SecondsOf([&] {
			clipboard.Flatten(buffer.data(), static_cast<ssize_t>(buffer.size()));
		});
		copying += SecondsOf([&] { memcpy(copy.data(), buffer.data(), buffer.size()); });
		benchmark::DoNotOptimize(copy.data());
	}
	state.counters["ratio_to_copy"] = flattening / copying;
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size()));
}

void BM_UnflattenRunArchive(benchmark::State& state)
{
	BMessage clipboard('CLIP');
	BMessage archive = RunArchive(static_cast<int>(state.range(0)));
	clipboard.AddMessage("VelmoraClipboard", &archive);
	std::string buffer(static_cast<size_t>(clipboard.FlattenedSize()), '\0');
	clipboard.Flatten(buffer.data(), static_cast<ssize_t>(buffer.size()));
	std::string copy(buffer.size(), '\0');
	double reading = 0;
	double copying = 0;
	for (auto _ : state) {
		BMessage restored;
		reading += SecondsOf([&] {
			restored.Unflatten(buffer.data(), static_cast<ssize_t>(buffer.size()));
		});
		copying += SecondsOf([&] { memcpy(copy.data(), buffer.data(), buffer.size()); });
		benchmark::DoNotOptimize(copy.data());
	}
	state.counters["ratio_to_copy"] = reading / copying;
	state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size()));
}

} // namespace

BENCHMARK(BM_FlattenRunArchive)->Arg(100)->Arg(5000);
BENCHMARK(BM_UnflattenRunArchive)->Arg(100)->Arg(5000);
BENCHMARK_MAIN();

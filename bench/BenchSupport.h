#ifndef VELMORA_BENCH_SUPPORT_H
#define VELMORA_BENCH_SUPPORT_H

#include <chrono>
#include <cstdio>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <time.h>

#include <benchmark/benchmark.h>

// Wall-clock seconds since start, for timings taken by hand.
inline double SecondsSince(std::chrono::steady_clock::time_point start)
{
	return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Processor time of all the program's threads (work measured may run on a
// thread of its own while the caller waits), so that other work on a
// shared machine does not count.
inline double ProcessSeconds()
{
	timespec now;
	clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
	return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Keeps the processor time per iteration of each run, so that ratios can be
// printed; processor time, because the machine may be shared.
class RatioReporter : public benchmark::ConsoleReporter {
public:
	void ReportRuns(const std::vector<Run>& runs) override
	{
		for (const Run& run : runs) {
			if (run.iterations > 0)
				seconds[run.benchmark_name()] = run.cpu_accumulated_time / run.iterations;
		}
		ConsoleReporter::ReportRuns(runs);
	}

	void PrintRatio(const char* label, const std::string& measured, const std::string& baseline)
	{
		if (seconds.count(measured) == 0 || seconds.count(baseline) == 0)
			return;
		printf("%s: %.2f\n", label, seconds[measured] / seconds[baseline]);
	}

	void PrintMilliseconds(const char* label, const std::string& measured)
	{
		if (seconds.count(measured) != 0)
			printf("%s: %.3f ms\n", label, seconds[measured] * 1000);
	}

	std::map<std::string, double> seconds;
};

// As RatioReporter, on wall time: for work done on another thread (a
// window's), while the measuring thread waits and spends no time itself.
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

// One object per size, made on first use and kept for every later run.
template <typename Object>
Object& ObjectOfSize(int32_t size)
{
	static std::map<int32_t, std::unique_ptr<Object>> objects;
	std::unique_ptr<Object>& object = objects[size];
	if (!object)
		object = std::make_unique<Object>(size);
	return *object;
}

#endif

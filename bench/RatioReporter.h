#ifndef VELMORA_BENCH_RATIO_REPORTER_H
#define VELMORA_BENCH_RATIO_REPORTER_H

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

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

#endif

// The program as a user runs it on a 5 MB page made of the corpus's pages,
// against the HTML library's own command-line tool (`tidy`) doing its full
// parse and output of the same page, in the same run:
//   - `velmora --roundtrip PAGE -o OUT` against `tidy -o OUT PAGE`: time
//     (processor time of all threads, and wall time) and peak resident set;
//   - the editor with the page open (headless, so that no desktop is
//     needed): its peak resident set once the page is read and the program
//     has gone idle, against the tool's peak.
// Targets: round trip at most 1.8 times the tool's time and 2.5 times its
// peak; the open editor at most 3 times the tool's peak. Each command runs
// RUNS times (3 by default, the first argument), taking turns, and every
// run is printed, so that the spread on a shared machine shows.
// `--write-page FILE [MEGABYTES]` only writes the page, for profiling.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "CorpusPages.h"
#include "TempDirectory.h"

namespace {

struct Usage {
	double processorSeconds = 0;
	double wallSeconds = 0;
	double peakMegabytes = 0;
};

double Seconds(const timeval& time)
{
	return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
}

Usage UsageOf(const rusage& usage, std::chrono::steady_clock::time_point start)
{
	return {Seconds(usage.ru_utime) + Seconds(usage.ru_stime), SecondsSince(start),
		static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// Starts the command with the user's folders below `home` and its output
// thrown away (the tool's reports would only slow it down on a terminal).
pid_t Start(const std::vector<std::string>& command, const TempDirectory& home)
{
	fflush(stdout);
	pid_t child = fork();
	if (child != 0)
		return child;
	setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
	setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
	setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
	setenv("VELMORA_DISPLAY", "headless", 1);
	if (freopen("/dev/null", "w", stdout) == nullptr || freopen("/dev/null", "w", stderr) == nullptr)
		_exit(127);
	std::vector<char*> arguments;
	for (const std::string& argument : command)
		arguments.push_back(const_cast<char*>(argument.c_str()));
	arguments.push_back(nullptr);
	execv(arguments[0], arguments.data());
	_exit(127);
}

Usage Run(const std::vector<std::string>& command, const TempDirectory& home)
{
	auto start = std::chrono::steady_clock::now();
	pid_t child = Start(command, home);
	int status = 0;
	rusage usage{};
	wait4(child, &status, 0, &usage);
	if (!WIFEXITED(status) || WEXITSTATUS(status) == 127)
		fprintf(stderr, "%s did not run to its end\n", command[0].c_str());
	return UsageOf(usage, start);
}

// Processor time the process has used so far, from /proc.
double ProcessorSecondsOf(pid_t process)
{
	std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
	std::string field;
	// The name (field 2) has no spaces here; user and system time are 14 and 15.
	double ticks = 0;
	for (int i = 1; i <= 15 && stat >> field; i++) {
		if (i >= 14)
			ticks += std::stod(field);
	}
	return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The editor is open on the page once it has read it and gone idle: its
// processor time stands still for a second. It is then ended, and its peak
// is what it took to open the page.
Usage RunUntilIdle(const std::vector<std::string>& command, const TempDirectory& home)
{
	auto start = std::chrono::steady_clock::now();
	pid_t child = Start(command, home);
	double last = -1;
	int stillFor = 0;
	while (stillFor < 10 && SecondsSince(start) < 120) {
		std::this_thread::sleep_for(std::chrono::milliseconds(100));
		double now = ProcessorSecondsOf(child);
		stillFor = now == last && now > 0.2 ? stillFor + 1 : 0;
		last = now;
	}
	double openedAfter = SecondsSince(start) - 1.0;
	kill(child, SIGKILL);
	int status = 0;
	rusage usage{};
	wait4(child, &status, 0, &usage);
	Usage result = UsageOf(usage, start);
	result.wallSeconds = openedAfter;
	return result;
}

void Print(const char* name, const Usage& usage)
{
	printf("  %-18s %6.3f s processor  %6.3f s wall  %7.1f MB peak\n", name,
		usage.processorSeconds, usage.wallSeconds, usage.peakMegabytes);
}

void PrintRange(const char* label, std::vector<double> ratios)
{
	std::sort(ratios.begin(), ratios.end());
	printf("%s: %.2f .. %.2f\n", label, ratios.front(), ratios.back());
}

} // namespace

int main(int argc, char** argv)
{
	if (argc > 2 && std::string(argv[1]) == "--write-page") {
		std::ofstream(argv[2]) << CorpusPages::PageOfMegabytes(argc > 3 ? atoi(argv[3]) : 5);
		return 0;
	}
	int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
	TempDirectory folder;
	folder.Write("page.html", CorpusPages::PageOfMegabytes(5));
	std::string page = folder / "page.html";
	std::vector<std::string> tool = {"/usr/bin/tidy", "-q", "--force-output", "yes", "-o", folder / "tidy.html", page};
	std::vector<std::string> roundtrip = {VELMORA_PROGRAM, "--roundtrip", page, "-o",
		folder / "velmora.html"};
	std::vector<std::string> editor = {VELMORA_PROGRAM, "--headless", page};

	std::vector<double> time, wall, peak, editorPeak;
	for (int run = 1; run <= runs; run++) {
		printf("run %d\n", run);
		Usage library = Run(tool, folder);
		Usage ours = Run(roundtrip, folder);
		Usage open = RunUntilIdle(editor, folder);
		Print("tidy", library);
		Print("velmora --roundtrip", ours);
		Print("editor, page open", open);
		time.push_back(ours.processorSeconds / library.processorSeconds);
		wall.push_back(ours.wallSeconds / library.wallSeconds);
		peak.push_back(ours.peakMegabytes / library.peakMegabytes);
		editorPeak.push_back(open.peakMegabytes / library.peakMegabytes);
	}
	PrintRange("roundtrip_over_tool (processor time)", time);
	PrintRange("roundtrip_over_tool (wall time)", wall);
	PrintRange("roundtrip_peak_over_tool", peak);
	PrintRange("editor_peak_over_tool", editorPeak);
	return 0;
}

#ifndef VELMORA_BATCH_COMMAND_H
#define VELMORA_BATCH_COMMAND_H

#include <string>

// The program's commands that work on a page without showing it, on the
// real page, engine and views (headless):
//   velmora --check FILE             the error list, one entry a line:
//                                    kind TAB start TAB finish TAB text
//   velmora --roundtrip FILE [-o OUT] the HTML written anew from the visual
//                                    view, as a save writes it
//   velmora --correct FILE [-o OUT]   the same after the Correct command
//   velmora --text FILE              the visual view's text
class BatchCommand {
public:
	// Exit statuses.
	static constexpr int kSuccess = 0;
	static constexpr int kPageHasErrors = 1;
	static constexpr int kUnreadable = 2;
	static constexpr int kUsage = 64;

	// True when the command line names a batch command.
	static bool IsBatch(int argc, char** argv);
	// Runs it and returns the program's exit status.
	static int Run(int argc, char** argv);

private:
	struct Request {
		std::string command;
		std::string file;
		std::string output;
	};

	static bool Parse(int argc, char** argv, Request& request);
	static bool CheckReadable(const std::string& file);
	static int Execute(const Request& request);
};

#endif

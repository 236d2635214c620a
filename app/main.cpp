// The program's entry point: a batch command, or the editor on one
// document (the start-up page when none is given).

#include <malloc.h>
#include <signal.h>

#include <cstdio>
#include <optional>
#include <string>

#include <DisplayServer.h>
#include <Entry.h>
#include <Path.h>

#include "BatchCommand.h"
#include "WApplication.h"

namespace {

const char kNeedsDisplay[] =
	"velmora: the editor needs a desktop display, and none can be reached.\n"
	"Start it on an X11 or Wayland desktop (DISPLAY or WAYLAND_DISPLAY must be set).\n"
	"Without a display, the batch commands work:\n"
	"  velmora --check FILE              list the HTML errors of a page\n"
	"  velmora --roundtrip FILE [-o OUT] write the page as Velmora saves it\n"
	"  velmora --correct FILE [-o OUT]   the same after the Correct command\n"
	"  velmora --text FILE               print the text the visual window shows\n";

struct Arguments {
	std::optional<std::string> document;
	std::optional<std::string> copyToRestore;
};

// The document is the first argument that is no option, or the first after
// "--" (so that a page whose name begins with "-" can be named): its
// absolute path when it names an existing entry (links followed),
// otherwise as given (an empty one asks for a new untitled page).
// "--restore COPY" restores a recovery copy, which names its page.
Arguments ReadArguments(int argc, char** argv)
{
	Arguments arguments;
	bool options = true;
	for (int i = 1; i < argc && !arguments.document; i++) {
		std::string argument = argv[i];
		if (options && argument == "--") {
			options = false;
		} else if (options && argument == "--restore" && i + 1 < argc) {
			arguments.copyToRestore = argv[++i];
		} else if (!options || argument.empty() || argument[0] != '-') {
			BEntry entry(argv[i], true);
			BPath path;
			if (entry.Exists() && entry.GetPath(&path) == B_OK)
				arguments.document = path.Path();
			else
				arguments.document = argument;
		}
	}
	return arguments;
}

// Headless only when asked for: an editor nobody can see is of no use.
bool CanShowWindows()
{
	using BPrivate::DisplayServer;
	return DisplayServer::HeadlessWanted() || !DisplayServer::Default()->IsHeadless();
}

} // namespace

int main(int argc, char** argv)
{
	// Blocks from 128 KB up (a big page's text in its buffers, the parser's
	// chunks) come straight from the system and go back to it when freed.
	// The allocator would otherwise raise this bound after the first such
	// block is freed, and the freed buffers of a big page (tens of
	// megabytes) would stay in the program while it builds the next ones.
	mallopt(M_MMAP_THRESHOLD, 128 * 1024);
	// A write beyond a file-size limit then fails, and is reported, instead
	// of killing the program with the user's changes.
	signal(SIGXFSZ, SIG_IGN);
	if (BatchCommand::IsBatch(argc, argv)) {
		BPrivate::DisplayServer::UseHeadless();
		return BatchCommand::Run(argc, argv);
	}
	if (!CanShowWindows()) {
		fputs(kNeedsDisplay, stderr);
		return 1;
	}
	Arguments arguments = ReadArguments(argc, argv);
	auto* application = new WApplication(
		arguments.document ? arguments.document->c_str() : nullptr);
	if (arguments.copyToRestore)
		application->RestoreAtStart(arguments.copyToRestore->c_str());
	if (application->ShouldRun())
		application->Run();
	delete application;
	return 0;
}

// The program's entry point: a batch command, or the editor on one
// document (the start-up page when none is given).

#include <cstring>
#include <string>

#include <DisplayServer.h>
#include <Entry.h>
#include <Path.h>

#include "BatchCommand.h"
#include "WApplication.h"

namespace {

// The first argument that is no option; its absolute path when it names
// an existing entry (links followed), otherwise as given.
std::string DocumentPath(int argc, char** argv)
{
	for (int i = 1; i < argc; i++) {
		if (argv[i][0] == '-')
			continue;
		BEntry entry(argv[i], true);
		BPath path;
		if (entry.Exists() && entry.GetPath(&path) == B_OK)
			return path.Path();
		return argv[i];
	}
	return std::string();
}

} // namespace

int main(int argc, char** argv)
{
	if (BatchCommand::IsBatch(argc, argv)) {
		BPrivate::DisplayServer::UseHeadless();
		return BatchCommand::Run(argc, argv);
	}
	std::string path = DocumentPath(argc, argv);
	auto* application = new WApplication(path.c_str());
	application->Run();
	delete application;
	return 0;
}

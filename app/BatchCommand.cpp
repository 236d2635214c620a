#include "BatchCommand.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include <Autolock.h>
#include <Message.h>
#include <Messenger.h>

#include "Element_List.h"
#include "HTMLError_Window.h"
#include "HWindow.h"
#include "Page.h"
#include "VLooper.h"
#include "VWindow.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "WApplication.h"
#include "SafeSave.h"

namespace {

const char kProgram[] = "velmora";

bool IsCommand(const char* argument)
{
	return strcmp(argument, "--check") == 0 || strcmp(argument, "--roundtrip") == 0
		|| strcmp(argument, "--correct") == 0 || strcmp(argument, "--text") == 0;
}

// Waits until the looper has handled everything posted to it so far.
void WaitForLooper(BLooper* looper)
{
	BMessage reply;
	BMessenger(looper).SendMessage('sync', &reply);
}

void PrintErrors(Page* page)
{
	HTMLError_Window* errors = page->HTMLErrorWindow();
	BAutolock lock(errors);
	for (int32 i = 0; i < errors->CountItems(); i++) {
		const BMessage* data = errors->ItemData(i);
		int32 start = -1;
		int32 finish = -1;
		data->FindInt32("start", &start);
		data->FindInt32("finish", &finish);
		printf("%d\t%d\t%d\t%s\n", static_cast<int>(errors->ItemKind(i)), start, finish,
			errors->ItemText(i));
	}
}

bool HasErrors(Page* page)
{
	HTMLError_Window* errors = page->HTMLErrorWindow();
	BAutolock lock(errors);
	for (int32 i = 0; i < errors->CountItems(); i++) {
		if (errors->ItemKind(i) == VUDAV_ERROR)
			return true;
	}
	return false;
}

// The page's text as the visual view shows it, without the placeholder
// characters of its elements; the non-breaking space shown as a space.
std::string VisualText(Page* page)
{
	Visual_Engine* engine = page->Engine();
	Visual_Text* view = engine->View();
	std::string text;
	BAutolock lock(page->VisualWindow());
	const char* bytes = view->Text();
	int32 length = view->TextLength();
	for (int32 offset = 0; offset < length; offset++) {
		if (engine->InNullCharactersAt(offset) > 0)
			continue;
		text += bytes[offset] == '\x0F' ? ' ' : bytes[offset];
	}
	return text;
}

} // namespace

bool BatchCommand::IsBatch(int argc, char** argv)
{
	return argc >= 2 && IsCommand(argv[1]);
}

bool BatchCommand::Parse(int argc, char** argv, Request& request)
{
	if (argc < 3)
		return false;
	request.command = argv[1];
	request.file = argv[2];
	int next = 3;
	bool writes = request.command == "--roundtrip" || request.command == "--correct";
	if (writes && argc >= 5 && strcmp(argv[3], "-o") == 0) {
		request.output = argv[4];
		next = 5;
	}
	return next == argc;
}

bool BatchCommand::CheckReadable(const std::string& file)
{
	struct stat info;
	if (stat(file.c_str(), &info) != 0) {
		fprintf(stderr, "%s: cannot read %s: %s\n", kProgram, file.c_str(), strerror(errno));
		return false;
	}
	if (!S_ISREG(info.st_mode)) {
		fprintf(stderr, "%s: cannot read %s: not a regular file\n", kProgram, file.c_str());
		return false;
	}
	int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
	if (fd < 0) {
		fprintf(stderr, "%s: cannot read %s: %s\n", kProgram, file.c_str(), strerror(errno));
		return false;
	}
	close(fd);
	return true;
}

int BatchCommand::Run(int argc, char** argv)
{
	Request request;
	if (!Parse(argc, argv, request)) {
		fprintf(stderr, "usage: %s --check FILE | --roundtrip FILE [-o OUT] | --correct FILE "
			"[-o OUT] | --text FILE\n", kProgram);
		return kUsage;
	}
	if (!CheckReadable(request.file))
		return kUnreadable;
	return Execute(request);
}

// The page is loaded as the editor loads it: the engine's looper runs
// Page::Load, and what it posts on is handled before the result is read.
int BatchCommand::Execute(const Request& request)
{
	WApplication application(request.file.c_str(), true);
	Page* page = application.MakePage(request.file.c_str(), 0);
	if (page == nullptr)
		return kUnreadable;
	page->BuildInParts(false);
	page->KeepWindowsHidden();
	page->Engine()->PostMessage('reld');
	WaitForLooper(page->Engine()->Looper());
	WaitForLooper(page->Engine()->Looper());
	WaitForLooper(page->HTMLErrorWindow());
	// The error list hands the keyboard to the visual window after the
	// reading; that window then takes over its partner's edits. It must be
	// done before a command edits the HTML window, or both would read the
	// page at once, each holding a lock the other waits for.
	if (page->VisualWindow()->Thread() >= 0)
		WaitForLooper(page->VisualWindow());

	int status = kSuccess;
	if (request.command == "--check") {
		PrintErrors(page);
		status = HasErrors(page) ? kPageHasErrors : kSuccess;
	} else if (request.command == "--text") {
		std::string text = VisualText(page);
		if (SafeSave::WriteAll(STDOUT_FILENO, text) != B_OK)
			status = kUnreadable;
	} else {
		if (request.command == "--correct")
			page->Correct();
		// The page's HTML generated again and written as the editor saves it.
		page->UpdateFromVisual();
		auto write = [page](int fd) { return page->HTMLWindow()->WriteTextTo(fd); };
		bool written = request.output.empty() ? write(STDOUT_FILENO) == B_OK
			: SafeSave::Replace(request.output.c_str(), write) == B_OK;
		if (!written) {
			fprintf(stderr, "%s: cannot write %s\n", kProgram,
				request.output.empty() ? "the standard output" : request.output.c_str());
			status = kUnreadable;
		}
	}
	fflush(stdout);
	return status;
}

// When this test program is started as a helper of another test (see
// HelperProcess.h), it does the helper's work before main() and exits.

#include <Clipboard.h>
#include <CommandLine.h>
#include <Message.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Commits `times` messages tagged with `tag`, each with a payload large
// enough that a torn write would be seen.
int CommitRepeatedly(const std::vector<std::string>& args)
{
	if (args.size() < 5)
		return 2;
	BClipboard clipboard(args[1].c_str());
	int times = atoi(args[3].c_str());
	std::string payload(8192, args[4].empty() ? '?' : args[4][0]);
	for (int i = 0; i < times; i++) {
		if (!clipboard.Lock())
			return 3;
		clipboard.Clear();
		BMessage* data = clipboard.Data();
		data->AddString("tag", args[4].c_str());
		data->AddInt32("index", i);
		data->AddData("pad", B_RAW_TYPE, payload.data(), static_cast<ssize_t>(payload.size()));
		data->AddData("text/plain", B_MIME_TYPE, args[2].data(),
			static_cast<ssize_t>(args[2].size()), false);
		status_t status = clipboard.Commit();
		clipboard.Unlock();
		if (status != B_OK)
			return 4;
	}
	return 0;
}

// Writes the clipboard's "text/plain" to a file.
int ReadText(const std::vector<std::string>& args)
{
	if (args.size() < 3)
		return 2;
	BClipboard clipboard(args[1].c_str());
	if (!clipboard.Lock())
		return 3;
	const void* text = nullptr;
	ssize_t size = 0;
	status_t status = clipboard.Data()->FindData("text/plain", B_MIME_TYPE, &text, &size);
	clipboard.Unlock();
	if (status != B_OK)
		return 5;
	FILE* out = fopen(args[2].c_str(), "wb");
	if (out == nullptr)
		return 6;
	fwrite(text, 1, static_cast<size_t>(size), out);
	fclose(out);
	return 0;
}

int RunHelperIfAsked()
{
	const char* mode = getenv("VELMORA_APP_TEST_HELPER");
	if (mode == nullptr)
		return 0;
	std::vector<std::string> args = BPrivate::ProcessArguments();
	std::string wanted = mode;
	int result = 2;
	if (wanted == "clipboard-commit")
		result = CommitRepeatedly(args);
	else if (wanted == "clipboard-read")
		result = ReadText(args);
	fflush(stdout);
	_exit(result);
}

const int sHelperGate = RunHelperIfAsked();

} // namespace

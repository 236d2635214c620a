#include <Application.h>

#include <unistd.h>

#include <climits>
#include <memory>
#include <mutex>
#include <string>

#include <File.h>
#include <Resources.h>

// The program's resources lie beside its file, named after it with
// ".rsrc" appended. They are opened once, read-only, and live as long as
// the process.
BResources* BApplication::AppResources()
{
	static std::once_flag opened;
	static std::unique_ptr<BResources> resources;
	std::call_once(opened, []() {
		char program[PATH_MAX];
		ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
		if (length <= 0)
			return;
		std::string path = std::string(program, length) + ".rsrc";
		BFile file(path.c_str(), B_READ_ONLY);
		auto archive = std::make_unique<BResources>(&file);
		if (archive->InitCheck() == B_OK)
			resources = std::move(archive);
	});
	return resources.get();
}

#include "ProgramFiles.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace BPrivate {

namespace {

std::string Canonical(const std::string& path)
{
	std::unique_ptr<char, decltype(&free)> resolved(realpath(path.c_str(), nullptr), &free);
	return resolved != nullptr ? std::string(resolved.get()) : std::string();
}

// The executable a process runs, "" when it cannot be read (another user's
// process, a kernel thread, a process that just ended).
std::string ExecutableOf(const char* pid)
{
	std::string link = std::string("/proc/") + pid + "/exe";
	char target[PATH_MAX];
	ssize_t length = readlink(link.c_str(), target, sizeof(target) - 1);
	if (length <= 0)
		return std::string();
	std::string path(target, length);
	// A file replaced while it runs (an update) still counts as that file.
	const std::string deleted = " (deleted)";
	if (path.size() > deleted.size() && path.ends_with(deleted))
		path.resize(path.size() - deleted.size());
	return path;
}

bool IsNumber(const char* name)
{
	if (*name == '\0')
		return false;
	for (const char* c = name; *c != '\0'; c++) {
		if (*c < '0' || *c > '9')
			return false;
	}
	return true;
}

} // namespace

status_t RefForPath(const std::string& path, entry_ref* ref)
{
	std::string absolute = Canonical(path);
	if (absolute.empty())
		return status_for_errno(errno);
	size_t slash = absolute.rfind('/');
	std::string directory = slash == 0 ? "/" : absolute.substr(0, slash);
	struct stat info;
	if (stat(directory.c_str(), &info) != 0)
		return status_for_errno(errno);
	*ref = entry_ref(info.st_dev, info.st_ino, absolute.substr(slash + 1).c_str(),
		absolute.c_str());
	return B_OK;
}

status_t OwnProgramRef(entry_ref* ref)
{
	return RefForPath("/proc/self/exe", ref);
}

std::vector<team_id> TeamsRunning(const std::string& path)
{
	std::vector<team_id> teams;
	std::string wanted = Canonical(path);
	if (wanted.empty())
		return teams;
	struct DirectoryCloser {
		void operator()(DIR* directory) const { closedir(directory); }
	};
	std::unique_ptr<DIR, DirectoryCloser> proc(opendir("/proc"));
	if (proc == nullptr)
		return teams;
	while (dirent* entry = readdir(proc.get())) {
		if (IsNumber(entry->d_name) && ExecutableOf(entry->d_name) == wanted)
			teams.push_back(static_cast<team_id>(atoi(entry->d_name)));
	}
	std::sort(teams.begin(), teams.end());
	return teams;
}

} // namespace BPrivate

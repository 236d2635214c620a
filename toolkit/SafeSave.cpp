#include "SafeSave.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include <Errors.h>
#include <Node.h>
#include <NodeInfo.h>

#include "FileLock.h"

namespace {

const char kNewFileMark[] = ".saving-";
constexpr size_t kUniqueLength = 6;

// The permissions a new file gets from the process's file mode mask.
mode_t NewFileMode()
{
	mode_t mask = umask(0);
	umask(mask);
	return 0666 & ~mask;
}

void SyncFolder(const std::string& folder)
{
	int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return;
	fsync(fd);
	close(fd);
}

} // namespace

namespace SafeSave {

status_t WriteAll(int fd, std::string_view bytes)
{
	size_t written = 0;
	while (written < bytes.size()) {
		ssize_t result = write(fd, bytes.data() + written, bytes.size() - written);
		if (result < 0 && errno == EINTR)
			continue;
		if (result <= 0)
			return result < 0 ? status_for_errno(errno) : B_DEVICE_FULL;
		written += static_cast<size_t>(result);
	}
	return B_OK;
}

void RemoveAbandonedNewFiles(const std::string& folder, const std::string& leaf)
{
	std::string prefix = "." + leaf;
	FileLock::RemoveUnheldFiles(folder, [&](const std::string& name) {
		size_t mark = name.rfind(kNewFileMark);
		return name.compare(0, prefix.size(), prefix) == 0 && mark != std::string::npos
			&& mark + strlen(kNewFileMark) + kUniqueLength == name.size()
			&& (leaf.empty() || mark == prefix.size());
	});
}

status_t Replace(const char* path, const std::string& bytes, const char* type)
{
	return Replace(path, [&bytes](int fd) { return WriteAll(fd, bytes); }, type);
}

status_t Replace(const char* path, const std::function<status_t(int fd)>& writeBytes,
	const char* type)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	// Through a link, the file it names is the user's page: the new text
	// goes beside that file and replaces it, and the link stays.
	char real[PATH_MAX];
	std::string target(realpath(path, real) != nullptr ? real : path);
	size_t slash = target.rfind('/');
	std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
	std::string leaf = slash == std::string::npos ? target : target.substr(slash + 1);
	std::string temporary = folder + "/." + leaf + kNewFileMark + "XXXXXX";

	struct stat old;
	mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
	int fd = mkostemp(temporary.data(), O_CLOEXEC);
	if (fd < 0)
		return status_for_errno(errno);
	// Locked until it has its place: the lock goes with the descriptor.
	flock(fd, LOCK_EX);
	status_t status = writeBytes(fd);
	if (status == B_OK && fsync(fd) != 0)
		status = status_for_errno(errno);
	if (status == B_OK && fchmod(fd, mode) != 0)
		status = status_for_errno(errno);
	if (status == B_OK && type != nullptr) {
		BNode node(temporary.c_str());
		BNodeInfo(&node).SetType(type);
	}
	if (status == B_OK && rename(temporary.c_str(), target.c_str()) != 0)
		status = status_for_errno(errno);
	if (status != B_OK)
		unlink(temporary.c_str());
	close(fd);
	if (status != B_OK)
		return status;
	SyncFolder(folder);
	return B_OK;
}

} // namespace SafeSave

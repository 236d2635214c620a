#include "FileLock.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include <Errors.h>

FileLock::~FileLock()
{
	Unset();
}

FileLock::FileLock(FileLock&& other) noexcept
	:
	fFd(std::exchange(other.fFd, -1))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
	if (this != &other) {
		Unset();
		fFd = std::exchange(other.fFd, -1);
	}
	return *this;
}

status_t FileLock::SetTo(const char* path, bool create, bool wait)
{
	Unset();
	if (path == nullptr)
		return B_BAD_VALUE;
	int flags = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT | O_EXCL : 0);
	int fd = open(path, flags, 0600);
	if (fd < 0)
		return status_for_errno(errno);
	int result;
	do {
		result = flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
	} while (result != 0 && errno == EINTR);
	if (result != 0) {
		status_t status = errno == EWOULDBLOCK ? B_BUSY : status_for_errno(errno);
		close(fd);
		return status;
	}
	// Whoever removes such a file holds its lock first: a file that was
	// removed while this waited is no longer the one at path.
	struct stat opened;
	if (fstat(fd, &opened) != 0 || opened.st_nlink == 0) {
		close(fd);
		return B_ENTRY_NOT_FOUND;
	}
	fFd = fd;
	return B_OK;
}

void FileLock::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
}

void FileLock::RemoveUnheldFiles(const std::string& folder,
	const std::function<bool(const std::string& name)>& matches)
{
	DIR* directory = opendir(folder.c_str());
	if (directory == nullptr)
		return;
	while (dirent* entry = readdir(directory)) {
		std::string name = entry->d_name;
		if (!matches(name))
			continue;
		std::string path = folder + "/" + name;
		FileLock lock;
		if (lock.SetTo(path.c_str(), false, false) == B_OK)
			unlink(path.c_str());
	}
	closedir(directory);
}

#ifndef VELMORA_FILE_LOCK_H
#define VELMORA_FILE_LOCK_H

#include <SupportDefs.h>

#include <functional>
#include <string>

// An advisory lock (flock) on a file, held for as long as the object lives
// and released by the system when the program ends, however it ends. The
// program locks the files it keeps for itself beside a page or in the
// user's folders, so that a later start can tell the files of a running
// program from those that one which ended abruptly left behind.
class FileLock {
public:
	FileLock() = default;
	~FileLock();
	FileLock(FileLock&& other) noexcept;
	FileLock& operator=(FileLock&& other) noexcept;
	FileLock(const FileLock&) = delete;
	FileLock& operator=(const FileLock&) = delete;

	// Locks the existing file at path; with create, a file made anew there
	// (B_FILE_EXISTS when one is). Without wait, a file that another
	// program holds is B_BUSY at once. A file that another program removed
	// while this one waited for it is B_ENTRY_NOT_FOUND.
	status_t SetTo(const char* path, bool create, bool wait);
	void Unset();
	bool IsLocked() const { return fFd >= 0; }

	// Removes the files of folder whose names match and that no program
	// holds: those that a program which ended abruptly left behind.
	static void RemoveUnheldFiles(const std::string& folder,
		const std::function<bool(const std::string& name)>& matches);

private:
	int fFd = -1;
};

#endif

#include <Entry.h>

#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <Directory.h>
#include <Path.h>

#include "storage_support/NodePaths.h"
#include "storage_support/Paths.h"

using namespace BPrivate::Storage;

namespace {

// rename() that keeps an existing target. RENAME_NOREPLACE is atomic; on
// file systems without it the check is made just before the rename.
status_t RenameKeepingTarget(const char* from, const char* to)
{
	if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
		return B_OK;
	if (errno != EINVAL && errno != ENOSYS)
		return status_for_errno(errno);
	struct stat st;
	if (lstat(to, &st) == 0)
		return B_FILE_EXISTS;
	return rename(from, to) == 0 ? B_OK : status_for_errno(errno);
}

} // namespace

BEntry::BEntry() = default;

BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse)
{
	SetTo(dir, path, traverse);
}

BEntry::BEntry(const entry_ref* ref, bool traverse)
{
	SetTo(ref, traverse);
}

BEntry::BEntry(const char* path, bool traverse)
{
	SetTo(path, traverse);
}

BEntry::BEntry(const BEntry& entry) = default;

BEntry::~BEntry() = default;

BEntry& BEntry::operator=(const BEntry& item) = default;

status_t BEntry::SetTo(const char* path, bool traverse)
{
	Unset();
	std::string resolved;
	fCStatus = ResolveEntry(path, traverse, &resolved);
	if (fCStatus != B_OK)
		return fCStatus;
	fPath = resolved;
	std::string directory;
	SplitPath(fPath, &directory, &fName);
	return B_OK;
}

status_t BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	if (dir == nullptr || path == nullptr) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	if (path[0] == '/')
		return SetTo(path, traverse);
	BEntry dirEntry;
	status_t status = dir->GetEntry(&dirEntry);
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	return SetTo(JoinPath(dirEntry.fPath, path).c_str(), traverse);
}

status_t BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	if (ref == nullptr || ref->path.empty()) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	return SetTo(ref->path.c_str(), traverse);
}

void BEntry::Unset()
{
	fPath.clear();
	fName.clear();
	fCStatus = B_NO_INIT;
}

bool BEntry::Exists() const
{
	struct stat st;
	return GetStat(&st) == B_OK;
}

status_t BEntry::GetStat(struct stat* st) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (st == nullptr)
		return B_BAD_VALUE;
	return lstat(fPath.c_str(), st) == 0 ? B_OK : status_for_errno(errno);
}

status_t BEntry::GetRef(entry_ref* ref) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (ref == nullptr)
		return B_BAD_VALUE;
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	struct stat st;
	if (stat(directory.c_str(), &st) != 0)
		return status_for_errno(errno);
	*ref = entry_ref(st.st_dev, st.st_ino, leaf.empty() ? "." : leaf.c_str(), fPath.c_str());
	return B_OK;
}

status_t BEntry::GetPath(BPath* path) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (path == nullptr)
		return B_BAD_VALUE;
	return path->SetTo(fPath.c_str());
}

status_t BEntry::GetParent(BEntry* entry) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (fPath == "/")
		return B_ENTRY_NOT_FOUND;
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	return entry->SetTo(directory.c_str());
}

status_t BEntry::GetParent(BDirectory* dir) const
{
	if (dir == nullptr)
		return B_BAD_VALUE;
	BEntry parent;
	status_t status = GetParent(&parent);
	if (status != B_OK)
		return status;
	return dir->SetTo(&parent);
}

status_t BEntry::GetName(char* buffer) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (buffer == nullptr)
		return B_BAD_VALUE;
	strncpy(buffer, fName.c_str(), B_FILE_NAME_LENGTH - 1);
	buffer[B_FILE_NAME_LENGTH - 1] = '\0';
	return B_OK;
}

const char* BEntry::Name() const
{
	return fCStatus == B_OK ? fName.c_str() : nullptr;
}

status_t BEntry::Rename(const char* path, bool clobber)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	std::string directory, leaf;
	SplitPath(fPath, &directory, &leaf);
	std::string target = path[0] == '/' ? std::string(path) : JoinPath(directory, path);
	return ReplaceEntry(target, clobber);
}

status_t BEntry::MoveTo(BDirectory* dir, const char* path, bool clobber)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (dir == nullptr)
		return B_BAD_VALUE;
	BEntry dirEntry;
	status_t status = dir->GetEntry(&dirEntry);
	if (status != B_OK)
		return status;
	const char* name = path != nullptr ? path : fName.c_str();
	std::string target = name[0] == '/' ? std::string(name) : JoinPath(dirEntry.fPath, name);
	return ReplaceEntry(target, clobber);
}

status_t BEntry::ReplaceEntry(const std::string& target, bool clobber)
{
	std::string resolved;
	status_t status = ResolveEntry(target.c_str(), false, &resolved);
	if (status != B_OK)
		return status;
	if (resolved == fPath)
		return B_OK;
	if (clobber)
		status = rename(fPath.c_str(), resolved.c_str()) == 0 ? B_OK : status_for_errno(errno);
	else
		status = RenameKeepingTarget(fPath.c_str(), resolved.c_str());
	if (status == B_OK)
		SetTo(resolved.c_str());
	return status;
}

status_t BEntry::Remove()
{
	struct stat st;
	status_t status = GetStat(&st);
	if (status != B_OK)
		return status;
	int result = S_ISDIR(st.st_mode) ? rmdir(fPath.c_str()) : unlink(fPath.c_str());
	return result == 0 ? B_OK : status_for_errno(errno);
}

status_t BEntry::GetNodeRef(node_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status != B_OK)
		return status;
	*ref = RememberNode(st, fPath);
	return B_OK;
}

status_t BEntry::GetSize(off_t* size) const
{
	struct stat st;
	status_t status = size == nullptr ? B_BAD_VALUE : GetStat(&st);
	if (status == B_OK)
		*size = st.st_size;
	return status;
}

status_t BEntry::GetModificationTime(time_t* mtime) const
{
	struct stat st;
	status_t status = mtime == nullptr ? B_BAD_VALUE : GetStat(&st);
	if (status == B_OK)
		*mtime = st.st_mtime;
	return status;
}

bool BEntry::IsFile() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISREG(st.st_mode);
}

bool BEntry::IsDirectory() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISDIR(st.st_mode);
}

bool BEntry::IsSymLink() const
{
	struct stat st;
	return GetStat(&st) == B_OK && S_ISLNK(st.st_mode);
}

bool BEntry::operator==(const BEntry& item) const
{
	if (fCStatus != B_OK || item.fCStatus != B_OK)
		return fCStatus != B_OK && item.fCStatus != B_OK;
	return fPath == item.fPath;
}

status_t get_ref_for_path(const char* path, entry_ref* ref)
{
	if (path == nullptr || ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry(path);
	status_t status = entry.InitCheck();
	return status == B_OK ? entry.GetRef(ref) : status;
}

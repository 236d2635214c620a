#include <Directory.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <Entry.h>
#include <File.h>
#include <Path.h>

#include "storage_support/Paths.h"

using namespace BPrivate::Storage;

namespace {

bool IsDotName(const char* name)
{
	return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

bool MatchesFlavor(const BEntry& entry, int32 nodeFlags)
{
	struct stat st;
	if (entry.GetStat(&st) != B_OK)
		return false;
	if (S_ISLNK(st.st_mode))
		return (nodeFlags & B_SYMLINK_NODE) != 0;
	if (S_ISDIR(st.st_mode))
		return (nodeFlags & B_DIRECTORY_NODE) != 0;
	return (nodeFlags & B_FILE_NODE) != 0;
}

status_t MakeOneDirectory(const std::string& path, mode_t mode)
{
	if (mkdir(path.c_str(), mode) == 0)
		return B_OK;
	if (errno != EEXIST)
		return status_for_errno(errno);
	struct stat st;
	if (stat(path.c_str(), &st) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;
	return B_OK;
}

} // namespace

BDirectory::BDirectory() = default;

BDirectory::BDirectory(const BDirectory& dir)
	: BNode(dir)
{
}

BDirectory::BDirectory(const entry_ref* ref)
{
	SetTo(ref);
}

BDirectory::BDirectory(const BEntry* entry)
{
	SetTo(entry);
}

BDirectory::BDirectory(const char* path)
{
	SetTo(path);
}

BDirectory::BDirectory(const BDirectory* dir, const char* path)
{
	SetTo(dir, path);
}

BDirectory::~BDirectory()
{
	Unset();
}

BDirectory& BDirectory::operator=(const BDirectory& dir)
{
	if (this != &dir) {
		Unset();
		BNode::operator=(dir);
	}
	return *this;
}

status_t BDirectory::SetTo(const char* path)
{
	Unset();
	return OpenNode(path, O_RDONLY | O_DIRECTORY, 0, 1);
}

status_t BDirectory::SetTo(const entry_ref* ref)
{
	if (ref == nullptr || ref->path.empty()) {
		Unset();
		return Fail(B_BAD_VALUE);
	}
	return SetTo(ref->path.c_str());
}

status_t BDirectory::SetTo(const BEntry* entry)
{
	BPath path;
	status_t status = entry == nullptr ? B_BAD_VALUE : entry->GetPath(&path);
	if (status != B_OK) {
		Unset();
		return Fail(status);
	}
	return SetTo(path.Path());
}

status_t BDirectory::SetTo(const BDirectory* dir, const char* path)
{
	BEntry entry(dir, path);
	if (entry.InitCheck() != B_OK) {
		Unset();
		return Fail(entry.InitCheck());
	}
	return SetTo(&entry);
}

void BDirectory::Unset()
{
	if (fListing != nullptr)
		closedir(fListing);
	fListing = nullptr;
	BNode::Unset();
}

std::string BDirectory::PathOf(const char* path) const
{
	return path[0] == '/' ? std::string(path) : JoinPath(NodePath(), path);
}

status_t BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	return entry->SetTo(NodePath().c_str());
}

bool BDirectory::IsRootDirectory() const
{
	return InitCheck() == B_OK && NodePath() == "/";
}

status_t BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (path == nullptr || entry == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	status_t status = entry->SetTo(PathOf(path).c_str(), traverse);
	if (status == B_OK && !entry->Exists()) {
		entry->Unset();
		status = B_ENTRY_NOT_FOUND;
	}
	return status;
}

bool BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	if (path == nullptr || InitCheck() != B_OK)
		return false;
	BEntry entry(PathOf(path).c_str());
	return Contains(&entry, nodeFlags);
}

bool BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	if (entry == nullptr || InitCheck() != B_OK || !MatchesFlavor(*entry, nodeFlags))
		return false;
	BPath path;
	if (entry->GetPath(&path) != B_OK)
		return false;
	std::string prefix = JoinPath(NodePath(), "");
	return strncmp(path.Path(), prefix.c_str(), prefix.size()) == 0
		&& path.Path()[prefix.size()] != '\0';
}

status_t BDirectory::NextName(std::string* name)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fListing == nullptr) {
		// The listing opens the directory anew: a duplicated descriptor would
		// share its reading offset with the node and with copies of it.
		// closedir() closes it.
		int fd = openat(FD(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
		if (fd < 0)
			return status_for_errno(errno);
		fListing = fdopendir(fd);
		if (fListing == nullptr) {
			status_t status = status_for_errno(errno);
			close(fd);
			return status;
		}
	}
	for (;;) {
		errno = 0;
		struct dirent* found = readdir(fListing);
		if (found == nullptr)
			return errno != 0 ? status_for_errno(errno) : B_ENTRY_NOT_FOUND;
		if (!IsDotName(found->d_name)) {
			*name = found->d_name;
			return B_OK;
		}
	}
}

status_t BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == nullptr)
		return B_BAD_VALUE;
	std::string name;
	status_t status = NextName(&name);
	if (status != B_OK) {
		entry->Unset();
		return status;
	}
	return entry->SetTo(JoinPath(NodePath(), name).c_str(), traverse);
}

status_t BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry;
	status_t status = GetNextEntry(&entry);
	return status == B_OK ? entry.GetRef(ref) : status;
}

status_t BDirectory::Rewind()
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (fListing != nullptr)
		rewinddir(fListing);
	return B_OK;
}

int32 BDirectory::CountEntries() const
{
	BDirectory counter(*this);
	int32 count = 0;
	std::string name;
	while (counter.NextName(&name) == B_OK)
		count++;
	return count;
}

status_t BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	uint32 mode = B_READ_WRITE | B_CREATE_FILE | (failIfExists ? B_FAIL_IF_EXISTS : B_ERASE_FILE);
	BFile local;
	BFile* target = file != nullptr ? file : &local;
	return target->SetTo(PathOf(path).c_str(), mode);
}

status_t BDirectory::CreateDirectory(const char* path, BDirectory* dir)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return InitCheck();
	std::string full = PathOf(path);
	if (mkdir(full.c_str(), 0777) != 0)
		return status_for_errno(errno);
	return dir != nullptr ? dir->SetTo(full.c_str()) : B_OK;
}

status_t create_directory(const char* path, mode_t mode)
{
	std::string absolute;
	status_t status = MakeAbsolute(path, &absolute);
	if (status != B_OK)
		return status;
	// Each prefix in turn, as written: ".." and links mean what the kernel
	// says they mean.
	size_t end = 0;
	while (status == B_OK && end != std::string::npos) {
		end = absolute.find('/', end + 1);
		std::string prefix = absolute.substr(0, end);
		if (!prefix.empty() && prefix.back() != '/')
			status = MakeOneDirectory(prefix, mode);
	}
	return status;
}

#include <File.h>

#include <unistd.h>

#include <cerrno>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

namespace {

int OpenFlags(uint32 openMode)
{
	int flags = openMode & (B_ACCESS_MODE_MASK | B_ERASE_FILE | B_CREATE_FILE);
	// Failing when the file exists only means something when it may be made.
	if (openMode & B_FAIL_IF_EXISTS)
		flags |= O_CREAT | O_EXCL;
	return flags;
}

// Writes until everything is written or an error stops it; at the file's
// position when location is negative. Returns what was written, or the
// error when nothing was.
ssize_t WriteAll(int fd, const char* bytes, size_t size, off_t location)
{
	size_t done = 0;
	while (done < size) {
		ssize_t result = location < 0 ? write(fd, bytes + done, size - done)
			: pwrite(fd, bytes + done, size - done, location + done);
		if (result < 0 && errno == EINTR)
			continue;
		if (result <= 0) {
			if (done > 0)
				return done;
			return result == 0 ? B_IO_ERROR : status_for_errno(errno);
		}
		done += result;
	}
	return done;
}

} // namespace

BFile::BFile() = default;

BFile::BFile(const BFile& file)
	: BNode(file), BPositionIO(), fMode(file.fMode)
{
}

BFile::BFile(const entry_ref* ref, uint32 openMode)
{
	SetTo(ref, openMode);
}

BFile::BFile(const BEntry* entry, uint32 openMode)
{
	SetTo(entry, openMode);
}

BFile::BFile(const char* path, uint32 openMode)
{
	SetTo(path, openMode);
}

BFile::BFile(const BDirectory* dir, const char* path, uint32 openMode)
{
	SetTo(dir, path, openMode);
}

BFile::~BFile() = default;

BFile& BFile::operator=(const BFile& file)
{
	if (this != &file) {
		BNode::operator=(file);
		fMode = InitCheck() == B_OK ? file.fMode : 0;
	}
	return *this;
}

status_t BFile::SetTo(const char* path, uint32 openMode)
{
	fMode = 0;
	status_t status = OpenNode(path, OpenFlags(openMode), 0666, 0);
	if (status != B_OK)
		return status;
	fMode = openMode;
	if ((openMode & B_OPEN_AT_END) && lseek(FD(), 0, SEEK_END) < 0)
		return Fail(status_for_errno(errno));
	return B_OK;
}

status_t BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	if (ref == nullptr || ref->path.empty())
		return Fail(B_BAD_VALUE);
	return SetTo(ref->path.c_str(), openMode);
}

status_t BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	BPath path;
	status_t status = entry == nullptr ? B_BAD_VALUE : entry->GetPath(&path);
	if (status != B_OK)
		return Fail(status);
	return SetTo(path.Path(), openMode);
}

status_t BFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	BEntry entry(dir, path);
	if (entry.InitCheck() != B_OK)
		return Fail(entry.InitCheck());
	return SetTo(&entry, openMode);
}

void BFile::Unset()
{
	BNode::Unset();
	fMode = 0;
}

bool BFile::IsReadable() const
{
	uint32 access = fMode & B_ACCESS_MODE_MASK;
	return InitCheck() == B_OK && (access == B_READ_ONLY || access == B_READ_WRITE);
}

bool BFile::IsWritable() const
{
	uint32 access = fMode & B_ACCESS_MODE_MASK;
	return InitCheck() == B_OK && (access == B_WRITE_ONLY || access == B_READ_WRITE);
}

ssize_t BFile::Read(void* buffer, size_t size)
{
	if (!IsReadable())
		return InitCheck() != B_OK ? InitCheck() : B_NOT_ALLOWED;
	ssize_t result;
	do {
		result = read(FD(), buffer, size);
	} while (result < 0 && errno == EINTR);
	return result < 0 ? status_for_errno(errno) : result;
}

ssize_t BFile::ReadAt(off_t location, void* buffer, size_t size)
{
	if (!IsReadable())
		return InitCheck() != B_OK ? InitCheck() : B_NOT_ALLOWED;
	if (location < 0)
		return B_BAD_VALUE;
	ssize_t result;
	do {
		result = pread(FD(), buffer, size, location);
	} while (result < 0 && errno == EINTR);
	return result < 0 ? status_for_errno(errno) : result;
}

ssize_t BFile::Write(const void* buffer, size_t size)
{
	if (!IsWritable())
		return InitCheck() != B_OK ? InitCheck() : B_NOT_ALLOWED;
	return WriteAll(FD(), static_cast<const char*>(buffer), size, -1);
}

ssize_t BFile::WriteAt(off_t location, const void* buffer, size_t size)
{
	if (!IsWritable())
		return InitCheck() != B_OK ? InitCheck() : B_NOT_ALLOWED;
	if (location < 0)
		return B_BAD_VALUE;
	return WriteAll(FD(), static_cast<const char*>(buffer), size, location);
}

off_t BFile::Seek(off_t position, uint32 seekMode)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	off_t result = lseek(FD(), position, seekMode);
	return result < 0 ? status_for_errno(errno) : result;
}

off_t BFile::Position() const
{
	if (InitCheck() != B_OK)
		return InitCheck();
	off_t result = lseek(FD(), 0, SEEK_CUR);
	return result < 0 ? status_for_errno(errno) : result;
}

status_t BFile::SetSize(off_t size)
{
	if (!IsWritable())
		return InitCheck() != B_OK ? InitCheck() : B_NOT_ALLOWED;
	if (size < 0)
		return B_BAD_VALUE;
	int result;
	do {
		result = ftruncate(FD(), size);
	} while (result < 0 && errno == EINTR);
	return result == 0 ? B_OK : status_for_errno(errno);
}

status_t BFile::GetSize(off_t* size) const
{
	if (size == nullptr)
		return B_BAD_VALUE;
	struct stat st;
	status_t status = GetStat(&st);
	if (status == B_OK)
		*size = st.st_size;
	return status;
}

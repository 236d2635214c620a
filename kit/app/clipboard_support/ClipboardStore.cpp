#include "ClipboardStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace BPrivate {

namespace {

constexpr char kMagic[4] = {'V', 'C', 'L', 'P'};
constexpr uint32 kVersion = 1;
constexpr uint32 kMarkFlag = 0x01;
constexpr size_t kFixedHeaderSize = 20;
// A store larger than this is taken as damaged rather than read.
constexpr off_t kMaxStoreSize = off_t(512) << 20;

// An fd closed when it goes out of scope.
class FileDescriptor {
public:
	explicit FileDescriptor(int fd) : fFd(fd) {}
	~FileDescriptor()
	{
		if (fFd >= 0)
			close(fFd);
	}
	FileDescriptor(const FileDescriptor&) = delete;
	FileDescriptor& operator=(const FileDescriptor&) = delete;
	int Get() const { return fFd; }

private:
	int fFd;
};

// Makes the directory if needed and checks that it is the user's own: a
// directory another user made in /tmp must not receive our clipboard.
status_t PrepareDirectory(const std::string& path)
{
	if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
		return status_for_errno(errno);
	struct stat info;
	if (lstat(path.c_str(), &info) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(info.st_mode) || info.st_uid != getuid() || (info.st_mode & 077) != 0)
		return B_PERMISSION_DENIED;
	return B_OK;
}

std::string StoreDirectory()
{
	const char* runtime = getenv("XDG_RUNTIME_DIR");
	if (runtime != nullptr && runtime[0] == '/')
		return std::string(runtime) + "/velmora";
	return "/tmp/velmora-" + std::to_string(getuid());
}

// Clipboard names become file names: anything but [A-Za-z0-9._-] is escaped.
std::string FileNameFor(const std::string& name)
{
	std::string file = "clipboard-";
	for (unsigned char c : name) {
		if (isalnum(c) || c == '_' || c == '-' || c == '.') {
			file += static_cast<char>(c);
		} else {
			char escaped[4];
			snprintf(escaped, sizeof(escaped), "%%%02X", c);
			file += escaped;
		}
	}
	return file;
}

void PutU32(std::string& out, uint32 value)
{
	out.append(reinterpret_cast<const char*>(&value), 4);
}

uint32 GetU32(const char* data)
{
	uint32 value;
	memcpy(&value, data, 4);
	return value;
}

status_t ReadAll(int fd, size_t length, std::string* bytes)
{
	bytes->resize(length);
	size_t done = 0;
	while (done < length) {
		ssize_t got = read(fd, bytes->data() + done, length - done);
		if (got < 0 && errno == EINTR)
			continue;
		if (got <= 0)
			return B_BAD_DATA;
		done += static_cast<size_t>(got);
	}
	return B_OK;
}

status_t WriteAll(int fd, const std::string& bytes)
{
	size_t done = 0;
	while (done < bytes.size()) {
		ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
		if (put < 0 && errno == EINTR)
			continue;
		if (put < 0)
			return status_for_errno(errno);
		done += static_cast<size_t>(put);
	}
	return B_OK;
}

} // namespace

ClipboardStore::ClipboardStore(const std::string& name)
{
	std::string directory = StoreDirectory();
	fInitStatus = PrepareDirectory(directory);
	std::string base = directory + "/" + FileNameFor(name);
	fDataPath = base;
	fLockPath = base + ".lock";
}

uint32 ClipboardStore::Count() const
{
	Contents contents;
	return Read(&contents, false) == B_OK ? contents.count : 0;
}

status_t ClipboardStore::Read(Contents* contents, bool withData) const
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	FileDescriptor file(open(fDataPath.c_str(), O_RDONLY | O_CLOEXEC));
	if (file.Get() < 0)
		return errno == ENOENT ? B_ENTRY_NOT_FOUND : status_for_errno(errno);
	struct stat info;
	if (fstat(file.Get(), &info) != 0 || info.st_size < off_t(kFixedHeaderSize)
		|| info.st_size > kMaxStoreSize) {
		return B_BAD_DATA;
	}
	std::string header;
	if (ReadAll(file.Get(), kFixedHeaderSize, &header) != B_OK
		|| memcmp(header.data(), kMagic, 4) != 0 || GetU32(header.data() + 4) != kVersion) {
		return B_BAD_DATA;
	}
	size_t remaining = static_cast<size_t>(info.st_size) - kFixedHeaderSize;
	uint32 flags = GetU32(header.data() + 12);
	uint32 markLength = GetU32(header.data() + 16);
	if (markLength > remaining || (flags & ~kMarkFlag) != 0)
		return B_BAD_DATA;
	contents->count = GetU32(header.data() + 8);
	contents->hasDesktopMark = (flags & kMarkFlag) != 0;
	if (ReadAll(file.Get(), markLength, &contents->desktopMark) != B_OK)
		return B_BAD_DATA;
	contents->data.clear();
	if (withData && ReadAll(file.Get(), remaining - markLength, &contents->data) != B_OK)
		return B_BAD_DATA;
	return B_OK;
}

status_t ClipboardStore::Write(const std::string& data, bool hasDesktopMark,
	const std::string& desktopMark, uint32 expectedCount, uint32* newCount)
{
	if (fInitStatus != B_OK)
		return fInitStatus;
	FileDescriptor lockFile(open(fLockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
	if (lockFile.Get() < 0)
		return status_for_errno(errno);
	// Held until lockFile closes: commits of several processes take turns.
	while (flock(lockFile.Get(), LOCK_EX) != 0) {
		if (errno != EINTR)
			return status_for_errno(errno);
	}

	uint32 current = Count();
	if (expectedCount != kAnyCount && current != expectedCount)
		return B_ERROR;
	uint32 next = current + 1 == 0 ? 1 : current + 1;

	std::string bytes(kMagic, 4);
	PutU32(bytes, kVersion);
	PutU32(bytes, next);
	PutU32(bytes, hasDesktopMark ? kMarkFlag : 0);
	PutU32(bytes, static_cast<uint32>(desktopMark.size()));
	bytes += desktopMark;
	bytes += data;
	status_t status = WriteFile(bytes);
	if (status == B_OK && newCount != nullptr)
		*newCount = next;
	return status;
}

status_t ClipboardStore::WriteFile(const std::string& bytes)
{
	std::string temporary = fDataPath + ".XXXXXX";
	FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
	if (file.Get() < 0)
		return status_for_errno(errno);
	status_t status = WriteAll(file.Get(), bytes);
	if (status == B_OK && rename(temporary.c_str(), fDataPath.c_str()) != 0)
		status = status_for_errno(errno);
	if (status != B_OK)
		unlink(temporary.c_str());
	return status;
}

} // namespace BPrivate

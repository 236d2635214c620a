#include <Node.h>

#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>
#include <TypeConstants.h>

#include "storage_support/NodePaths.h"
#include "storage_support/Paths.h"

using namespace BPrivate::Storage;

namespace {

std::string AttributeKey(const char* name)
{
	return std::string("user.") + name;
}

bool ValidAttributeName(const char* name)
{
	return name != nullptr && name[0] != '\0' && strlen(name) < B_ATTR_NAME_LENGTH;
}

status_t AttributeError(int error)
{
	if (error == ENODATA)
		return B_ENTRY_NOT_FOUND;
	if (error == ENOTSUP)
		return B_UNSUPPORTED;
	if (error == E2BIG || error == ERANGE)
		return B_BAD_VALUE;
	return status_for_errno(error);
}

} // namespace

BNode::BNode() = default;

BNode::BNode(const entry_ref* ref)
{
	SetTo(ref);
}

BNode::BNode(const BEntry* entry)
{
	SetTo(entry);
}

BNode::BNode(const char* path)
{
	SetTo(path);
}

BNode::BNode(const BDirectory* dir, const char* path)
{
	SetTo(dir, path);
}

BNode::BNode(const BNode& node)
{
	*this = node;
}

BNode::~BNode()
{
	Unset();
}

BNode& BNode::operator=(const BNode& node)
{
	if (this == &node)
		return *this;
	Unset();
	if (node.fFd < 0) {
		fCStatus = node.fCStatus;
		return *this;
	}
	fFd = fcntl(node.fFd, F_DUPFD_CLOEXEC, 0);
	fCStatus = fFd < 0 ? status_for_errno(errno) : B_OK;
	if (fFd >= 0)
		fPath = node.fPath;
	return *this;
}

status_t BNode::SetTo(const char* path)
{
	// Non-blocking, so that a node that is a FIFO opens without a writer.
	return OpenNode(path, O_RDONLY | O_NONBLOCK, 0, -1);
}

status_t BNode::SetTo(const entry_ref* ref)
{
	if (ref == nullptr || ref->path.empty())
		return Fail(B_BAD_VALUE);
	return SetTo(ref->path.c_str());
}

status_t BNode::SetTo(const BEntry* entry)
{
	BPath path;
	status_t status = entry == nullptr ? B_BAD_VALUE : entry->GetPath(&path);
	if (status != B_OK)
		return Fail(status);
	return SetTo(path.Path());
}

status_t BNode::SetTo(const BDirectory* dir, const char* path)
{
	BEntry entry(dir, path);
	if (entry.InitCheck() != B_OK)
		return Fail(entry.InitCheck());
	return SetTo(&entry);
}

void BNode::Unset()
{
	if (fFd >= 0)
		close(fFd);
	fFd = -1;
	fPath.clear();
	fCStatus = B_NO_INIT;
}

status_t BNode::Fail(status_t status)
{
	Unset();
	return fCStatus = status;
}

status_t BNode::OpenNode(const char* path, int flags, mode_t mode, int wantDirectory)
{
	Unset();
	std::string resolved;
	status_t status = ResolveEntry(path, true, &resolved);
	if (status != B_OK)
		return Fail(status);

	int fd;
	do {
		fd = open(resolved.c_str(), flags | O_CLOEXEC, mode);
	} while (fd < 0 && errno == EINTR);
	if (fd < 0)
		return Fail(status_for_errno(errno));

	struct stat st;
	if (fstat(fd, &st) != 0)
		status = status_for_errno(errno);
	else if (wantDirectory == 0 && S_ISDIR(st.st_mode))
		status = B_IS_A_DIRECTORY;
	else if (wantDirectory == 1 && !S_ISDIR(st.st_mode))
		status = B_NOT_A_DIRECTORY;
	if (status != B_OK) {
		close(fd);
		return Fail(status);
	}
	fFd = fd;
	fPath = resolved;
	return fCStatus = B_OK;
}

status_t BNode::GetStat(struct stat* st) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (st == nullptr)
		return B_BAD_VALUE;
	return fstat(fFd, st) == 0 ? B_OK : status_for_errno(errno);
}

status_t BNode::GetNodeRef(node_ref* ref) const
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

status_t BNode::Sync()
{
	if (fCStatus != B_OK)
		return fCStatus;
	return fsync(fFd) == 0 ? B_OK : status_for_errno(errno);
}

status_t BNode::ReadAttrValue(const char* name, std::string* value) const
{
	std::string key = AttributeKey(name);
	// The value may change between asking its size and reading it.
	for (int attempt = 0; attempt < 3; attempt++) {
		ssize_t size = fgetxattr(fFd, key.c_str(), nullptr, 0);
		if (size < 0)
			return AttributeError(errno);
		value->resize(size);
		ssize_t read = fgetxattr(fFd, key.c_str(), value->data(), value->size());
		if (read >= 0) {
			value->resize(read);
			return B_OK;
		}
		if (errno != ERANGE)
			return AttributeError(errno);
	}
	return B_BUSY;
}

ssize_t BNode::ReadAttr(const char* name, type_code, off_t offset, void* buffer,
	size_t length) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (!ValidAttributeName(name) || offset < 0 || (buffer == nullptr && length > 0))
		return B_BAD_VALUE;
	std::string value;
	status_t status = ReadAttrValue(name, &value);
	if (status != B_OK)
		return status;
	if (static_cast<size_t>(offset) >= value.size())
		return 0;
	size_t count = min_c(length, value.size() - offset);
	memcpy(buffer, value.data() + offset, count);
	return count;
}

ssize_t BNode::WriteAttr(const char* name, type_code, off_t offset, const void* buffer,
	size_t length)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (!ValidAttributeName(name) || offset < 0 || (buffer == nullptr && length > 0))
		return B_BAD_VALUE;
	std::string value;
	if (offset > 0) {
		status_t status = ReadAttrValue(name, &value);
		if (status != B_OK && status != B_ENTRY_NOT_FOUND)
			return status;
		value.resize(offset);
	}
	value.append(static_cast<const char*>(buffer), length);
	if (fsetxattr(fFd, AttributeKey(name).c_str(), value.data(), value.size(), 0) != 0)
		return AttributeError(errno);
	return length;
}

status_t BNode::RemoveAttr(const char* name)
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (!ValidAttributeName(name))
		return B_BAD_VALUE;
	return fremovexattr(fFd, AttributeKey(name).c_str()) == 0 ? B_OK : AttributeError(errno);
}

status_t BNode::GetAttrInfo(const char* name, attr_info* info) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (!ValidAttributeName(name) || info == nullptr)
		return B_BAD_VALUE;
	ssize_t size = fgetxattr(fFd, AttributeKey(name).c_str(), nullptr, 0);
	if (size < 0)
		return AttributeError(errno);
	info->type = B_RAW_TYPE;
	info->size = size;
	return B_OK;
}

bool BNode::operator==(const BNode& node) const
{
	if (fCStatus != B_OK || node.fCStatus != B_OK)
		return fCStatus != B_OK && node.fCStatus != B_OK;
	node_ref mine, theirs;
	return GetNodeRef(&mine) == B_OK && node.GetNodeRef(&theirs) == B_OK && mine == theirs;
}

#include "Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace BPrivate {
namespace Storage {

namespace {

const int kMaxLinkHops = 32;

void StripTrailingSlashes(std::string* path)
{
	while (path->size() > 1 && path->back() == '/')
		path->pop_back();
}

status_t RealPath(const std::string& path, std::string* out)
{
	std::unique_ptr<char, decltype(&free)> real(realpath(path.c_str(), nullptr), &free);
	if (!real)
		return status_for_errno(errno);
	*out = real.get();
	return B_OK;
}

// realpath() also accepts a file; the directory of an entry must be one.
status_t RealDirectory(const std::string& path, std::string* out)
{
	status_t status = RealPath(path, out);
	struct stat st;
	if (status == B_OK && stat(out->c_str(), &st) != 0)
		status = status_for_errno(errno);
	if (status == B_OK && !S_ISDIR(st.st_mode))
		status = B_NOT_A_DIRECTORY;
	return status;
}

status_t ReadLink(const std::string& path, std::string* target)
{
	std::vector<char> buffer(PATH_MAX);
	ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
	if (length < 0)
		return status_for_errno(errno);
	if (static_cast<size_t>(length) >= buffer.size())
		return B_NAME_TOO_LONG;
	if (length == 0)
		return B_ENTRY_NOT_FOUND;
	target->assign(buffer.data(), length);
	return B_OK;
}

bool IsSymLink(const std::string& path)
{
	struct stat st;
	return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

status_t MakeAbsolute(const char* path, std::string* out)
{
	if (path == nullptr || path[0] == '\0')
		return B_BAD_VALUE;
	if (path[0] == '/') {
		*out = path;
		return B_OK;
	}
	std::unique_ptr<char, decltype(&free)> cwd(getcwd(nullptr, 0), &free);
	if (!cwd)
		return status_for_errno(errno);
	*out = JoinPath(cwd.get(), path);
	return B_OK;
}

std::string NormalizeLexically(const std::string& absolutePath)
{
	std::vector<std::string> segments;
	size_t start = 0;
	while (start <= absolutePath.size()) {
		size_t end = absolutePath.find('/', start);
		if (end == std::string::npos)
			end = absolutePath.size();
		std::string segment = absolutePath.substr(start, end - start);
		if (segment == "..") {
			if (!segments.empty())
				segments.pop_back();
		} else if (!segment.empty() && segment != ".") {
			segments.push_back(segment);
		}
		start = end + 1;
	}
	std::string result;
	for (const std::string& segment : segments)
		result += "/" + segment;
	return result.empty() ? "/" : result;
}

void SplitPath(const std::string& path, std::string* directory, std::string* leaf)
{
	size_t slash = path.rfind('/');
	if (slash == std::string::npos) {
		*directory = ".";
		*leaf = path;
	} else if (path == "/") {
		*directory = "/";
		leaf->clear();
	} else {
		*directory = slash == 0 ? "/" : path.substr(0, slash);
		*leaf = path.substr(slash + 1);
	}
}

std::string JoinPath(const std::string& directory, const std::string& leaf)
{
	if (directory.empty() || directory.back() == '/')
		return directory + leaf;
	return directory + "/" + leaf;
}

status_t ResolveEntry(const char* path, bool traverse, std::string* out)
{
	std::string current;
	status_t status = MakeAbsolute(path, &current);
	if (status != B_OK)
		return status;

	for (int hops = 0;; hops++) {
		StripTrailingSlashes(&current);
		std::string directory, leaf;
		SplitPath(current, &directory, &leaf);
		if (leaf == "." || leaf == "..") {
			// The entry is a directory reached through the name itself.
			if ((status = RealPath(current, &current)) != B_OK)
				return status;
			SplitPath(current, &directory, &leaf);
		}
		if (leaf.empty()) {
			*out = "/";
			return B_OK;
		}
		if (leaf.size() > NAME_MAX)
			return B_NAME_TOO_LONG;
		if ((status = RealDirectory(directory, &directory)) != B_OK)
			return status;
		std::string resolved = JoinPath(directory, leaf);
		if (resolved.size() >= PATH_MAX)
			return B_NAME_TOO_LONG;
		if (!traverse || !IsSymLink(resolved)) {
			*out = resolved;
			return B_OK;
		}
		if (hops >= kMaxLinkHops)
			return B_LINK_LIMIT;
		std::string target;
		if ((status = ReadLink(resolved, &target)) != B_OK)
			return status;
		current = target[0] == '/' ? target : JoinPath(directory, target);
	}
}

} // namespace Storage
} // namespace BPrivate

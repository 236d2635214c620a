#include "DirectoryListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <memory>

#include <Entry.h>
#include <Errors.h>
#include <Node.h>
#include <NodeInfo.h>
#include <RefFilter.h>
#include <StorageDefs.h>
#include <storage_support/Paths.h>

namespace BPrivate {

namespace {

struct DirectoryCloser {
	void operator()(DIR* directory) const { closedir(directory); }
};

// Names in the order people count: letters without regard to case, and
// a run of digits by its number, so that "page9" comes before "page10".
int CompareNames(const std::string& a, const std::string& b)
{
	size_t i = 0;
	size_t j = 0;
	while (i < a.size() && j < b.size()) {
		if (isdigit(static_cast<unsigned char>(a[i])) && isdigit(static_cast<unsigned char>(b[j]))) {
			size_t endA = a.find_first_not_of("0123456789", i);
			size_t endB = b.find_first_not_of("0123456789", j);
			std::string numberA = a.substr(i, endA == std::string::npos ? std::string::npos : endA - i);
			std::string numberB = b.substr(j, endB == std::string::npos ? std::string::npos : endB - j);
			numberA.erase(0, std::min(numberA.find_first_not_of('0'), numberA.size() - 1));
			numberB.erase(0, std::min(numberB.find_first_not_of('0'), numberB.size() - 1));
			if (numberA.size() != numberB.size())
				return numberA.size() < numberB.size() ? -1 : 1;
			if (int order = numberA.compare(numberB))
				return order;
			i += endA == std::string::npos ? a.size() - i : endA - i;
			j += endB == std::string::npos ? b.size() - j : endB - j;
			continue;
		}
		int left = tolower(static_cast<unsigned char>(a[i++]));
		int right = tolower(static_cast<unsigned char>(b[j++]));
		if (left != right)
			return left < right ? -1 : 1;
	}
	if (i < a.size() || j < b.size())
		return i < a.size() ? 1 : -1;
	return a.compare(b);
}

bool ComesFirst(const ListedEntry& a, const ListedEntry& b)
{
	if (a.isDirectory != b.isDirectory)
		return a.isDirectory;
	return CompareNames(a.name, b.name) < 0;
}

bool Accepts(BRefFilter* filter, ListedEntry& entry, struct stat* info)
{
	if (filter == nullptr)
		return true;
	BNode node(&entry.ref);
	char type[B_MIME_TYPE_LENGTH] = "";
	if (node.InitCheck() == B_OK) {
		BNodeInfo nodeInfo(&node);
		if (nodeInfo.GetType(type) != B_OK)
			type[0] = '\0';
	}
	return filter->Filter(&entry.ref, &node, info, type);
}

} // namespace

status_t DirectoryListing::Read(const std::string& path, BRefFilter* filter,
	std::vector<ListedEntry>* entries)
{
	entries->clear();
	std::unique_ptr<DIR, DirectoryCloser> directory(opendir(path.c_str()));
	if (directory == nullptr) {
		if (errno == ENOENT)
			return B_ENTRY_NOT_FOUND;
		return errno == EACCES ? static_cast<status_t>(B_PERMISSION_DENIED) : B_ERROR;
	}
	while (dirent* found = readdir(directory.get())) {
		if (found->d_name[0] == '.')
			continue;
		ListedEntry entry;
		entry.name = found->d_name;
		std::string full = Join(path, entry.name);
		struct stat info = {};
		if (stat(full.c_str(), &info) == 0) {
			entry.isDirectory = S_ISDIR(info.st_mode);
			entry.size = entry.isDirectory ? 0 : info.st_size;
			entry.modified = info.st_mtime;
		}
		if (BEntry(full.c_str()).GetRef(&entry.ref) != B_OK)
			continue;
		if (Accepts(filter, entry, &info))
			entries->push_back(std::move(entry));
	}
	std::sort(entries->begin(), entries->end(), ComesFirst);
	return B_OK;
}

std::string DirectoryListing::SizeText(off_t size)
{
	static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
	if (size < 1024)
		return std::to_string(size) + (size == 1 ? " byte" : " bytes");
	double value = static_cast<double>(size) / 1024;
	int unit = 0;
	while (value >= 1024 && unit < 3) {
		value /= 1024;
		unit++;
	}
	char text[32];
	snprintf(text, sizeof(text), "%.1f %s", value, kUnits[unit]);
	return text;
}

std::string DirectoryListing::DateText(time_t when)
{
	struct tm local = {};
	if (localtime_r(&when, &local) == nullptr)
		return "";
	char text[32];
	strftime(text, sizeof(text), "%Y-%m-%d %H:%M", &local);
	return text;
}

std::string DirectoryListing::ParentOf(const std::string& path)
{
	std::string folder;
	std::string leaf;
	Storage::SplitPath(Storage::NormalizeLexically(path), &folder, &leaf);
	return folder;
}

std::string DirectoryListing::Join(const std::string& path, const std::string& name)
{
	bool absolute = !name.empty() && name[0] == '/';
	return Storage::NormalizeLexically(absolute ? name : path + "/" + name);
}

} // namespace BPrivate

#include <Path.h>

#include <cstring>

#include <Directory.h>
#include <Entry.h>

#include "storage_support/Paths.h"

using namespace BPrivate::Storage;

namespace {

// Whether a path differs from its clean absolute form.
bool MustNormalize(const std::string& path)
{
	if (path.empty() || path[0] != '/')
		return true;
	if (path == "/")
		return false;
	if (path.size() > 1 && path.back() == '/')
		return true;
	size_t start = 1;
	while (start <= path.size()) {
		size_t end = path.find('/', start);
		if (end == std::string::npos)
			end = path.size();
		std::string segment = path.substr(start, end - start);
		if (segment.empty() || segment == "." || segment == "..")
			return true;
		start = end + 1;
	}
	return false;
}

} // namespace

BPath::BPath() = default;

BPath::BPath(const BPath& path) = default;

BPath::BPath(const entry_ref* ref)
{
	SetTo(ref);
}

BPath::BPath(const BEntry* entry)
{
	SetTo(entry);
}

BPath::BPath(const char* dir, const char* leaf, bool normalize)
{
	SetTo(dir, leaf, normalize);
}

BPath::BPath(const BDirectory* dir, const char* leaf, bool normalize)
{
	SetTo(dir, leaf, normalize);
}

BPath::~BPath() = default;

BPath& BPath::operator=(const BPath& item) = default;

BPath& BPath::operator=(const char* path)
{
	if (path == nullptr)
		Unset();
	else
		SetTo(path);
	return *this;
}

status_t BPath::SetTo(const entry_ref* ref)
{
	Unset();
	if (ref == nullptr || ref->path.empty())
		return fCStatus = B_BAD_VALUE;
	// A ref's path is already absolute and clean; the entry need not exist.
	return SetTo(ref->path.c_str());
}

status_t BPath::SetTo(const BEntry* entry)
{
	Unset();
	if (entry == nullptr)
		return fCStatus = B_BAD_VALUE;
	return fCStatus = entry->GetPath(this);
}

status_t BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	if (path == nullptr || path[0] == '\0' || (leaf != nullptr && leaf[0] == '/')) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	std::string full = path;
	if (leaf != nullptr && leaf[0] != '\0')
		full = JoinPath(full, leaf);

	std::string result;
	status_t status = B_OK;
	if (normalize) {
		status = ResolveEntry(full.c_str(), false, &result);
	} else if (MustNormalize(full)) {
		status = ResolveEntry(full.c_str(), false, &result);
		if (status == B_ENTRY_NOT_FOUND || status == B_NOT_A_DIRECTORY) {
			status = MakeAbsolute(full.c_str(), &result);
			result = NormalizeLexically(result);
		}
	} else {
		result = full;
	}
	if (status == B_OK && result.size() >= B_PATH_NAME_LENGTH)
		status = B_NAME_TOO_LONG;
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	fName = result;
	return fCStatus = B_OK;
}

status_t BPath::SetTo(const BDirectory* dir, const char* leaf, bool normalize)
{
	BEntry entry;
	status_t status = dir == nullptr ? B_BAD_VALUE : dir->GetEntry(&entry);
	BPath dirPath;
	if (status == B_OK)
		status = entry.GetPath(&dirPath);
	if (status != B_OK) {
		Unset();
		return fCStatus = status;
	}
	return SetTo(dirPath.Path(), leaf, normalize);
}

void BPath::Unset()
{
	fName.clear();
	fCStatus = B_NO_INIT;
}

status_t BPath::Append(const char* path, bool normalize)
{
	if (fCStatus != B_OK)
		return fCStatus;
	std::string current = fName;
	return SetTo(current.c_str(), path, normalize);
}

const char* BPath::Path() const
{
	return fCStatus == B_OK ? fName.c_str() : nullptr;
}

const char* BPath::Leaf() const
{
	if (fCStatus != B_OK)
		return nullptr;
	return fName.c_str() + fName.rfind('/') + 1;
}

status_t BPath::GetParent(BPath* path) const
{
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fCStatus != B_OK)
		return fCStatus;
	if (fName == "/")
		return B_ENTRY_NOT_FOUND;
	std::string directory, leaf;
	SplitPath(fName, &directory, &leaf);
	return path->SetTo(directory.c_str());
}

bool BPath::operator==(const BPath& item) const
{
	return *this == item.Path();
}

bool BPath::operator==(const char* path) const
{
	const char* mine = Path();
	if (mine == nullptr || path == nullptr)
		return mine == path;
	return strcmp(mine, path) == 0;
}

#ifndef _PATH_H
#define _PATH_H

#include <string>

#include <EntryRef.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BDirectory;
class BEntry;

// An absolute path name. Nothing needs to exist for a path that is already
// absolute and clean. A path that is not (relative, or with ".", "..",
// doubled or trailing slashes) is normalised: through the file system when
// its directory exists (as BeOS does), otherwise lexically. Asking for
// normalisation resolves the directory through the file system, which must
// then exist; links of the leaf are never followed.
class BPath {
public:
	BPath();
	BPath(const BPath& path);
	BPath(const entry_ref* ref);
	BPath(const BEntry* entry);
	BPath(const char* dir, const char* leaf = nullptr, bool normalize = false);
	BPath(const BDirectory* dir, const char* leaf, bool normalize = false);
	virtual ~BPath();

	status_t InitCheck() const { return fCStatus; }

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	// leaf, when given, must be relative; it is appended to path.
	status_t SetTo(const char* path, const char* leaf = nullptr, bool normalize = false);
	status_t SetTo(const BDirectory* dir, const char* leaf = nullptr, bool normalize = false);
	void Unset();

	status_t Append(const char* path, bool normalize = false);

	// Null when unset. The leaf of "/" is "".
	const char* Path() const;
	const char* Leaf() const;
	status_t GetParent(BPath* path) const;

	bool operator==(const BPath& item) const;
	bool operator==(const char* path) const;
	bool operator!=(const BPath& item) const { return !(*this == item); }
	bool operator!=(const char* path) const { return !(*this == path); }
	BPath& operator=(const BPath& item);
	BPath& operator=(const char* path);

private:
	std::string fName;
	status_t fCStatus = B_NO_INIT;
};

#endif

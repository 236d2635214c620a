#ifndef _ENTRY_H
#define _ENTRY_H

#include <sys/stat.h>

#include <string>

#include <EntryRef.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BDirectory;
class BPath;

// A name in the file system, which may or may not name an existing node
// (an "abstract" entry). The directory that holds it must exist; its path
// is kept with the directory resolved by the file system and the leaf as
// given, or, with traverse, with symbolic links of the leaf followed.
class BEntry {
public:
	BEntry();
	BEntry(const BDirectory* dir, const char* path, bool traverse = false);
	BEntry(const entry_ref* ref, bool traverse = false);
	BEntry(const char* path, bool traverse = false);
	BEntry(const BEntry& entry);
	virtual ~BEntry();

	status_t InitCheck() const { return fCStatus; }
	bool Exists() const;

	// A relative path is taken from dir; an absolute one ignores dir.
	status_t SetTo(const BDirectory* dir, const char* path, bool traverse = false);
	status_t SetTo(const entry_ref* ref, bool traverse = false);
	status_t SetTo(const char* path, bool traverse = false);
	void Unset();

	status_t GetRef(entry_ref* ref) const;
	status_t GetPath(BPath* path) const;
	status_t GetParent(BEntry* entry) const;
	status_t GetParent(BDirectory* dir) const;
	// buffer holds B_FILE_NAME_LENGTH bytes.
	status_t GetName(char* buffer) const;
	const char* Name() const;

	// Gives the entry a new name: a relative path is taken from the entry's
	// directory. Without clobber an existing entry of that name is kept and
	// B_FILE_EXISTS returned. On success this object names the new entry.
	status_t Rename(const char* path, bool clobber = false);
	status_t MoveTo(BDirectory* dir, const char* path = nullptr, bool clobber = false);
	// Removes the file, link or empty directory; the object stays set to the
	// now abstract entry.
	status_t Remove();

	// The node itself: a link is not followed here.
	status_t GetStat(struct stat* st) const;
	status_t GetNodeRef(node_ref* ref) const;
	status_t GetSize(off_t* size) const;
	status_t GetModificationTime(time_t* mtime) const;
	bool IsFile() const;
	bool IsDirectory() const;
	bool IsSymLink() const;

	bool operator==(const BEntry& item) const;
	bool operator!=(const BEntry& item) const { return !(*this == item); }
	BEntry& operator=(const BEntry& item);

private:
	status_t ReplaceEntry(const std::string& target, bool clobber);

	std::string fPath;
	std::string fName;
	status_t fCStatus = B_NO_INIT;
};

// The ref of the entry path names (links are not followed). A missing
// entry in an existing directory gets a ref that keeps its path.
status_t get_ref_for_path(const char* path, entry_ref* ref);

#endif

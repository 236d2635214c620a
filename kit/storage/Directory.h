#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <dirent.h>

#include <Node.h>

class BEntry;
class BFile;

// An open directory, whose entries can be listed, searched and made.
class BDirectory : public BNode {
public:
	BDirectory();
	BDirectory(const BDirectory& dir);
	BDirectory(const entry_ref* ref);
	BDirectory(const BEntry* entry);
	BDirectory(const char* path);
	BDirectory(const BDirectory* dir, const char* path);
	~BDirectory() override;

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	status_t SetTo(const BDirectory* dir, const char* path);
	void Unset();

	status_t GetEntry(BEntry* entry) const;
	bool IsRootDirectory() const;

	// path is relative to this directory (or absolute).
	status_t FindEntry(const char* path, BEntry* entry, bool traverse = false) const;
	// A relative path names an entry of this directory; an absolute one any
	// entry below it. nodeFlags selects the kinds of node that count.
	bool Contains(const char* path, int32 nodeFlags = B_ANY_NODE) const;
	bool Contains(const BEntry* entry, int32 nodeFlags = B_ANY_NODE) const;

	// Lists the entries but "." and ".."; B_ENTRY_NOT_FOUND after the last.
	status_t GetNextEntry(BEntry* entry, bool traverse = false);
	status_t GetNextRef(entry_ref* ref);
	status_t Rewind();
	// Counts without disturbing the listing.
	int32 CountEntries() const;

	// The file is opened read-write; an existing one is erased unless
	// failIfExists, which makes it an error. file may be null.
	status_t CreateFile(const char* path, BFile* file, bool failIfExists = false);
	status_t CreateDirectory(const char* path, BDirectory* dir);

	BDirectory& operator=(const BDirectory& dir);

private:
	status_t NextName(std::string* name);
	std::string PathOf(const char* path) const;

	DIR* fListing = nullptr;
};

// Makes the directory path and every missing directory above it.
// Succeeds when it exists already; B_NOT_A_DIRECTORY when something else
// stands in the way.
status_t create_directory(const char* path, mode_t mode);

#endif

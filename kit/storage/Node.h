#ifndef _NODE_H
#define _NODE_H

#include <sys/stat.h>

#include <string>

#include <EntryRef.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BDirectory;
class BEntry;

struct attr_info {
	uint32 type;
	off_t size;
};

// An open node: a file or a directory (links are followed). Attributes are
// the node's extended attributes in the "user." namespace: attribute "x"
// is stored as "user.x". Extended attributes carry no type, so the type
// given to WriteAttr is not kept and ReadAttr accepts any; GetAttrInfo
// reports B_RAW_TYPE. Where the file system has no extended attributes the
// attribute calls answer B_UNSUPPORTED.
class BNode {
public:
	BNode();
	BNode(const entry_ref* ref);
	BNode(const BEntry* entry);
	BNode(const char* path);
	BNode(const BDirectory* dir, const char* path);
	BNode(const BNode& node);
	virtual ~BNode();

	status_t InitCheck() const { return fCStatus; }

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	status_t SetTo(const char* path);
	status_t SetTo(const BDirectory* dir, const char* path);
	void Unset();

	virtual status_t GetStat(struct stat* st) const;
	status_t GetNodeRef(node_ref* ref) const;
	status_t Sync();

	// Writing at offset 0 replaces the whole value; a larger offset keeps
	// the bytes before it. Both return the number of bytes moved.
	ssize_t WriteAttr(const char* name, type_code type, off_t offset, const void* buffer,
		size_t length);
	ssize_t ReadAttr(const char* name, type_code type, off_t offset, void* buffer,
		size_t length) const;
	status_t RemoveAttr(const char* name);
	status_t GetAttrInfo(const char* name, attr_info* info) const;

	bool operator==(const BNode& node) const;
	bool operator!=(const BNode& node) const { return !(*this == node); }
	BNode& operator=(const BNode& node);

protected:
	// Opens path with open(2) flags and keeps the descriptor; fails with
	// B_IS_A_DIRECTORY / B_NOT_A_DIRECTORY when the node is not of the kind
	// the flags and wantDirectory ask for (-1: any kind).
	status_t OpenNode(const char* path, int flags, mode_t mode, int wantDirectory);
	// Unsets the node and keeps status as what InitCheck() answers.
	status_t Fail(status_t status);
	int FD() const { return fFd; }
	// The path the node was opened by.
	const std::string& NodePath() const { return fPath; }

private:
	status_t ReadAttrValue(const char* name, std::string* value) const;

	int fFd = -1;
	std::string fPath;
	status_t fCStatus = B_NO_INIT;
};

#endif

#ifndef _RESOURCES_H
#define _RESOURCES_H

#include <memory>
#include <string>
#include <vector>

#include <File.h>
#include <SupportDefs.h>

namespace BPrivate {
namespace Storage {
struct ResourceEntry;
}
}

// A resource archive: pieces of data, each known by a type code and an id
// and optionally a name, kept in a file of their own. The program's own
// archive lies beside the program, named after it with ".rsrc" appended
// (BApplication::AppResources()).
//
// The archive format, all integers little-endian:
//
//   header, 16 bytes
//     4 bytes   magic "VRSC"
//     uint32    format version, 1
//     uint32    number of entries
//     uint32    checksum: 32-bit FNV-1a of every byte after the header
//   entries, in ascending order of type code, then id (no two alike)
//     uint32    type code
//     int32     id
//     uint32    name length in bytes (below B_ATTR_NAME_LENGTH, no NUL)
//     uint32    data length in bytes
//     the name, then the data
//   nothing after the last entry
//
// An empty file is an archive without entries. Writing is deterministic:
// the same resources give the same bytes. Reading checks every length
// against the bytes that remain and refuses anything that does not follow
// the format exactly (B_BAD_DATA), so a damaged archive is never half-read.
//
// The whole archive is read at SetTo(); pointers and names handed out stay
// valid until that resource is replaced or removed, or this object is set
// to another file or deleted. Changes reach the file with Sync() (also done
// on Unset() and deletion, whose errors cannot be reported).
class BResources {
public:
	BResources();
	// file is duplicated, not owned. clobber starts an empty archive that
	// replaces the file's content on the next Sync().
	BResources(const BFile* file, bool clobber = false);
	virtual ~BResources();

	status_t SetTo(const BFile* file, bool clobber = false);
	void Unset();
	status_t InitCheck() const { return fCStatus; }
	const BFile& File() const { return fFile; }

	// Null when absent. size receives the data's length.
	const void* LoadResource(type_code type, int32 id, size_t* outSize);
	const void* LoadResource(type_code type, const char* name, size_t* outSize);

	bool HasResource(type_code type, int32 id);
	bool HasResource(type_code type, const char* name);

	// Adds a resource, replacing one of the same type and id. B_NOT_ALLOWED
	// when the file was not opened for writing.
	status_t AddResource(type_code type, int32 id, const void* data, size_t length,
		const char* name = nullptr);
	status_t RemoveResource(const void* resource);
	status_t RemoveResource(type_code type, int32 id);

	// Lookups by position (over all resources, or among those of one type),
	// by type and id, by type and name, and by data pointer. Any out
	// argument may be null.
	bool GetResourceInfo(int32 byIndex, type_code* typeFound, int32* idFound,
		const char** nameFound, size_t* lengthFound);
	bool GetResourceInfo(type_code byType, int32 andIndex, int32* idFound,
		const char** nameFound, size_t* lengthFound);
	bool GetResourceInfo(type_code byType, int32 andID, const char** nameFound,
		size_t* lengthFound);
	bool GetResourceInfo(type_code byType, const char* andName, int32* idFound,
		size_t* lengthFound);
	bool GetResourceInfo(const void* byPointer, type_code* typeFound, int32* idFound,
		size_t* lengthFound, const char** nameFound);

	// Writes the archive to the file, replacing its content.
	status_t Sync();
	// Makes file the archive's file and writes the archive to it.
	status_t WriteTo(BFile* file);

private:
	typedef BPrivate::Storage::ResourceEntry Resource;

	Resource* Find(type_code type, int32 id) const;
	Resource* Find(type_code type, const char* name) const;
	Resource* FindByData(const void* data) const;
	status_t CheckWritable() const;
	status_t ReadFile();

	BFile fFile;
	std::vector<std::unique_ptr<Resource>> fResources;  // sorted by type, then id
	bool fReadOnly = true;
	bool fChanged = false;
	status_t fCStatus = B_NO_INIT;
};

#endif

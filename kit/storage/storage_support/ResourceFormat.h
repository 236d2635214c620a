#ifndef _STORAGE_SUPPORT_RESOURCE_FORMAT_H
#define _STORAGE_SUPPORT_RESOURCE_FORMAT_H

#include <memory>
#include <string>
#include <vector>

#include <SupportDefs.h>

// Reading and writing the resource archive format described in
// Resources.h.
namespace BPrivate {
namespace Storage {

struct ResourceEntry {
	type_code type = 0;
	int32 id = 0;
	std::string name;
	std::string data;
};

typedef std::vector<std::unique_ptr<ResourceEntry>> ResourceList;

// Orders entries as the archive keeps them.
bool ResourceLess(const ResourceEntry& a, type_code type, int32 id);

// entries must be in archive order.
std::string WriteResourceArchive(const ResourceList& entries);

// B_BAD_DATA for anything that is not a well-formed archive; entries is
// left untouched then.
status_t ReadResourceArchive(const void* data, size_t length, ResourceList* entries);

} // namespace Storage
} // namespace BPrivate

#endif

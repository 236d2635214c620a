#ifndef _STORAGE_SUPPORT_PATHS_H
#define _STORAGE_SUPPORT_PATHS_H

#include <string>

#include <SupportDefs.h>

// Path arithmetic shared by BEntry, BPath and BDirectory.
namespace BPrivate {
namespace Storage {

// path taken from the working directory when it is relative; nothing else
// is changed.
status_t MakeAbsolute(const char* path, std::string* out);

// Drops ".", empty and trailing segments and lets ".." remove the segment
// before it, without asking the file system ("/.." stays "/").
std::string NormalizeLexically(const std::string& absolutePath);

// The absolute path of the entry that path names. The directory part is
// resolved through the file system (links and ".." as the kernel sees
// them) and must exist; the leaf need not. With traverse, a leaf that is a
// symbolic link is followed until it is not one.
status_t ResolveEntry(const char* path, bool traverse, std::string* out);

// "/a/b" -> "/a" and "b"; "/a" -> "/" and "a"; "/" -> "/" and "".
void SplitPath(const std::string& path, std::string* directory, std::string* leaf);

std::string JoinPath(const std::string& directory, const std::string& leaf);

} // namespace Storage
} // namespace BPrivate

#endif

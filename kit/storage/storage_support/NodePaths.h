#ifndef _STORAGE_SUPPORT_NODE_PATHS_H
#define _STORAGE_SUPPORT_NODE_PATHS_H

#include <sys/stat.h>

#include <string>

#include <EntryRef.h>

// Linux cannot open a node by its identity, but watch_node() is given only
// a node_ref. Every GetNodeRef() notes the path it came from, so that the
// node monitor can find the file its caller means.
namespace BPrivate {
namespace Storage {

void RememberNodePath(const node_ref& node, const std::string& path);
// The node_ref of a node found by path, remembered as above.
node_ref RememberNode(const struct stat& st, const std::string& path);
bool FindNodePath(const node_ref& node, std::string* path);

} // namespace Storage
} // namespace BPrivate

#endif

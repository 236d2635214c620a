#include "NodePaths.h"

#include <map>
#include <mutex>

namespace BPrivate {
namespace Storage {

namespace {

// Far more nodes than a process watches at once; when the table is full it
// starts again, and a node asked for later is noted again by its GetNodeRef().
const size_t kMaxRemembered = 4096;

std::mutex sLock;
std::map<node_ref, std::string> sPaths;

} // namespace

void RememberNodePath(const node_ref& node, const std::string& path)
{
	std::lock_guard<std::mutex> guard(sLock);
	if (sPaths.size() >= kMaxRemembered && sPaths.find(node) == sPaths.end())
		sPaths.clear();
	sPaths[node] = path;
}

node_ref RememberNode(const struct stat& st, const std::string& path)
{
	node_ref node(st.st_dev, st.st_ino);
	RememberNodePath(node, path);
	return node;
}

bool FindNodePath(const node_ref& node, std::string* path)
{
	std::lock_guard<std::mutex> guard(sLock);
	auto found = sPaths.find(node);
	if (found == sPaths.end())
		return false;
	*path = found->second;
	return true;
}

} // namespace Storage
} // namespace BPrivate

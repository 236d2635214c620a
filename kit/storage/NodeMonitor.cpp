#include <NodeMonitor.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include <Message.h>

#include "storage_support/FileWatcher.h"
#include "storage_support/NodePaths.h"

using namespace BPrivate::Storage;

namespace {

// How long a change waits for room in a full queue before it is dropped,
// so that one stuck target cannot stop the reports to all others.
const bigtime_t kDeliveryTimeout = 1000000;

struct Watch {
	node_ref node;
	BMessenger target;
	int32 id;
};

std::mutex sLock;
std::vector<Watch> sWatches;

void PostStatChanged(const node_ref& node, const BMessenger& target)
{
	BMessage message(B_NODE_MONITOR);
	message.AddInt32("opcode", B_STAT_CHANGED);
	message.AddInt32("device", static_cast<int32>(node.device));
	message.AddInt64("node", static_cast<int64>(node.node));
	target.SendMessage(&message, static_cast<BHandler*>(NULL), kDeliveryTimeout);
}

status_t StopWatch(const node_ref& node, const BMessenger& target)
{
	std::lock_guard<std::mutex> guard(sLock);
	auto found = std::find_if(sWatches.begin(), sWatches.end(), [&](const Watch& watch) {
		return watch.node == node && watch.target == target;
	});
	if (found == sWatches.end())
		return B_BAD_VALUE;
	FileWatcher::Default().Remove(found->id);
	sWatches.erase(found);
	return B_OK;
}

} // namespace

status_t watch_node(const node_ref* node, uint32 flags, BMessenger target)
{
	if (node == NULL || !target.IsValid())
		return B_BAD_VALUE;
	if (flags == B_STOP_WATCHING)
		return StopWatch(*node, target);
	if (flags != B_WATCH_STAT)
		return B_UNSUPPORTED;
	std::string path;
	if (!FindNodePath(*node, &path))
		return B_ENTRY_NOT_FOUND;

	std::lock_guard<std::mutex> guard(sLock);
	for (const Watch& watch : sWatches) {
		if (watch.node == *node && watch.target == target)
			return B_OK;
	}
	node_ref watched = *node;
	int32 id;
	status_t status = FileWatcher::Default().Add(path,
		[watched, target]() { PostStatChanged(watched, target); }, &id);
	if (status == B_OK)
		sWatches.push_back(Watch{watched, target, id});
	return status;
}

status_t watch_node(const node_ref* node, uint32 flags, const BHandler* handler,
	const BLooper* looper)
{
	status_t status;
	BMessenger target(handler, looper, &status);
	return status == B_OK ? watch_node(node, flags, target) : status;
}

status_t stop_watching(BMessenger target)
{
	std::lock_guard<std::mutex> guard(sLock);
	for (auto watch = sWatches.begin(); watch != sWatches.end();) {
		if (watch->target == target) {
			FileWatcher::Default().Remove(watch->id);
			watch = sWatches.erase(watch);
		} else {
			watch++;
		}
	}
	return B_OK;
}

status_t stop_watching(const BHandler* handler, const BLooper* looper)
{
	status_t status;
	BMessenger target(handler, looper, &status);
	return status == B_OK ? stop_watching(target) : status;
}

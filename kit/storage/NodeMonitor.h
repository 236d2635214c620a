#ifndef _NODE_MONITOR_H
#define _NODE_MONITOR_H

#include <AppDefs.h>
#include <EntryRef.h>
#include <Messenger.h>

class BHandler;
class BLooper;

// What watch_node() is asked to watch. Only changes of a node's stat
// (B_WATCH_STAT) are followed here; B_STOP_WATCHING ends one watch.
enum {
	B_STOP_WATCHING = 0x0000,
	B_WATCH_NAME = 0x0001,
	B_WATCH_STAT = 0x0002,
	B_WATCH_ATTR = 0x0004,
	B_WATCH_DIRECTORY = 0x0008,
	B_WATCH_ALL = 0x000F
};

// The "opcode" of a B_NODE_MONITOR message.
enum {
	B_ENTRY_CREATED = 1,
	B_ENTRY_REMOVED = 2,
	B_ENTRY_MOVED = 3,
	B_STAT_CHANGED = 4,
	B_ATTR_CHANGED = 5
};

// Watches a file for changes: when it is written (reported once, when it is
// closed after writing), when its attributes or mode change, and when
// another file is put in its place by a rename (the way many programs
// save) or it is made anew. The target then gets B_NODE_MONITOR with int32
// "opcode" B_STAT_CHANGED, int32 "device" and int64 "node": the node_ref
// the caller watched, even after the file at that path has been replaced;
// the file now at that path is followed from then on.
//
// The node must have been met in this process (a GetNodeRef() of a BNode
// or BEntry), which is how its path is known: B_ENTRY_NOT_FOUND otherwise.
// Other flags than B_WATCH_STAT are B_UNSUPPORTED. Watching the same node
// for the same target again changes nothing.
//
// The messages are posted from the monitor's own thread, waiting at most a
// second for room in the target's queue; one may still arrive shortly
// after stop_watching() returns for a change made before.
status_t watch_node(const node_ref* node, uint32 flags, BMessenger target);
status_t watch_node(const node_ref* node, uint32 flags, const BHandler* handler,
	const BLooper* looper = NULL);

// Ends every watch of the target.
status_t stop_watching(BMessenger target);
status_t stop_watching(const BHandler* handler, const BLooper* looper = NULL);

#endif

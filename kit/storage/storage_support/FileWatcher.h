#ifndef _STORAGE_SUPPORT_FILE_WATCHER_H
#define _STORAGE_SUPPORT_FILE_WATCHER_H

#include <sys/types.h>

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <SupportDefs.h>

// Follows files by path with inotify, on one thread per process, and tells
// whoever watches a path when the file there has changed:
//  - written in place: once, when it is closed after writing (not per write);
//  - its attributes or mode changed: once per change;
//  - replaced by a rename onto its name: once, and the file now at that
//    name is followed from then on;
//  - deleted or renamed away and made anew: once, when the new file is
//    first closed after writing.
// The file is watched for what is done to it and its directory for what is
// done to its name. Callbacks run on the watcher's thread without its lock
// held, so they may call Add and Remove; one may still run shortly after
// Remove returns for a change seen before.
namespace BPrivate {
namespace Storage {

class FileWatcher {
public:
	typedef std::function<void()> Callback;

	static FileWatcher& Default();

	FileWatcher();
	~FileWatcher();

	FileWatcher(const FileWatcher&) = delete;
	FileWatcher& operator=(const FileWatcher&) = delete;

	// path must be absolute with its directory resolved; its directory
	// must exist, the file need not.
	status_t Add(const std::string& path, Callback callback, int32* id);
	void Remove(int32 id);

private:
	// One followed path and everyone watching it.
	struct Target {
		std::string path;
		std::string leaf;
		int fileWd = -1;
		int dirWd = -1;
		dev_t device = 0;          // the file fileWd watches
		ino_t node = 0;
		bool modified = false;     // written since the last report
		bool awaitingNew = false;  // made anew, not yet written and closed
		std::map<int32, Callback> callbacks;
	};

	status_t Start();
	void Run();
	void HandleEvents(const char* buffer, size_t length, std::vector<Callback>* calls);
	void HandleDirectoryEvent(Target& target, uint32 mask, std::vector<Callback>* calls);
	void HandleFileEvent(Target& target, uint32 mask, std::vector<Callback>* calls);
	void Report(Target& target, std::vector<Callback>* calls);
	void WatchFile(Target& target);
	void ReleaseFile(Target& target);
	void Release(int wd, const std::string& path);

	std::mutex fLock;
	int fInotify = -1;
	int fWake = -1;  // eventfd that ends the thread
	std::thread fThread;
	pid_t fProcess = -1;  // the process the thread runs in
	std::map<std::string, Target> fTargets;             // by path
	std::map<int, std::set<std::string>> fWatchUsers;   // paths using each watch
	std::map<int32, std::string> fIds;                  // watcher id -> path
	int32 fNextId = 1;
};

} // namespace Storage
} // namespace BPrivate

#endif

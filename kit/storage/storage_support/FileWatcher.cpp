#include "FileWatcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "Paths.h"

namespace BPrivate {
namespace Storage {

namespace {

const uint32 kFileMask = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB;
// IN_CLOSE_WRITE here catches a new file that is written and closed
// before its own watch is in place.
const uint32 kDirectoryMask = IN_CREATE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE
	| IN_CLOSE_WRITE | IN_ONLYDIR;

bool StatOf(const std::string& path, dev_t* device, ino_t* node)
{
	struct stat st;
	if (stat(path.c_str(), &st) != 0)
		return false;
	*device = st.st_dev;
	*node = st.st_ino;
	return true;
}

} // namespace

FileWatcher& FileWatcher::Default()
{
	static FileWatcher watcher;
	return watcher;
}

FileWatcher::FileWatcher() = default;

FileWatcher::~FileWatcher()
{
	// A forked child that exits has the object but not the thread; waking
	// the thread through the shared descriptor would end the parent's.
	if (fThread.joinable() && fProcess != getpid()) {
		fThread.detach();
		return;
	}
	if (fThread.joinable()) {
		uint64_t one = 1;
		if (write(fWake, &one, sizeof(one)) == sizeof(one))
			fThread.join();
		else
			fThread.detach();
	}
	if (fInotify >= 0)
		close(fInotify);
	if (fWake >= 0)
		close(fWake);
}

status_t FileWatcher::Start()
{
	if (fThread.joinable())
		return B_OK;
	if (fInotify < 0 && (fInotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) < 0)
		return status_for_errno(errno);
	if (fWake < 0 && (fWake = eventfd(0, EFD_CLOEXEC)) < 0)
		return status_for_errno(errno);
	fThread = std::thread(&FileWatcher::Run, this);
	fProcess = getpid();
	return B_OK;
}

status_t FileWatcher::Add(const std::string& path, Callback callback, int32* id)
{
	std::lock_guard<std::mutex> guard(fLock);
	status_t status = Start();
	if (status != B_OK)
		return status;

	auto found = fTargets.find(path);
	if (found == fTargets.end()) {
		std::string directory, leaf;
		SplitPath(path, &directory, &leaf);
		int dirWd = inotify_add_watch(fInotify, directory.c_str(), kDirectoryMask);
		if (dirWd < 0)
			return status_for_errno(errno);
		Target& target = fTargets[path];
		target.path = path;
		target.leaf = leaf;
		target.dirWd = dirWd;
		fWatchUsers[dirWd].insert(path);
		WatchFile(target);
		found = fTargets.find(path);
	}
	*id = fNextId++;
	found->second.callbacks[*id] = std::move(callback);
	fIds[*id] = path;
	return B_OK;
}

void FileWatcher::Remove(int32 id)
{
	std::lock_guard<std::mutex> guard(fLock);
	auto found = fIds.find(id);
	if (found == fIds.end())
		return;
	Target& target = fTargets[found->second];
	target.callbacks.erase(id);
	fIds.erase(found);
	if (!target.callbacks.empty())
		return;
	ReleaseFile(target);
	Release(target.dirWd, target.path);
	fTargets.erase(target.path);
}

void FileWatcher::WatchFile(Target& target)
{
	ReleaseFile(target);
	// The file may be replaced again while its watch is being placed; the
	// watch must be on the file whose identity is noted.
	for (int attempt = 0; attempt < 3; attempt++) {
		dev_t device;
		ino_t node;
		if (!StatOf(target.path, &device, &node))
			return;
		int wd = inotify_add_watch(fInotify, target.path.c_str(), kFileMask);
		if (wd < 0)
			return;
		dev_t deviceAfter;
		ino_t nodeAfter;
		if (StatOf(target.path, &deviceAfter, &nodeAfter) && deviceAfter == device
			&& nodeAfter == node) {
			target.fileWd = wd;
			target.device = device;
			target.node = node;
			fWatchUsers[wd].insert(target.path);
			return;
		}
		if (fWatchUsers.find(wd) == fWatchUsers.end())
			inotify_rm_watch(fInotify, wd);
	}
}

void FileWatcher::ReleaseFile(Target& target)
{
	if (target.fileWd >= 0)
		Release(target.fileWd, target.path);
	target.fileWd = -1;
}

// One path stops using a watch; the watch goes when nobody uses it.
void FileWatcher::Release(int wd, const std::string& path)
{
	auto users = fWatchUsers.find(wd);
	if (users == fWatchUsers.end())
		return;
	users->second.erase(path);
	if (users->second.empty()) {
		inotify_rm_watch(fInotify, wd);
		fWatchUsers.erase(users);
	}
}

void FileWatcher::Run()
{
	// On the thread's stack: a forked child that exits must not find memory
	// of a thread it does not have.
	alignas(inotify_event) char buffer[64 * 1024];
	for (;;) {
		struct pollfd fds[2] = {{fInotify, POLLIN, 0}, {fWake, POLLIN, 0}};
		if (poll(fds, 2, -1) < 0) {
			if (errno == EINTR)
				continue;
			return;
		}
		if (fds[1].revents != 0)
			return;
		ssize_t length = read(fInotify, buffer, sizeof(buffer));
		if (length <= 0)
			continue;
		std::vector<Callback> calls;
		{
			std::lock_guard<std::mutex> guard(fLock);
			HandleEvents(buffer, length, &calls);
		}
		for (const Callback& call : calls)
			call();
	}
}

void FileWatcher::HandleEvents(const char* buffer, size_t length, std::vector<Callback>* calls)
{
	for (size_t offset = 0; offset + sizeof(inotify_event) <= length;) {
		const inotify_event* event = reinterpret_cast<const inotify_event*>(buffer + offset);
		offset += sizeof(inotify_event) + event->len;
		auto users = fWatchUsers.find(event->wd);
		if (users == fWatchUsers.end())
			continue;
		// A handler may release this watch; walk a copy.
		std::set<std::string> paths = users->second;
		for (const std::string& path : paths) {
			auto found = fTargets.find(path);
			if (found == fTargets.end())
				continue;
			Target& target = found->second;
			if (event->wd == target.dirWd && event->len > 0 && target.leaf == event->name)
				HandleDirectoryEvent(target, event->mask, calls);
			else if (event->wd == target.fileWd)
				HandleFileEvent(target, event->mask, calls);
		}
	}
}

void FileWatcher::HandleDirectoryEvent(Target& target, uint32 mask, std::vector<Callback>* calls)
{
	if (mask & IN_MOVED_TO) {
		WatchFile(target);
		Report(target, calls);
	} else if (mask & IN_CREATE) {
		WatchFile(target);
		target.awaitingNew = true;
	} else if (mask & (IN_DELETE | IN_MOVED_FROM)) {
		ReleaseFile(target);
		target.modified = false;
		target.awaitingNew = false;
	} else if ((mask & IN_CLOSE_WRITE) && target.awaitingNew) {
		if (target.fileWd < 0)
			WatchFile(target);
		Report(target, calls);
	}
}

void FileWatcher::HandleFileEvent(Target& target, uint32 mask, std::vector<Callback>* calls)
{
	if (mask & IN_IGNORED) {
		// The file is gone (or its watch was removed).
		Release(target.fileWd, target.path);
		target.fileWd = -1;
		return;
	}
	if (mask & IN_MODIFY) {
		target.modified = true;
		return;
	}
	// A file that has been replaced still hears about itself (its link
	// count drops); only the file now at the path counts.
	dev_t device;
	ino_t node;
	if (!StatOf(target.path, &device, &node) || device != target.device || node != target.node)
		return;
	if ((mask & IN_ATTRIB) || ((mask & IN_CLOSE_WRITE) && (target.modified || target.awaitingNew)))
		Report(target, calls);
}

void FileWatcher::Report(Target& target, std::vector<Callback>* calls)
{
	target.modified = false;
	target.awaitingNew = false;
	for (const auto& entry : target.callbacks)
		calls->push_back(entry.second);
}

} // namespace Storage
} // namespace BPrivate

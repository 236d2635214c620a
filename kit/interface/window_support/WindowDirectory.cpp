#include "WindowDirectory.h"

#include "WindowFeels.h"

#include <algorithm>
#include <mutex>

#include <WindowPrivate.h>

namespace BPrivate {

namespace {

struct Directory {
	std::mutex lock;
	std::vector<WindowDirectory::Entry> entries;
	uint64 nextStamp = 1;

	WindowDirectory::Entry* Find(const BWindow* window)
	{
		for (WindowDirectory::Entry& entry : entries) {
			if (entry.window == window)
				return &entry;
		}
		return nullptr;
	}
};

Directory& TheDirectory()
{
	static Directory* directory = new Directory;
	return *directory;
}

bool IsNormalFeel(window_feel feel)
{
	return feel == B_NORMAL_WINDOW_FEEL;
}

template<typename Change>
void Modify(BWindow* window, Change change)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	if (WindowDirectory::Entry* entry = directory.Find(window))
		change(*entry, directory);
}

} // namespace

void WindowDirectory::Enter(BWindow* window, const BMessenger& messenger,
	std::shared_ptr<DisplayWindow> display)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	Entry entry;
	entry.window = window;
	entry.messenger = messenger;
	entry.display = std::move(display);
	directory.entries.push_back(std::move(entry));
}

void WindowDirectory::Leave(BWindow* window)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	directory.entries.erase(std::remove_if(directory.entries.begin(), directory.entries.end(),
		[window](const Entry& entry) { return entry.window == window; }),
		directory.entries.end());
}

std::shared_ptr<DisplayWindow> WindowDirectory::DisplayOf(const BWindow* window)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	Entry* entry = directory.Find(window);
	return entry != nullptr ? entry->display : nullptr;
}

bool WindowDirectory::FrameOf(const BWindow* window, BRect* frame)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	Entry* entry = directory.Find(window);
	if (entry == nullptr)
		return false;
	*frame = entry->frame;
	return true;
}

void WindowDirectory::SetFrame(BWindow* window, BRect frame)
{
	Modify(window, [&](Entry& entry, Directory&) { entry.frame = frame; });
}

void WindowDirectory::SetShown(BWindow* window, bool shown)
{
	Modify(window, [&](Entry& entry, Directory& directory) {
		entry.shown = shown;
		if (shown)
			entry.stamp = directory.nextStamp++;
	});
}

void WindowDirectory::SetFeel(BWindow* window, window_feel feel,
	const std::vector<BWindow*>& subset)
{
	Modify(window, [&](Entry& entry, Directory&) {
		entry.feel = feel;
		entry.subset = subset;
	});
}

void WindowDirectory::BringToFront(BWindow* window)
{
	Modify(window, [](Entry& entry, Directory& directory) {
		entry.stamp = directory.nextStamp++;
	});
}

bool WindowDirectory::WindowAt(BPoint screenPoint, Entry* found)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	const Entry* best = nullptr;
	for (const Entry& entry : directory.entries) {
		if (entry.shown && entry.frame.Contains(screenPoint)
			&& (best == nullptr || entry.stamp > best->stamp))
			best = &entry;
	}
	if (best == nullptr)
		return false;
	*found = *best;
	return true;
}

bool WindowDirectory::BlockingModal(const BWindow* window, Entry* modal)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	const Entry* self = directory.Find(window);
	if (self == nullptr || IsModalFeel(self->feel) || self->feel == kMenuWindowFeel)
		return false;
	for (const Entry& entry : directory.entries) {
		if (!entry.shown || entry.window == window || !IsModalFeel(entry.feel))
			continue;
		bool blocks = entry.feel != B_MODAL_SUBSET_WINDOW_FEEL
			|| std::find(entry.subset.begin(), entry.subset.end(), window) != entry.subset.end();
		if (blocks) {
			*modal = entry;
			return true;
		}
	}
	return false;
}

int32 WindowDirectory::OwnerDisplayID(const BWindow* window)
{
	Directory& directory = TheDirectory();
	std::lock_guard<std::mutex> guard(directory.lock);
	const Entry* self = directory.Find(window);
	if (self == nullptr)
		return -1;
	const Entry* owner = nullptr;
	for (const Entry& entry : directory.entries) {
		if (entry.window == window || entry.display == nullptr)
			continue;
		bool inSubset = std::find(self->subset.begin(), self->subset.end(), entry.window)
			!= self->subset.end();
		bool candidate = self->subset.empty() ? IsNormalFeel(entry.feel) && entry.shown : inSubset;
		if (candidate && (owner == nullptr || entry.stamp > owner->stamp))
			owner = &entry;
	}
	return owner != nullptr ? owner->display->ID() : -1;
}

} // namespace BPrivate

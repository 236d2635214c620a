#include "EventMessages.h"

#include <sys/stat.h>

#include <AppPrivate.h>
#include <EntryRef.h>
#include <InterfaceDefs.h>

namespace BPrivate {

namespace {

void AddKeyFields(BMessage& message, const DisplayEvent& event)
{
	message.AddInt32("modifiers", static_cast<int32>(event.modifiers));
	message.AddInt32("key", event.key);
	message.AddInt32("raw_char", event.rawChar);
	message.AddString("bytes", event.bytes.c_str());
	for (char byte : event.bytes)
		message.AddInt8("byte", static_cast<int8>(byte));
	if (event.repeat)
		message.AddInt32("be:key_repeat", 1);
}

void AddMouseFields(BMessage& message, const DisplayEvent& event)
{
	message.AddPoint("where", event.point);
	message.AddPoint("screen_where", event.screenPoint);
	message.AddInt32("buttons", static_cast<int32>(event.buttons));
	message.AddInt32("modifiers", static_cast<int32>(event.modifiers));
}

// The reference of a dropped file: its directory's device and inode, its
// leaf name and its path, as the storage kit makes them.
entry_ref RefOf(const std::string& path)
{
	std::string::size_type slash = path.find_last_of('/');
	std::string directory = slash == std::string::npos || slash == 0 ? "/"
		: path.substr(0, slash);
	std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
	struct stat info = {};
	if (stat(directory.c_str(), &info) != 0)
		return entry_ref(static_cast<dev_t>(-1), static_cast<ino_t>(-1), leaf.c_str(),
			path.c_str());
	return entry_ref(info.st_dev, info.st_ino, leaf.c_str(), path.c_str());
}

uint32 CommandOf(DisplayEvent::Kind kind)
{
	switch (kind) {
		case DisplayEvent::kKeyDown: return B_KEY_DOWN;
		case DisplayEvent::kKeyUp: return B_KEY_UP;
		case DisplayEvent::kMouseDown: return B_MOUSE_DOWN;
		case DisplayEvent::kMouseUp: return B_MOUSE_UP;
		case DisplayEvent::kMouseMoved:
		case DisplayEvent::kMouseExited: return B_MOUSE_MOVED;
		case DisplayEvent::kMouseWheel: return B_MOUSE_WHEEL_CHANGED;
		case DisplayEvent::kActivated:
		case DisplayEvent::kDeactivated: return B_WINDOW_ACTIVATED;
		case DisplayEvent::kCloseRequested: return B_QUIT_REQUESTED;
		case DisplayEvent::kResized: return B_WINDOW_RESIZED;
		case DisplayEvent::kMoved: return B_WINDOW_MOVED;
		case DisplayEvent::kFilesDropped: return B_SIMPLE_DATA;
	}
	return 0;
}

} // namespace

BMessage MessageForEvent(const DisplayEvent& event)
{
	BMessage message(CommandOf(event.kind));
	if (event.kind == DisplayEvent::kCloseRequested)
		return message;
	message.AddInt64("when", event.when);
	switch (event.kind) {
		case DisplayEvent::kKeyDown:
		case DisplayEvent::kKeyUp:
			AddKeyFields(message, event);
			break;
		case DisplayEvent::kMouseDown:
			AddMouseFields(message, event);
			message.AddInt32("clicks", event.clicks);
			break;
		case DisplayEvent::kMouseUp:
		case DisplayEvent::kMouseMoved:
			AddMouseFields(message, event);
			break;
		case DisplayEvent::kMouseExited:
			AddMouseFields(message, event);
			message.AddInt32("be:transit", B_EXITED_VIEW);
			break;
		case DisplayEvent::kMouseWheel:
			message.AddFloat("be:wheel_delta_x", event.wheelX);
			message.AddFloat("be:wheel_delta_y", event.wheelY);
			break;
		case DisplayEvent::kActivated:
		case DisplayEvent::kDeactivated:
			message.AddBool("active", event.kind == DisplayEvent::kActivated);
			break;
		case DisplayEvent::kResized:
			message.AddFloat("width", static_cast<float>(event.width - 1));
			message.AddFloat("height", static_cast<float>(event.height - 1));
			break;
		case DisplayEvent::kMoved:
			message.AddPoint("where", event.screenPoint);
			break;
		case DisplayEvent::kFilesDropped:
			for (const std::string& path : event.paths) {
				entry_ref ref = RefOf(path);
				message.AddRef("refs", &ref);
			}
			MarkMessageDropped(&message, event.screenPoint, B_ORIGIN);
			break;
		case DisplayEvent::kCloseRequested:
			break;
	}
	return message;
}

} // namespace BPrivate

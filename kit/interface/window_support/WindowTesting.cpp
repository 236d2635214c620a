#include <WindowTesting.h>

#include <cctype>

#include <AppPrivate.h>
#include <Bitmap.h>
#include <DisplayServer.h>
#include <HeadlessDisplay.h>
#include <UTF8.h>

#include "../interface_support/BitmapSurface.h"
#include "WindowAccess.h"
#include "WindowDirectory.h"
#include "WindowSurface.h"

namespace BPrivate {

namespace {

status_t Deliver(BWindow* window, const DisplayEvent& event)
{
	// Through the directory, never through the window: a key or click may
	// have closed it already, and a display drops what comes too late.
	std::shared_ptr<DisplayWindow> display = WindowDirectory::DisplayOf(window);
	if (display == nullptr)
		return B_BAD_VALUE;
	display->Deliver(event);
	return B_OK;
}

DisplayEvent KeyEvent(DisplayEvent::Kind kind, const char* bytes, uint32 modifiers, int32 key)
{
	DisplayEvent event;
	event.kind = kind;
	event.when = system_time();
	event.bytes = bytes != nullptr ? bytes : "";
	event.modifiers = modifiers;
	event.key = key;
	unsigned char first = event.bytes.empty() ? 0 : static_cast<unsigned char>(event.bytes[0]);
	event.rawChar = first < 128 ? tolower(first) : 0;
	return event;
}

DisplayEvent MouseEvent(BWindow* window, DisplayEvent::Kind kind, BPoint where, uint32 buttons,
	uint32 modifiers)
{
	DisplayEvent event;
	event.kind = kind;
	event.when = system_time();
	event.point = where;
	// As the display does, without the window's lock: the window may be
	// busy with the click before this one, waiting for this one.
	BRect frame;
	if (WindowDirectory::FrameOf(window, &frame))
		event.screenPoint = where + frame.LeftTop();
	event.buttons = buttons;
	event.modifiers = modifiers;
	return event;
}

HeadlessDisplay* Headless()
{
	return dynamic_cast<HeadlessDisplay*>(DisplayServer::Default());
}

} // namespace

status_t PostKeyDown(BWindow* window, const char* bytes, uint32 modifiers, int32 key)
{
	return Deliver(window, KeyEvent(DisplayEvent::kKeyDown, bytes, modifiers, key));
}

status_t PostKeyUp(BWindow* window, const char* bytes, uint32 modifiers, int32 key)
{
	return Deliver(window, KeyEvent(DisplayEvent::kKeyUp, bytes, modifiers, key));
}

status_t PostKey(BWindow* window, const char* bytes, uint32 modifiers, int32 key)
{
	status_t status = PostKeyDown(window, bytes, modifiers, key);
	// A key that closes its window leaves its release nowhere to go.
	if (status == B_OK)
		PostKeyUp(window, bytes, modifiers, key);
	return status;
}

status_t PostFunctionKey(BWindow* window, int32 key, uint32 modifiers)
{
	const char bytes[] = {B_FUNCTION_KEY, '\0'};
	return PostKey(window, bytes, modifiers, key);
}

status_t TypeText(BWindow* window, const char* text)
{
	if (text == nullptr)
		return B_BAD_VALUE;
	std::string all(text);
	for (size_t i = 0; i < all.size();) {
		size_t length = 1;
		unsigned char lead = static_cast<unsigned char>(all[i]);
		if (lead >= 0xf0)
			length = 4;
		else if (lead >= 0xe0)
			length = 3;
		else if (lead >= 0xc0)
			length = 2;
		std::string character = all.substr(i, length);
		bool upper = character.size() == 1 && isupper(lead);
		status_t status = PostKey(window, character.c_str(), upper ? B_SHIFT_KEY : 0);
		if (status != B_OK)
			return status;
		i += length;
	}
	return B_OK;
}

status_t PostMouseDown(BWindow* window, BPoint where, uint32 buttons, int32 clicks,
	uint32 modifiers)
{
	if (window == nullptr)
		return B_BAD_VALUE;
	DisplayEvent event = MouseEvent(window, DisplayEvent::kMouseDown, where, buttons, modifiers);
	event.clicks = clicks;
	return Deliver(window, event);
}

status_t PostMouseUp(BWindow* window, BPoint where, uint32 buttons, uint32 modifiers)
{
	if (window == nullptr)
		return B_BAD_VALUE;
	return Deliver(window, MouseEvent(window, DisplayEvent::kMouseUp, where, buttons, modifiers));
}

status_t PostMouseMoved(BWindow* window, BPoint where, uint32 buttons)
{
	if (window == nullptr)
		return B_BAD_VALUE;
	return Deliver(window, MouseEvent(window, DisplayEvent::kMouseMoved, where, buttons, 0));
}

status_t PostMouseExited(BWindow* window, BPoint where)
{
	if (window == nullptr)
		return B_BAD_VALUE;
	return Deliver(window, MouseEvent(window, DisplayEvent::kMouseExited, where, 0, 0));
}

status_t PostClick(BWindow* window, BPoint where, uint32 buttons, int32 clicks,
	uint32 modifiers)
{
	status_t status = PostMouseDown(window, where, buttons, clicks, modifiers);
	return status == B_OK ? PostMouseUp(window, where, 0, modifiers) : status;
}

status_t PostWheel(BWindow* window, float deltaX, float deltaY)
{
	DisplayEvent event;
	event.kind = DisplayEvent::kMouseWheel;
	event.when = system_time();
	event.wheelX = deltaX;
	event.wheelY = deltaY;
	return Deliver(window, event);
}

status_t PostFilesDropped(BWindow* window, BPoint where, const std::vector<std::string>& paths)
{
	if (window == nullptr)
		return B_BAD_VALUE;
	DisplayEvent event = MouseEvent(window, DisplayEvent::kFilesDropped, where, 0, 0);
	event.paths = paths;
	return Deliver(window, event);
}

void SetPointer(BPoint screenPoint, uint32 buttons)
{
	DisplayServer::Default()->NoteMouse(screenPoint, buttons);
}

status_t PostCloseRequest(BWindow* window)
{
	DisplayEvent event;
	event.kind = DisplayEvent::kCloseRequested;
	return Deliver(window, event);
}

status_t PostUserResize(BWindow* window, float width, float height)
{
	DisplayEvent event;
	event.kind = DisplayEvent::kResized;
	event.when = system_time();
	event.width = static_cast<int32>(width) + 1;
	event.height = static_cast<int32>(height) + 1;
	return Deliver(window, event);
}

status_t PostUserMove(BWindow* window, BPoint where)
{
	DisplayEvent event;
	event.kind = DisplayEvent::kMoved;
	event.when = system_time();
	event.screenPoint = where;
	return Deliver(window, event);
}

status_t WaitForWindowIdle(BWindow* window, bigtime_t timeout)
{
	if (window == nullptr)
		return B_BAD_VALUE;
	if (window->Thread() < 0)
		return B_OK;
	return WaitForLooperIdle(window, timeout);
}

BBitmap* WindowSnapshot(BWindow* window)
{
	if (window == nullptr || !window->Lock())
		return nullptr;
	BBitmap* bitmap = BitmapSurface::ToBitmap(SurfaceOf(window));
	window->Unlock();
	return bitmap;
}

BBitmap* PresentedSnapshot(BWindow* window)
{
	if (window == nullptr)
		return nullptr;
	cairo_surface_t* front = WindowAccess::Of(window).display->CopyFront();
	if (front == nullptr)
		return nullptr;
	BBitmap* bitmap = BitmapSurface::ToBitmap(front);
	cairo_surface_destroy(front);
	return bitmap;
}

status_t WriteWindowPNG(BWindow* window, const char* path)
{
	if (window == nullptr || !window->Lock())
		return B_BAD_VALUE;
	status_t status = BitmapSurface::WritePNG(SurfaceOf(window), path);
	window->Unlock();
	return status;
}

int32 BeepCount()
{
	HeadlessDisplay* display = Headless();
	return display != nullptr ? display->BeepCount() : 0;
}

void SetScreenSize(int32 width, int32 height)
{
	if (HeadlessDisplay* display = Headless())
		display->SetScreenSize(width, height);
}

} // namespace BPrivate

#include <HeadlessDisplay.h>

#include <algorithm>

#include <OS.h>

namespace BPrivate {

void HeadlessDisplay::Run()
{
	std::unique_lock<std::mutex> lock(fLock);
	fQuitSignal.wait(lock, [this] { return fQuitPending; });
	fQuitPending = false;
}

void HeadlessDisplay::Quit()
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		fQuitPending = true;
	}
	fQuitSignal.notify_all();
}

void HeadlessDisplay::SetClipboard(const std::string& text, const std::string& html)
{
	std::lock_guard<std::mutex> lock(fLock);
	fClipboardText = text;
	fClipboardHTML = html;
	fHasClipboardText = true;
}

bool HeadlessDisplay::GetClipboardText(std::string* text)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (!fHasClipboardText || text == nullptr)
		return false;
	*text = fClipboardText;
	return true;
}

bool HeadlessDisplay::GetClipboardHTML(std::string* html)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fClipboardHTML.empty() || html == nullptr)
		return false;
	*html = fClipboardHTML;
	return true;
}

void HeadlessDisplay::Beep()
{
	fBeeps++;
}

std::shared_ptr<DisplayWindow> HeadlessDisplay::OpenWindow(const WindowSpec& spec,
	DisplayWindow::EventHandler handler)
{
	auto window = std::make_shared<DisplayWindow>(NextWindowID(), spec, std::move(handler));
	std::lock_guard<std::mutex> guard(fWindowsLock);
	fWindows.push_back(Entry{window, false, spec.frame});
	return window;
}

HeadlessDisplay::Entry* HeadlessDisplay::_Find(int32 id)
{
	for (Entry& entry : fWindows) {
		if (entry.window->ID() == id)
			return &entry;
	}
	return nullptr;
}

void HeadlessDisplay::CloseWindow(const std::shared_ptr<DisplayWindow>& window)
{
	if (window == nullptr)
		return;
	window->Detach();
	std::lock_guard<std::recursive_mutex> activation(fActivationLock);
	_Deactivate(window->ID(), true);
	std::lock_guard<std::mutex> guard(fWindowsLock);
	fWindows.erase(std::remove_if(fWindows.begin(), fWindows.end(),
		[&](const Entry& entry) { return entry.window == window; }), fWindows.end());
	fActivationOrder.erase(std::remove(fActivationOrder.begin(), fActivationOrder.end(),
		window->ID()), fActivationOrder.end());
}

void HeadlessDisplay::ShowWindow(const std::shared_ptr<DisplayWindow>& window, bool show)
{
	if (window == nullptr)
		return;
	std::lock_guard<std::recursive_mutex> activation(fActivationLock);
	{
		std::lock_guard<std::mutex> guard(fWindowsLock);
		Entry* entry = _Find(window->ID());
		if (entry == nullptr || entry->visible == show)
			return;
		entry->visible = show;
	}
	if (!show) {
		_Deactivate(window->ID(), true);
		return;
	}
	if (window->Spec().takesFocus)
		_Activate(window);
}

void HeadlessDisplay::ActivateWindow(const std::shared_ptr<DisplayWindow>& window, bool active)
{
	if (window == nullptr)
		return;
	std::lock_guard<std::recursive_mutex> activation(fActivationLock);
	if (active)
		_Activate(window);
	else
		_Deactivate(window->ID(), false);
}

void HeadlessDisplay::_Tell(const std::shared_ptr<DisplayWindow>& window, DisplayEvent::Kind kind)
{
	DisplayEvent event;
	event.kind = kind;
	event.when = system_time();
	window->Deliver(event);
}

// Called with fActivationLock held.
void HeadlessDisplay::_Activate(const std::shared_ptr<DisplayWindow>& window)
{
	std::shared_ptr<DisplayWindow> previous;
	{
		std::lock_guard<std::mutex> guard(fWindowsLock);
		Entry* entry = _Find(window->ID());
		if (entry == nullptr || !entry->visible || fActiveID == window->ID()
			|| window->Spec().kind == WindowKind::kPopUp)
			return;
		if (Entry* active = _Find(fActiveID))
			previous = active->window;
		fActiveID = window->ID();
		fActivationOrder.erase(std::remove(fActivationOrder.begin(), fActivationOrder.end(),
			fActiveID), fActivationOrder.end());
		fActivationOrder.push_back(fActiveID);
	}
	if (previous != nullptr)
		_Tell(previous, DisplayEvent::kDeactivated);
	_Tell(window, DisplayEvent::kActivated);
}

// Called with fActivationLock held. With passOn, the most recently active
// window that is still shown becomes active in its place.
void HeadlessDisplay::_Deactivate(int32 id, bool passOn)
{
	std::shared_ptr<DisplayWindow> leaving;
	std::shared_ptr<DisplayWindow> next;
	{
		std::lock_guard<std::mutex> guard(fWindowsLock);
		if (fActiveID != id)
			return;
		if (Entry* entry = _Find(id))
			leaving = entry->window;
		fActiveID = -1;
		for (auto each = fActivationOrder.rbegin(); passOn && each != fActivationOrder.rend();
				++each) {
			Entry* entry = _Find(*each);
			if (*each != id && entry != nullptr && entry->visible) {
				next = entry->window;
				break;
			}
		}
	}
	if (leaving != nullptr)
		_Tell(leaving, DisplayEvent::kDeactivated);
	if (next != nullptr)
		_Activate(next);
}

void HeadlessDisplay::UpdateWindow(const std::shared_ptr<DisplayWindow>& window)
{
	if (window == nullptr)
		return;
	PixelRect wanted = window->Spec().frame;
	PixelRect before;
	{
		std::lock_guard<std::mutex> guard(fWindowsLock);
		Entry* entry = _Find(window->ID());
		if (entry == nullptr)
			return;
		before = entry->reported;
		entry->reported = wanted;
	}
	DisplayEvent event;
	event.when = system_time();
	if (wanted.x != before.x || wanted.y != before.y) {
		event.kind = DisplayEvent::kMoved;
		event.screenPoint = BPoint(wanted.x, wanted.y);
		window->Deliver(event);
	}
	if (wanted.width != before.width || wanted.height != before.height) {
		event.kind = DisplayEvent::kResized;
		event.width = wanted.width;
		event.height = wanted.height;
		window->Deliver(event);
	}
}

void HeadlessDisplay::GetScreenSize(int32* width, int32* height) const
{
	std::lock_guard<std::mutex> guard(fWindowsLock);
	if (width != nullptr)
		*width = fScreenWidth;
	if (height != nullptr)
		*height = fScreenHeight;
}

void HeadlessDisplay::SetScreenSize(int32 width, int32 height)
{
	std::lock_guard<std::mutex> guard(fWindowsLock);
	fScreenWidth = std::max<int32>(width, 1);
	fScreenHeight = std::max<int32>(height, 1);
}

int32 HeadlessDisplay::ActiveWindowID() const
{
	std::lock_guard<std::mutex> guard(fWindowsLock);
	return fActiveID;
}

} // namespace BPrivate

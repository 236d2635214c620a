#include "SdlDisplay.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <cstring>

#include <OS.h>

#include "sdl_support/SdlKeys.h"
#include "sdl_support/UriList.h"
#include "sdl_support/X11Clipboard.h"

namespace BPrivate {

namespace {

// How long a thread that is not the display thread waits for the desktop
// clipboard before it takes it as empty: longer than the display thread
// waits for another program's answer (incremental answers may take more).
const bigtime_t kClipboardWait = 2500000;

// How often the loop looks for requests of other programs while this
// process owns the X selection, and otherwise, in milliseconds.
const int kOwnerWait = 10;
const int kIdleWait = 100;

Uint32 SdlFlagsOf(const WindowSpec& spec)
{
	Uint32 flags = SDL_WINDOW_HIDDEN;
	switch (spec.kind) {
		case WindowKind::kPopUp:
			flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR
				| SDL_WINDOW_ALWAYS_ON_TOP;
			return flags;
		case WindowKind::kBorderless:
			flags |= SDL_WINDOW_BORDERLESS;
			break;
		case WindowKind::kFloatingAll:
			flags |= SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_UTILITY;
			break;
		case WindowKind::kFloating:
			flags |= SDL_WINDOW_UTILITY;
			break;
		default:
			break;
	}
	if (spec.resizable)
		flags |= SDL_WINDOW_RESIZABLE;
	return flags;
}

bool SameFrame(const PixelRect& a, const PixelRect& b)
{
	return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

XErrorHandler sSdlXErrorHandler = nullptr;

// X errors arrive after the request that caused them. A window of another
// client that is gone by then (one that asked for the clipboard and closed,
// one that was raised as it went) fails such a request with BadWindow, and
// the handler Xlib and SDL put in place would end the program for it, with
// the user's unsaved page. Those errors are dropped; the rest go on there.
int DropErrorsOfGoneWindows(Display* display, XErrorEvent* event)
{
	if (event->error_code == BadWindow || event->error_code == BadDrawable)
		return 0;
	return sSdlXErrorHandler != nullptr ? sSdlXErrorHandler(display, event) : 0;
}

} // namespace

std::unique_ptr<SdlDisplay> SdlDisplay::Open(std::string* error)
{
	const char* x11 = getenv("DISPLAY");
	const char* wayland = getenv("WAYLAND_DISPLAY");
	if ((x11 == nullptr || *x11 == '\0') && (wayland == nullptr || *wayland == '\0')) {
		*error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
		return nullptr;
	}
	std::unique_ptr<SdlDisplay> display(new SdlDisplay());
	// SDL belongs to the main thread, which runs the display loop; a first
	// use from elsewhere leaves the start to Run().
	if (gettid() == getpid() && !display->_Start(error))
		return nullptr;
	return display;
}

bool SdlDisplay::_Start(std::string* error)
{
	SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
	SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
	SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
	if (SDL_Init(SDL_INIT_VIDEO) != 0) {
		*error = std::string("SDL could not start: ") + SDL_GetError();
		return false;
	}
	// Without a reachable display SDL falls back to drivers that show
	// nothing; that is no desktop.
	const char* driver = SDL_GetCurrentVideoDriver();
	if (driver == nullptr || strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0) {
		*error = std::string("no desktop display (SDL video driver \"")
			+ (driver != nullptr ? driver : "none") + "\")";
		SDL_Quit();
		return false;
	}
	if (strcmp(driver, "x11") == 0) {
		XErrorHandler previous = XSetErrorHandler(DropErrorsOfGoneWindows);
		if (previous != DropErrorsOfGoneWindows)
			sSdlXErrorHandler = previous;
		fX11Clipboard = X11Clipboard::Open();
	}
	fWakeEvent = SDL_RegisterEvents(1);
	_RefreshScreenSize();
	SDL_StartTextInput();
	fDisplayThread = gettid();
	return true;
}

SdlDisplay::SdlDisplay() = default;

SdlDisplay::~SdlDisplay()
{
	if (fDisplayThread.load() < 0)
		return;
	for (auto& [id, shown] : fWindows) {
		if (shown.sdl != nullptr)
			SDL_DestroyWindow(shown.sdl);
	}
	fX11Clipboard.reset();
	SDL_Quit();
}

bool SdlDisplay::_OnDisplayThread() const
{
	return gettid() == fDisplayThread.load();
}

void SdlDisplay::_Queue(Command command)
{
	{
		std::lock_guard<std::mutex> guard(fCommandLock);
		fCommands.push_back(std::move(command));
	}
	_Wake();
}

// SDL_PushEvent may be called from any thread; it wakes the loop. Before
// SDL has started, the loop will find the commands when it does.
void SdlDisplay::_Wake()
{
	if (fDisplayThread.load() < 0)
		return;
	SDL_Event wake;
	memset(&wake, 0, sizeof(wake));
	wake.type = fWakeEvent;
	SDL_PushEvent(&wake);
}

void SdlDisplay::_RunCommands()
{
	std::deque<Command> commands;
	{
		std::lock_guard<std::mutex> guard(fCommandLock);
		commands.swap(fCommands);
	}
	for (Command& command : commands)
		command();
}

void SdlDisplay::Run()
{
	std::string error;
	if (fDisplayThread.load() < 0 && gettid() == getpid() && !_Start(&error))
		fprintf(stderr, "No desktop display (%s): windows cannot be shown.\n", error.c_str());
	if (!_OnDisplayThread()) {
		// Nothing can be shown; wait for the application to end all the same.
		while (!fQuitPending.exchange(false))
			snooze(100000);
		return;
	}
	fRunning = true;
	while (!fQuitPending.exchange(false)) {
		_RunCommands();
		if (fX11Clipboard != nullptr)
			fX11Clipboard->Service();
		bool owner = fX11Clipboard != nullptr && fX11Clipboard->Owns();
		SDL_Event event;
		if (SDL_WaitEventTimeout(&event, owner ? kOwnerWait : kIdleWait) == 0)
			continue;
		do {
			_HandleEvent(event);
		} while (SDL_PollEvent(&event));
	}
	_RunCommands();
	fRunning = false;
}

void SdlDisplay::Quit()
{
	fQuitPending = true;
	_Wake();
}

// The clipboard and the bell.

// On X11 the selection is this process's own, with HTML beside the text;
// elsewhere (Wayland) SDL carries the text alone.
void SdlDisplay::SetClipboard(const std::string& text, const std::string& html)
{
	auto set = [this, text, html] {
		if (fX11Clipboard != nullptr)
			fX11Clipboard->Set(text, html);
		else
			SDL_SetClipboardText(text.c_str());
	};
	if (_OnDisplayThread())
		set();
	else
		_Queue(set);
}

bool SdlDisplay::GetClipboardText(std::string* text)
{
	return _Read(text, [this](std::string* into) {
		if (fX11Clipboard != nullptr)
			return fX11Clipboard->GetText(into);
		if (!SDL_HasClipboardText())
			return false;
		char* clipboard = SDL_GetClipboardText();
		if (clipboard == nullptr)
			return false;
		*into = clipboard;
		SDL_free(clipboard);
		return true;
	});
}

bool SdlDisplay::GetClipboardHTML(std::string* html)
{
	return _Read(html, [this](std::string* into) {
		return fX11Clipboard != nullptr && fX11Clipboard->GetHTML(into);
	});
}

// Reads the clipboard on the display thread; another thread waits for the
// answer a little longer than the display thread waits for the owner.
bool SdlDisplay::_Read(std::string* out, std::function<bool(std::string*)> read)
{
	if (out == nullptr)
		return false;
	if (_OnDisplayThread())
		return read(out);
	if (!fRunning)
		return false;
	// The answer outlives a caller that gave up waiting.
	struct Answer {
		std::mutex lock;
		std::condition_variable done;
		bool ready = false;
		bool found = false;
		std::string text;
	};
	auto answer = std::make_shared<Answer>();
	_Queue([answer, read] {
		std::string found;
		bool ok = read(&found);
		std::lock_guard<std::mutex> guard(answer->lock);
		answer->found = ok;
		answer->text = found;
		answer->ready = true;
		answer->done.notify_all();
	});
	std::unique_lock<std::mutex> guard(answer->lock);
	if (!answer->done.wait_for(guard, std::chrono::microseconds(kClipboardWait),
			[&] { return answer->ready; }) || !answer->found)
		return false;
	*out = answer->text;
	return true;
}

void SdlDisplay::Beep()
{
	_Queue([] {
		// One connection of our own: SDL does not ring the X bell.
		static Display* bell = XOpenDisplay(nullptr);
		if (bell == nullptr)
			return;
		XBell(bell, 0);
		XFlush(bell);
	});
}

// Windows, as the other threads ask for them.

std::shared_ptr<DisplayWindow> SdlDisplay::OpenWindow(const WindowSpec& spec,
	DisplayWindow::EventHandler handler)
{
	auto window = std::make_shared<DisplayWindow>(NextWindowID(), spec, std::move(handler));
	_Queue([this, window] {
		Shown& shown = fWindows[window->ID()];
		shown.window = window;
		shown.reported = window->Spec().frame;
	});
	return window;
}

void SdlDisplay::CloseWindow(const std::shared_ptr<DisplayWindow>& window)
{
	if (window == nullptr)
		return;
	window->Detach();
	int32 id = window->ID();
	_Queue([this, id] { _Destroy(id); });
}

void SdlDisplay::ShowWindow(const std::shared_ptr<DisplayWindow>& window, bool show)
{
	if (window == nullptr)
		return;
	int32 id = window->ID();
	_Queue([this, id, show] {
		Shown* shown = _Find(id);
		if (shown == nullptr)
			return;
		if (show && shown->sdl == nullptr)
			_Create(*shown);
		if (shown->sdl == nullptr || shown->visible == show)
			return;
		shown->visible = show;
		if (!show) {
			bool hadFocus = SDL_GetKeyboardFocus() == shown->sdl;
			SDL_HideWindow(shown->sdl);
			_PassFocusOn(id, hadFocus);
			return;
		}
		_Apply(*shown);
		SDL_ShowWindow(shown->sdl);
		// A window that takes the keyboard takes it as it is mapped, not after
		// its first picture: the display may already have given it the keyboard
		// on the map, and a window the user chose in between (a picture takes a
		// while) would lose its key presses to this one when it took it again.
		if (shown->applied.takesFocus) {
			SDL_RaiseWindow(shown->sdl);
			SDL_SetWindowInputFocus(shown->sdl);
		}
		shown->window->RepublishAll();
		_Present(*shown);
	});
}

void SdlDisplay::ActivateWindow(const std::shared_ptr<DisplayWindow>& window, bool active)
{
	if (window == nullptr || !active)
		return;
	int32 id = window->ID();
	_Queue([this, id] {
		Shown* shown = _Find(id);
		if (shown == nullptr || shown->sdl == nullptr || !shown->visible)
			return;
		SDL_RaiseWindow(shown->sdl);
		if (shown->applied.takesFocus)
			SDL_SetWindowInputFocus(shown->sdl);
	});
}

void SdlDisplay::UpdateWindow(const std::shared_ptr<DisplayWindow>& window)
{
	if (window == nullptr)
		return;
	int32 id = window->ID();
	_Queue([this, id] {
		if (Shown* shown = _Find(id))
			_Apply(*shown);
	});
}

void SdlDisplay::Present(const std::shared_ptr<DisplayWindow>& window)
{
	if (window == nullptr)
		return;
	int32 id = window->ID();
	_Queue([this, id] {
		if (Shown* shown = _Find(id))
			_Present(*shown);
	});
}

void SdlDisplay::GetScreenSize(int32* width, int32* height) const
{
	if (width != nullptr)
		*width = fScreenWidth.load();
	if (height != nullptr)
		*height = fScreenHeight.load();
}

// The display thread's side.

SdlDisplay::Shown* SdlDisplay::_Find(int32 id)
{
	auto found = fWindows.find(id);
	return found != fWindows.end() ? &found->second : nullptr;
}

SdlDisplay::Shown* SdlDisplay::_FindSdl(Uint32 sdlID)
{
	for (auto& [id, shown] : fWindows) {
		if (shown.sdl != nullptr && SDL_GetWindowID(shown.sdl) == sdlID)
			return &shown;
	}
	return nullptr;
}

void SdlDisplay::_Create(Shown& shown)
{
	WindowSpec spec = shown.window->Spec();
	shown.sdl = SDL_CreateWindow(spec.title.c_str(), spec.frame.x, spec.frame.y,
		std::max<int32>(spec.frame.width, 1), std::max<int32>(spec.frame.height, 1),
		SdlFlagsOf(spec));
	if (shown.sdl == nullptr) {
		fprintf(stderr, "cannot open the window \"%s\": %s\n", spec.title.c_str(), SDL_GetError());
		return;
	}
	SDL_SetWindowMinimumSize(shown.sdl, spec.minWidth, spec.minHeight);
	SDL_SetWindowMaximumSize(shown.sdl, spec.maxWidth, spec.maxHeight);
	shown.applied = spec;
	shown.reported = spec.frame;
}

void SdlDisplay::_Apply(Shown& shown)
{
	WindowSpec spec = shown.window->Spec();
	if (shown.sdl == nullptr) {
		// Not on the screen yet: it opens with these settings, but the window
		// hears of the new frame now.
		_Report(shown, spec.frame);
		return;
	}
	if (spec.title != shown.applied.title)
		SDL_SetWindowTitle(shown.sdl, spec.title.c_str());
	// Only what changed is applied: on X11, setting the size limits raises
	// the window, and a title change (a page marked unsaved) would bring it
	// over the window the user works in.
	if (spec.minWidth != shown.applied.minWidth || spec.minHeight != shown.applied.minHeight)
		SDL_SetWindowMinimumSize(shown.sdl, spec.minWidth, spec.minHeight);
	if (spec.maxWidth != shown.applied.maxWidth || spec.maxHeight != shown.applied.maxHeight)
		SDL_SetWindowMaximumSize(shown.sdl, spec.maxWidth, spec.maxHeight);
	if (spec.resizable != shown.applied.resizable)
		SDL_SetWindowResizable(shown.sdl, spec.resizable ? SDL_TRUE : SDL_FALSE);
	if (spec.ownerID != shown.applied.ownerID || !shown.visible) {
		Shown* owner = _Find(spec.ownerID);
		if (owner != nullptr && owner->sdl != nullptr)
			SDL_SetWindowModalFor(shown.sdl, owner->sdl);
	}
	if (!SameFrame(spec.frame, shown.reported)) {
		SDL_SetWindowPosition(shown.sdl, spec.frame.x, spec.frame.y);
		SDL_SetWindowSize(shown.sdl, spec.frame.width, spec.frame.height);
		_Report(shown, spec.frame);
	}
	shown.applied = spec;
}

// Tells the window of a new frame, once per change: SDL echoes the
// program's own moves and resizes, and those must not be heard twice.
void SdlDisplay::_Report(Shown& shown, PixelRect frame)
{
	PixelRect before = shown.reported;
	shown.reported = frame;
	DisplayEvent event;
	event.when = system_time();
	if (frame.x != before.x || frame.y != before.y) {
		event.kind = DisplayEvent::kMoved;
		event.screenPoint = BPoint(frame.x, frame.y);
		shown.window->Deliver(event);
	}
	if (frame.width != before.width || frame.height != before.height) {
		event.kind = DisplayEvent::kResized;
		event.width = frame.width;
		event.height = frame.height;
		shown.window->Deliver(event);
	}
}

void SdlDisplay::_Present(Shown& shown)
{
	if (shown.sdl == nullptr || !shown.visible)
		return;
	// Fetched anew every time: a resize replaces the surface.
	SDL_Surface* screen = SDL_GetWindowSurface(shown.sdl);
	if (screen == nullptr)
		return;
	std::vector<SDL_Rect> updated;
	shown.window->TakePublished([&](const uint8* pixels, int32 stride, int32 width,
			int32 height, const std::vector<PixelRect>& parts) {
		if (SDL_MUSTLOCK(screen))
			SDL_LockSurface(screen);
		int32 bytesPerPixel = screen->format->BytesPerPixel;
		for (const PixelRect& part : parts) {
			int32 right = std::min({part.x + part.width, width, screen->w});
			int32 bottom = std::min({part.y + part.height, height, screen->h});
			if (right <= part.x || bottom <= part.y)
				continue;
			// Cairo's ARGB32 has the memory layout of ARGB8888; the screen
			// has its own format and pitch.
			SDL_ConvertPixels(right - part.x, bottom - part.y, SDL_PIXELFORMAT_ARGB8888,
				pixels + part.y * stride + part.x * 4, stride, screen->format->format,
				static_cast<uint8*>(screen->pixels) + part.y * screen->pitch
					+ part.x * bytesPerPixel,
				screen->pitch);
			updated.push_back(SDL_Rect{part.x, part.y, right - part.x, bottom - part.y});
		}
		if (SDL_MUSTLOCK(screen))
			SDL_UnlockSurface(screen);
	});
	if (!updated.empty())
		SDL_UpdateWindowSurfaceRects(shown.sdl, updated.data(), static_cast<int>(updated.size()));
}

void SdlDisplay::_Destroy(int32 id)
{
	auto found = fWindows.find(id);
	if (found == fWindows.end())
		return;
	bool hadFocus = false;
	if (found->second.sdl != nullptr) {
		hadFocus = SDL_GetKeyboardFocus() == found->second.sdl;
		SDL_DestroyWindow(found->second.sdl);
	}
	fWindows.erase(found);
	_PassFocusOn(id, hadFocus);
}

// Without a window manager nobody gives the keyboard to another window
// when the one that had it goes away (the display even gives it to menus
// as they open): the last window that had it before, still shown, gets it
// back, unraised, so that closing an alert or a menu leaves the keys
// where they were.
void SdlDisplay::_PassFocusOn(int32 id, bool hadFocus)
{
	fFocusOrder.erase(std::remove(fFocusOrder.begin(), fFocusOrder.end(), id),
		fFocusOrder.end());
	if (!hadFocus)
		return;
	for (auto candidate = fFocusOrder.rbegin(); candidate != fFocusOrder.rend(); ++candidate) {
		Shown* shown = _Find(*candidate);
		if (shown != nullptr && shown->sdl != nullptr && shown->visible
			&& shown->applied.takesFocus) {
			SDL_SetWindowInputFocus(shown->sdl);
			return;
		}
	}
}

void SdlDisplay::_RefreshScreenSize()
{
	SDL_Rect bounds;
	if (SDL_GetDisplayBounds(0, &bounds) != 0)
		return;
	fScreenWidth = bounds.w;
	fScreenHeight = bounds.h;
}

// Events.

void SdlDisplay::_Deliver(Shown& shown, DisplayEvent event)
{
	int x = 0;
	int y = 0;
	if (shown.sdl != nullptr)
		SDL_GetWindowPosition(shown.sdl, &x, &y);
	event.screenPoint = event.point + BPoint(x, y);
	switch (event.kind) {
		case DisplayEvent::kMouseDown:
		case DisplayEvent::kMouseUp:
		case DisplayEvent::kMouseMoved:
			NoteMouse(event.screenPoint, event.buttons);
			break;
		default:
			break;
	}
	if (event.modifiers != 0 || event.kind == DisplayEvent::kKeyDown
		|| event.kind == DisplayEvent::kKeyUp)
		NoteModifiers(event.modifiers);
	shown.window->Deliver(event);
}

void SdlDisplay::_HandleEvent(const SDL_Event& event)
{
	if (event.type == fWakeEvent)
		return;
	DisplayEvent translated;
	translated.when = system_time();
	Shown* shown = nullptr;
	switch (event.type) {
		case SDL_WINDOWEVENT:
			_HandleWindowEvent(event.window);
			return;
		case SDL_KEYDOWN:
		case SDL_KEYUP:
			if ((shown = _FindSdl(event.key.windowID)) == nullptr)
				return;
			for (const DisplayEvent& key : event.type == SDL_KEYDOWN
					? fKeyboard.KeyDown(event.key) : fKeyboard.KeyUp(event.key))
				_Deliver(*shown, key);
			return;
		case SDL_TEXTINPUT:
			if ((shown = _FindSdl(event.text.windowID)) == nullptr)
				return;
			for (const DisplayEvent& key : fKeyboard.TextInput(event.text, SDL_GetModState()))
				_Deliver(*shown, key);
			return;
		case SDL_MOUSEMOTION:
			if ((shown = _FindSdl(event.motion.windowID)) == nullptr)
				return;
			translated.kind = DisplayEvent::kMouseMoved;
			translated.point = BPoint(event.motion.x, event.motion.y);
			fButtons = BeButtons(event.motion.state);
			break;
		case SDL_MOUSEBUTTONDOWN:
		case SDL_MOUSEBUTTONUP:
			if ((shown = _FindSdl(event.button.windowID)) == nullptr)
				return;
			translated.kind = event.type == SDL_MOUSEBUTTONDOWN ? DisplayEvent::kMouseDown
				: DisplayEvent::kMouseUp;
			translated.point = BPoint(event.button.x, event.button.y);
			translated.clicks = event.button.clicks;
			fButtons = BeButtons(SDL_GetMouseState(nullptr, nullptr));
			break;
		case SDL_MOUSEWHEEL:
			if ((shown = _FindSdl(event.wheel.windowID)) == nullptr)
				return;
			translated.kind = DisplayEvent::kMouseWheel;
			translated.wheelX = static_cast<float>(event.wheel.x);
			// BeOS counts towards the end of the document.
			translated.wheelY = -static_cast<float>(event.wheel.y);
			if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
				translated.wheelX = -translated.wheelX;
				translated.wheelY = -translated.wheelY;
			}
			break;
		case SDL_DROPBEGIN:
			fDroppedFiles.clear();
			return;
		case SDL_DROPFILE:
			if (event.drop.file != nullptr) {
				std::string path = LocalPathOfDrop(event.drop.file);
				if (!path.empty())
					fDroppedFiles.push_back(path);
				SDL_free(event.drop.file);
			}
			return;
		case SDL_DROPTEXT:
			// File managers that offer their files as text hand over a URI
			// list; the window hears of the files as of any dropped file.
			if (event.drop.file != nullptr) {
				for (std::string& path : LocalPathsOfUriList(event.drop.file))
					fDroppedFiles.push_back(std::move(path));
				SDL_free(event.drop.file);
			}
			return;
		case SDL_DROPCOMPLETE:
			_DeliverDrop(event.drop.windowID);
			return;
		default:
			return;
	}
	translated.buttons = fButtons;
	translated.modifiers = BeModifiers(SDL_GetModState());
	_Deliver(*shown, translated);
}

// The files of one drag and drop arrive one by one; the window hears of
// them together, at the pointer (SDL gives no place).
void SdlDisplay::_DeliverDrop(Uint32 sdlID)
{
	std::vector<std::string> paths;
	paths.swap(fDroppedFiles);
	Shown* shown = _FindSdl(sdlID);
	if (shown == nullptr || paths.empty())
		return;
	int x = 0;
	int y = 0;
	int left = 0;
	int top = 0;
	SDL_GetGlobalMouseState(&x, &y);
	SDL_GetWindowPosition(shown->sdl, &left, &top);
	DisplayEvent dropped;
	dropped.kind = DisplayEvent::kFilesDropped;
	dropped.when = system_time();
	dropped.point = BPoint(x - left, y - top);
	dropped.paths = std::move(paths);
	_Deliver(*shown, dropped);
}

void SdlDisplay::_HandleWindowEvent(const SDL_WindowEvent& event)
{
	Shown* shown = _FindSdl(event.windowID);
	if (shown == nullptr)
		return;
	DisplayEvent translated;
	translated.when = system_time();
	PixelRect frame = shown->reported;
	switch (event.event) {
		case SDL_WINDOWEVENT_FOCUS_GAINED:
			translated.kind = DisplayEvent::kActivated;
			fFocusOrder.erase(std::remove(fFocusOrder.begin(), fFocusOrder.end(),
				shown->window->ID()), fFocusOrder.end());
			fFocusOrder.push_back(shown->window->ID());
			break;
		case SDL_WINDOWEVENT_FOCUS_LOST:
			translated.kind = DisplayEvent::kDeactivated;
			break;
		case SDL_WINDOWEVENT_CLOSE:
			translated.kind = DisplayEvent::kCloseRequested;
			break;
		case SDL_WINDOWEVENT_LEAVE:
		{
			// The event has no place: the pointer is wherever it went.
			int x = 0;
			int y = 0;
			int left = 0;
			int top = 0;
			SDL_GetGlobalMouseState(&x, &y);
			SDL_GetWindowPosition(shown->sdl, &left, &top);
			translated.kind = DisplayEvent::kMouseExited;
			translated.point = BPoint(x - left, y - top);
			break;
		}
		case SDL_WINDOWEVENT_SIZE_CHANGED:
			frame.width = event.data1;
			frame.height = event.data2;
			_Report(*shown, frame);
			return;
		case SDL_WINDOWEVENT_MOVED:
			frame.x = event.data1;
			frame.y = event.data2;
			_Report(*shown, frame);
			return;
		case SDL_WINDOWEVENT_EXPOSED:
			shown->window->RepublishAll();
			_Present(*shown);
			return;
		default:
			return;
	}
	_Deliver(*shown, translated);
}

} // namespace BPrivate

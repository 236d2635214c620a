#include "WindowTestSupport.h"

#include <cstdarg>
#include <cstdio>

namespace WindowTests {

std::string Format(const char* format, ...)
{
	char buffer[512];
	va_list arguments;
	va_start(arguments, format);
	vsnprintf(buffer, sizeof(buffer), format, arguments);
	va_end(arguments);
	return buffer;
}

RecordingView::RecordingView(BRect frame, const char* name, std::shared_ptr<Journal> journal,
	uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags),
	  fJournal(std::move(journal))
{
}

void RecordingView::_Note(const std::string& what)
{
	BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	fJournal->Add(std::string(Name()) + ":" + what, current);
}

void RecordingView::AttachedToWindow() { _Note("Attached"); }
void RecordingView::AllAttached() { _Note("AllAttached"); }
void RecordingView::DetachedFromWindow() { _Note("Detached"); }

void RecordingView::Draw(BRect updateRect)
{
	_Note(Format("Draw %g,%g,%g,%g", updateRect.left, updateRect.top, updateRect.right,
		updateRect.bottom));
	if (onDraw)
		onDraw(this, updateRect);
}

void RecordingView::MouseDown(BPoint where)
{
	_Note(Format("MouseDown %g,%g", where.x, where.y));
	if (onMouseDown)
		onMouseDown(this, where);
}

void RecordingView::MouseUp(BPoint where) { _Note(Format("MouseUp %g,%g", where.x, where.y)); }

void RecordingView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	_Note(Format("MouseMoved %g,%g transit %u%s", where.x, where.y, transit,
		dragMessage != nullptr ? " dragging" : ""));
}

void RecordingView::KeyDown(const char* bytes, int32 numBytes)
{
	_Note("KeyDown " + std::string(bytes, numBytes));
	BView::KeyDown(bytes, numBytes);
}

void RecordingView::KeyUp(const char* bytes, int32 numBytes)
{
	_Note("KeyUp " + std::string(bytes, numBytes));
}

void RecordingView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	_Note(focus ? "Focus" : "Unfocus");
}

void RecordingView::Pulse() { _Note("Pulse"); }
void RecordingView::WindowActivated(bool active) { _Note(active ? "Activated" : "Deactivated"); }

void RecordingView::MessageReceived(BMessage* message)
{
	fJournal->Add(std::string(Name()) + ":Message " + CommandText(message->what)
		+ (message->WasDropped() ? " dropped" : ""), message);
}

RecordingWindow::RecordingWindow(BRect frame, const char* title,
	std::shared_ptr<Journal> journal, window_look look, window_feel feel, uint32 flags)
	: BWindow(frame, title, look, feel, flags),
	  fJournal(std::move(journal))
{
}

RecordingWindow::~RecordingWindow()
{
	fJournal->Add(std::string(Title()) + ":Deleted");
}

void RecordingWindow::WindowActivated(bool active)
{
	fJournal->Add(std::string(Title()) + (active ? ":Activated" : ":Deactivated"));
}

bool RecordingWindow::QuitRequested()
{
	fJournal->Add(std::string(Title()) + ":QuitRequested");
	return agreesToQuit;
}

void RecordingWindow::MessageReceived(BMessage* message)
{
	fJournal->Add(std::string(Title()) + ":Message " + CommandText(message->what), message);
}

void WindowTest::TearDown()
{
	for (const BMessenger& window : fWindows) {
		BLooper* looper = nullptr;
		window.Target(&looper);
		if (window.LockTarget())
			looper->Quit();
	}
	BPrivate::ForgetAlertsShown();
}

RecordingWindow* WindowTest::MakeWindow(BRect frame, const char* title, window_look look,
	window_feel feel, uint32 flags)
{
	auto* window = new RecordingWindow(frame, title, fJournal, look, feel, flags);
	fWindows.push_back(BMessenger(window));
	return window;
}

void WindowTest::ShowAndWait(BWindow* window)
{
	window->Show();
	Idle(window);
}

void WindowTest::Idle(BWindow* window)
{
	ASSERT_EQ(BPrivate::WaitForWindowIdle(window), B_OK);
}

rgb_color WindowTest::Pixel(BWindow* window, int x, int y)
{
	std::unique_ptr<BBitmap> snapshot(BPrivate::WindowSnapshot(window));
	EXPECT_NE(snapshot, nullptr);
	return snapshot != nullptr ? PixelOf(snapshot.get(), x, y) : rgb_color{};
}

rgb_color WindowTest::PresentedPixel(BWindow* window, int x, int y)
{
	std::unique_ptr<BBitmap> snapshot(BPrivate::PresentedSnapshot(window));
	if (snapshot == nullptr)
		return rgb_color{};
	return PixelOf(snapshot.get(), x, y);
}

} // namespace WindowTests


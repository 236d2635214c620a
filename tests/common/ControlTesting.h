#ifndef VELMORA_CONTROL_TESTING_H
#define VELMORA_CONTROL_TESTING_H

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppPrivate.h>
#include <Autolock.h>
#include <Bitmap.h>
#include <Control.h>
#include <Looper.h>
#include <DisplayServer.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>
#include <WindowTesting.h>

#include "SurfacePixels.h"
#include "TestFonts.h"

// Controls in a real window on the headless display, driven by the same
// key and mouse messages the display posts.
namespace ControlTests {

inline const bool kHeadless = [] {
	BPrivate::DisplayServer::UseHeadless();
	return true;
}();

const char kEnter[] = {B_ENTER, 0};
const char kSpace[] = {B_SPACE, 0};
const char kTab[] = {B_TAB, 0};
const char kEscape[] = {B_ESCAPE, 0};
const char kUp[] = {B_UP_ARROW, 0};
const char kDown[] = {B_DOWN_ARROW, 0};

// A window that keeps a copy of every message that reaches its
// MessageReceived(), for the test thread to read.
class MessageKeepingWindow : public BWindow {
public:
	explicit MessageKeepingWindow(BRect frame)
		: BWindow(frame, "w", B_TITLED_WINDOW, 0)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fMessages.push_back(*message);
	}

	std::vector<BMessage> Messages()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fMessages;
	}

private:
	std::mutex fLock;
	std::vector<BMessage> fMessages;
};

// A looper that keeps what it receives; Received() waits until it is idle.
class Receiver : public BLooper {
public:
	Receiver() : BLooper("receiver") {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fReceived.push_back(*message);
	}

	std::vector<BMessage> Received()
	{
		BPrivate::WaitForLooperIdle(this, 5000000);
		std::lock_guard<std::mutex> guard(fLock);
		return fReceived;
	}

private:
	std::mutex fLock;
	std::vector<BMessage> fReceived;
};

inline rgb_color PixelOf(const BBitmap* bitmap, int x, int y)
{
	const uint8* pixel = static_cast<const uint8*>(bitmap->Bits()) + y * bitmap->BytesPerRow()
		+ x * 4;
	return rgb_color{pixel[2], pixel[1], pixel[0], pixel[3]};
}

// Runs function on the calling thread with the looper locked, as code on
// another thread than the window's must; returns what function returns.
template<typename Function>
auto WithLock(BLooper* looper, Function function)
{
	BAutolock lock(looper);
	return function();
}

// A message's four-character command as text, 'save' as "save".
inline std::string CommandText(uint32 what)
{
	std::string code(4, ' ');
	for (int i = 0; i < 4; i++)
		code[i] = static_cast<char>(what >> (24 - 8 * i));
	return code;
}

// A field of a message, or fallback where it has none.
inline int32 Int32Of(const BMessage& message, const char* name, int32 fallback = -1)
{
	int32 value = fallback;
	message.FindInt32(name, &value);
	return value;
}

inline void* PointerOf(const BMessage& message, const char* name)
{
	void* value = nullptr;
	message.FindPointer(name, &value);
	return value;
}

inline std::string StringOf(const BMessage& message, const char* name)
{
	const char* value = "";
	message.FindString(name, &value);
	return value;
}

// A 400 x 240 window for controls, quit when the test ends; what they send
// to it is kept.
class ControlTest : public testing::Test {
protected:
	void SetUp() override { fWindow = new MessageKeepingWindow(BRect(100, 100, 499, 339)); }

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
		BPrivate::ForgetAlertsShown();
	}

	void Idle(BWindow* window) { ASSERT_EQ(BPrivate::WaitForWindowIdle(window), B_OK); }

	// Runs function with the window locked.
	template<typename Function>
	auto Locked(Function function)
	{
		return WithLock(fWindow, function);
	}

	// Adds the view to the window (before it is shown) and returns it.
	template<typename View>
	View* Add(View* view)
	{
		fWindow->AddChild(view);
		return view;
	}

	void Show()
	{
		fWindow->Show();
		Idle(fWindow);
	}

	// The messages with this command that reached the window, in order.
	std::vector<BMessage> Sent(uint32 what)
	{
		std::vector<BMessage> found;
		for (const BMessage& message : fWindow->Messages()) {
			if (message.what == what)
				found.push_back(message);
		}
		return found;
	}

	// A point of the view (its own coordinates) in the window's.
	BPoint InWindow(BView* view, BPoint point)
	{
		return Locked([&] { return fWindow->ConvertFromScreen(view->ConvertToScreen(point)); });
	}
	BPoint CenterOf(BView* view)
	{
		BRect bounds = BoundsOf(view);
		return InWindow(view, BPoint((bounds.left + bounds.right) / 2,
			(bounds.top + bounds.bottom) / 2));
	}
	BRect BoundsOf(BView* view)
	{
		return Locked([&] { return view->Bounds(); });
	}

	void Click(BView* view) { Click(CenterOf(view)); }
	void Click(BPoint where)
	{
		ASSERT_EQ(BPrivate::PostClick(fWindow, where), B_OK);
		Idle(fWindow);
	}
	void Key(const char* bytes, uint32 modifiers = 0)
	{
		ASSERT_EQ(BPrivate::PostKey(fWindow, bytes, modifiers), B_OK);
		Idle(fWindow);
	}
	void Focus(BView* view)
	{
		Locked([&] { view->MakeFocus(true); });
	}
	BView* FocusView()
	{
		return Locked([&] { return fWindow->CurrentFocus(); });
	}
	int32 ValueOf(BControl* control)
	{
		return Locked([&] { return control->Value(); });
	}
	// The pixel at a point of the view in a snapshot of the window.
	rgb_color PixelIn(const BBitmap* picture, BView* view, BPoint point)
	{
		BPoint at = InWindow(view, point);
		EXPECT_TRUE(picture->Bounds().Contains(at)) << "outside the window";
		if (!picture->Bounds().Contains(at))
			return rgb_color{};
		return PixelOf(picture, static_cast<int>(at.x), static_cast<int>(at.y));
	}
	std::unique_ptr<BBitmap> Snap()
	{
		return std::unique_ptr<BBitmap>(BPrivate::WindowSnapshot(fWindow));
	}
	// Whether any pixel of the view's rectangle passes the test.
	template<typename Test>
	bool AnyPixelIn(BView* view, BRect rect, Test test)
	{
		std::unique_ptr<BBitmap> picture = Snap();
		for (float y = rect.top; y <= rect.bottom; y++) {
			for (float x = rect.left; x <= rect.right; x++) {
				if (test(PixelIn(picture.get(), view, BPoint(x, y))))
					return true;
			}
		}
		return false;
	}

	MessageKeepingWindow* fWindow = nullptr;
};

// Whether a colour is a dark ink rather than a grey of the panel's look.
inline bool IsInk(rgb_color color)
{
	return color.red < 100 && color.green < 100 && color.blue < 100;
}

} // namespace ControlTests

#endif

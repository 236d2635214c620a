#ifndef VELMORA_WINDOW_TEST_SUPPORT_H
#define VELMORA_WINDOW_TEST_SUPPORT_H

#include <algorithm>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <View.h>

#include "ControlTesting.h"

namespace WindowTests {

using ControlTests::CommandText;
using ControlTests::Int32Of;
using ControlTests::PixelOf;
using ControlTests::PointerOf;
using ControlTests::StringOf;
using ControlTests::WithLock;

// What views heard, kept apart from them so it can be read from the test
// thread while the window thread adds to it.
struct Journal {
	std::mutex lock;
	std::vector<std::string> entries;
	std::vector<BMessage> messages;

	void Add(const std::string& entry, const BMessage* message = nullptr)
	{
		std::lock_guard<std::mutex> guard(lock);
		entries.push_back(entry);
		messages.push_back(message != nullptr ? *message : BMessage());
	}
	std::vector<std::string> Entries()
	{
		std::lock_guard<std::mutex> guard(lock);
		return entries;
	}
	std::vector<BMessage> Messages()
	{
		std::lock_guard<std::mutex> guard(lock);
		return messages;
	}
	// The messages noted with this entry, in order.
	std::vector<BMessage> MessagesOf(const std::string& entry)
	{
		std::lock_guard<std::mutex> guard(lock);
		std::vector<BMessage> found;
		for (size_t i = 0; i < entries.size(); i++) {
			if (entries[i] == entry)
				found.push_back(messages[i]);
		}
		return found;
	}
	void Clear()
	{
		std::lock_guard<std::mutex> guard(lock);
		entries.clear();
		messages.clear();
	}
};

inline bool Has(const std::vector<std::string>& entries, const std::string& entry)
{
	return std::find(entries.begin(), entries.end(), entry) != entries.end();
}

std::string Format(const char* format, ...);

// A view that writes every hook into the journal as "name:Hook details",
// with the window's current message alongside.
class RecordingView : public BView {
public:
	RecordingView(BRect frame, const char* name, std::shared_ptr<Journal> journal,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = B_WILL_DRAW);

	void AttachedToWindow() override;
	void AllAttached() override;
	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void KeyUp(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void Pulse() override;
	void WindowActivated(bool active) override;
	void MessageReceived(BMessage* message) override;

	// Extra drawing after the journal entry, on the window thread.
	std::function<void(BView*, BRect)> onDraw;
	std::function<void(BView*, BPoint)> onMouseDown;

private:
	void _Note(const std::string& what);

	std::shared_ptr<Journal> fJournal;
};

// A window that reports activation and resizes and lets a test choose
// whether it agrees to close.
class RecordingWindow : public BWindow {
public:
	RecordingWindow(BRect frame, const char* title, std::shared_ptr<Journal> journal,
		window_look look = B_TITLED_WINDOW_LOOK, window_feel feel = B_NORMAL_WINDOW_FEEL,
		uint32 flags = 0);
	~RecordingWindow() override;

	void WindowActivated(bool active) override;
	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;

	bool agreesToQuit = true;

private:
	std::shared_ptr<Journal> fJournal;
};

// Quits every window it made when the test ends.
class WindowTest : public testing::Test {
protected:
	void TearDown() override;

	RecordingWindow* MakeWindow(BRect frame = BRect(100, 100, 299, 199), const char* title = "w",
		window_look look = B_TITLED_WINDOW_LOOK, window_feel feel = B_NORMAL_WINDOW_FEEL,
		uint32 flags = 0);
	// Shows the window and waits until it drew.
	void ShowAndWait(BWindow* window);
	void Idle(BWindow* window);
	rgb_color Pixel(BWindow* window, int x, int y);
	rgb_color PresentedPixel(BWindow* window, int x, int y);

	std::shared_ptr<Journal> fJournal = std::make_shared<Journal>();
	std::vector<BMessenger> fWindows;
};

const rgb_color kWhite = {255, 255, 255, 255};
const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kGreen = {0, 255, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};

} // namespace WindowTests

#endif

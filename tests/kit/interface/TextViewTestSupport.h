#ifndef VELMORA_TEXT_VIEW_TEST_SUPPORT_H
#define VELMORA_TEXT_VIEW_TEST_SUPPORT_H

#include <memory>
#include <string>
#include <vector>

#include <Clipboard.h>
#include <ScrollView.h>
#include <TextView.h>

#include "ScopedEnvironment.h"
#include "TempDirectory.h"
#include "WindowTestSupport.h"

namespace TextViewTests {

using WindowTests::WithLock;

const BRect kTextRect(4, 4, 195, 1000);

// A text view that logs every change and every selection it is asked
// for, as "insert 3 +abc", "delete 2..5" and "select 1..4".
class LoggingTextView : public BTextView {
public:
	explicit LoggingTextView(BRect frame = BRect(0, 0, 199, 149), BRect textRect = kTextRect);

	std::vector<std::string> log;

	// Public here, so that tests can call them as a subclass does.
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override;
	void DeleteText(int32 fromOffset, int32 toOffset) override;
	void Select(int32 startOffset, int32 endOffset) override;
};

// Locks a window for the test thread while it lives.
class Locked {
public:
	explicit Locked(BWindow* window) : fWindow(window) { fLocked = window->Lock(); }
	~Locked() { if (fLocked) fWindow->Unlock(); }
	bool IsLocked() const { return fLocked; }

private:
	BWindow* fWindow;
	bool fLocked;
};

// A clipboard of the test's own, in a directory of its own, standing in
// for be_clipboard while the test runs.
class TestClipboard {
public:
	TestClipboard();
	~TestClipboard();
	BClipboard* Get() { return fClipboard.get(); }

private:
	TempDirectory fDirectory;
	ScopedEnvironment fEnvironment;
	std::unique_ptr<BClipboard> fClipboard;
	BClipboard* fPrevious;
};

// A shown window holding a text view, focused, optionally wrapped in a
// scroll view with a vertical bar. Input is posted as the display posts
// it; every helper waits until the window is idle again.
class TextViewWindowTest : public WindowTests::WindowTest {
protected:
	void Open(BTextView* view, bool scrollView = false, BRect windowFrame = BRect(100, 100, 399, 299));

	BPoint InWindow(BPoint viewPoint);
	void Key(const char* bytes, uint32 modifiers = 0);
	void Type(const char* text);
	void Click(BPoint viewPoint, int32 clicks = 1, uint32 modifiers = 0);
	void Press(BPoint viewPoint, int32 clicks = 1, uint32 modifiers = 0);
	void MoveTo(BPoint viewPoint, uint32 buttons = B_PRIMARY_MOUSE_BUTTON);
	void Release(BPoint viewPoint, uint32 modifiers = 0);
	void Idle() { WindowTests::WindowTest::Idle(fWindow); }

	std::string Text();
	std::pair<int32, int32> Selection();

	BWindow* fWindow = nullptr;
	BTextView* fView = nullptr;
	BScrollView* fScrollView = nullptr;
};

// The selection's start and end.
std::pair<int32, int32> SelectionOf(const BTextView* view);

// The style of the character at offset, for comparisons.
BFont FontAt(const BTextView* view, int32 offset);
rgb_color ColorAt(const BTextView* view, int32 offset);
BFont SizedFont(float size, uint16 face = B_REGULAR_FACE);

} // namespace TextViewTests

#endif

#include "WindowTestSupport.h"

#include <algorithm>
#include <atomic>

#include <WindowPrivate.h>

using namespace WindowTests;

namespace {

// Two views side by side in a 200 x 100 window: "left" (0..99) and "right"
// (100..199), each with a child "inner" at (10, 10)-(29, 29) of it.
class WindowInput : public WindowTest {
protected:
	void SetUp() override
	{
		fWindow = MakeWindow(BRect(300, 200, 499, 299));
		fLeft = new RecordingView(BRect(0, 0, 99, 99), "left", fJournal, B_FOLLOW_NONE,
			B_WILL_DRAW | B_NAVIGABLE);
		fRight = new RecordingView(BRect(100, 0, 199, 99), "right", fJournal, B_FOLLOW_NONE,
			B_WILL_DRAW | B_NAVIGABLE);
		fInner = new RecordingView(BRect(10, 10, 29, 29), "inner", fJournal);
		fWindow->AddChild(fLeft);
		fWindow->AddChild(fRight);
		fRight->AddChild(fInner);
		ShowAndWait(fWindow);
		fJournal->Clear();
	}

	std::vector<BMessage> MessagesOf(const std::string& entry) { return fJournal->MessagesOf(entry); }

	RecordingWindow* fWindow = nullptr;
	RecordingView* fLeft = nullptr;
	RecordingView* fRight = nullptr;
	RecordingView* fInner = nullptr;
};

TEST_F(WindowInput, KeysGoToTheFocusViewWithTheirFieldsInTheCurrentMessage)
{
	ASSERT_EQ(BPrivate::TypeText(fWindow, "xy"), B_OK);
	Idle(fWindow);
	for (const std::string& entry : fJournal->Entries())
		EXPECT_EQ(entry.find("KeyDown"), std::string::npos) << "no focus view, yet " << entry;
	WithLock(fWindow, [&] {
		fRight->MakeFocus();
		EXPECT_EQ(fWindow->CurrentFocus(), fRight);
		EXPECT_TRUE(fRight->IsFocus());
	});

	ASSERT_EQ(BPrivate::PostKey(fWindow, "A", B_SHIFT_KEY, 0x3c), B_OK);
	const char f11[] = {B_FUNCTION_KEY, 0};
	ASSERT_EQ(BPrivate::PostFunctionKey(fWindow, B_F11_KEY), B_OK);
	Idle(fWindow);

	std::vector<BMessage> downs = MessagesOf("right:KeyDown A");
	ASSERT_EQ(downs.size(), 1u);
	EXPECT_EQ(downs[0].what, uint32(B_KEY_DOWN));
	EXPECT_EQ(Int32Of(downs[0], "modifiers"), B_SHIFT_KEY);
	EXPECT_EQ(Int32Of(downs[0], "key"), 0x3c);
	EXPECT_EQ(Int32Of(downs[0], "raw_char"), 'a');
	EXPECT_EQ(StringOf(downs[0], "bytes"), "A");
	EXPECT_TRUE(downs[0].HasInt64("when"));
	EXPECT_EQ(MessagesOf("right:KeyUp A").size(), 1u);
	std::vector<BMessage> function = MessagesOf(std::string("right:KeyDown ") + f11);
	ASSERT_EQ(function.size(), 1u);
	EXPECT_EQ(Int32Of(function[0], "key"), B_F11_KEY);
	EXPECT_TRUE(MessagesOf("left:KeyDown A").empty());
}

TEST_F(WindowInput, MovingThePointerAcrossViewsReportsEnteringAndLeaving)
{
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(50, 50)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(51, 50)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(150, 50)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseExited(fWindow, BPoint(250, 50)), B_OK);
	Idle(fWindow);
	std::vector<std::string> moves;
	for (const std::string& entry : fJournal->Entries()) {
		if (entry.find("MouseMoved") != std::string::npos)
			moves.push_back(entry);
	}
	EXPECT_EQ(moves, (std::vector<std::string>{
		"left:MouseMoved 50,50 transit 0",
		"left:MouseMoved 51,50 transit 1",
		"left:MouseMoved 150,50 transit 2",
		"right:MouseMoved 50,50 transit 0",
		"right:MouseMoved 150,50 transit 2"}));
	std::vector<BMessage> entered = MessagesOf("right:MouseMoved 50,50 transit 0");
	ASSERT_EQ(entered.size(), 1u);
	EXPECT_EQ(Int32Of(entered[0], "be:transit"), B_ENTERED_VIEW);
}

TEST_F(WindowInput, ShortcutsGoToTheirTargetAndCtrlShiftAnswersCommandControl)
{
	WithLock(fWindow, [&] {
		fWindow->AddShortcut('S', B_COMMAND_KEY, new BMessage('save'));
		fWindow->AddShortcut('Z', B_COMMAND_KEY | B_CONTROL_KEY, new BMessage('redo'), fLeft);
		fRight->MakeFocus();
		EXPECT_TRUE(fWindow->HasShortcut('s', B_COMMAND_KEY));
	});
	uint32 ctrl = B_COMMAND_KEY | B_CONTROL_KEY | B_LEFT_CONTROL_KEY;
	ASSERT_EQ(BPrivate::PostKey(fWindow, "s", ctrl), B_OK);
	ASSERT_EQ(BPrivate::PostKey(fWindow, "Z", ctrl | B_SHIFT_KEY), B_OK);
	ASSERT_EQ(BPrivate::PostKey(fWindow, "z", ctrl), B_OK);
	Idle(fWindow);
	std::vector<std::string> entries = fJournal->Entries();
	EXPECT_TRUE(Has(entries, "right:Message save"));
	EXPECT_TRUE(Has(entries, "left:Message redo"));
	EXPECT_EQ(std::count(entries.begin(), entries.end(), "left:Message redo"), 1);
	EXPECT_FALSE(Has(entries, "right:KeyDown s"));
}

TEST_F(WindowInput, WheelGoesToTheViewUnderThePointerAndUpItsParents)
{
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(115, 15)), B_OK);
	ASSERT_EQ(BPrivate::PostWheel(fWindow, 0, 3), B_OK);
	Idle(fWindow);
	std::vector<BMessage> wheels = MessagesOf("inner:Message _MWC");
	ASSERT_EQ(wheels.size(), 1u);
	float delta = 0;
	EXPECT_EQ(wheels[0].FindFloat("be:wheel_delta_y", &delta), B_OK);
	EXPECT_EQ(delta, 3);
}

TEST_F(WindowInput, DraggedMessageIsDroppedOnTheViewUnderThePointer)
{
	fLeft->onMouseDown = [](BView* self, BPoint where) {
		BMessage drag('DATA');
		drag.AddString("text", "dragged");
		self->DragMessage(&drag, BRect(where.x - 5, where.y - 5, where.x + 5, where.y + 5));
	};
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, BPoint(20, 20)), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, BPoint(160, 60), B_PRIMARY_MOUSE_BUTTON), B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, BPoint(160, 60)), B_OK);
	Idle(fWindow);
	std::vector<std::string> entries = fJournal->Entries();
	EXPECT_TRUE(Has(entries, "right:MouseMoved 60,60 transit 0 dragging"));
	std::vector<BMessage> drops = MessagesOf("right:Message DATA dropped");
	ASSERT_EQ(drops.size(), 1u);
	BPoint offset;
	EXPECT_EQ(drops[0].DropPoint(&offset), BPoint(460, 260));
	EXPECT_EQ(offset, BPoint(5, 5));
	EXPECT_EQ(StringOf(drops[0], "text"), "dragged");
}

TEST_F(WindowInput, FilesFromAnotherProgramArriveAsRefsAtTheDropPoint)
{
	std::string folder = testing::TempDir();
	std::string path = folder + (folder.back() == '/' ? "" : "/") + "dropped picture.png";
	ASSERT_EQ(BPrivate::PostFilesDropped(fWindow, BPoint(150, 40), {path, "/tmp"}), B_OK);
	Idle(fWindow);

	std::vector<BMessage> drops = MessagesOf("right:Message DATA dropped");
	ASSERT_EQ(drops.size(), 1u);
	const BMessage& drop = drops[0];
	EXPECT_EQ(drop.DropPoint(), BPoint(450, 240));
	entry_ref ref;
	ASSERT_EQ(drop.FindRef("refs", 0, &ref), B_OK);
	EXPECT_STREQ(ref.name, "dropped picture.png");
	EXPECT_EQ(ref.path, path);
	ASSERT_EQ(drop.FindRef("refs", 1, &ref), B_OK);
	EXPECT_STREQ(ref.name, "tmp");
	EXPECT_FALSE(Has(fJournal->Entries(), "left:Message DATA dropped"));
}

} // namespace

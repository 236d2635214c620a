// The keyboard and the mouse of a text view, driven by posting the
// messages the display posts: typing, navigation, shortcuts, undo of typing,
// mouse selection, dragging text and dropping it.

#include "TextViewTestSupport.h"

#include <algorithm>
#include <functional>

#include <WindowTesting.h>

using namespace TextViewTests;

namespace {

const char kLeft[] = {B_LEFT_ARROW, 0};
const char kRight[] = {B_RIGHT_ARROW, 0};
const char kUp[] = {B_UP_ARROW, 0};
const char kDown[] = {B_DOWN_ARROW, 0};
const char kHome[] = {B_HOME, 0};
const char kEnd[] = {B_END, 0};
const char kPageDown[] = {B_PAGE_DOWN, 0};
const char kBackspace[] = {B_BACKSPACE, 0};
const char kDelete[] = {B_DELETE, 0};
const char kTab[] = {B_TAB, 0};
const uint32 kCtrl = B_COMMAND_KEY | B_CONTROL_KEY;

// A text with a selection, the input the user gives (keys or mouse
// gestures), and the text and selection it leaves.
template <typename Input>
struct Script {
	const char* name;
	const char* text;
	std::pair<int32, int32> selection;
	std::vector<Input> input;
	const char* result;
	std::pair<int32, int32> resultSelection;
	std::function<void(BTextView*)> prepare = nullptr;
};

// A script prints, and names its test, by its name.
template <typename Input>
void PrintTo(const Script<Input>& script, std::ostream* out)
{
	*out << script.name;
}

template <typename Input>
std::string ScriptName(const testing::TestParamInfo<Script<Input>>& info)
{
	return info.param.name;
}

class TextViewKeyboard : public TextViewWindowTest {
protected:
	void SetUp() override
	{
		fLogging = new LoggingTextView();
		Open(fLogging);
	}

	void SetText(const char* text, int32 caret)
	{
		WithLock(fWindow, [&] {
			fView->SetText(text);
			fView->Select(caret, caret);
			fLogging->log.clear();
		});
	}

	std::vector<std::string> Log(const char* prefix)
	{
		Locked lock(fWindow);
		std::vector<std::string> found;
		for (const std::string& entry : fLogging->log) {
			if (entry.rfind(prefix, 0) == 0)
				found.push_back(entry);
		}
		return found;
	}

	undo_state Undo(bool* redo)
	{
		Locked lock(fWindow);
		return fView->UndoState(redo);
	}

	// Plays a script: sets its text and selection up, gives each input
	// to play, and checks what it leaves.
	template <typename Input, typename Play>
	void Run(const Script<Input>& script, Play play)
	{
		SetText(script.text, 0);
		WithLock(fWindow, [&] {
			fView->Select(script.selection.first, script.selection.second);
			if (script.prepare)
				script.prepare(fView);
		});
		for (const Input& input : script.input)
			play(input);
		Idle();
		EXPECT_EQ(Text(), script.result);
		EXPECT_EQ(Selection(), script.resultSelection);
	}

	TestClipboard fClipboard;
	LoggingTextView* fLogging = nullptr;
};

TEST_F(TextViewKeyboard, TypedCharactersGoThroughTheInsertHook)
{
	Type("h\xC3\xA9llo");
	EXPECT_EQ(Text(), "h\xC3\xA9llo");
	EXPECT_EQ(Selection(), std::make_pair(6, 6));
	std::vector<std::string> inserts = Log("insert");
	std::vector<std::string> expected = {"insert 0 +h", "insert 1 +\xC3\xA9", "insert 3 +l",
		"insert 4 +l", "insert 5 +o"};
	EXPECT_EQ(inserts, expected);
	EXPECT_EQ(Log("select").back(), "select 6..6");
}

// One key, or typed text when modifiers is kTyped.
const uint32 kTyped = ~0u;

struct Stroke {
	const char* bytes;
	uint32 modifiers = 0;
};

using KeyScript = Script<Stroke>;

class TextViewKeyScripts : public TextViewKeyboard, public testing::WithParamInterface<KeyScript> {
};

TEST_P(TextViewKeyScripts, LeaveTheTextAndSelectionTheyShould)
{
	Run(GetParam(), [this](const Stroke& stroke) {
		if (stroke.modifiers == kTyped)
			Type(stroke.bytes);
		else
			Key(stroke.bytes, stroke.modifiers);
	});
}

// "a", e acute, "b", euro sign: offsets 0 1 3 4 7.
const char kAccents[] = "a\xC3\xA9" "b\xE2\x82\xAC";
const Stroke R{kRight};
const Stroke L{kLeft};
const Stroke ShiftR{kRight, B_SHIFT_KEY};
const Stroke ShiftL{kLeft, B_SHIFT_KEY};
const Stroke CtrlZ{"z", kCtrl};

INSTANTIATE_TEST_SUITE_P(TextView, TextViewKeyScripts, testing::Values(
	KeyScript{"RightStepsOverAEuroSign", kAccents, {0, 0}, {R, R, R, R}, kAccents, {7, 7}},
	KeyScript{"BackspaceAndDeleteRemoveWholeCharacters", "x\xE2\x82\xAC\xC3\xA9y", {4, 4},
		{{kBackspace}, {kDelete}}, "xy", {1, 1}},
	KeyScript{"ShiftExtendsFromWhereTheSelectionBegan", "one two three", {4, 4},
		{ShiftR, ShiftR}, "one two three", {4, 6}},
	KeyScript{"AnArrowWithoutShiftCollapsesTheSelectionAtItsSide", "one two three", {3, 4},
		{R, {kEnd, B_SHIFT_KEY}, L}, "one two three", {4, 4}},
	KeyScript{"ControlRightMovesByWords", "alpha, beta gamma", {0, 0}, {{kRight, kCtrl},
		{kRight, kCtrl}, {kLeft, kCtrl | B_SHIFT_KEY}}, "alpha, beta gamma", {7, 11}},
	KeyScript{"ControlHomeGoesToTheStartAndControlDeleteRemovesAWord", "alpha, beta gamma",
		{11, 11}, {{kHome, kCtrl}, {kBackspace, kCtrl}, {kDelete, kCtrl}}, ", beta gamma", {0, 0}},
	KeyScript{"TypingReplacesTheSelectionAndTabsAreText", "replace me", {0, 7},
		{{"X", kTyped}, {kTab}}, "X\t me", {2, 2}},
	KeyScript{"AReadOnlyViewMovesTheCaretButKeepsItsText", "fixed", {0, 0},
		{{"ab", kTyped}, {kBackspace}, R}, "fixed", {1, 1},
		[](BTextView* view) { view->MakeEditable(false); }},
	// Undo of typing
	KeyScript{"BackspacingIsPartOfTheTypingStep", "keep this", {9, 9},
		{{kBackspace}, {kBackspace}, {kBackspace}, {kBackspace}, {"that", kTyped}, CtrlZ},
		"keep this", {5, 9}},
	KeyScript{"MovingTheCaretStartsANewTypingStep", "ab", {2, 2},
		{{"cd", kTyped}, L, L, L, {"X", kTyped}, CtrlZ}, "abcd", {1, 1}},
	KeyScript{"UndoingTypingOverASelectionBringsItBack", "a selected word", {2, 10},
		{{"new", kTyped}, CtrlZ}, "a selected word", {2, 10}}),
	ScriptName<Stroke>);

TEST_F(TextViewKeyboard, UpAndDownKeepTheirColumn)
{
	SetText("a long first line\nab\nanother long line", 10);
	Key(kDown);
	EXPECT_EQ(Selection().first, 20);
	Key(kDown);
	int32 caret = Selection().first;
	WithLock(fWindow, [&] { EXPECT_NEAR(fView->PointAt(caret).x, fView->PointAt(10).x, 8); });
	Key(kUp);
	Key(kUp);
	EXPECT_EQ(Selection().first, 10);
	Key(kUp);
	EXPECT_EQ(Selection().first, 0);
}

TEST_F(TextViewKeyboard, HomeAndEndStayOnTheWrappedLine)
{
	SetText("the first words of a paragraph long enough to wrap in this view", 0);
	int32 secondLine = 0;
	{
		Locked lock(fWindow);
		ASSERT_GT(fView->CountLines(), 1);
		secondLine = fView->OffsetAt(1);
		fView->Select(secondLine + 2, secondLine + 2);
	}
	Key(kHome);
	EXPECT_EQ(Selection().first, secondLine);
	Key(kUp);
	Key(kEnd);
	EXPECT_EQ(Selection().first, secondLine - 1);
}

TEST_F(TextViewKeyboard, PageDownMovesTheCaretAndTheViewByAPage)
{
	std::string text;
	for (int i = 0; i < 60; i++)
		text += "line " + std::to_string(i) + "\n";
	SetText(text.c_str(), 0);
	Key(kPageDown);
	Locked lock(fWindow);
	EXPECT_GT(fView->Bounds().top, 100);
	int32 caret = 0;
	fView->GetSelection(&caret, nullptr);
	EXPECT_GE(fView->PointAt(caret).y, fView->Bounds().top);
	EXPECT_LE(fView->PointAt(caret).y, fView->Bounds().bottom);
	EXPECT_GT(fView->LineAt(caret), 8);
}

TEST_F(TextViewKeyboard, TheWindowShortcutsCopyCutPasteAndSelectAll)
{
	SetText("copy this", 0);
	Key("a", kCtrl);
	EXPECT_EQ(Selection(), std::make_pair(0, 9));
	Key("c", kCtrl);
	Key(kEnd);
	Key("v", kCtrl);
	EXPECT_EQ(Text(), "copy thiscopy this");
	EXPECT_EQ(Undo(nullptr), B_UNDO_PASTE);
	WithLock(fWindow, [&] { fView->Select(0, 5); });
	Key("x", kCtrl);
	EXPECT_EQ(Text(), "thiscopy this");
	EXPECT_EQ(Undo(nullptr), B_UNDO_CUT);
	std::vector<std::string> inserts = Log("insert");
	EXPECT_EQ(inserts, (std::vector<std::string>{"insert 9 +copy this"}));
}

// #pragma mark - The mouse

class TextViewMouse : public TextViewKeyboard {
protected:
	BPoint PointOf(int32 offset)
	{
		Locked lock(fWindow);
		float height = 0;
		BPoint point = fView->PointAt(offset, &height);
		return point + BPoint(1, height / 2);
	}
};

TEST_F(TextViewMouse, DraggingTheSelectionMovesTheText)
{
	SetText("move THIS word", 0);
	WithLock(fWindow, [&] { fView->Select(5, 10); });
	fLogging->log.clear();
	Press(PointOf(6));
	MoveTo(PointOf(8));
	MoveTo(PointOf(14));
	Release(PointOf(14));
	Idle();
	EXPECT_EQ(Text(), "move wordTHIS ");
	EXPECT_EQ(Selection(), std::make_pair(9, 14));
	EXPECT_EQ(Log("delete"), (std::vector<std::string>{"delete 5..10"}));
	EXPECT_EQ(Log("insert"), (std::vector<std::string>{"insert 9 +THIS "}));
	EXPECT_EQ(Undo(nullptr), B_UNDO_DROP);
	Key("z", kCtrl);
	EXPECT_EQ(Text(), "move THIS word");
	EXPECT_EQ(Selection(), std::make_pair(5, 10));
}

TEST_F(TextViewMouse, TextDroppedFromAnotherViewIsCopiedIn)
{
	LoggingTextView* source = new LoggingTextView(BRect(0, 160, 199, 199));
	WithLock(fWindow, [&] {
		fWindow->AddChild(source);
		source->SetText("dragged");
		source->Select(0, 7);
	});
	SetText("target", 6);
	BPoint from;
	WithLock(fWindow, [&] {
		from = fWindow->ConvertFromScreen(source->ConvertToScreen(source->PointAt(2)
			+ BPoint(1, 5)));
	});
	ASSERT_EQ(BPrivate::PostMouseDown(fWindow, from), B_OK);
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, from + BPoint(10, 0), B_PRIMARY_MOUSE_BUTTON),
		B_OK);
	BPoint to = InWindow(PointOf(3));
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, to, B_PRIMARY_MOUSE_BUTTON), B_OK);
	ASSERT_EQ(BPrivate::PostMouseUp(fWindow, to), B_OK);
	Idle();
	Idle();
	EXPECT_EQ(Text(), "tardraggedget");
	Locked lock(fWindow);
	EXPECT_EQ(std::string(source->Text()), "dragged");
	EXPECT_EQ(fLogging->log.back(), "select 3..10");
}

// What the mouse does at the points of offsets of a text: presses,
// moves with the button down, releases, and whole clicks.
struct Gesture {
	enum Kind { kPress, kMove, kRelease, kClick } kind;
	int32 offset;
	int32 clicks = 1;
	uint32 modifiers = 0;
};

using MouseScript = Script<Gesture>;

class TextViewMouseScripts : public TextViewMouse, public testing::WithParamInterface<MouseScript> {
};

TEST_P(TextViewMouseScripts, LeaveTheTextAndSelectionTheyShould)
{
	Run(GetParam(), [this](const Gesture& gesture) {
		BPoint point = PointOf(gesture.offset);
		switch (gesture.kind) {
			case Gesture::kPress: Press(point, gesture.clicks, gesture.modifiers); break;
			case Gesture::kMove: MoveTo(point); break;
			case Gesture::kRelease: Release(point, gesture.modifiers); break;
			case Gesture::kClick: Click(point, gesture.clicks, gesture.modifiers); break;
		}
	});
}

Gesture Press(int32 offset, int32 clicks = 1) { return {Gesture::kPress, offset, clicks}; }
Gesture Move(int32 offset) { return {Gesture::kMove, offset}; }
Gesture Release(int32 offset, uint32 modifiers = 0)
{
	return {Gesture::kRelease, offset, 1, modifiers};
}
Gesture Click(int32 offset, int32 clicks = 1, uint32 modifiers = 0)
{
	return {Gesture::kClick, offset, clicks, modifiers};
}

INSTANTIATE_TEST_SUITE_P(TextView, TextViewMouseScripts, testing::Values(
	MouseScript{"DoubleClickSelectsAWord", "first words here\nsecond line", {0, 0},
		{Click(8, 2)}, "first words here\nsecond line", {6, 11}},
	MouseScript{"TripleClickSelectsALine", "first words here\nsecond line", {0, 0},
		{Click(8, 3)}, "first words here\nsecond line", {0, 17}},
	MouseScript{"ShiftClickExtendsTheSelectionsEnd", "drag across these words", {5, 12},
		{Click(18, 1, B_SHIFT_KEY)}, "drag across these words", {5, 18}},
	MouseScript{"DraggingBackwardsByWordsKeepsTheFirstWord", "one two three four", {0, 0},
		{Press(9, 2), Move(1), Release(1)}, "one two three four", {0, 13}},
	MouseScript{"DraggingWithTheControlKeyCopies", "copy me ", {0, 5},
		{Press(1), Move(7), Move(8), Release(8, B_CONTROL_KEY)}, "copy me copy ", {8, 13}},
	MouseScript{"AClickOnTheSelectionWithoutMovingPlacesTheCaret", "keep it simple", {5, 14},
		{Click(8)}, "keep it simple", {8, 8}},
	MouseScript{"ADropWhereTheViewIsNotEditableInsertsNothing", "fixed text", {0, 5},
		{Press(1), Move(7), Release(8)}, "fixed text", {0, 5},
		[](BTextView* view) { view->MakeEditable(false); }}),
	ScriptName<Gesture>);

class TextViewScrolledMouse : public TextViewWindowTest {
protected:
	void SetUp() override
	{
		Open(new LoggingTextView(BRect(0, 0, 199, 149)), true);
		std::string text;
		for (int i = 0; i < 80; i++)
			text += "row " + std::to_string(i) + "\n";
		Locked lock(fWindow);
		fView->SetText(text.c_str());
	}
};

TEST_F(TextViewScrolledMouse, DraggingBelowTheViewScrollsAndExtends)
{
	BPoint start(20, 10);
	Press(start);
	MoveTo(BPoint(20, 140));
	MoveTo(BPoint(20, 220));
	// The text goes on scrolling while the pointer rests below the view.
	snooze(200000);
	Idle();
	Release(BPoint(20, 220));
	Locked lock(fWindow);
	EXPECT_GT(fView->Bounds().top, 80);
	int32 start0 = 0;
	int32 end = 0;
	fView->GetSelection(&start0, &end);
	EXPECT_EQ(start0, fView->OffsetAt(BPoint(20, 10)));
	EXPECT_GT(fView->LineAt(end), 10);
	BScrollBar* bar = fScrollView->ScrollBar(B_VERTICAL);
	EXPECT_EQ(bar->Value(), fView->Bounds().top);
}

} // namespace

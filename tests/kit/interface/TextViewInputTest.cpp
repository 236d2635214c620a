// The keyboard and the mouse of a text view, driven by posting the
// messages the display posts: typing, navigation, shortcuts, undo of typing,
// mouse selection, dragging text and dropping it.

#include "TextViewTestSupport.h"

#include <algorithm>

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

class TextViewKeyboard : public TextViewWindowTest {
protected:
	void SetUp() override
	{
		fLogging = new LoggingTextView();
		Open(fLogging);
	}

	void SetText(const char* text, int32 caret)
	{
		Locked lock(fWindow);
		fView->SetText(text);
		fView->Select(caret, caret);
		fLogging->log.clear();
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

TEST_F(TextViewKeyboard, ArrowsStepOverWholeCharacters)
{
	SetText("a\xC3\xA9" "b\xE2\x82\xAC", 0);
	std::vector<int32> carets;
	for (int i = 0; i < 5; i++) {
		Key(kRight);
		carets.push_back(Selection().first);
	}
	EXPECT_EQ(carets, (std::vector<int32>{1, 3, 4, 7, 7}));
	Key(kLeft);
	Key(kLeft);
	EXPECT_EQ(Selection(), std::make_pair(3, 3));
}

TEST_F(TextViewKeyboard, BackspaceAndDeleteRemoveWholeCharacters)
{
	SetText("x\xE2\x82\xAC\xC3\xA9y", 4);
	Key(kBackspace);
	EXPECT_EQ(Text(), "x\xC3\xA9y");
	Key(kDelete);
	EXPECT_EQ(Text(), "xy");
	EXPECT_EQ(Log("delete"), (std::vector<std::string>{"delete 1..4", "delete 1..3"}));
}

TEST_F(TextViewKeyboard, ShiftExtendsFromWhereTheSelectionBegan)
{
	SetText("one two three", 4);
	Key(kRight, B_SHIFT_KEY);
	Key(kRight, B_SHIFT_KEY);
	EXPECT_EQ(Selection(), std::make_pair(4, 6));
	Key(kLeft, B_SHIFT_KEY);
	Key(kLeft, B_SHIFT_KEY);
	Key(kLeft, B_SHIFT_KEY);
	EXPECT_EQ(Selection(), std::make_pair(3, 4));
	Key(kRight);
	EXPECT_EQ(Selection(), std::make_pair(4, 4));
	Key(kEnd, B_SHIFT_KEY);
	EXPECT_EQ(Selection(), std::make_pair(4, 13));
	Key(kLeft);
	EXPECT_EQ(Selection(), std::make_pair(4, 4));
}

TEST_F(TextViewKeyboard, TheControlKeyMovesByWordsAndToTheTextsEnds)
{
	SetText("alpha, beta gamma", 0);
	Key(kRight, kCtrl);
	EXPECT_EQ(Selection().first, 5);
	Key(kRight, kCtrl);
	EXPECT_EQ(Selection().first, 11);
	Key(kLeft, kCtrl | B_SHIFT_KEY);
	EXPECT_EQ(Selection(), std::make_pair(7, 11));
	Key(kEnd, kCtrl);
	EXPECT_EQ(Selection().first, 17);
	Key(kHome, kCtrl);
	EXPECT_EQ(Selection().first, 0);
	Key(kBackspace, kCtrl);
	Key(kDelete, kCtrl);
	EXPECT_EQ(Text(), ", beta gamma");
}

TEST_F(TextViewKeyboard, UpAndDownKeepTheirColumn)
{
	SetText("a long first line\nab\nanother long line", 10);
	Key(kDown);
	EXPECT_EQ(Selection().first, 20);
	Key(kDown);
	int32 caret = Selection().first;
	{
		Locked lock(fWindow);
		EXPECT_NEAR(fView->PointAt(caret).x, fView->PointAt(10).x, 8);
	}
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

TEST_F(TextViewKeyboard, TypingReplacesTheSelectionAndTabsAreText)
{
	SetText("replace me", 0);
	{
		Locked lock(fWindow);
		fView->Select(0, 7);
	}
	Type("X");
	Key(kTab);
	EXPECT_EQ(Text(), "X\t me");
}

TEST_F(TextViewKeyboard, AReadOnlyViewMovesTheCaretButKeepsItsText)
{
	SetText("fixed", 0);
	{
		Locked lock(fWindow);
		fView->MakeEditable(false);
	}
	Type("ab");
	Key(kBackspace);
	Key(kRight);
	EXPECT_EQ(Text(), "fixed");
	EXPECT_EQ(Selection(), std::make_pair(1, 1));
}

TEST_F(TextViewKeyboard, DisallowedCharactersAreRefusedWithABeep)
{
	SetText("", 0);
	{
		Locked lock(fWindow);
		fView->DisallowChar('x');
		fView->DisallowChar(0xE9);
	}
	int32 beeps = BPrivate::BeepCount();
	Type("axb\xC3\xA9" "c");
	EXPECT_EQ(Text(), "abc");
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 2);
	{
		Locked lock(fWindow);
		fView->AllowChar('x');
	}
	Type("x");
	EXPECT_EQ(Text(), "abcx");
}

TEST_F(TextViewKeyboard, ReturnKeepsTheIndentationWhenAsked)
{
	SetText("\t  indented", 11);
	{
		Locked lock(fWindow);
		fView->SetAutoindent(true);
	}
	Type("\n");
	EXPECT_EQ(Text(), "\t  indented\n\t  ");
	EXPECT_EQ(Selection().first, 15);
}

TEST_F(TextViewKeyboard, MaxBytesStopsTyping)
{
	SetText("abc", 3);
	{
		Locked lock(fWindow);
		fView->SetMaxBytes(5);
	}
	Type("de\xC3\xA9" "f");
	EXPECT_EQ(Text(), "abcde");
}

// #pragma mark - Shortcuts and undo of typing

TEST_F(TextViewKeyboard, TypingAWordIsUndoneInOneStepAndRedoneByUndoingAgain)
{
	SetText("start ", 6);
	Type("word");
	bool redo = true;
	EXPECT_EQ(Undo(&redo), B_UNDO_TYPING);
	EXPECT_FALSE(redo);
	Key("z", kCtrl);
	EXPECT_EQ(Text(), "start ");
	EXPECT_EQ(Undo(&redo), B_UNDO_TYPING);
	EXPECT_TRUE(redo);
	Key("z", kCtrl);
	EXPECT_EQ(Text(), "start word");
	EXPECT_EQ(Selection(), std::make_pair(6, 10));
}

TEST_F(TextViewKeyboard, BackspacingIsPartOfTheTypingStep)
{
	SetText("keep this", 9);
	Key(kBackspace);
	Key(kBackspace);
	Key(kBackspace);
	Key(kBackspace);
	Type("that");
	EXPECT_EQ(Text(), "keep that");
	Key("z", kCtrl);
	EXPECT_EQ(Text(), "keep this");
	EXPECT_EQ(Selection(), std::make_pair(5, 9));
}

TEST_F(TextViewKeyboard, MovingTheCaretStartsANewTypingStep)
{
	SetText("ab", 2);
	Type("cd");
	Key(kLeft);
	Key(kLeft);
	Key(kLeft);
	Type("X");
	EXPECT_EQ(Text(), "aXbcd");
	Key("z", kCtrl);
	EXPECT_EQ(Text(), "abcd");
}

TEST_F(TextViewKeyboard, UndoingTypingOverASelectionBringsItBack)
{
	SetText("a selected word", 2);
	{
		Locked lock(fWindow);
		fView->Select(2, 10);
	}
	Type("new");
	EXPECT_EQ(Text(), "a new word");
	Key("z", kCtrl);
	EXPECT_EQ(Text(), "a selected word");
	EXPECT_EQ(Selection(), std::make_pair(2, 10));
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
	{
		Locked lock(fWindow);
		fView->Select(0, 5);
	}
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

TEST_F(TextViewMouse, AClickPlacesTheCaretThroughSelect)
{
	SetText("click somewhere in here", 0);
	Click(PointOf(6));
	EXPECT_EQ(Selection(), std::make_pair(6, 6));
	EXPECT_EQ(Log("select").back(), "select 6..6");
}

TEST_F(TextViewMouse, DoubleClickSelectsAWordAndTripleClickALine)
{
	SetText("first words here\nsecond line", 0);
	Click(PointOf(8), 2);
	EXPECT_EQ(Selection(), std::make_pair(6, 11));
	Click(PointOf(8), 3);
	EXPECT_EQ(Selection(), std::make_pair(0, 17));
}

TEST_F(TextViewMouse, DraggingSelectsAndShiftClickExtends)
{
	SetText("drag across these words", 0);
	Press(PointOf(5));
	MoveTo(PointOf(10));
	MoveTo(PointOf(12));
	Release(PointOf(12));
	EXPECT_EQ(Selection(), std::make_pair(5, 12));
	Click(PointOf(18), 1, B_SHIFT_KEY);
	EXPECT_EQ(Selection(), std::make_pair(5, 18));
	// Before the selection, the click moves its start.
	Click(PointOf(2), 1, B_SHIFT_KEY);
	EXPECT_EQ(Selection(), std::make_pair(2, 18));
}

TEST_F(TextViewMouse, DraggingBackwardsByWordsKeepsTheFirstWord)
{
	SetText("one two three four", 0);
	Press(PointOf(9), 2);
	MoveTo(PointOf(1), B_PRIMARY_MOUSE_BUTTON);
	Release(PointOf(1));
	EXPECT_EQ(Selection(), std::make_pair(0, 13));
}

TEST_F(TextViewMouse, DraggingTheSelectionMovesTheText)
{
	SetText("move THIS word", 0);
	{
		Locked lock(fWindow);
		fView->Select(5, 10);
	}
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

TEST_F(TextViewMouse, DraggingWithTheControlKeyCopies)
{
	SetText("copy me ", 0);
	{
		Locked lock(fWindow);
		fView->Select(0, 5);
	}
	Press(PointOf(1));
	MoveTo(PointOf(7));
	MoveTo(PointOf(8));
	Release(PointOf(8), B_CONTROL_KEY);
	Idle();
	EXPECT_EQ(Text(), "copy me copy ");
}

TEST_F(TextViewMouse, ACLickOnTheSelectionWithoutMovingPlacesTheCaret)
{
	SetText("keep it simple", 0);
	{
		Locked lock(fWindow);
		fView->Select(5, 14);
	}
	Click(PointOf(8));
	EXPECT_EQ(Selection(), std::make_pair(8, 8));
	EXPECT_EQ(Text(), "keep it simple");
}

TEST_F(TextViewMouse, TextDroppedFromAnotherViewIsCopiedIn)
{
	LoggingTextView* source = new LoggingTextView(BRect(0, 160, 199, 199));
	{
		Locked lock(fWindow);
		fWindow->AddChild(source);
		source->SetText("dragged");
		source->Select(0, 7);
	}
	SetText("target", 6);
	BPoint from;
	{
		Locked lock(fWindow);
		from = fWindow->ConvertFromScreen(source->ConvertToScreen(source->PointAt(2)
			+ BPoint(1, 5)));
	}
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

TEST_F(TextViewMouse, ADropWhereTheViewIsNotEditableInsertsNothing)
{
	SetText("fixed text", 0);
	{
		Locked lock(fWindow);
		fView->MakeEditable(false);
		fView->Select(0, 5);
	}
	Press(PointOf(1));
	MoveTo(PointOf(7));
	Release(PointOf(8));
	Idle();
	EXPECT_EQ(Text(), "fixed text");
}

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

TEST_F(TextViewScrolledMouse, TheWheelScrollsThroughTheBar)
{
	BPoint where = InWindow(BPoint(50, 50));
	ASSERT_EQ(BPrivate::PostMouseMoved(fWindow, where), B_OK);
	ASSERT_EQ(BPrivate::PostWheel(fWindow, 0, 2), B_OK);
	Idle();
	Locked lock(fWindow);
	float smallStep = 0;
	fScrollView->ScrollBar(B_VERTICAL)->GetSteps(&smallStep, nullptr);
	EXPECT_FLOAT_EQ(fView->Bounds().top, 2 * 3 * smallStep);
	EXPECT_FLOAT_EQ(fScrollView->ScrollBar(B_VERTICAL)->Value(), fView->Bounds().top);
}

} // namespace

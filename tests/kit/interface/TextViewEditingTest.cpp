// Editing a text view through its API: character boundaries, style runs
// at their edges, the hooks every change passes through, and undo.

#include "TextViewTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <functional>

#include <File.h>

using namespace TextViewTests;

namespace {

// "a", e acute (2 bytes), "b", euro sign (3 bytes), "c": offsets 0 1 3 4 7.
const char kMixed[] = "a\xC3\xA9" "b\xE2\x82\xAC" "c";

struct BoundaryCase {
	const char* name;
	std::function<void(BTextView&)> operation;
	const char* text;
	std::pair<int32, int32> selection;
};

void PrintTo(const BoundaryCase& row, std::ostream* out)
{
	*out << row.name;
}

class CharacterBoundaries : public testing::TestWithParam<BoundaryCase> {};

TEST_P(CharacterBoundaries, NoOperationSplitsAMultiByteCharacter)
{
	const BoundaryCase& row = GetParam();
	BTextView view(BRect(0, 0, 199, 99), "text", kTextRect, B_FOLLOW_NONE, B_WILL_DRAW);
	view.SetText(kMixed);
	row.operation(view);
	EXPECT_EQ(std::string(view.Text()), row.text);
	EXPECT_EQ(SelectionOf(&view), row.selection);
}

INSTANTIATE_TEST_SUITE_P(TextView, CharacterBoundaries, testing::Values(
	BoundaryCase{"SelectionTakesInTheCharactersItTouches", [](BTextView& v) { v.Select(2, 5); },
		kMixed, {1, 7}},
	BoundaryCase{"CaretInsideACharacterGoesToItsStart", [](BTextView& v) { v.Select(6, 6); },
		kMixed, {4, 4}},
	BoundaryCase{"InsertAtSelectionInsideACharacter",
		[](BTextView& v) { v.Select(5, 5); v.Insert("-"); },
		"a\xC3\xA9" "b-\xE2\x82\xAC" "c", {5, 5}}),
	[](const testing::TestParamInfo<BoundaryCase>& info) { return info.param.name; });

// #pragma mark - The hooks

class TextViewHooks : public testing::Test {
protected:
	LoggingTextView fView;
};

TEST_F(TextViewHooks, TheApiChangesTheTextOnlyThroughTheHooks)
{
	fView.SetText("hello");
	fView.Select(5, 5);
	fView.Insert(" world");
	fView.Delete(0, 1);
	fView.Select(0, 4);
	fView.Delete();
	fView.Insert(0, "J", 1);
	EXPECT_EQ(std::string(fView.Text()), "J world");
	std::vector<std::string> expected = {
		"insert 0 +hello", "select 0..0", "select 5..5", "insert 5 + world", "select 11..11",
		"delete 0..1", "select 0..4", "delete 0..4", "select 0..0", "insert 0 +J"};
	EXPECT_EQ(fView.log, expected);
}

TEST_F(TextViewHooks, SetTextReplacesThroughADeleteAndAnInsert)
{
	fView.SetText("old");
	fView.log.clear();
	fView.SetText("new text", 3);
	EXPECT_EQ(std::string(fView.Text()), "new");
	std::vector<std::string> expected = {"delete 0..3", "insert 0 +new", "select 0..0"};
	EXPECT_EQ(fView.log, expected);
}

TEST_F(TextViewHooks, TheHooksKeepTheSelectionOnItsTextWithoutMovingACaret)
{
	fView.SetText("0123456789");
	fView.Select(4, 6);
	fView.InsertText("ab", 2, 2, nullptr);
	EXPECT_EQ(std::string(fView.Text()), "01ab23456789");
	EXPECT_EQ(SelectionOf(&fView), std::make_pair(6, 8));

	fView.InsertText("<", 1, 6, nullptr);
	fView.InsertText(">", 1, 9, nullptr);
	auto [start, end] = SelectionOf(&fView);
	EXPECT_EQ(std::string(fView.Text()).substr(start, end - start), "45");

	fView.Select(3, 3);
	fView.InsertText("!", 1, 3, nullptr);
	EXPECT_EQ(SelectionOf(&fView), std::make_pair(3, 3));

	fView.Select(4, 9);
	fView.DeleteText(2, 6);
	EXPECT_EQ(SelectionOf(&fView), std::make_pair(2, 5));
}

// A subclass that colours what is inserted, as a source view does, and
// lets nothing but digits in: the view stays consistent under it.
class DigitColouringView : public BTextView {
public:
	DigitColouringView()
		: BTextView(BRect(0, 0, 199, 99), "digits", kTextRect, B_FOLLOW_NONE, B_WILL_DRAW) {}

	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override
	{
		std::string digits;
		for (int32 i = 0; i < length; i++) {
			if (text[i] >= '0' && text[i] <= '9')
				digits += text[i];
		}
		BTextView::InsertText(digits.data(), static_cast<int32>(digits.size()), offset, runs);
		rgb_color green = make_color(0, 140, 0);
		SetFontAndColor(offset, offset + static_cast<int32>(digits.size()), nullptr, 0, &green);
	}
};

TEST(TextViewSubclassHooks, ASubclassInsertingLessThanAskedKeepsTheCaretOnItsText)
{
	DigitColouringView view;
	view.SetText("1a2b3");
	EXPECT_EQ(std::string(view.Text()), "123");
	view.Select(3, 3);
	view.Insert("x4y5");
	EXPECT_EQ(std::string(view.Text()), "12345");
	EXPECT_EQ(SelectionOf(&view).first, 5);
	EXPECT_EQ(ColorAt(&view, 4), make_color(0, 140, 0));
	EXPECT_EQ(view.CountLines(), 1);
}

// A big text is handed to a view without a copy, through the hooks as any
// text goes in; where a hook inserts other bytes, or the block has no byte
// to spare, the text is copied (and the block freed, as the leak checker
// sees).
namespace {

BPrivate::MallocBlock BlockOf(const char* text, size_t size)
{
	BPrivate::MallocBlock block(static_cast<char*>(malloc(size)));
	memcpy(block.get(), text, strlen(text));
	return block;
}

} // namespace

TEST(TextViewAdoptedText, TheBlockBecomesTheTextThroughTheHooksAndIsEditedAsAnyText)
{
	LoggingTextView view;
	view.SetText("old");
	view.log.clear();
	BPrivate::MallocBlock block = BlockOf("adopted", 16);
	const char* bytes = block.get();
	view.SetTextAdopting(std::move(block), 7, 16);
	EXPECT_EQ(static_cast<const void*>(view.Text()), static_cast<const void*>(bytes));
	std::vector<std::string> expected = {"delete 0..3", "insert 0 +adopted", "select 0..0"};
	EXPECT_EQ(view.log, expected);

	view.Select(7, 7);
	view.Insert(" and grown past its block");
	view.Insert(0, "text ", 5);
	EXPECT_EQ(std::string(view.Text()), "text adopted and grown past its block");
	LoggingTextView copied;
	copied.SetText(view.Text());
	EXPECT_EQ(view.CountLines(), copied.CountLines());
	EXPECT_EQ(view.OffsetAt(1), copied.OffsetAt(1));
}

TEST(TextViewAdoptedText, AHookChangingTheTextOrABlockWithoutASpareByteGetsACopy)
{
	DigitColouringView digits;
	digits.SetTextAdopting(BlockOf("1a2b3", 8), 5, 8);
	EXPECT_EQ(std::string(digits.Text()), "123");
	EXPECT_EQ(ColorAt(&digits, 1), make_color(0, 140, 0));

	BTextView full(BRect(0, 0, 199, 99), "full", kTextRect, B_FOLLOW_NONE, B_WILL_DRAW);
	full.SetTextAdopting(BlockOf("abc", 3), 3, 3);
	EXPECT_EQ(std::string(full.Text()), "abc");
}

// #pragma mark - Undo through the API

class TextViewUndo : public testing::Test {
protected:
	void SetUp() override { fView.SetText("one two three"); }

	std::string Text() { return fView.Text(); }

	TestClipboard fClipboard;
	LoggingTextView fView;
};

TEST_F(TextViewUndo, CutIsUndoneAndRedoneThroughTheHooks)
{
	fView.Select(3, 7);
	fView.Cut(fClipboard.Get());
	EXPECT_EQ(Text(), "one three");
	bool redo = true;
	EXPECT_EQ(fView.UndoState(&redo), B_UNDO_CUT);
	EXPECT_FALSE(redo);

	fView.log.clear();
	fView.Undo(fClipboard.Get());
	EXPECT_EQ(Text(), "one two three");
	EXPECT_EQ(fView.log.front(), "insert 3 + two");
	EXPECT_EQ(SelectionOf(&fView), std::make_pair(3, 7));
	EXPECT_EQ(fView.UndoState(&redo), B_UNDO_CUT);
	EXPECT_TRUE(redo);

	fView.Undo(fClipboard.Get());
	EXPECT_EQ(Text(), "one three");
}

TEST_F(TextViewUndo, UndoingAPasteBringsBackTheTextItReplacedWithItsStyle)
{
	BFont bold = SizedFont(12, B_BOLD_FACE);
	fView.SetFontAndColor(4, 7, &bold);
	fView.Select(0, 3);
	fView.Copy(fClipboard.Get());
	fView.Select(4, 7);
	fView.Paste(fClipboard.Get());
	EXPECT_EQ(Text(), "one one three");
	EXPECT_EQ(fView.UndoState(nullptr), B_UNDO_PASTE);
	fView.Undo(fClipboard.Get());
	EXPECT_EQ(Text(), "one two three");
	EXPECT_TRUE((FontAt(&fView, 5).Face() & B_BOLD_FACE) != 0);
	EXPECT_FALSE((FontAt(&fView, 3).Face() & B_BOLD_FACE) != 0);
}

TEST_F(TextViewUndo, ClearIsOneStepThatAStyleChangeKeeps)
{
	fView.Select(0, 4);
	fView.Clear();
	EXPECT_EQ(Text(), "two three");
	rgb_color red = make_color(255, 0, 0);
	fView.SetFontAndColor(0, 3, nullptr, 0, &red);
	EXPECT_EQ(fView.UndoState(nullptr), B_UNDO_CLEAR);
	fView.Undo(nullptr);
	EXPECT_EQ(Text(), "one two three");
}

TEST_F(TextViewUndo, AChangeMadeBehindTheStepsBackMakesItUnavailable)
{
	fView.Select(0, 4);
	fView.Clear();
	fView.Insert(0, "zero ", 5);
	EXPECT_EQ(fView.UndoState(nullptr), B_UNDO_UNAVAILABLE);
	fView.Undo(nullptr);
	EXPECT_EQ(Text(), "zero two three");
}

TEST_F(TextViewUndo, AViewThatDoesNoUndoRecordsNothing)
{
	fView.SetDoesUndo(false);
	fView.Select(0, 4);
	fView.Clear();
	EXPECT_EQ(fView.UndoState(nullptr), B_UNDO_UNAVAILABLE);
	fView.Undo(nullptr);
	EXPECT_EQ(Text(), "two three");
}

TEST_F(TextViewUndo, PastedTextKeepsItsRunsAcrossViews)
{
	BFont big = SizedFont(20, B_ITALIC_FACE);
	rgb_color red = make_color(220, 0, 0);
	fView.SetFontAndColor(4, 7, &big, B_FONT_ALL, &red);
	fView.Select(2, 9);
	fView.Copy(fClipboard.Get());

	BTextView other(BRect(0, 0, 199, 99), "other", kTextRect, B_FOLLOW_NONE, B_WILL_DRAW);
	other.SetText("[]");
	other.Select(1, 1);
	EXPECT_TRUE(other.AcceptsPaste(fClipboard.Get()));
	other.Paste(fClipboard.Get());
	EXPECT_EQ(std::string(other.Text()), "[e two t]");
	EXPECT_EQ(FontAt(&other, 4).Size(), 20);
	EXPECT_EQ(ColorAt(&other, 4), red);
	EXPECT_EQ(FontAt(&other, 7).Size(), 12);
	EXPECT_EQ(SelectionOf(&other).first, 8);
}

TEST_F(TextViewUndo, AReadOnlyViewNeitherCutsNorPastes)
{
	fView.MakeEditable(false);
	fView.Select(0, 3);
	fView.Copy(fClipboard.Get());
	fView.Cut(fClipboard.Get());
	fView.Select(4, 4);
	fView.Paste(fClipboard.Get());
	EXPECT_EQ(Text(), "one two three");
	EXPECT_FALSE(fView.AcceptsPaste(fClipboard.Get()));
}

// #pragma mark - Loading from a file

TEST(TextViewFile, SetTextReadsTheAskedStretchOfAFileAndAFailedReadLeavesTheText)
{
	TempDirectory directory;
	directory.Write("text.txt", "headerBODY TEXTtrailer");
	BFile file((directory / "text.txt").c_str(), B_READ_ONLY);
	ASSERT_EQ(file.InitCheck(), B_OK);
	BTextView view(BRect(0, 0, 199, 99), "text", kTextRect, B_FOLLOW_NONE, B_WILL_DRAW);
	view.SetText(&file, 6, 9);
	EXPECT_EQ(std::string(view.Text()), "BODY TEXT");
	view.SetText(&file, 15, 100);
	EXPECT_EQ(std::string(view.Text()), "trailer");

	BFile writeOnly((directory / "text.txt").c_str(), B_WRITE_ONLY);
	view.SetText(&writeOnly, 0, 7);
	EXPECT_EQ(std::string(view.Text()), "trailer");
}

} // namespace

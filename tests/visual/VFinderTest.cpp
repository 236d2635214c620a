// Find and replace in the visual window, driven through the finder's
// fields and buttons and the window's Ctrl+F, Ctrl+G and Ctrl+Z.

#include "PageTesting.h"

#include <memory>
#include <string>

#include <WindowTesting.h>

#include "FinderTesting.h"
#include "TestPictures.h"
#include "VFinder.h"

using PageTesting::PageTest;

namespace {

const char kNonBreakingSpace[] = "\xC2\xA0";

class VisualFinder : public PageTest {
protected:
	void OpenBody(const std::string& body)
	{
		Open("<html><head><meta charset=\"utf-8\"><title>Find</title></head><body>" + body
			+ "</body></html>\n");
		fFinder = std::make_unique<FinderDriver>(fPage->VisualWindow()->Finder(),
			fPage->VisualWindow(), [this] { Settle(); });
	}

	// The text of the paragraph the page holds: the visual text without
	// the paragraph's own room in front.
	std::string Paragraph() const { return VisualText().substr(2); }

	std::string Selected() const
	{
		BAutolock lock(VisualWindow());
		int32 start = 0;
		int32 end = 0;
		View()->GetSelection(&start, &end);
		return std::string(View()->Text() + start, end - start);
	}

	int32 SelectionStart() const
	{
		BAutolock lock(VisualWindow());
		int32 start = 0;
		View()->GetSelection(&start, nullptr);
		return start;
	}

	void Undo()
	{
		BPrivate::PostKey(VisualWindow(), "z", FinderDriver::kCtrl);
		fFinder->Idle();
	}

	std::unique_ptr<FinderDriver> fFinder;
};

TEST_F(VisualFinder, AnEmptyFindTextFindsNothingBeepsAndSaysSo)
{
	OpenBody("<p>cat</p>");
	int32 beeps = BPrivate::BeepCount();
	fFinder->Fill("");
	fFinder->Click("FindButton");
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
	EXPECT_EQ(fFinder->Status(), "not found");
	EXPECT_EQ(Selected(), "");
}

// cat inside concatenate and at the start of cats is no whole word; the
// one between two blanks is, and there is no other.
TEST_F(VisualFinder, WholeWordFindsCatOnlyBetweenBlanks)
{
	OpenBody("<p>concatenate cats cat end</p>");
	fFinder->Fill("cat");
	fFinder->Click("WholeWordCheckBox");
	fFinder->Click("FindButton");
	EXPECT_EQ(Selected(), "cat");
	EXPECT_EQ(SelectionStart(), 2 + 17);
	int32 beeps = BPrivate::BeepCount();
	fFinder->FindAgain();
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
}

TEST_F(VisualFinder, AfterTheLastMatchWrapOffBeepsAndWrapOnStartsAtTheTop)
{
	OpenBody("<p>one two one</p>");
	fFinder->Fill("one");
	fFinder->Click("FindButton");
	EXPECT_EQ(SelectionStart(), 2);
	fFinder->FindAgain();
	EXPECT_EQ(SelectionStart(), 2 + 8);
	int32 beeps = BPrivate::BeepCount();
	fFinder->FindAgain();
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
	fFinder->Click("WrapCheckBox");
	fFinder->FindAgain();
	EXPECT_EQ(SelectionStart(), 2);
	EXPECT_EQ(Selected(), "one");
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
	fFinder->Fill("none");
	fFinder->FindAgain();
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 2);
}

// From the start of the text to its end, counted in the status bar, and
// taken back by one undo.
TEST_F(VisualFinder, ReplaceAllReplacesEveryMatchAsOneUndoStep)
{
	OpenBody("<p>cat, a cat and cat</p>");
	std::string before = VisualText();
	fFinder->Fill("cat", "dog");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "dog, a dog and dog");
	EXPECT_EQ(fFinder->Status(), "3 replaced");
	Undo();
	EXPECT_EQ(VisualText(), before);
}

TEST_F(VisualFinder, CaseSensitiveMatchesOnlyTheSameCaseInsensitiveEveryCase)
{
	OpenBody("<p>Apple apple APPLE</p>");
	fFinder->Fill("apple", "x");
	fFinder->Click("XCaseCheckBox");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "Apple x APPLE");
	fFinder->Click("XCaseCheckBox");
	fFinder->Fill("APPLE", "y");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "y x y");
}

// Each search goes on behind the replacement, so the a of aa is never
// found again, and "Replace all" ends.
TEST_F(VisualFinder, AReplacementHoldingTheSearchedTextIsNotSearchedAgain)
{
	OpenBody("<p>a ba a</p>");
	fFinder->Fill("a", "aa");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "aa baa aa");
	EXPECT_EQ(fFinder->Status(), "3 replaced");
	Undo();
	fFinder->Click("ReplaceButton");
	EXPECT_EQ(Paragraph(), "aa ba a");
	fFinder->FindAgain();
	EXPECT_EQ(Paragraph(), "aa baa a");
	fFinder->FindAgain();
	EXPECT_EQ(Paragraph(), "aa baa aa");
	int32 beeps = BPrivate::BeepCount();
	fFinder->FindAgain();
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
}

// Letters of other alphabets fold too, one character to one: straße is
// STRAẞE but not STRASSE.
TEST_F(VisualFinder, IgnoringCaseFoldsLettersBeyondASCII)
{
	OpenBody("<p>Été ÉTÉ ete ΣΟΦΊΑ σοφία МИР мир STRASSE straße STRAẞE</p>");
	const std::pair<const char*, const char*> searches[] = {{"été", "e"}, {"σοφία", "s"},
		{"Мир", "m"}, {"straße", "ss"}};
	for (auto [find, replace] : searches) {
		fFinder->Fill(find, replace);
		fFinder->Click("ReplaceAllButton");
		EXPECT_EQ(fFinder->Status(), "2 replaced") << find;
	}
	EXPECT_EQ(Paragraph(), "e e ete s s m m STRASSE ss ss");
}

// A picture's room is six blanks: none of them is a blank of the text,
// nor can a match run into it. The paragraph's and the rule's rooms stay
// too.
TEST_F(VisualFinder, AMatchNeverTouchesTheRoomOfAnElement)
{
	ASSERT_TRUE(WritePicture(fFolder / "x.png", 30, 20, {0, 0, 255, 255}, "png"));
	OpenBody("<p>a<img src=\"x.png\">b c</p><hr><p>f</p>");
	std::string before = VisualText();
	int32 beeps = BPrivate::BeepCount();
	fFinder->Fill("a ");
	fFinder->Click("FindButton");
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
	fFinder->Fill(" ", "_");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(fFinder->Status(), "1 replaced");
	std::string expected = before;
	expected[before.find("b c") + 1] = '_';
	EXPECT_EQ(VisualText(), expected);
}

// The page's non-breaking space is no blank: only a typed non-breaking
// space finds it, and one typed as a replacement is one.
TEST_F(VisualFinder, TheNonBreakingSpaceMatchesOnlyANonBreakingSpace)
{
	OpenBody("<p>b c&nbsp;d</p>");
	fFinder->Fill(" ", "_");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "b_c\x0F" "d");
	fFinder->Fill(kNonBreakingSpace, "-");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "b_c-d");
	fFinder->Fill("_", kNonBreakingSpace);
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "b\x0F" "c-d");
}

// Enter in "Find:" searches and leaves the text alone, whatever stands in
// "Replace:"; an empty replacement deletes the match.
TEST_F(VisualFinder, EnterInFindOnlyFindsAndAnEmptyReplacementDeletes)
{
	OpenBody("<p>one cat, two cats</p>");
	fFinder->Fill("cat", "dog");
	fFinder->EnterInFind();
	EXPECT_EQ(Paragraph(), "one cat, two cats");
	EXPECT_EQ(Selected(), "cat");
	fFinder->Fill("cat", "");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Paragraph(), "one , two s");
}

// A field sends its message when Tab takes the keyboard from it with new
// text: on the way to a button, that replaces nothing.
TEST_F(VisualFinder, TabOutOfTheFieldsNeitherFindsNorReplaces)
{
	OpenBody("<p>one cat</p>");
	fFinder->Fill("cat", "dog");
	{
		BAutolock lock(fPage->VisualWindow()->Finder());
		fPage->VisualWindow()->Finder()->View()->ReplaceField()->MakeFocus(true);
	}
	const char tab[] = {B_TAB, 0};
	BPrivate::PostKey(fPage->VisualWindow()->Finder(), tab);
	fFinder->Idle();
	EXPECT_EQ(Paragraph(), "one cat");
	EXPECT_EQ(Selected(), "");
}

} // namespace

// Find and replace in the HTML window, driven through the finder's fields
// and buttons and the window's Ctrl+F, Ctrl+G and Ctrl+Z.

#include "PageTesting.h"

#include <memory>
#include <string>

#include <WindowTesting.h>

#include "FinderTesting.h"
#include "HFinder.h"

using PageTesting::PageTest;

namespace {

class HTMLFinder : public PageTest {
protected:
	void OpenSource(const std::string& body)
	{
		Open("<html><body>\n</body></html>\n");
		fPage->HTMLWindow()->Show();
		SetSource(body);
		fFinder = std::make_unique<FinderDriver>(fPage->HTMLWindow()->Finder(),
			fPage->HTMLWindow(), [this] { Settle(); });
		fFinder->Idle();
	}

	void SetSource(const std::string& text)
	{
		BAutolock lock(fPage->HTMLWindow());
		fPage->HTMLWindow()->View()->SetText(text.c_str(), static_cast<int32>(text.size()));
	}

	std::string Source() const
	{
		BAutolock lock(fPage->HTMLWindow());
		HTML_View* view = fPage->HTMLWindow()->View();
		return std::string(view->Text(), view->TextLength());
	}

	std::string Selected() const
	{
		BAutolock lock(fPage->HTMLWindow());
		int32 start = 0;
		int32 end = 0;
		fPage->HTMLWindow()->View()->GetSelection(&start, &end);
		return Source().substr(start, end - start);
	}

	int32 SelectionStart() const
	{
		BAutolock lock(fPage->HTMLWindow());
		int32 start = 0;
		fPage->HTMLWindow()->View()->GetSelection(&start, nullptr);
		return start;
	}

	void Undo()
	{
		BPrivate::PostKey(fPage->HTMLWindow(), "z", FinderDriver::kCtrl);
		fFinder->Idle();
	}

	std::unique_ptr<FinderDriver> fFinder;
};

TEST_F(HTMLFinder, AnEmptyFindTextFindsNothingBeepsAndSaysSo)
{
	OpenSource("<p>cat</p>");
	int32 beeps = BPrivate::BeepCount();
	fFinder->Fill("");
	fFinder->Click("FindButton");
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
	EXPECT_EQ(fFinder->Status(), "not found");
}

TEST_F(HTMLFinder, WholeWordFindsCatOnlyBetweenBlanks)
{
	OpenSource("concatenate cats cat end");
	fFinder->Fill("cat");
	fFinder->Click("WholeWordCheckBox");
	fFinder->Click("FindButton");
	EXPECT_EQ(SelectionStart(), 17);
	EXPECT_EQ(Selected(), "cat");
	int32 beeps = BPrivate::BeepCount();
	fFinder->FindAgain();
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
}

TEST_F(HTMLFinder, AfterTheLastMatchWrapOffBeepsAndWrapOnStartsAtTheTop)
{
	OpenSource("one two one");
	fFinder->Fill("one");
	fFinder->Click("FindButton");
	fFinder->FindAgain();
	EXPECT_EQ(SelectionStart(), 8);
	int32 beeps = BPrivate::BeepCount();
	fFinder->FindAgain();
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
	fFinder->Click("WrapCheckBox");
	fFinder->FindAgain();
	EXPECT_EQ(SelectionStart(), 0);
	EXPECT_EQ(BPrivate::BeepCount(), beeps + 1);
}

// The HTML view's own undo takes a whole "Replace all" back, and redoes it.
TEST_F(HTMLFinder, ReplaceAllReplacesEveryMatchAsOneUndoStep)
{
	OpenSource("<b>cat</b> a Cat and cat");
	fFinder->Fill("cat", "dog");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Source(), "<b>dog</b> a dog and dog");
	EXPECT_EQ(fFinder->Status(), "3 replaced");
	Undo();
	EXPECT_EQ(Source(), "<b>cat</b> a Cat and cat");
	Undo();
	EXPECT_EQ(Source(), "<b>dog</b> a dog and dog");
	fFinder->Click("XCaseCheckBox");
	fFinder->Fill("dog", "Cat");
	fFinder->Click("ReplaceAllButton");
	fFinder->Fill("cat", "x");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Source(), "<b>Cat</b> a Cat and Cat");
	EXPECT_EQ(fFinder->Status(), "not found");
}

// Replacing a with aa all over a page of 5 MB ends, in one pass, however
// many matches there are.
TEST_F(HTMLFinder, AReplacementHoldingTheSearchedTextEndsOnALargePage)
{
	std::string page;
	while (page.size() < 5 * 1024 * 1024)
		page += "a bcdefghijklmnopq,\n";
	OpenSource(page);
	fFinder->Fill("a", "aa");
	fFinder->Click("ReplaceAllButton");
	std::string expected;
	for (size_t i = 0; i < page.size() / 20; i++)
		expected += "aa bcdefghijklmnopq,\n";
	EXPECT_TRUE(Source() == expected);
	EXPECT_EQ(fFinder->Status(), std::to_string(page.size() / 20) + " replaced");
}

TEST_F(HTMLFinder, IgnoringCaseFoldsLettersBeyondASCIIOneCharacterToOne)
{
	OpenSource("Été ÉTÉ ete ΣΟΦΊΑ σοφία МИР мир STRASSE straße STRAẞE");
	const std::pair<const char*, const char*> searches[] = {{"été", "e"}, {"σοφία", "s"},
		{"Мир", "m"}, {"straße", "ss"}, {"", ""}};
	for (auto [find, replace] : searches) {
		fFinder->Fill(find, replace);
		fFinder->Click("ReplaceAllButton");
	}
	EXPECT_EQ(Source(), "e e ete s s m m STRASSE ss ss");
}

TEST_F(HTMLFinder, EnterInFindOnlyFindsAndAnEmptyReplacementDeletes)
{
	OpenSource("one cat, two cats");
	fFinder->Fill("cat", "dog");
	fFinder->EnterInFind();
	EXPECT_EQ(Source(), "one cat, two cats");
	EXPECT_EQ(Selected(), "cat");
	fFinder->Fill("cat", "");
	fFinder->Click("ReplaceAllButton");
	EXPECT_EQ(Source(), "one , two s");
}

} // namespace

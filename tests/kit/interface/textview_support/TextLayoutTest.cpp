#include <textview_support/StyledText.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextModelTesting.h"

using BPrivate::LayoutChange;
using BPrivate::LineBreaker;
using BPrivate::StyledText;
using BPrivate::TextLayout;
typedef std::vector<std::string> Lines;

namespace {

// At size 16 a line is 16 pixels high (ascent 12) and ASCII characters are
// 4 to 8 pixels wide.
class TextLayoutTest : public testing::Test {
protected:
	TextLayoutTest()
		:
		font(MakeFont(16)),
		model(measurer, font, kBlack)
	{
		Breaker().SetTabWidth(20);
	}

	LineBreaker& Breaker() { return model.Layout().Breaker(); }
	const TextLayout& Layout() const { return model.Layout(); }

	void Lay(const std::string& text, float width, bool wrap = true)
	{
		Breaker().SetWidth(width);
		Breaker().SetWordWrap(wrap);
		model.SetText(text.data(), text.size());
	}

	float Width(const std::string& text)
	{
		float width = measurer.StringWidth(text.data(), text.size(), font);
		measurer.Reset();
		return width;
	}

	FakeMeasurer measurer;
	BFont font;
	StyledText model;
};

} // namespace

TEST_F(TextLayoutTest, LineFeedEndsItsLineAndAFinalOneOrNoTextLeavesALineForTheCaret)
{
	Lay("ab\ncd\n\nef", 1000);
	EXPECT_EQ(LineTexts(model), (Lines{"ab\n", "cd\n", "\n", "ef"}));
	EXPECT_EQ(Layout().LineWidth(0), Width("ab"));

	Lay("ab\n", 1000);
	EXPECT_EQ(LineTexts(model), (Lines{"ab\n", ""}));
	EXPECT_EQ(Layout().LineAt(3), 1);
	float height;
	EXPECT_EQ(Layout().PointAt(3, &height), BPoint(0, 16));
	EXPECT_EQ(height, 16);

	Lay("", 100);
	EXPECT_EQ(Layout().CountLines(), 1);
	EXPECT_EQ(Layout().LineHeight(0), 16);
	EXPECT_EQ(Layout().TextHeight(0, 0), 16);
	EXPECT_EQ(Layout().OffsetAt(BPoint(50, 50)), 0);
}

TEST_F(TextLayoutTest, WordsWrapAfterSpacesThatHangPastTheEdge)
{
	Lay("aaa bbb ccc", Width("aaa bbb"));
	EXPECT_EQ(LineTexts(model), (Lines{"aaa bbb ", "ccc"}));
	EXPECT_EQ(Layout().LineWidth(0), Width("aaa bbb"));

	Lay("aa      bb", Width("aa "));
	EXPECT_EQ(LineTexts(model), (Lines{"aa      ", "bb"}));
	EXPECT_EQ(Layout().LineWidth(0), Width("aa"));
}

TEST_F(TextLayoutTest, WordWiderThanTheLineIsCutBetweenCharactersAndAWiderCharacterStaysAlone)
{
	// Each of these characters is 12 pixels wide.
	std::string accents;
	for (int i = 0; i < 10; i++)
		accents += "\xC3\xA9";
	Lay(accents, 50);
	EXPECT_EQ(LineTexts(model), (Lines{accents.substr(0, 8), accents.substr(8, 8),
		accents.substr(16)}));

	Lay("ab " + std::string(30, 'x'), 40);
	EXPECT_EQ(LineTexts(model), (Lines{"ab ", std::string(10, 'x'), std::string(10, 'x'),
		std::string(10, 'x')}));

	Lay("ab", 1);
	EXPECT_EQ(LineTexts(model), (Lines{"a", "b"}));
}

TEST_F(TextLayoutTest, LineEndTestDecidesWhereLinesMayEnd)
{
	const BPrivate::TextGapBuffer& text = model.Text();
	Breaker().SetLineEndTest([&text](int32 offset) { return text.RealCharAt(offset) == 'x'; });
	Lay("aaxbbxcc", Width("aaxbb"));
	EXPECT_EQ(LineTexts(model), (Lines{"aax", "bbx", "cc"}));

	// Spaces are then ordinary characters: they neither hang nor end lines.
	Lay("aa bbxcc", Width("aa b"));
	EXPECT_EQ(LineTexts(model), (Lines{"aa b", "bx", "cc"}));
}

TEST_F(TextLayoutTest, HyphenBetweenWordsMayEndALine)
{
	Lay("well-known", Width("well-kn"));
	EXPECT_EQ(LineTexts(model), (Lines{"well-", "known"}));
	// A leading minus sign stays with its number.
	Lay("ab -12", Width("ab -1"));
	EXPECT_EQ(LineTexts(model), (Lines{"ab ", "-12"}));
}

TEST_F(TextLayoutTest, TabsAdvanceToTabStopsAndAreNeverMeasured)
{
	Lay("a\tb\naaaa\tb", 1000);
	EXPECT_EQ(Layout().PointAt(2).x, 20);
	EXPECT_EQ(Layout().LineWidth(0), 20 + Width("b"));
	// "aaaa" is 24 pixels wide: its tab ends at the second stop.
	EXPECT_EQ(Layout().PointAt(9).x, 40);
	EXPECT_FALSE(measurer.sawControl);

	Lay("aaaa\tbbbb", 30);
	EXPECT_EQ(LineTexts(model), (Lines{"aaaa\t", "bbbb"}));
	EXPECT_EQ(Layout().LineWidth(0), Width("aaaa"));
}

TEST_F(TextLayoutTest, LineIsAsTallAsItsTallestAscentAndDeepestDescent)
{
	Lay("ab\ncd", 1000);
	// Size 32 bold: ascent 24, descent 8, leading 4.
	BFont tall = MakeFont(32, B_BOLD_FACE);
	model.SetStyle(1, 2, B_FONT_ALL, &tall, nullptr);
	EXPECT_EQ(Layout().LineHeight(0), 36);
	EXPECT_EQ(Layout().Lines()[0].ascent, 24);
	EXPECT_EQ(Layout().LineHeight(1), 16);
	EXPECT_EQ(Layout().TextHeight(0, 1), 52);

	// Size 12 bold (ascent 9, descent 3, leading 1.5) beside size 16
	// (ascent 12, descent 4): neither alone is as tall as the line.
	BFont small = MakeFont(12, B_BOLD_FACE);
	model.SetStyle(1, 2, B_FONT_ALL, &small, nullptr);
	EXPECT_EQ(Layout().LineHeight(0), 16.5f);
	EXPECT_EQ(Layout().Lines()[0].ascent, 12);
}

TEST_F(TextLayoutTest, WithoutWrappingOnlyLineFeedsEndLines)
{
	Lay("aaa bbb ccc \nd", 10, false);
	EXPECT_EQ(LineTexts(model), (Lines{"aaa bbb ccc \n", "d"}));
	EXPECT_EQ(Layout().LineWidth(0), Width("aaa bbb ccc"));
}

// #pragma mark - Conversions

TEST_F(TextLayoutTest, ClickOnTheRightHalfOfACharacterGoesAfterItAndBeyondALineStaysOnIt)
{
	// 'a' is 6 pixels wide, 'b' 7.
	Lay("ab", 1000);
	EXPECT_EQ(Layout().OffsetAt(BPoint(2.9f, 1)), 0);
	EXPECT_EQ(Layout().OffsetAt(BPoint(3, 1)), 1);
	EXPECT_EQ(Layout().OffsetAt(BPoint(9.4f, 1)), 1);
	EXPECT_EQ(Layout().OffsetAt(BPoint(9.5f, 1)), 2);

	Lay("ab\ncd ef", Width("cd e"));
	ASSERT_EQ(LineTexts(model), (Lines{"ab\n", "cd ", "ef"}));
	EXPECT_EQ(Layout().OffsetAt(BPoint(500, 1)), 2);
	EXPECT_EQ(Layout().OffsetAt(BPoint(500, 17)), 5);
	EXPECT_EQ(Layout().OffsetAt(BPoint(500, 33)), 8);
	EXPECT_EQ(Layout().OffsetAt(BPoint(500, 900)), 8);
	EXPECT_EQ(Layout().OffsetAt(BPoint(-5, -5)), 0);
}

TEST_F(TextLayoutTest, LineQueriesClampToTheText)
{
	Lay("a\nb\nc", 1000);
	EXPECT_EQ(Layout().TextHeight(0, 2), 48);
	EXPECT_EQ(Layout().TextHeight(1, 99), 32);
	EXPECT_EQ(Layout().TextHeight(2, 1), 0);
	EXPECT_EQ(Layout().LineAt(BPoint(0, 15.9f)), 0);
	EXPECT_EQ(Layout().LineAt(BPoint(0, 16)), 1);
	EXPECT_EQ(Layout().OffsetAt(-1), 0);
	EXPECT_EQ(Layout().OffsetAt(3), 5);
	EXPECT_EQ(Layout().LineAt(99), 2);
	EXPECT_EQ(Layout().LineWidth(3), 0);
	EXPECT_EQ(Layout().LineHeight(-1), 0);
}

// #pragma mark - Re-wrapping after edits

TEST_F(TextLayoutTest, KeystrokeInALongTextReWrapsOnlyTheLinesAroundIt)
{
	std::string text;
	for (int i = 0; i < 8000; i++)
		text += "word ";
	// Four words to a line, with room to spare for one more character.
	Lay(text, Width("word word word word") + 10);
	int32 lines = Layout().CountLines();
	ASSERT_GT(lines, 1000);
	int32 middle = Layout().OffsetAt(lines / 2) + 3;

	measurer.Reset();
	LayoutChange change = model.Insert("x", 1, middle);
	EXPECT_LT(measurer.measuredBytes, 200);
	EXPECT_LE(change.toLine - change.fromLine, 1);
	EXPECT_EQ(change.heightDelta, 0);

	measurer.Reset();
	change = model.Remove(middle, middle + 1);
	EXPECT_LT(measurer.measuredBytes, 200);
	EXPECT_EQ(model.Text().Copy(0, model.Length()), text);
}

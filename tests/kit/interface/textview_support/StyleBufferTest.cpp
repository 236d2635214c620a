#include <textview_support/StyleBuffer.h>

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "TextModelTesting.h"

using BPrivate::RunArrayPointer;
using BPrivate::StyleBuffer;
using BPrivate::TextStyle;

namespace {

// Each style is written as one letter: p plain, b big, r red, f bold face;
// runs as "letter@start".
class StyleBufferTest : public testing::Test {
protected:
	StyleBufferTest()
		:
		plain(MakeFont(12)),
		big(MakeFont(24)),
		bold(MakeFont(12, B_BOLD_FACE)),
		styles(plain, kBlack)
	{
	}

	char Letter(const TextStyle& style) const
	{
		if (style.color == kRed)
			return 'r';
		if (style.font.Size() == 24)
			return 'b';
		if ((style.font.Face() & B_BOLD_FACE) != 0)
			return 'f';
		return 'p';
	}

	std::string Runs(const StyleBuffer& buffer) const
	{
		std::string out;
		for (int32 i = 0; i < buffer.CountRuns(); i++) {
			StyleBuffer::Run run = buffer.RunAt(i);
			if (!out.empty())
				out += ' ';
			out += Letter(buffer.Style(run.style)) + std::string("@") + std::to_string(run.start);
		}
		return out;
	}
	std::string Runs() const { return Runs(styles); }

	// Ten characters: p@0 b@3 r@6.
	void ThreeRuns()
	{
		styles.SetText(10, nullptr);
		styles.SetStyleRange(3, 6, B_FONT_SIZE, &big, nullptr);
		styles.SetStyleRange(6, 10, 0, nullptr, &kRed);
	}

	BFont plain;
	BFont big;
	BFont bold;
	StyleBuffer styles;
};

} // namespace

TEST_F(StyleBufferTest, TextInsertedAtARunEdgeTakesTheStyleBeforeItAndAtTheStartTheFirstCharacters)
{
	ThreeRuns();
	styles.InsertText(3, 2, nullptr);
	EXPECT_EQ(Runs(), "p@0 b@5 r@8");
	styles.InsertText(8, 1, nullptr);
	EXPECT_EQ(Runs(), "p@0 b@5 r@9");
	EXPECT_EQ(Letter(styles.StyleAt(8)), 'b');
	styles.InsertText(13, 4, nullptr);
	EXPECT_EQ(Runs(), "p@0 b@5 r@9");
	EXPECT_EQ(styles.Length(), 17);

	styles.SetText(4, nullptr);
	styles.SetStyleRange(0, 2, 0, nullptr, &kRed);
	styles.InsertText(0, 3, nullptr);
	EXPECT_EQ(Runs(), "r@0 p@5");
}

TEST_F(StyleBufferTest, InsertedRunsStyleTheTextFromTheirOffsets)
{
	ThreeRuns();
	text_run_array runs;
	runs.count = 1;
	runs.runs[0] = text_run{2, bold, kBlack};
	// The two characters before the run's offset follow the text before them.
	styles.InsertText(6, 4, &runs);
	EXPECT_EQ(Runs(), "p@0 b@3 f@8 r@10");
}

TEST_F(StyleBufferTest, DeletingAWholeRunRemovesItAndJoinsItsNeighbours)
{
	ThreeRuns();
	styles.SetStyleRange(6, 10, 0, nullptr, &kBlack);
	EXPECT_EQ(Runs(), "p@0 b@3 p@6");
	EXPECT_EQ(styles.CountStyles(), 2);
	styles.RemoveText(3, 6);
	EXPECT_EQ(Runs(), "p@0");
	EXPECT_EQ(styles.CountStyles(), 1);
	EXPECT_EQ(styles.Length(), 7);
}

TEST_F(StyleBufferTest, DeletingAcrossRunsKeepsTheirOuterParts)
{
	ThreeRuns();
	styles.RemoveText(2, 8);
	EXPECT_EQ(Runs(), "p@0 r@2");
	styles.RemoveText(1, 2);
	EXPECT_EQ(Runs(), "p@0 r@1");
	styles.RemoveText(0, 1);
	EXPECT_EQ(Runs(), "r@0");
}

TEST_F(StyleBufferTest, EmptiedTextKeepsItsStyleForWhatIsTypedNext)
{
	ThreeRuns();
	styles.RemoveText(0, 10);
	EXPECT_EQ(styles.CountRuns(), 0);
	EXPECT_EQ(styles.CountStyles(), 0);
	styles.InsertText(0, 2, nullptr);
	EXPECT_EQ(Runs(), "p@0");
	styles.SetStyleRange(0, 2, B_FONT_SIZE, &big, nullptr);
	styles.RemoveText(0, 2);
	styles.InsertText(0, 1, nullptr);
	EXPECT_EQ(Runs(), "b@0");
}

TEST_F(StyleBufferTest, OnlyTheMaskedFontPropertiesChange)
{
	styles.SetText(3, nullptr);
	BFont bigBold = MakeFont(24, B_BOLD_FACE);
	styles.SetStyleRange(0, 1, B_FONT_SIZE, &bigBold, nullptr);
	styles.SetStyleRange(1, 2, B_FONT_FACE, &bigBold, &kRed);
	styles.SetStyleRange(2, 3, B_FONT_ALL, nullptr, &kRed);

	const TextStyle& sized = styles.StyleAt(0);
	EXPECT_EQ(sized.font.Size(), 24);
	EXPECT_EQ(sized.font.Face(), B_REGULAR_FACE);
	EXPECT_EQ(sized.color, kBlack);
	const TextStyle& faced = styles.StyleAt(1);
	EXPECT_EQ(faced.font.Size(), 12);
	EXPECT_NE(faced.font.Face() & B_BOLD_FACE, 0);
	EXPECT_EQ(faced.color, kRed);
	const TextStyle& coloured = styles.StyleAt(2);
	EXPECT_EQ(coloured.font, plain);
	EXPECT_EQ(coloured.color, kRed);
}

TEST_F(StyleBufferTest, RestylingBackJoinsRunsAndDropsUnusedStyles)
{
	styles.SetText(12, nullptr);
	for (int32 start = 1; start < 12; start += 3)
		styles.SetStyleRange(start, start + 1, B_FONT_FACE, &bold, nullptr);
	EXPECT_EQ(styles.CountRuns(), 9);
	EXPECT_EQ(styles.CountStyles(), 2);
	styles.SetStyleRange(0, 12, B_FONT_FACE, &plain, nullptr);
	EXPECT_EQ(Runs(), "p@0");
	EXPECT_EQ(styles.CountStyles(), 1);
}

TEST_F(StyleBufferTest, RunArraysRoundTripIntoAnotherBufferAndAnEmptyOneHoldsTheInsertionStyle)
{
	ThreeRuns();
	RunArrayPointer runs = styles.GetRunArray(2, 8);
	ASSERT_TRUE(runs);
	ASSERT_EQ(runs->count, 3);
	EXPECT_EQ(runs->runs[0].offset, 0);
	EXPECT_EQ(runs->runs[1].offset, 1);
	EXPECT_EQ(runs->runs[2].offset, 4);

	StyleBuffer copy(big, kRed);
	copy.SetText(6, runs.get());
	EXPECT_EQ(Runs(copy), "p@0 b@1 r@4");

	RunArrayPointer empty = styles.GetRunArray(6, 6);
	ASSERT_TRUE(empty);
	ASSERT_EQ(empty->count, 1);
	EXPECT_EQ(empty->runs[0].font.Size(), 24);
}

TEST_F(StyleBufferTest, NullStyleLastsWhileTypingGoesOnWhereItWasSet)
{
	styles.SetText(6, nullptr);
	styles.SetNullStyle(3, B_FONT_SIZE, &big, nullptr);
	styles.InsertText(3, 1, nullptr);
	styles.InsertText(4, 1, nullptr);
	EXPECT_EQ(Runs(), "p@0 b@3 p@5");
	// Typing elsewhere ends it.
	styles.InsertText(0, 1, nullptr);
	styles.InsertText(6, 1, nullptr);
	EXPECT_EQ(Runs(), "p@0 b@4 p@7");
	styles.SetNullStyle(8, 0, nullptr, &kRed);
	styles.InvalidateNullStyle();
	styles.InsertText(8, 1, nullptr);
	EXPECT_EQ(Runs(), "p@0 b@4 p@7");
}

TEST_F(StyleBufferTest, UnstylableTextHasOneStyleThroughout)
{
	ThreeRuns();
	styles.SetStylable(false);
	EXPECT_EQ(Runs(), "p@0");
	styles.SetStyleRange(2, 3, B_FONT_SIZE, &big, nullptr);
	EXPECT_EQ(Runs(), "b@0");
	text_run_array runs;
	runs.count = 1;
	runs.runs[0] = text_run{0, bold, kRed};
	styles.InsertText(4, 3, &runs);
	EXPECT_EQ(Runs(), "b@0");
	EXPECT_EQ(styles.Length(), 13);
	EXPECT_EQ(styles.CountStyles(), 1);
}

// Colour runs over text of several fonts and colours, at random: every
// character keeps its font and takes the colour of its run, the result
// names exactly the characters whose colour changed, and the runs stay
// minimal with no style left over.
TEST_F(StyleBufferTest, ColorRunsRecolourWithoutTouchingFonts)
{
	const rgb_color colors[] = {kBlack, kRed, make_color(0, 140, 0)};
	const BFont* fonts[] = {&plain, &big, &bold};
	std::mt19937 random(17);
	for (int32 round = 0; round < 300; round++) {
		SCOPED_TRACE(round);
		styles.SetText(40, nullptr);
		for (int32 i = 0; i < 6; i++) {
			int32 start = random() % 40;
			styles.SetStyleRange(start, start + random() % 8, B_FONT_ALL, fonts[random() % 3],
				&colors[random() % 3]);
		}
		std::vector<TextStyle> before;
		for (int32 i = 0; i < 40; i++)
			before.push_back(styles.StyleAt(i));
		int32 from = random() % 40;
		int32 to = from + random() % (41 - from);
		std::vector<color_run> runs;
		for (int32 offset = random() % 3; offset < to - from; offset += 1 + random() % 5)
			runs.push_back(color_run{offset, colors[random() % 3]});

		StyleBuffer::Range changed = styles.SetColorRuns(from, to, runs.data(),
			static_cast<int32>(runs.size()));

		int32 firstChange = -1;
		int32 lastChange = -1;
		for (int32 i = 0; i < 40; i++) {
			rgb_color expected = before[i].color;
			for (const color_run& run : runs) {
				if (i >= from && i < to && from + run.offset <= i)
					expected = run.color;
			}
			EXPECT_EQ(styles.StyleAt(i).font, before[i].font) << i;
			EXPECT_EQ(styles.StyleAt(i).color, expected) << i;
			if (expected != before[i].color) {
				firstChange = firstChange < 0 ? i : firstChange;
				lastChange = i;
			}
		}
		if (firstChange < 0) {
			EXPECT_EQ(changed.start, changed.end);
		} else {
			EXPECT_EQ(changed.start, firstChange);
			EXPECT_EQ(changed.end, lastChange + 1);
		}
		std::set<int32> used;
		for (int32 i = 0; i < styles.CountRuns(); i++) {
			used.insert(styles.RunAt(i).style);
			if (i > 0) {
				EXPECT_NE(styles.RunAt(i).style, styles.RunAt(i - 1).style);
			}
		}
		EXPECT_EQ(styles.CountStyles(), static_cast<int32>(used.size()));
	}
}

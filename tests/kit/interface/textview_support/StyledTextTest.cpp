#include <textview_support/StyledText.h>

#include <UTF8.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextModelTesting.h"

using BPrivate::StyledText;
namespace UTF8 = BPrivate::UTF8;

namespace {

// Characters of one to four bytes between ASCII letters.
const std::string kMixed = "a\xC3\xA9" "b\xE2\x82\xAC" "c\xF0\x9F\x98\x80" "d";

// Offsets given in the middle of a character must never split it, whatever
// the operation.
class StyledTextTest : public testing::Test {
protected:
	StyledTextTest()
		:
		model(measurer, MakeFont(16), kBlack)
	{
		// Narrow enough to cut the text between every two characters.
		model.Layout().Breaker().SetWidth(1);
		Reset();
	}

	void Reset() { model.SetText(kMixed.data(), kMixed.size()); }
	std::string Text() const { return model.Text().Copy(0, model.Length()); }

	// Runs an operation at each offset up to last on a fresh text, given
	// the offset and the start of the character it falls in; no run or line
	// may then start inside a character.
	template <typename Operation>
	void AtEveryOffset(size_t last, Operation operation)
	{
		for (int32 offset = 0; offset <= static_cast<int32>(last); offset++) {
			SCOPED_TRACE(offset);
			Reset();
			operation(offset, static_cast<int32>(UTF8::Boundary(kMixed, offset)));
			EXPECT_TRUE(StartsOnBoundaries(model));
		}
	}

	FakeMeasurer measurer;
	StyledText model;
};

} // namespace

TEST_F(StyledTextTest, InsertingInsideACharacterInsertsBeforeIt)
{
	AtEveryOffset(kMixed.size(), [&](int32 offset, int32 at) {
		model.Insert("\xC3\xB6", 2, offset);
		EXPECT_EQ(Text(), kMixed.substr(0, at) + "\xC3\xB6" + kMixed.substr(at));
	});
}

TEST_F(StyledTextTest, RemovingPartOfACharacterRemovesAllOfIt)
{
	AtEveryOffset(kMixed.size() - 1, [&](int32 offset, int32 start) {
		model.Remove(offset, offset + 1);
		EXPECT_EQ(Text(), kMixed.substr(0, start) + kMixed.substr(UTF8::Next(kMixed, start)));
		EXPECT_TRUE(UTF8::IsValid(Text()));
	});
}

TEST_F(StyledTextTest, StylingPartOfACharacterStylesAllOfIt)
{
	BFont big = MakeFont(24);
	AtEveryOffset(kMixed.size() - 1, [&](int32 offset, int32 start) {
		model.SetStyle(offset, offset + 1, B_FONT_SIZE, &big, nullptr);
		EXPECT_EQ(model.Styles().StyleAt(start).font.Size(), 24);
	});
}

TEST_F(StyledTextTest, RunsStartingInsideACharacterStartAtIt)
{
	AtEveryOffset(kMixed.size() - 1, [&](int32 offset, int32 start) {
		text_run_array runs;
		runs.count = 1;
		runs.runs[0] = text_run{offset, MakeFont(24), kRed};
		model.SetRunArray(0, model.Length(), &runs);
		EXPECT_EQ(model.Styles().StyleAt(start).color, kRed);
	});
}

TEST_F(StyledTextTest, ColourRunsStartInsideNoCharacterAndRedrawOnlyTheirLines)
{
	AtEveryOffset(kMixed.size() - 1, [&](int32 offset, int32 start) {
		model.SetStyle(0, model.Length(), 0, nullptr, &kBlack);
		std::vector<BPrivate::LineRecord> lines = AllRecords(model.Layout().Lines());
		color_run run{offset, kRed};
		BPrivate::LayoutChange change = model.SetColorRuns(0, offset + 1, &run, 1);
		EXPECT_EQ(model.Styles().StyleAt(start).color, kRed);
		EXPECT_EQ(change.fromLine, model.Layout().LineAt(start));
		EXPECT_EQ(change.toLine, change.fromLine);
		EXPECT_EQ(change.heightDelta, 0);
		EXPECT_EQ(AllRecords(model.Layout().Lines()), lines);
	});
}

TEST_F(StyledTextTest, NarrowLinesHoldOneWholeCharacterEach)
{
	EXPECT_EQ(model.Layout().CountLines(), static_cast<int32>(UTF8::CountChars(kMixed)));
	EXPECT_TRUE(StartsOnBoundaries(model));
}

TEST_F(StyledTextTest, StyleChangeOfAnUnstylableTextLaysOutEverything)
{
	model.Layout().Breaker().SetWidth(1000);
	model.SetText("ab\ncd", 5);
	model.SetStylable(false);
	BFont big = MakeFont(32);
	BPrivate::LayoutChange change = model.SetStyle(4, 5, B_FONT_SIZE, &big, nullptr);
	EXPECT_EQ(change.fromLine, 0);
	EXPECT_EQ(change.toLine, 1);
	EXPECT_EQ(change.heightDelta, 32);
	EXPECT_EQ(model.Layout().LineHeight(0), 32);
}

TEST_F(StyledTextTest, EmptyTextTakesTheHeightOfTheStyleToBeTyped)
{
	model.SetText("", 0);
	BFont big = MakeFont(32);
	BPrivate::LayoutChange change = model.SetNullStyle(0, B_FONT_SIZE, &big, nullptr);
	EXPECT_EQ(change.heightDelta, 16);
	EXPECT_EQ(model.Layout().LineHeight(0), 32);
	model.Insert("a", 1, 0);
	EXPECT_EQ(model.Styles().StyleAt(0).font.Size(), 32);
}

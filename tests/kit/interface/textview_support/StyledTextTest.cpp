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

	FakeMeasurer measurer;
	StyledText model;
};

} // namespace

TEST_F(StyledTextTest, InsertingInsideACharacterInsertsBeforeIt)
{
	for (int32 offset = 0; offset <= static_cast<int32>(kMixed.size()); offset++) {
		SCOPED_TRACE(offset);
		Reset();
		model.Insert("\xC3\xB6", 2, offset);
		int32 at = UTF8::Boundary(kMixed, offset);
		EXPECT_EQ(Text(), kMixed.substr(0, at) + "\xC3\xB6" + kMixed.substr(at));
		EXPECT_TRUE(StartsOnBoundaries(model));
	}
}

TEST_F(StyledTextTest, RemovingPartOfACharacterRemovesAllOfIt)
{
	for (int32 offset = 0; offset < static_cast<int32>(kMixed.size()); offset++) {
		SCOPED_TRACE(offset);
		Reset();
		model.Remove(offset, offset + 1);
		int32 start = UTF8::Boundary(kMixed, offset);
		int32 end = UTF8::Next(kMixed, start);
		EXPECT_EQ(Text(), kMixed.substr(0, start) + kMixed.substr(end));
		EXPECT_TRUE(UTF8::IsValid(Text()));
		EXPECT_TRUE(StartsOnBoundaries(model));
	}
}

TEST_F(StyledTextTest, StylingPartOfACharacterStylesAllOfIt)
{
	BFont big = MakeFont(24);
	for (int32 offset = 0; offset < static_cast<int32>(kMixed.size()); offset++) {
		SCOPED_TRACE(offset);
		Reset();
		model.SetStyle(offset, offset + 1, B_FONT_SIZE, &big, nullptr);
		int32 start = UTF8::Boundary(kMixed, offset);
		EXPECT_EQ(model.Styles().StyleAt(start).font.Size(), 24);
		EXPECT_TRUE(StartsOnBoundaries(model));
	}
}

TEST_F(StyledTextTest, RunsStartingInsideACharacterStartAtIt)
{
	for (int32 offset = 0; offset < static_cast<int32>(kMixed.size()); offset++) {
		SCOPED_TRACE(offset);
		Reset();
		text_run_array runs;
		runs.count = 1;
		runs.runs[0] = text_run{offset, MakeFont(24), kRed};
		model.SetRunArray(0, model.Length(), &runs);
		EXPECT_EQ(model.Styles().StyleAt(UTF8::Boundary(kMixed, offset)).color, kRed);
		EXPECT_TRUE(StartsOnBoundaries(model));
	}
}

TEST_F(StyledTextTest, ColourRunsStartInsideNoCharacterAndRedrawOnlyTheirLines)
{
	for (int32 offset = 0; offset < static_cast<int32>(kMixed.size()); offset++) {
		SCOPED_TRACE(offset);
		Reset();
		model.SetStyle(0, model.Length(), 0, nullptr, &kBlack);
		std::vector<BPrivate::LineRecord> lines = AllRecords(model.Layout().Lines());
		color_run run{offset, kRed};
		BPrivate::LayoutChange change = model.SetColorRuns(0, offset + 1, &run, 1);
		int32 start = UTF8::Boundary(kMixed, offset);
		EXPECT_EQ(model.Styles().StyleAt(start).color, kRed);
		EXPECT_TRUE(StartsOnBoundaries(model));
		EXPECT_EQ(change.fromLine, model.Layout().LineAt(start));
		EXPECT_EQ(change.toLine, change.fromLine);
		EXPECT_EQ(change.heightDelta, 0);
		EXPECT_EQ(AllRecords(model.Layout().Lines()), lines);
	}
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

// Run arrays as they travel through the clipboard and drag messages.

#include <textview_support/TextRuns.h>
#include <textview_support/TextTransfer.h>

#include <gtest/gtest.h>

#include <Message.h>
#include <TypeConstants.h>

#include "TestFonts.h"

using BPrivate::RunArrayPointer;

namespace {

RunArrayPointer TwoRuns()
{
	RunArrayPointer runs(BPrivate::AllocRunArray(2));
	BFont bold(be_bold_font);
	bold.SetSize(17);
	runs->runs[0] = text_run{0, BFont(), make_color(0, 0, 0)};
	runs->runs[1] = text_run{4, bold, make_color(10, 20, 30, 40)};
	return runs;
}

TEST(FlattenedRuns, ComeBackAsTheyWent)
{
	RunArrayPointer runs = TwoRuns();
	std::string flat = BPrivate::FlattenRunArray(runs.get());
	EXPECT_EQ(flat.substr(0, 4), "Ali!");
	RunArrayPointer back(BPrivate::UnflattenRunArray(flat.data(), flat.size()));
	ASSERT_NE(back, nullptr);
	ASSERT_EQ(back->count, 2);
	EXPECT_EQ(back->runs[1].offset, 4);
	EXPECT_EQ(back->runs[1].font, runs->runs[1].font);
	EXPECT_EQ(back->runs[1].color, make_color(10, 20, 30, 40));
	EXPECT_EQ(back->runs[0].font, runs->runs[0].font);
}

TEST(FlattenedRuns, DamagedDataIsRefused)
{
	std::string flat = BPrivate::FlattenRunArray(TwoRuns().get());
	EXPECT_EQ(BPrivate::UnflattenRunArray(flat.data(), flat.size() - 1), nullptr);
	EXPECT_EQ(BPrivate::UnflattenRunArray(flat.data(), 8), nullptr);
	std::string wrongMagic = flat;
	wrongMagic[0] = 'X';
	EXPECT_EQ(BPrivate::UnflattenRunArray(wrongMagic.data(), wrongMagic.size()), nullptr);
	std::string hugeCount = flat;
	hugeCount[8] = '\x7f';
	EXPECT_EQ(BPrivate::UnflattenRunArray(hugeCount.data(), hugeCount.size()), nullptr);
}

TEST(FlattenedRuns, AnUnknownFamilyLeavesThePlainFontAtTheRunsSize)
{
	RunArrayPointer runs = TwoRuns();
	std::string flat = BPrivate::FlattenRunArray(runs.get());
	// The second run's family name starts after the header, the first run
	// and the second run's offset.
	size_t family = 12 + 148 + 4;
	flat.replace(family, 8, "Nowhere!");
	RunArrayPointer back(BPrivate::UnflattenRunArray(flat.data(), flat.size()));
	ASSERT_NE(back, nullptr);
	EXPECT_EQ(back->runs[1].font.Size(), 17);
}

TEST(TextData, TextAndRunsGoIntoAMessageAndComeBack)
{
	BMessage message(B_MIME_DATA);
	ASSERT_EQ(BPrivate::AddTextData(&message, "some text", TwoRuns().get()), B_OK);
	std::string text;
	RunArrayPointer runs;
	ASSERT_TRUE(BPrivate::FindTextData(&message, &text, &runs));
	EXPECT_EQ(text, "some text");
	ASSERT_NE(runs, nullptr);
	EXPECT_EQ(runs->count, 2);
}

TEST(TextData, NulBytesFromOtherProgramsAreDroppedWithTheRuns)
{
	BMessage message(B_MIME_DATA);
	ASSERT_EQ(BPrivate::AddTextData(&message, std::string("ab\0cd", 5), TwoRuns().get()), B_OK);
	std::string text;
	RunArrayPointer runs;
	ASSERT_TRUE(BPrivate::FindTextData(&message, &text, &runs));
	EXPECT_EQ(text, "abcd");
	EXPECT_EQ(runs, nullptr);
	BMessage empty;
	EXPECT_FALSE(BPrivate::FindTextData(&empty, &text, &runs));
}

} // namespace

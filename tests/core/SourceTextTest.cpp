#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "parser_support/SourceText.h"

TEST(SourceText, LineEndsBecomeLineFeeds)
{
	EXPECT_EQ(SourceText("a\r\nb\rc\n\r\nd\r").Text(), "a\nb\nc\n\nd\n");
	EXPECT_EQ(SourceText("").Text(), "");
}

namespace {

struct PlaceRow {
	int32 line;
	int32 column;
	const char* expectedAt;	// the text from the offset on
};

} // namespace

TEST(SourceText, LibraryPlacesBecomeOffsetsOfThatCharacter)
{
	// Tabs count one column (the library keeps them); multi-byte characters
	// count one; CR LF is one line end.
	SourceText source("<p>\t\xC3\xA9\xE2\x82\xAC<b>x</b>\r\n\tab\t<i>y</i>&bogus;\r\nlast");
	const PlaceRow rows[] = {
		{1, 1, "<p>"},
		{1, 4, "\t\xC3\xA9"},
		{1, 5, "\xC3\xA9\xE2\x82\xAC<b>"},
		{1, 7, "<b>x"},
		{2, 1, "\tab"},
		{2, 5, "<i>y"},
		{2, 13, "&bogus;"},
		{3, 1, "last"},
		{3, 5, ""},
	};
	const std::string& text = source.Text();
	for (const PlaceRow& row : rows) {
		SCOPED_TRACE(std::to_string(row.line) + ":" + std::to_string(row.column));
		size_t offset = source.OffsetOf(row.line, row.column);
		EXPECT_EQ(text.substr(offset, strlen(row.expectedAt)), row.expectedAt);
	}
}

TEST(SourceText, ControlCharactersOtherThanTabsTakeNoColumn)
{
	SourceText source(std::string("<p>a\0\0<i>x</i>\x11<b>y\x7F<u>", 23));
	const std::string& text = source.Text();
	EXPECT_EQ(text.substr(source.OffsetOf(1, 5), 3), "<i>");
	EXPECT_EQ(text.substr(source.OffsetOf(1, 13), 3), "<b>");
	EXPECT_EQ(text.substr(source.OffsetOf(1, 18), 3), "<u>");
}

TEST(SourceText, PlacesBeyondTheTextAreClampedToItsEnds)
{
	SourceText source("ab\n\xC3\xA9x\nlast");
	EXPECT_EQ(source.OffsetOf(1, 99), 2u);
	EXPECT_EQ(source.OffsetOf(2, 99), 6u);
	EXPECT_EQ(source.OffsetOf(9, 1), source.Text().size());
	EXPECT_EQ(source.OffsetOf(0, 0), 0u);
	EXPECT_EQ(source.OffsetOf(1, 0), 0u);
}

TEST(SourceText, LongLinesOfMultiByteCharactersFindEveryColumn)
{
	std::string line;
	for (int i = 0; i < 1000; i++)
		line += "\xC3\xA9<\x01" "b>";
	SourceText source(line + "\nnext");
	// Each unit: four characters with columns, six bytes.
	for (int32 column : {1, 2, 255, 256, 257, 258, 511, 512, 513, 1024, 3999, 4000}) {
		SCOPED_TRACE(column);
		size_t unit = static_cast<size_t>(column - 1) / 4;
		size_t within = static_cast<size_t>(column - 1) % 4;
		const size_t kOffsets[] = {0, 2, 4, 5};
		size_t offset = source.OffsetOf(1, column);
		EXPECT_EQ(offset, unit * 6 + kOffsets[within]);
		EXPECT_EQ(source.PlaceOf(offset), std::make_pair(1, column));
	}
	EXPECT_EQ(source.OffsetOf(1, 4001), 6000u);
	EXPECT_EQ(source.OffsetOf(2, 1), 6001u);
	EXPECT_EQ(source.PlaceOf(6003), std::make_pair(2, 3));
}

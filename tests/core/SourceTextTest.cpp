#include <gtest/gtest.h>

#include <string>

#include "parser_support/SourceText.h"

TEST(SourceText, LineEndsBecomeLineFeeds)
{
	EXPECT_EQ(SourceText("a\r\nb\rc\n\r\nd\r").Text(), "a\nb\nc\n\nd\n");
	EXPECT_EQ(SourceText("").Text(), "");
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

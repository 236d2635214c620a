#include <gtest/gtest.h>

#include <string>

#include "EntityTable.h"

TEST(EntityTable, LookUpPrefersTheExactNameThenIgnoresCase)
{
	EXPECT_EQ(LookUpEntity("Eacute")->code, 0xC9u);
	EXPECT_EQ(LookUpEntity("eacute")->code, 0xE9u);
	EXPECT_EQ(LookUpEntity("NBSP")->code, 0x0Fu);
	EXPECT_EQ(LookUpEntity("AMP")->code, 38u);
	EXPECT_NE(LookUpEntity("EACUTE"), nullptr);
	EXPECT_EQ(LookUpEntity("apos"), nullptr);
	EXPECT_EQ(LookUpEntity("bogus"), nullptr);
	EXPECT_EQ(LookUpEntity(""), nullptr);
	EXPECT_EQ(LookUpEntity(nullptr), nullptr);
}

TEST(EntityTable, GetUTF8DecodesOneCharacterWithinTheGivenLength)
{
	uint32 code = 0;
	EXPECT_EQ(GetUTF8("a", 1, &code), 1);
	EXPECT_EQ(code, 'a');
	EXPECT_EQ(GetUTF8("\xC3\xA9x", 3, &code), 2);
	EXPECT_EQ(code, 0xE9u);
	EXPECT_EQ(GetUTF8("\xE2\x82\xAC", 3, &code), 3);
	EXPECT_EQ(code, 0x20ACu);
	EXPECT_EQ(GetUTF8("\xF0\x9F\x98\x80", 4, &code), 4);
	EXPECT_EQ(code, 0x1F600u);
	// Cut off by the length, a stray continuation byte, a Latin-1 byte.
	EXPECT_EQ(GetUTF8("\xE2\x82\xAC", 2, &code), 1);
	EXPECT_EQ(code, 0xFFFDu);
	EXPECT_EQ(GetUTF8("\x82", 1, &code), 1);
	EXPECT_EQ(code, 0xFFFDu);
	EXPECT_EQ(GetUTF8("\xE9t\xE9", 3, &code), 1);
	EXPECT_EQ(code, 0xFFFDu);
	code = 7;
	EXPECT_EQ(GetUTF8("x", 0, &code), 0);
	EXPECT_EQ(code, 7u);
	EXPECT_EQ(GetUTF8(nullptr, 3, &code), 0);
}

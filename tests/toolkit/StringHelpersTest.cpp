#include "StringHelpers.h"

#include <Message.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace {

// Takes ownership of a returned string, as every caller must.
std::string Take(char* text)
{
	std::unique_ptr<char[]> owned(text);
	return owned ? std::string(owned.get()) : std::string("<null>");
}

} // namespace

TEST(StringHelpersTest, NullArgumentsGiveNullOrFalse)
{
	char buffer[8] = "abc";
	EXPECT_EQ(MakeUTF8Char(-1, buffer), 0);
	EXPECT_STREQ(buffer, "abc");
	EXPECT_EQ(MakeUTF8Char('A', nullptr), 0);
	EXPECT_EQ(ProcessPath(buffer, nullptr), nullptr);
	EXPECT_STREQ(buffer, "");
	EXPECT_EQ(newtext(nullptr), nullptr);
	EXPECT_EQ(strncpy0(buffer, nullptr, 3), nullptr);
	EXPECT_STREQ(buffer, "");
	EXPECT_FALSE(strcmpexact(nullptr, nullptr));
	EXPECT_FALSE(strcmpexactxcase("a", nullptr));
	EXPECT_EQ(strcmplen(nullptr, "a"), 0);
	EXPECT_EQ(strtolower(nullptr), nullptr);
	EXPECT_EQ(hexitoa(nullptr), 0);
	EXPECT_EQ(GetWordCommaSep(nullptr, nullptr), nullptr);
	EXPECT_EQ(endstrcpys(nullptr, "a"), nullptr);
}

TEST(StringHelpersTest, CopiesAreNewAndCutCopiesAreTerminated)
{
	const char* original = "page";
	char* copy = newtext(original);
	EXPECT_NE(copy, original);
	EXPECT_EQ(Take(copy), "page");

	char buffer[8];
	memset(buffer, 'x', sizeof(buffer));
	EXPECT_EQ(strncpy0(buffer, "abcdef", 3), buffer);
	EXPECT_STREQ(buffer, "abc");
	EXPECT_STREQ(strncpy0(buffer, "ab", 5), "ab");
}

TEST(StringHelpersTest, EndStrcpysAppendsAfterWhatIsThereAndSkipsNulls)
{
	char buffer[64] = "Could not open ";
	endstrcpys(buffer, "\"", nullptr, "page.html", nullptr, nullptr, nullptr, nullptr, "\"");
	EXPECT_STREQ(buffer, "Could not open \"page.html\"");
}

TEST(StringHelpersTest, ComparisonsExactAndIgnoringCase)
{
	EXPECT_TRUE(strcmpexact("Arial", "Arial"));
	EXPECT_FALSE(strcmpexact("Arial", "arial"));
	EXPECT_FALSE(strcmpexact("Arial", "Arial Black"));
	EXPECT_TRUE(strcmpexactxcase("Arial", "aRIAL"));
	EXPECT_FALSE(strcmpexactxcase("Arial", "Arial Black"));
	EXPECT_FALSE(strcmpexactxcase("Arial Black", "Arial"));

	EXPECT_EQ(strcmplen("Helvetica", "Help"), 3);
	EXPECT_EQ(strcmplen("same", "same"), 4);
	EXPECT_EQ(strcmplen("", "x"), 0);
	EXPECT_EQ(strcmplenxcase("HELvetica", "help"), 3);
}

TEST(StringHelpersTest, CaseChangesOnlyAsciiLettersInPlace)
{
	char text[] = "Caf\xC3\xA9 <B>";
	EXPECT_EQ(strtoupper(text), text);
	EXPECT_STREQ(text, "CAF\xC3\xA9 <B>");
	strtolower(text);
	EXPECT_STREQ(text, "caf\xC3\xA9 <b>");
}

TEST(StringHelpersTest, DecimalAndHexadecimalTexts)
{
	EXPECT_EQ(Take(itoa(0)), "0");
	EXPECT_EQ(Take(itoa(-2147483647 - 1)), "-2147483648");
	EXPECT_EQ(Take(itoahex(255)), "FF");
	EXPECT_EQ(Take(itoahex(-1)), "FFFFFFFF");
	EXPECT_EQ(hexitoa("ff"), 255);
	EXPECT_EQ(hexitoa("C0ffee and more"), 0xC0FFEE);
	EXPECT_EQ(hexitoa("zz"), 0);
	EXPECT_EQ(hexitoa("FFFFFFFF"), -1);
	EXPECT_EQ(hexitoa("123456789"), -1);
	for (int32 value : {0, 1, 0x7FFFFFFF, -5})
		EXPECT_EQ(hexitoa(Take(itoahex(value)).c_str()), value);
}

TEST(StringHelpersTest, CommaSeparatedFaceListGivesOneWordAtATime)
{
	const char* faces = "  Arial, Helvetica";
	int32 end = -1;
	EXPECT_EQ(Take(GetWordCommaSep(faces, &end)), "Arial");
	EXPECT_EQ(end, 7);
	const char* rest = faces + end + 1;
	EXPECT_EQ(Take(GetWordCommaSep(rest, &end)), "Helvetica");
	EXPECT_EQ(rest[end], '\0');
	// Blanks inside a word stay, quotes and blanks around it go.
	EXPECT_EQ(Take(GetWordCommaSep("'Times New Roman' , serif", &end)), "Times New Roman");
	EXPECT_EQ(end, 18);
	EXPECT_EQ(Take(GetWordCommaSep(" \xC3\x89lan Caf\xC3\xA9, x", &end)),
		"\xC3\x89lan Caf\xC3\xA9");
	EXPECT_EQ(Take(GetWordCommaSep("  ,  ", &end)), "<null>");
	EXPECT_EQ(Take(GetWordCommaSep("", &end)), "<null>");
	EXPECT_EQ(end, 0);
}

TEST(StringHelpersTest, MakeUTF8CharWritesTheEncodingAndATerminatorWithinFourBytes)
{
	const std::pair<int32, const char*> rows[] = {{'A', "A"}, {0, ""}, {0xA9, "\xC2\xA9"},
		{0x7FF, "\xDF\xBF"}, {0x20AC, "\xE2\x82\xAC"},
		{0x0F, "\x0F"},  // the view's non-breaking space
		{0xD800, "\xEF\xBF\xBD"}, {0x1F600, "\xEF\xBF\xBD"}};  // replaced
	for (const auto& [code, bytes] : rows) {
		SCOPED_TRACE(code);
		char buffer[5];
		memset(buffer, 0x55, sizeof(buffer));
		int32 length = MakeUTF8Char(code, buffer);
		int32 expected = static_cast<int32>(strlen(bytes));
		ASSERT_EQ(length, expected == 0 ? 1 : expected);
		EXPECT_EQ(std::string(buffer, length), std::string(bytes, length));
		EXPECT_EQ(buffer[length], '\0');
		EXPECT_EQ(buffer[4], 0x55) << "wrote beyond four bytes";
	}
}

TEST(StringHelpersTest, ProcessPathDropsDotsAndFoldsParentsButKeepsLeadingOnes)
{
	const std::pair<const char*, const char*> rows[] = {{"", ""},
		{"/site/img/a.gif", "/site/img/a.gif"}, {"/site/./img/./a.gif", "/site/img/a.gif"},
		{"./img/a.gif", "img/a.gif"}, {"/site/pages/../img/a.gif", "/site/img/a.gif"},
		{"/a/b/c/../../x.gif", "/a/x.gif"}, {"../img/a.gif", "../img/a.gif"},
		{"a/../../b", "../b"}, {"../../x", "../../x"}, {"/../x", "/../x"},
		{"/a./..b/c.d/x..y", "/a./..b/c.d/x..y"}, {"/a/b/..", "/a/"}, {"/a/.", "/a/"},
		{"http://host/a/../b.gif", "http://host/b.gif"}};
	for (const auto& [path, expected] : rows) {
		std::string out(strlen(path) + 1, '#');
		EXPECT_EQ(ProcessPath(out.data(), path), out.data());
		EXPECT_STREQ(out.c_str(), expected) << path;
	}
}

TEST(CompareMessagesTest, OnlyTheSameCommandAndFieldsInTheSameOrderAreEqual)
{
	BMessage a('TEXT'), b('TEXT');
	for (BMessage* message : {&a, &b}) {
		message->AddString("class", "TextChange");
		message->AddInt32("_tag", 12);
	}
	EXPECT_TRUE(CompareMessages(&a, &b));
	b.ReplaceInt32("_tag", 13);
	EXPECT_FALSE(CompareMessages(&a, &b));

	BMessage first('ANCH'), swapped('ANCH');
	first.AddString("class", "Anchor");
	first.AddString("href", "index.html");
	swapped.AddString("href", "index.html");
	swapped.AddString("class", "Anchor");
	EXPECT_FALSE(CompareMessages(&first, &swapped));
	EXPECT_FALSE(CompareMessages(&a, &first));
	EXPECT_FALSE(CompareMessages(&a, nullptr));
	EXPECT_FALSE(CompareMessages(nullptr, nullptr));
}

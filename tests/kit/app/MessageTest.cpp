#include <Message.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(MessageFieldsTest, SeveralValuesUnderOneNameAreReachedByIndex)
{
	BMessage message('test');
	for (int32 n : {1, 2, 3})
		ASSERT_EQ(message.AddInt32("n", n), B_OK);

	int32 value = 0;
	EXPECT_EQ(message.FindInt32("n", 2, &value), B_OK);
	EXPECT_EQ(value, 3);
	EXPECT_EQ(message.FindInt32("n", 3, &value), B_BAD_INDEX);

	ASSERT_EQ(message.ReplaceInt32("n", 1, 20), B_OK);
	ASSERT_EQ(message.RemoveData("n", 0), B_OK);
	EXPECT_EQ(message.FindInt32("n", 0, &value), B_OK);
	EXPECT_EQ(value, 20);
	// Removing the last value removes the name.
	ASSERT_EQ(message.RemoveData("n"), B_OK);
	ASSERT_EQ(message.RemoveData("n"), B_OK);
	EXPECT_FALSE(message.HasInt32("n"));
	EXPECT_TRUE(message.IsEmpty());
}

TEST(MessageFieldsTest, ANameKeepsItsFirstTypeAndLookupsReportWhatIsWrong)
{
	BMessage message;
	ASSERT_EQ(message.AddString("name", "x"), B_OK);
	EXPECT_EQ(message.AddInt32("name", 5), B_BAD_TYPE);

	int32 number;
	const char* text;
	EXPECT_EQ(message.FindInt32("name", &number), B_BAD_TYPE);
	EXPECT_EQ(message.FindString("missing", &text), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.FindString(nullptr, &text), B_BAD_VALUE);
	EXPECT_EQ(message.AddString("other", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.ReplaceInt32("missing", 1), B_NAME_NOT_FOUND);
}

TEST(MessageFieldsTest, GetInfoWalksNamesInTheOrderTheyWereFirstAdded)
{
	BMessage message;
	message.AddString("zeta", "z");
	message.AddInt32("alpha", 1);
	message.AddString("mid", "m");
	message.AddString("zeta", "again");

	const char* name;
	type_code type;
	int32 count;
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 0, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "zeta");
	EXPECT_EQ(count, 2);
	ASSERT_EQ(message.GetInfo(B_STRING_TYPE, 1, &name, &type), B_OK);
	EXPECT_STREQ(name, "mid");
	EXPECT_EQ(message.GetInfo(B_STRING_TYPE, 2, &name, &type), B_BAD_INDEX);
}

TEST(MessageFieldsTest, ThousandsOfNamesStayFindableAfterRemovals)
{
	// Run archives name their entries "0", "1", ...
	BMessage message;
	for (int i = 0; i < 5000; i++)
		ASSERT_EQ(message.AddInt32(std::to_string(i).c_str(), i), B_OK);
	ASSERT_EQ(message.RemoveName("10"), B_OK);
	int32 value;
	ASSERT_EQ(message.FindInt32("4999", &value), B_OK);
	EXPECT_EQ(value, 4999);
	EXPECT_FALSE(message.HasInt32("10"));
	const char* name;
	type_code type;
	ASSERT_EQ(message.GetInfo(B_ANY_TYPE, 10, &name, &type), B_OK);
	EXPECT_STREQ(name, "11");
}

// A few names are searched in order, many through an index: a message that
// crosses between the two, both ways, still finds each of its names once.
TEST(MessageFieldsTest, NamesStayFindableAsTheirNumberGrowsAndShrinks)
{
	BMessage message;
	auto name = [](int i) { return "field " + std::to_string(i); };
	for (int i = 0; i < 12; i++)
		ASSERT_EQ(message.AddInt32(name(i).c_str(), i), B_OK);
	for (int i = 0; i < 12; i += 2)
		ASSERT_EQ(message.RemoveName(name(i).c_str()), B_OK);
	for (int i = 12; i < 20; i++)
		ASSERT_EQ(message.AddInt32(name(i).c_str(), i), B_OK);
	for (int i = 0; i < 20; i++) {
		int32 value = -1;
		bool kept = i >= 12 || i % 2 == 1;
		EXPECT_EQ(message.FindInt32(name(i).c_str(), &value), kept ? B_OK : B_NAME_NOT_FOUND)
			<< name(i);
		if (kept) {
			EXPECT_EQ(value, i);
		}
	}
	ASSERT_EQ(message.AddInt32(name(13).c_str(), 113), B_OK);
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 14);
}

TEST(MessageFieldsTest, DataKeepsItsTypeAndSizeAndStringsTheirTerminator)
{
	BMessage message;
	message.AddString("s", "hello");
	const void* data;
	ssize_t size;
	ASSERT_EQ(message.FindData("s", B_STRING_TYPE, &data, &size), B_OK);
	EXPECT_EQ(size, 6);
	EXPECT_STREQ(static_cast<const char*>(data), "hello");

	// Added as data with the NUL, found as a string without a second one.
	ASSERT_EQ(message.AddData("t", B_STRING_TYPE, "abc", 4), B_OK);
	const char* text;
	ASSERT_EQ(message.FindString("t", &text), B_OK);
	EXPECT_STREQ(text, "abc");

	const rgb_color color = {1, 2, 3, 4};
	ASSERT_EQ(message.AddData("color", B_RAW_TYPE, &color, sizeof(color)), B_OK);
	EXPECT_EQ(message.AddData("color", B_RAW_TYPE, "12345", 5), B_BAD_VALUE);
	ASSERT_EQ(message.FindData("color", B_RAW_TYPE, &data, &size), B_OK);
	ASSERT_EQ(size, 4);
	EXPECT_EQ(memcmp(data, &color, 4), 0);
	EXPECT_EQ(message.FindData("color", B_MIME_TYPE, &data, &size), B_BAD_TYPE);
	// A known type must have its own size.
	EXPECT_EQ(message.AddData("n", B_INT32_TYPE, "12", 2), B_BAD_VALUE);
}

TEST(MessageFieldsTest, CopiesAssignmentsAndNestedMessagesShareNoFields)
{
	BMessage original('orig');
	original.AddInt32("a", 1);
	BMessage copy(original);
	BMessage assigned;
	assigned.AddString("stale", "x");
	assigned = original;
	BMessage outer('outr');
	ASSERT_EQ(outer.AddMessage("0", &original), B_OK);
	original.ReplaceInt32("a", 2);

	BMessage nested;
	ASSERT_EQ(outer.FindMessage("0", &nested), B_OK);
	for (BMessage* message : {&copy, &assigned, &nested}) {
		int32 value = 0;
		ASSERT_EQ(message->FindInt32("a", &value), B_OK);
		EXPECT_EQ(value, 1);
		EXPECT_EQ(message->what, static_cast<uint32>('orig'));
	}
	EXPECT_FALSE(assigned.HasString("stale"));
}

TEST(MessageFieldsTest, ARefWithoutANameKeepsItsPath)
{
	BMessage message(B_REFS_RECEIVED);
	entry_ref nameless(1, 2, nullptr, "/tmp");
	ASSERT_EQ(message.AddRef("refs", &nameless), B_OK);
	entry_ref found;
	ASSERT_EQ(message.FindRef("refs", &found), B_OK);
	EXPECT_EQ(found.name, nullptr);
	EXPECT_EQ(found.path, "/tmp");
}

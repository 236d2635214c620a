#include <DataIO.h>
#include <List.h>
#include <Rect.h>
#include <UTF8.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace BPrivate;

TEST(MallocIOTest, WritesPastTheEndFillWithZerosAndKeepATerminator)
{
	BMallocIO io;
	ASSERT_EQ(io.WriteAt(4, "ab", 2), 2);
	ASSERT_EQ(io.BufferLength(), 6u);
	const char* data = static_cast<const char*>(io.Buffer());
	EXPECT_EQ(memcmp(data, "\0\0\0\0ab", 6), 0);
	EXPECT_EQ(data[6], '\0');

	io.Seek(0, SEEK_END);
	io.Write("cd", 2);
	EXPECT_EQ(std::string(static_cast<const char*>(io.Buffer()) + 4), "abcd");
	EXPECT_EQ(io.Position(), 8);

	char out[16] = {};
	io.Seek(-4, SEEK_END);
	EXPECT_EQ(io.Read(out, sizeof(out)), 4);
	EXPECT_STREQ(out, "abcd");
	EXPECT_LT(io.Seek(-100, SEEK_CUR), 0);
}

// A big buffer grows many times while it is written; its bytes then
// change hands whole, and the buffer goes on empty.
TEST(MallocIOTest, BytesWrittenAcrossManyGrowthsAreDetachedWholeWithTheirTerminator)
{
	BMallocIO io;
	std::string written;
	for (int i = 0; i < 3000; i++) {
		std::string line = std::to_string(i) + std::string(i % 97, static_cast<char>('a' + i % 26));
		ASSERT_EQ(io.Write(line.data(), line.size()), static_cast<ssize_t>(line.size()));
		written += line;
	}
	size_t length = 0;
	size_t capacity = 0;
	MallocBlock block = io.DetachBuffer(&length, &capacity);
	ASSERT_NE(block, nullptr);
	EXPECT_EQ(length, written.size());
	EXPECT_GT(capacity, length);
	EXPECT_EQ(std::string(block.get(), length), written);
	EXPECT_EQ(block.get()[length], '\0');

	EXPECT_EQ(io.BufferLength(), 0u);
	EXPECT_STREQ(static_cast<const char*>(io.Buffer()), "");
	io.Write("again", 5);
	EXPECT_STREQ(static_cast<const char*>(io.Buffer()), "again");
}

TEST(MemoryIOTest, ConstMemoryIsReadOnlyAndWritesStopAtTheEnd)
{
	const char text[] = "abc";
	BMemoryIO readOnly(text, 3);
	EXPECT_EQ(readOnly.WriteAt(0, "x", 1), B_NOT_ALLOWED);

	char buffer[4] = "---";
	BMemoryIO io(buffer, 3);
	EXPECT_EQ(io.WriteAt(2, "xyz", 3), 1);
	EXPECT_STREQ(buffer, "--x");
}

TEST(ListTest, IndexedOperationsRejectIndicesOutOfRange)
{
	int a, b, c;
	BList list;
	list.AddItem(&a);
	list.AddItem(&c);
	EXPECT_TRUE(list.AddItem(&b, 1));
	EXPECT_FALSE(list.AddItem(&b, 5));
	EXPECT_EQ(list.ItemAt(1), &b);
	EXPECT_EQ(list.ItemAt(3), nullptr);
	EXPECT_EQ(list.RemoveItem(7), nullptr);
	EXPECT_TRUE(list.MoveItem(0, 2));
	EXPECT_EQ(list.LastItem(), &a);
	EXPECT_TRUE(list.RemoveItem(&b));
	EXPECT_EQ(list.IndexOf(&b), -1);
	list.AddList(&list);
	EXPECT_EQ(list.CountItems(), 4);
}

TEST(RectTest, EdgesAreInsideAndIntersectionCanBeEmpty)
{
	BRect r(0, 0, 9, 9);
	EXPECT_TRUE(r.Contains(BPoint(9, 9)));
	EXPECT_FALSE(r.Contains(BPoint(9.5, 0)));
	EXPECT_TRUE(r.Intersects(BRect(9, 9, 20, 20)));
	EXPECT_FALSE(r.Intersects(BRect(10, 0, 20, 5)));
	EXPECT_FALSE((r & BRect(20, 20, 30, 30)).IsValid());
	EXPECT_EQ(r | BRect(), r);
}

TEST(UTF8Test, BoundariesNeverSplitACharacter)
{
	// "a", "é" (2 bytes), "€" (3 bytes), "𝄞" (4 bytes)
	std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";
	EXPECT_EQ(UTF8::Next(text, 0), 1u);
	EXPECT_EQ(UTF8::Next(text, 1), 3u);
	EXPECT_EQ(UTF8::Next(text, 3), 6u);
	EXPECT_EQ(UTF8::Previous(text, 10), 6u);
	EXPECT_EQ(UTF8::Previous(text, 6), 3u);
	for (size_t inside : {2u, 4u, 5u, 7u, 8u, 9u})
		EXPECT_LT(UTF8::Boundary(text, inside), inside) << inside;
	EXPECT_EQ(UTF8::Boundary(text, 8), 6u);
	EXPECT_EQ(UTF8::CountChars(text), 4u);
	EXPECT_TRUE(UTF8::IsValid(text));
}

TEST(UTF8Test, MalformedBytesCountAloneAndAreReplacedForDrawing)
{
	std::string text = "a\xE9z\xC3";  // a Latin-1 byte and a cut-off lead byte
	EXPECT_FALSE(UTF8::IsValid(text));
	EXPECT_EQ(UTF8::CharLength(text, 1), 1u);
	EXPECT_EQ(UTF8::Boundary(text, 2), 2u);
	EXPECT_EQ(UTF8::Sanitized(text), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
	EXPECT_EQ(UTF8::Decode("\xED\xA0\x80", 0), 0xFFFDu);  // a surrogate is not a character

	std::string encoded;
	UTF8::Append(encoded, 0x20AC);
	UTF8::Append(encoded, 0x1D11E);
	EXPECT_EQ(encoded, "\xE2\x82\xAC\xF0\x9D\x84\x9E");
	size_t length = 0;
	EXPECT_EQ(UTF8::Decode(encoded, 3, &length), 0x1D11Eu);
	EXPECT_EQ(length, 4u);
}

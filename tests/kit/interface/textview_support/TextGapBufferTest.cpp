#include <textview_support/TextGapBuffer.h>

#include <UTF8.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using BPrivate::TextGapBuffer;
namespace UTF8 = BPrivate::UTF8;

namespace {

// ASCII, two-, three- and four-byte characters, a stray continuation byte
// and a lead byte cut off by the end of the text.
const std::string kMixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x80" "b\xC3";

// A buffer holding text with its gap moved to gapAt by an edit there.
TextGapBuffer BufferWithGapAt(const std::string& text, int32 gapAt)
{
	TextGapBuffer buffer;
	buffer.SetText(text.data(), text.size());
	buffer.InsertText("#", 1, gapAt);
	buffer.RemoveRange(gapAt, gapAt + 1);
	return buffer;
}

} // namespace

TEST(TextGapBufferTest, RandomEditsMatchAPlainString)
{
	std::mt19937 random(7);
	TextGapBuffer buffer;
	std::string model;
	for (int step = 0; step < 3000; step++) {
		int32 offset = std::uniform_int_distribution<int32>(0, model.size())(random);
		if (random() % 3 != 0 || model.empty()) {
			// Now and then an insertion larger than any gap so far.
			int32 length = random() % 50 == 0 ? 5000 : 1 + random() % 20;
			std::string text(length, static_cast<char>('a' + step % 26));
			buffer.InsertText(text.data(), length, offset);
			model.insert(offset, text);
		} else {
			int32 end = std::uniform_int_distribution<int32>(offset, model.size())(random);
			buffer.RemoveRange(offset, end);
			model.erase(offset, end - offset);
		}
		ASSERT_EQ(buffer.Length(), static_cast<int32>(model.size()));
		int32 probe = model.empty() ? 0 : random() % model.size();
		ASSERT_EQ(buffer.RealCharAt(probe), model.empty() ? '\0' : model[probe]);
	}
	EXPECT_EQ(buffer.Copy(0, buffer.Length()), model);
	EXPECT_EQ(std::string(buffer.RealText()), model);
}

TEST(TextGapBufferTest, RangeAcrossTheGapIsCopiedWhole)
{
	TextGapBuffer buffer = BufferWithGapAt("hello world", 5);
	std::string scratch;
	EXPECT_EQ(buffer.Range(2, 9, scratch), "llo wor");
	EXPECT_EQ(buffer.Range(0, 5, scratch), "hello");
	EXPECT_EQ(buffer.Range(5, 11, scratch), " world");
	EXPECT_EQ(buffer.Range(-4, 99, scratch), "hello world");
	EXPECT_EQ(buffer.Range(8, 3, scratch), "");
}

TEST(TextGapBufferTest, TextOfTheBufferItselfCanBeInsertedIntoIt)
{
	TextGapBuffer buffer;
	buffer.SetText("abcdef", 6);
	for (int i = 0; i < 6; i++) {
		const char* text = buffer.RealText();
		buffer.InsertText(text + 1, buffer.Length() - 1, 2);
	}
	std::string expected = "abcdef";
	for (int i = 0; i < 6; i++)
		expected.insert(2, expected.substr(1));
	EXPECT_EQ(buffer.Copy(0, buffer.Length()), expected);
}

TEST(TextGapBufferTest, BadArgumentsChangeNothing)
{
	TextGapBuffer buffer = BufferWithGapAt("abc", 1);
	buffer.InsertText(nullptr, 4, 0);
	buffer.InsertText("zz", -1, 0);
	buffer.RemoveRange(2, 1);
	buffer.InsertText("z", 1, 99);
	EXPECT_EQ(buffer.Copy(0, buffer.Length()), "abcz");
	EXPECT_EQ(buffer.RealCharAt(-1), '\0');
	EXPECT_EQ(buffer.RealCharAt(4), '\0');
}

// The helpers must agree with the UTF-8 rules on the whole string wherever
// the gap lies, also when it splits a character.
TEST(TextGapBufferTest, CharacterHelpersAgreeWithUTF8WhereverTheGapIs)
{
	for (int32 gap = 0; gap <= static_cast<int32>(kMixed.size()); gap++) {
		TextGapBuffer buffer = BufferWithGapAt(kMixed, gap);
		for (int32 offset = 0; offset <= static_cast<int32>(kMixed.size()); offset++) {
			SCOPED_TRACE("gap " + std::to_string(gap) + ", offset " + std::to_string(offset));
			int32 boundary = UTF8::Boundary(kMixed, offset);
			ASSERT_EQ(buffer.CharBoundary(offset), boundary);
			ASSERT_EQ(buffer.NextCharOffset(offset),
				static_cast<int32>(UTF8::Next(kMixed, boundary)));
			ASSERT_EQ(buffer.PreviousCharOffset(offset),
				static_cast<int32>(UTF8::Previous(kMixed, offset)));
			size_t length;
			uint32 code = UTF8::Decode(kMixed, boundary, &length);
			int32 bufferLength;
			ASSERT_EQ(buffer.CharAt(boundary, &bufferLength), code);
			ASSERT_EQ(bufferLength, static_cast<int32>(length));
		}
	}
}

TEST(TextGapBufferTest, CharacterHelpersStayInsideTheText)
{
	TextGapBuffer buffer = BufferWithGapAt(kMixed, 3);
	int32 end = buffer.Length();
	EXPECT_EQ(buffer.CharBoundary(-5), 0);
	EXPECT_EQ(buffer.CharBoundary(end + 5), end);
	EXPECT_EQ(buffer.NextCharOffset(end), end);
	EXPECT_EQ(buffer.PreviousCharOffset(0), 0);
	EXPECT_EQ(buffer.CharAt(end), 0u);
	EXPECT_EQ(buffer.CharLengthAt(end), 0);
}

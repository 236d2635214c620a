#include <Message.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string FlattenToString(const BMessage& message)
{
	std::string bytes(static_cast<size_t>(message.FlattenedSize()), '\0');
	EXPECT_EQ(message.Flatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);
	return bytes;
}

// A message with every kind of field, nested two levels, as the clipboard
// and settings hold them.
BMessage RichMessage()
{
	BMessage leaf('leaf');
	leaf.AddString("class", "text");
	leaf.AddString("text", "caf\xc3\xa9 \x0f");
	BMessage middle('midl');
	middle.AddMessage("0", &leaf);
	middle.AddInt32("relative_offset", 0);

	BMessage message('rich');
	message.AddString("ConfigVersion", "1.0");
	message.AddInt8("i8", -8);
	message.AddInt16("i16", -1600);
	message.AddInt32("i32", 123456);
	message.AddInt64("i64", -(int64(1) << 40));
	message.AddBool("flag", true);
	message.AddFloat("size", 12.5f);
	message.AddDouble("ratio", 0.125);
	message.AddPointer("_tag", reinterpret_cast<void*>(0x5eed));
	message.AddRect("VisualWindowCoordinates", BRect(70, 50, 620, 412));
	message.AddPoint("where", BPoint(3.5f, -2));
	message.AddColor("color", make_color(255, 128, 0, 255));
	entry_ref ref(2049, 1234, "page.html", "/home/u/page.html");
	message.AddRef("refs", &ref);
	node_ref node(2049, 99);
	message.AddNodeRef("node", &node);
	message.AddData("text/plain", B_MIME_TYPE, "plain", 5, false);
	message.AddData("raw", B_RAW_TYPE, "\0\1\2", 3);
	message.AddString("ConfigVersion", "");
	message.AddMessage("VelmoraClipboard", &middle);
	message.AddMessage("VelmoraClipboard", &leaf);
	return message;
}

void AppendU32(std::string& out, uint32 value)
{
	out.append(reinterpret_cast<const char*>(&value), 4);
}

// A message holding `inner` as its one nested message, written by hand in
// the documented layout.
std::string WrapByHand(const std::string& inner)
{
	std::string fields;
	AppendU32(fields, B_MESSAGE_TYPE);
	fields += '\0';
	AppendU32(fields, 1);
	fields += 'm';
	AppendU32(fields, 1);
	AppendU32(fields, static_cast<uint32>(inner.size()));
	fields += inner;

	std::string bytes = "VMSG";
	AppendU32(bytes, 1);
	AppendU32(bytes, static_cast<uint32>(20 + fields.size()));
	AppendU32(bytes, 'wrap');
	AppendU32(bytes, 1);
	return bytes + fields;
}

} // namespace

TEST(MessageFlattenTest, EveryFieldTypeComesBackAsItWentAndFlattensToTheSameBytes)
{
	std::string bytes = FlattenToString(RichMessage());
	EXPECT_EQ(FlattenToString(RichMessage()), bytes);
	BMessage m;
	ASSERT_EQ(m.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);
	EXPECT_EQ(FlattenToString(m), bytes);

	EXPECT_EQ(m.what, static_cast<uint32>('rich'));
	const char* text = nullptr;
	EXPECT_EQ(m.FindString("ConfigVersion", &text), B_OK);
	EXPECT_STREQ(text, "1.0");
	int8 i8 = 0;
	int16 i16 = 0;
	int32 i32 = 0;
	int64 i64 = 0;
	bool flag = false;
	float size = 0;
	double ratio = 0;
	void* tag = nullptr;
	m.FindInt8("i8", &i8);
	m.FindInt16("i16", &i16);
	m.FindInt32("i32", &i32);
	m.FindInt64("i64", &i64);
	m.FindBool("flag", &flag);
	m.FindFloat("size", &size);
	m.FindDouble("ratio", &ratio);
	m.FindPointer("_tag", &tag);
	EXPECT_EQ(i8, -8);
	EXPECT_EQ(i16, -1600);
	EXPECT_EQ(i32, 123456);
	EXPECT_EQ(i64, -(int64(1) << 40));
	EXPECT_TRUE(flag);
	EXPECT_EQ(size, 12.5f);
	EXPECT_EQ(ratio, 0.125);
	EXPECT_EQ(tag, reinterpret_cast<void*>(0x5eed));
	BRect rect;
	BPoint point;
	rgb_color color;
	entry_ref ref;
	node_ref node;
	m.FindRect("VisualWindowCoordinates", &rect);
	m.FindPoint("where", &point);
	m.FindColor("color", &color);
	m.FindRef("refs", &ref);
	m.FindNodeRef("node", &node);
	EXPECT_EQ(rect, BRect(70, 50, 620, 412));
	EXPECT_EQ(point, BPoint(3.5f, -2));
	EXPECT_EQ(color, make_color(255, 128, 0, 255));
	EXPECT_EQ(ref.path, "/home/u/page.html");
	EXPECT_STREQ(ref.name, "page.html");
	EXPECT_EQ(ref.device, 2049);
	EXPECT_EQ(ref.directory, 1234u);
	EXPECT_EQ(node, node_ref(2049, 99));
	const void* data = nullptr;
	ssize_t length = 0;
	ASSERT_EQ(m.FindData("text/plain", B_MIME_TYPE, &data, &length), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data), length), "plain");
	ASSERT_EQ(m.FindData("raw", B_RAW_TYPE, &data, &length), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data), length), std::string("\0\1\2", 3));
	EXPECT_EQ(m.FindString("ConfigVersion", 1, &text), B_OK);
	EXPECT_STREQ(text, "");
	BMessage middle;
	BMessage leaf;
	ASSERT_EQ(m.FindMessage("VelmoraClipboard", 0, &middle), B_OK);
	ASSERT_EQ(middle.FindMessage("0", &leaf), B_OK);
	EXPECT_EQ(leaf.FindString("text", &text), B_OK);
	EXPECT_STREQ(text, "caf\xc3\xa9 \x0f");
	EXPECT_EQ(m.FindMessage("VelmoraClipboard", 1, &leaf), B_OK);
}

TEST(MessageFlattenTest, FieldOrderAndCommandChangeTheBytes)
{
	BMessage first('cmd1');
	first.AddInt32("a", 1);
	first.AddInt32("b", 2);
	BMessage swapped('cmd1');
	swapped.AddInt32("b", 2);
	swapped.AddInt32("a", 1);
	BMessage otherCommand(first);
	otherCommand.what = 'cmd2';
	EXPECT_NE(FlattenToString(first), FlattenToString(swapped));
	EXPECT_NE(FlattenToString(first), FlattenToString(otherCommand));
	std::string small(static_cast<size_t>(first.FlattenedSize()) - 1, '\0');
	EXPECT_EQ(first.Flatten(small.data(), static_cast<ssize_t>(small.size())), B_BAD_VALUE);
}

TEST(MessageFlattenTest, StreamHoldsMessagesBackToBack)
{
	BMallocIO stream;
	BMessage first('frst');
	first.AddString("x", "1");
	BMessage second('scnd');
	ssize_t written = 0;
	ASSERT_EQ(first.Flatten(&stream, &written), B_OK);
	EXPECT_EQ(written, first.FlattenedSize());
	ASSERT_EQ(second.Flatten(&stream), B_OK);

	stream.Seek(0, SEEK_SET);
	BMessage a, b, c;
	ASSERT_EQ(a.Unflatten(&stream), B_OK);
	ASSERT_EQ(b.Unflatten(&stream), B_OK);
	EXPECT_EQ(a.what, static_cast<uint32>('frst'));
	EXPECT_EQ(b.what, static_cast<uint32>('scnd'));
	EXPECT_EQ(c.Unflatten(&stream), B_BAD_DATA);
}

TEST(MessageFlattenTest, FailedUnflattenLeavesTheMessageAsItWas)
{
	BMessage message('kept');
	message.AddInt32("n", 4);
	EXPECT_EQ(message.Unflatten("garbage that is long enough", 27), B_BAD_DATA);
	EXPECT_EQ(message.what, static_cast<uint32>('kept'));
	EXPECT_TRUE(message.HasInt32("n"));
}

TEST(MessageCorruptionTest, EveryTruncationFailsCleanly)
{
	std::string bytes = FlattenToString(RichMessage());
	for (size_t length = 0; length < bytes.size(); length++) {
		// A private copy of exactly `length` bytes, so that ASan sees any
		// read beyond it.
		std::vector<char> copy(bytes.begin(), bytes.begin() + length);
		BMessage message;
		EXPECT_NE(message.Unflatten(copy.data(), static_cast<ssize_t>(length)), B_OK) << length;
		BMemoryIO stream(copy.data(), length);
		EXPECT_NE(message.Unflatten(&stream), B_OK) << length;
	}
}

TEST(MessageCorruptionTest, FlippedBytesAreRefusedOrReadBackExactly)
{
	const std::string bytes = FlattenToString(RichMessage());
	const uint8 masks[] = {0x01, 0x80, 0xFF, 0x10};
	int accepted = 0;
	for (size_t position = 0; position < bytes.size(); position++) {
		for (uint8 mask : masks) {
			std::vector<char> copy(bytes.begin(), bytes.end());
			copy[position] = static_cast<char>(copy[position] ^ mask);
			BMessage message;
			if (message.Unflatten(copy.data(), static_cast<ssize_t>(copy.size())) != B_OK)
				continue;
			accepted++;
			// What is accepted is whole: it flattens to the very same bytes
			// and its nested messages can be read.
			EXPECT_EQ(FlattenToString(message), std::string(copy.begin(), copy.end())) << position;
			BMessage nested;
			for (int32 i = 0; message.FindMessage("VelmoraClipboard", i, &nested) == B_OK; i++) {
			}
		}
	}
	// Flips inside values (numbers, text) are legitimate messages.
	EXPECT_GT(accepted, 0);
}

TEST(MessageCorruptionTest, HeadersClaimingMoreThanThereIsAreRefused)
{
	std::string bytes = FlattenToString(RichMessage());
	uint32 huge = 0xFFFFFFF0;
	memcpy(bytes.data() + 8, &huge, 4);
	BMessage message;
	EXPECT_EQ(message.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_BAD_DATA);
	// A stream that claims 4 GB and holds a few bytes fails without trying
	// to hold 4 GB.
	BMemoryIO stream(bytes.data(), bytes.size());
	EXPECT_EQ(message.Unflatten(&stream), B_BAD_DATA);
}

TEST(MessageCorruptionTest, CountsThatCannotFitAreRefused)
{
	BMessage small('smal');
	small.AddInt32("n", 1);
	std::string bytes = FlattenToString(small);
	// Field count, then the field's name length and item count, each set huge.
	const size_t fieldCount = 16;
	const size_t nameLength = 20 + 4 + 1;
	const size_t itemCount = nameLength + 4 + 1;
	for (size_t offset : {fieldCount, nameLength, itemCount}) {
		std::string damaged = bytes;
		uint32 huge = 0x7FFFFFFF;
		memcpy(damaged.data() + offset, &huge, 4);
		BMessage message;
		EXPECT_EQ(message.Unflatten(damaged.data(), static_cast<ssize_t>(damaged.size())),
			B_BAD_DATA) << offset;
	}
}

TEST(MessageCorruptionTest, UnknownVersionAndTrailingBytesAreRefused)
{
	std::string bytes = FlattenToString(RichMessage());
	std::string otherVersion = bytes;
	otherVersion[4] = 2;
	BMessage message;
	EXPECT_EQ(message.Unflatten(otherVersion.data(), static_cast<ssize_t>(otherVersion.size())),
		B_BAD_DATA);

	// Bytes after the message in a larger buffer are not part of it...
	std::string padded = bytes + "tail";
	EXPECT_EQ(message.Unflatten(padded.data(), static_cast<ssize_t>(padded.size())), B_OK);
	// ...but bytes inside its declared size must all belong to fields.
	std::string inflated = bytes + "tail";
	uint32 size = static_cast<uint32>(inflated.size());
	memcpy(inflated.data() + 8, &size, 4);
	EXPECT_EQ(message.Unflatten(inflated.data(), static_cast<ssize_t>(inflated.size())), B_BAD_DATA);
}

TEST(MessageNestingTest, DepthIsBoundedWhenAddingAndWhenReading)
{
	BMessage chain('lvl0');
	int depth = 0;
	while (true) {
		BMessage outer('next');
		if (outer.AddMessage("m", &chain) != B_OK)
			break;
		chain = outer;
		depth++;
		ASSERT_LT(depth, 1000);
	}
	EXPECT_EQ(depth, 64);

	std::string bytes = FlattenToString(chain);
	BMessage restored;
	ASSERT_EQ(restored.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);

	// One level more, written by hand, is refused when read.
	std::string deeper = WrapByHand(bytes);
	EXPECT_EQ(restored.Unflatten(deeper.data(), static_cast<ssize_t>(deeper.size())), B_BAD_DATA);
}

TEST(MessageNestingTest, HandWrittenLayoutIsReadAsDocumented)
{
	BMessage inner('innr');
	inner.AddString("text", "hi");
	std::string bytes = WrapByHand(FlattenToString(inner));
	BMessage message;
	ASSERT_EQ(message.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);
	EXPECT_EQ(message.what, static_cast<uint32>('wrap'));
	BMessage found;
	ASSERT_EQ(message.FindMessage("m", &found), B_OK);
	const char* text;
	ASSERT_EQ(found.FindString("text", &text), B_OK);
	EXPECT_STREQ(text, "hi");
}

TEST(MessageNestingTest, DamagedNestedMessageFailsTheWholeMessage)
{
	BMessage inner('innr');
	inner.AddString("text", "hi");
	std::string innerBytes = FlattenToString(inner);
	innerBytes[0] = 'X';
	std::string bytes = WrapByHand(innerBytes);
	BMessage message;
	EXPECT_EQ(message.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_BAD_DATA);
	// Nor can such bytes be added as message data.
	EXPECT_EQ(message.AddData("m", B_MESSAGE_TYPE, innerBytes.data(),
		static_cast<ssize_t>(innerBytes.size())), B_BAD_VALUE);
}

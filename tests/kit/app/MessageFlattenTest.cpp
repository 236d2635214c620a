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
	const BMessage original = RichMessage();
	std::string bytes = FlattenToString(original);
	EXPECT_EQ(FlattenToString(RichMessage()), bytes);
	BMessage m;
	ASSERT_EQ(m.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);
	EXPECT_EQ(FlattenToString(m), bytes);
	EXPECT_EQ(m.what, static_cast<uint32>('rich'));

	// Every value of every field, in order, is the one added.
	const char* name = nullptr;
	type_code type = 0;
	int32 count = 0;
	int32 names = 0;
	for (; original.GetInfo(B_ANY_TYPE, names, &name, &type, &count) == B_OK; names++) {
		const char* restoredName = nullptr;
		ASSERT_EQ(m.GetInfo(B_ANY_TYPE, names, &restoredName, &type), B_OK);
		EXPECT_STREQ(restoredName, name) << "the fields keep their order";
		for (int32 i = 0; i < count; i++) {
			const void* want = nullptr;
			const void* got = nullptr;
			ssize_t wantSize = 0;
			ssize_t gotSize = -1;
			ASSERT_EQ(original.FindData(name, type, i, &want, &wantSize), B_OK);
			ASSERT_EQ(m.FindData(name, type, i, &got, &gotSize), B_OK) << name << " " << i;
			EXPECT_EQ(std::string(static_cast<const char*>(got), gotSize),
				std::string(static_cast<const char*>(want), wantSize)) << name << " " << i;
		}
	}
	EXPECT_EQ(m.CountNames(B_ANY_TYPE), names);

	entry_ref ref;
	ASSERT_EQ(m.FindRef("refs", &ref), B_OK);
	EXPECT_EQ(ref.path, "/home/u/page.html");
	EXPECT_STREQ(ref.name, "page.html");
	BMessage middle;
	BMessage leaf;
	const char* text = nullptr;
	ASSERT_EQ(m.FindMessage("VelmoraClipboard", 0, &middle), B_OK);
	ASSERT_EQ(middle.FindMessage("0", &leaf), B_OK);
	EXPECT_EQ(leaf.FindString("text", &text), B_OK);
	EXPECT_STREQ(text, "caf\xc3\xa9 \x0f");
}

TEST(MessageFlattenTest, FlatteningIntoTooSmallABufferIsRefused)
{
	BMessage message('cmd1');
	message.AddInt32("a", 1);
	std::string small(static_cast<size_t>(message.FlattenedSize()) - 1, '\0');
	EXPECT_EQ(message.Flatten(small.data(), static_cast<ssize_t>(small.size())), B_BAD_VALUE);
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

TEST(MessageNestingTest, HandWrittenLayoutIsReadAsDocumentedAndADamagedNestedMessageFailsTheWhole)
{
	BMessage inner('innr');
	inner.AddString("text", "hi");
	std::string innerBytes = FlattenToString(inner);
	std::string bytes = WrapByHand(innerBytes);
	BMessage message;
	ASSERT_EQ(message.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);
	EXPECT_EQ(message.what, static_cast<uint32>('wrap'));
	BMessage found;
	ASSERT_EQ(message.FindMessage("m", &found), B_OK);
	const char* text;
	ASSERT_EQ(found.FindString("text", &text), B_OK);
	EXPECT_STREQ(text, "hi");

	innerBytes[0] = 'X';
	bytes = WrapByHand(innerBytes);
	EXPECT_EQ(message.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_BAD_DATA);
	// Nor can such bytes be added as message data.
	EXPECT_EQ(message.AddData("m", B_MESSAGE_TYPE, innerBytes.data(),
		static_cast<ssize_t>(innerBytes.size())), B_BAD_VALUE);
}

#include <Message.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
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

struct FieldRow {
	const char* label;
	std::function<void(BMessage&)> add;
	std::function<void(const BMessage&)> check;
};

void PrintTo(const FieldRow& row, std::ostream* out)
{
	*out << row.label;
}

class MessageRoundTripTest : public testing::TestWithParam<FieldRow> {};

TEST_P(MessageRoundTripTest, FieldSurvivesFlattenAndUnflatten)
{
	BMessage original('rtrp');
	GetParam().add(original);
	std::string bytes = FlattenToString(original);

	BMessage restored;
	ASSERT_EQ(restored.Unflatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_OK);
	EXPECT_EQ(restored.what, static_cast<uint32>('rtrp'));
	GetParam().check(restored);
	EXPECT_EQ(FlattenToString(restored), bytes);
}

static void* const kSomePointer = reinterpret_cast<void*>(0x1234abcd);

INSTANTIATE_TEST_SUITE_P(EveryFieldType, MessageRoundTripTest, testing::Values(
	FieldRow{"String",
		[](BMessage& m) { m.AddString("s", "one"); m.AddString("s", ""); },
		[](const BMessage& m) {
			const char* s;
			ASSERT_EQ(m.FindString("s", 0, &s), B_OK);
			EXPECT_STREQ(s, "one");
			ASSERT_EQ(m.FindString("s", 1, &s), B_OK);
			EXPECT_STREQ(s, "");
		}},
	FieldRow{"Int8", [](BMessage& m) { m.AddInt8("v", -128); },
		[](const BMessage& m) { int8 v; ASSERT_EQ(m.FindInt8("v", &v), B_OK); EXPECT_EQ(v, -128); }},
	FieldRow{"Int16", [](BMessage& m) { m.AddInt16("v", 32767); },
		[](const BMessage& m) { int16 v; ASSERT_EQ(m.FindInt16("v", &v), B_OK); EXPECT_EQ(v, 32767); }},
	FieldRow{"Int32", [](BMessage& m) { m.AddInt32("v", INT32_MIN); },
		[](const BMessage& m) { int32 v; ASSERT_EQ(m.FindInt32("v", &v), B_OK); EXPECT_EQ(v, INT32_MIN); }},
	FieldRow{"Int64", [](BMessage& m) { m.AddInt64("v", INT64_MAX); },
		[](const BMessage& m) { int64 v; ASSERT_EQ(m.FindInt64("v", &v), B_OK); EXPECT_EQ(v, INT64_MAX); }},
	FieldRow{"Bool", [](BMessage& m) { m.AddBool("v", true); m.AddBool("v", false); },
		[](const BMessage& m) {
			bool v;
			ASSERT_EQ(m.FindBool("v", 0, &v), B_OK);
			EXPECT_TRUE(v);
			ASSERT_EQ(m.FindBool("v", 1, &v), B_OK);
			EXPECT_FALSE(v);
		}},
	FieldRow{"Float", [](BMessage& m) { m.AddFloat("v", -0.75f); },
		[](const BMessage& m) { float v; ASSERT_EQ(m.FindFloat("v", &v), B_OK); EXPECT_EQ(v, -0.75f); }},
	FieldRow{"Double", [](BMessage& m) { m.AddDouble("v", 1e300); },
		[](const BMessage& m) { double v; ASSERT_EQ(m.FindDouble("v", &v), B_OK); EXPECT_EQ(v, 1e300); }},
	FieldRow{"PointerAsItsValue", [](BMessage& m) { m.AddPointer("v", kSomePointer); },
		[](const BMessage& m) {
			void* v;
			ASSERT_EQ(m.FindPointer("v", &v), B_OK);
			EXPECT_EQ(v, kSomePointer);
		}},
	FieldRow{"Rect", [](BMessage& m) { m.AddRect("v", BRect(98, 132, 674, 463)); },
		[](const BMessage& m) {
			BRect v;
			ASSERT_EQ(m.FindRect("v", &v), B_OK);
			EXPECT_EQ(v, BRect(98, 132, 674, 463));
		}},
	FieldRow{"Point", [](BMessage& m) { m.AddPoint("v", BPoint(-1, 2.25f)); },
		[](const BMessage& m) {
			BPoint v;
			ASSERT_EQ(m.FindPoint("v", &v), B_OK);
			EXPECT_EQ(v, BPoint(-1, 2.25f));
		}},
	FieldRow{"Color", [](BMessage& m) { m.AddColor("v", make_color(1, 2, 3, 4)); },
		[](const BMessage& m) {
			rgb_color v;
			ASSERT_EQ(m.FindColor("v", &v), B_OK);
			EXPECT_EQ(v, make_color(1, 2, 3, 4));
		}},
	FieldRow{"Ref",
		[](BMessage& m) { entry_ref r(5, 6, "a b.html", "/x/a b.html"); m.AddRef("refs", &r); },
		[](const BMessage& m) {
			entry_ref r;
			ASSERT_EQ(m.FindRef("refs", &r), B_OK);
			EXPECT_EQ(r.path, "/x/a b.html");
			EXPECT_STREQ(r.name, "a b.html");
			EXPECT_EQ(r.device, 5);
			EXPECT_EQ(r.directory, 6u);
		}},
	FieldRow{"NodeRef", [](BMessage& m) { node_ref n(7, 8); m.AddNodeRef("v", &n); },
		[](const BMessage& m) {
			node_ref n;
			ASSERT_EQ(m.FindNodeRef("v", &n), B_OK);
			EXPECT_EQ(n, node_ref(7, 8));
		}},
	FieldRow{"RawData", [](BMessage& m) { m.AddData("v", 'abcd', "\0\1\2", 3); },
		[](const BMessage& m) {
			const void* data;
			ssize_t size;
			ASSERT_EQ(m.FindData("v", 'abcd', &data, &size), B_OK);
			ASSERT_EQ(size, 3);
			EXPECT_EQ(memcmp(data, "\0\1\2", 3), 0);
		}},
	FieldRow{"NestedMessages",
		[](BMessage& m) {
			BMessage inner('in  ');
			inner.AddString("class", "TextChange");
			BMessage deeper('deep');
			deeper.AddInt32("x", 9);
			inner.AddMessage("child", &deeper);
			m.AddMessage("0", &inner);
		},
		[](const BMessage& m) {
			BMessage inner, deeper;
			ASSERT_EQ(m.FindMessage("0", &inner), B_OK);
			ASSERT_EQ(inner.FindMessage("child", &deeper), B_OK);
			int32 x;
			ASSERT_EQ(deeper.FindInt32("x", &x), B_OK);
			EXPECT_EQ(x, 9);
		}}),
	[](const testing::TestParamInfo<FieldRow>& info) { return std::string(info.param.label); });

TEST(MessageFlattenTest, SameFieldsInTheSameOrderGiveTheSameBytes)
{
	EXPECT_EQ(FlattenToString(RichMessage()), FlattenToString(RichMessage()));
	BMessage restored;
	std::string bytes = FlattenToString(RichMessage());
	ASSERT_EQ(restored.Unflatten(bytes.data()), B_OK);
	EXPECT_EQ(FlattenToString(restored), bytes);
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
}

TEST(MessageFlattenTest, FlattenRefusesABufferThatIsTooSmall)
{
	BMessage message = RichMessage();
	std::string bytes(static_cast<size_t>(message.FlattenedSize()) - 1, '\0');
	EXPECT_EQ(message.Flatten(bytes.data(), static_cast<ssize_t>(bytes.size())), B_BAD_VALUE);
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

#include <File.h>
#include <Resources.h>

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "TempDirectory.h"

namespace {

const type_code kBitmapType = 'ARCV';
const type_code kTextType = 'CSTR';

// Little-endian helpers for crafting archives by hand.
void Put32(std::string* out, uint32 value)
{
	for (int i = 0; i < 4; i++)
		out->push_back(static_cast<char>(value >> (8 * i)));
}

uint32 Fnv1a(const std::string& bytes, size_t from)
{
	uint32 hash = 2166136261u;
	for (size_t i = from; i < bytes.size(); i++) {
		hash ^= static_cast<unsigned char>(bytes[i]);
		hash *= 16777619u;
	}
	return hash;
}

struct CraftedEntry {
	uint32 type, id, nameLength, dataLength;
	std::string payload;  // name and data as they follow
};

// An archive with the given header count and entries and a correct
// checksum, so that only the structure can make it wrong.
std::string Craft(uint32 count, const std::vector<CraftedEntry>& entries)
{
	std::string out = "VRSC";
	Put32(&out, 1);
	Put32(&out, count);
	Put32(&out, 0);
	for (const CraftedEntry& entry : entries) {
		Put32(&out, entry.type);
		Put32(&out, entry.id);
		Put32(&out, entry.nameLength);
		Put32(&out, entry.dataLength);
		out += entry.payload;
	}
	uint32 sum = Fnv1a(out, 16);
	for (int i = 0; i < 4; i++)
		out[12 + i] = static_cast<char>(sum >> (8 * i));
	return out;
}

} // namespace

class ResourcesTest : public testing::Test {
protected:
	// Writes an archive with three resources into name and returns its bytes.
	std::string WriteSample(const char* name, bool reversed = false)
	{
		BFile file((dir / name).c_str(), B_READ_WRITE | B_CREATE_FILE | B_ERASE_FILE);
		BResources resources(&file, true);
		if (reversed) {
			resources.AddResource(kTextType, 1, "", 0, "empty");
			resources.AddResource(kBitmapType, 7, "\x01\x02\x00\x03", 4, "Logo");
			resources.AddResource(kBitmapType, 3, "buttons", 7, "ButtonBarButtons");
		} else {
			resources.AddResource(kBitmapType, 3, "buttons", 7, "ButtonBarButtons");
			resources.AddResource(kBitmapType, 7, "\x01\x02\x00\x03", 4, "Logo");
			resources.AddResource(kTextType, 1, "", 0, "empty");
		}
		EXPECT_EQ(resources.Sync(), B_OK);
		return dir.Read(name);
	}

	status_t Open(const std::string& bytes)
	{
		dir.Write("crafted.rsrc", bytes);
		BFile file((dir / "crafted.rsrc").c_str(), B_READ_ONLY);
		return BResources(&file).InitCheck();
	}

	TempDirectory dir;
};

TEST_F(ResourcesTest, WrittenArchiveReadsBackByIdAndByNameWithItsInfoInTypeAndIdOrder)
{
	WriteSample("app.rsrc");
	BFile file((dir / "app.rsrc").c_str(), B_READ_ONLY);
	BResources resources(&file);
	ASSERT_EQ(resources.InitCheck(), B_OK);

	size_t size = 0;
	const void* data = resources.LoadResource(kBitmapType, "ButtonBarButtons", &size);
	ASSERT_NE(data, nullptr);
	EXPECT_EQ(std::string(static_cast<const char*>(data), size), "buttons");
	data = resources.LoadResource(kBitmapType, 7, &size);
	ASSERT_EQ(size, 4u);
	EXPECT_EQ(memcmp(data, "\x01\x02\x00\x03", 4), 0);
	EXPECT_NE(resources.LoadResource(kTextType, 1, &size), nullptr);
	EXPECT_EQ(size, 0u);
	EXPECT_EQ(resources.LoadResource(kTextType, "Logo", &size), nullptr);
	type_code type;
	int32 id;
	const char* name;
	ASSERT_TRUE(resources.GetResourceInfo(kBitmapType, 1, &id, &name, &size));
	EXPECT_EQ(id, 7);
	EXPECT_FALSE(resources.GetResourceInfo(3, &type, &id, &name, &size));
}

TEST_F(ResourcesTest, SameResourcesGiveTheSameBytesWhateverTheOrderOfAdding)
{
	EXPECT_EQ(WriteSample("a.rsrc"), WriteSample("b.rsrc", true));
}

TEST_F(ResourcesTest, ArchiveOpenedReadOnlyRefusesChanges)
{
	std::string before = WriteSample("app.rsrc");
	BFile file((dir / "app.rsrc").c_str(), B_READ_ONLY);
	BResources resources(&file);
	EXPECT_EQ(resources.AddResource(kTextType, 2, "x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(resources.Sync(), B_NOT_ALLOWED);
	EXPECT_EQ(BResources(&file, true).InitCheck(), B_NOT_ALLOWED);
	EXPECT_EQ(dir.Read("app.rsrc"), before);
}

TEST_F(ResourcesTest, ClobberingReplacesALongerArchiveCompletely)
{
	WriteSample("app.rsrc");
	BFile file((dir / "app.rsrc").c_str(), B_READ_WRITE);
	BResources resources(&file, true);
	ASSERT_EQ(resources.AddResource(kTextType, 1, "x", 1), B_OK);
	ASSERT_EQ(resources.Sync(), B_OK);
	EXPECT_EQ(Open(dir.Read("app.rsrc")), B_OK);
	EXPECT_EQ(dir.Read("app.rsrc").size(), 16u + 16u + 1u);
}

TEST_F(ResourcesTest, EveryTruncationChangedByteOrTrailingByteIsRefused)
{
	std::string whole = WriteSample("app.rsrc");
	for (size_t length = 1; length < whole.size(); length++)
		EXPECT_EQ(Open(whole.substr(0, length)), B_BAD_DATA) << "cut at " << length;
	for (size_t at = 0; at < whole.size(); at++) {
		std::string damaged = whole;
		damaged[at] ^= 0x20;
		EXPECT_EQ(Open(damaged), B_BAD_DATA) << "byte " << at;
	}
	EXPECT_EQ(Open(whole + "x"), B_BAD_DATA);
}

TEST_F(ResourcesTest, ArchivesWhoseStructureIsWrongAreRefusedWithoutReadingBeyondThem)
{
	const std::pair<const char*, std::string> rows[] = {
		{"count beyond the entries", Craft(2, {{1, 1, 0, 1, "x"}})},
		{"data length beyond the end", Craft(1, {{1, 1, 0, 0xFFFFFFF0, "x"}})},
		{"name length beyond the end", Craft(1, {{1, 1, 0xFFFFFFFF, 0, "x"}})},
		{"overlong name", Craft(1, {{1, 1, 300, 0, std::string(300, 'n')}})},
		{"name with NUL", Craft(1, {{1, 1, 3, 0, std::string("a\0b", 3)}})},
		{"same type and id twice", Craft(2, {{1, 1, 0, 1, "x"}, {1, 1, 0, 1, "y"}})},
		{"out of order", Craft(2, {{2, 1, 0, 1, "x"}, {1, 1, 0, 1, "y"}})}};
	for (const auto& [situation, bytes] : rows)
		EXPECT_EQ(Open(bytes), B_BAD_DATA) << situation;
	EXPECT_EQ(Open(Craft(0, {})), B_OK);
	EXPECT_EQ(Open(""), B_OK) << "an empty file is an empty archive";
}

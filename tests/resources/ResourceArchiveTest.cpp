#include <ResourceArchive.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Bitmap.h>
#include <File.h>
#include <Message.h>
#include <Resources.h>

#include "BitmapPixels.h"
#include "TempDirectory.h"
#include "TestFonts.h"

using Testing::ColourAt;
using Testing::HeightOf;
using Testing::WidthOf;

namespace {

struct Expected {
	const char* name;
	int width;
	int height;
};

// Every picture the editor's windows look up, with the size they lay out for.
const Expected kExpected[] = {
	{"butNew", 24, 24}, {"butOpen", 24, 24}, {"butSave", 24, 24}, {"butHTMLEditor", 24, 24},
	{"butPreview", 24, 24}, {"butPageProperties", 24, 24}, {"butNormal", 24, 24},
	{"butBold", 24, 24}, {"butItalics", 24, 24}, {"butFixed", 24, 24}, {"butLink", 24, 24},
	{"butEmailLink", 24, 24}, {"butTarget", 24, 24}, {"butImage", 24, 24}, {"butFind", 24, 24},
	{"butCut", 24, 24}, {"butCopy", 24, 24}, {"butPaste", 24, 24}, {"StartUpLogo", 400, 160},
	{"VudavErrorIcon", 16, 16}, {"VudavWarningIcon", 16, 16}, {"VudavNoteIcon", 16, 16},
};

// The archive as the editor reads it: the resource out of the file,
// unflattened, and each picture instantiated from its sub-message.
class ArchiveAsTheEditorReadsIt : public testing::Test {
protected:
	static void SetUpTestSuite()
	{
		sFolder = new TempDirectory;
		std::string path = *sFolder / "velmora.rsrc";
		ASSERT_EQ(ResourceArchive::Write(path), B_OK);
		BFile file(path.c_str(), B_READ_ONLY);
		BResources resources(&file);
		ASSERT_EQ(resources.InitCheck(), B_OK);
		size_t size = 0;
		const void* data = resources.LoadResource('ARCV', "ButtonBarButtons", &size);
		ASSERT_NE(data, nullptr);
		sArchive = new BMessage;
		ASSERT_EQ(sArchive->Unflatten(static_cast<const char*>(data), size), B_OK);
	}

	static void TearDownTestSuite()
	{
		delete sArchive;
		sArchive = nullptr;
		delete sFolder;
		sFolder = nullptr;
	}

	static std::unique_ptr<BBitmap> Picture(const char* name)
	{
		BMessage entry;
		BMessage bitmapArchive;
		if (sArchive->FindMessage(name, &entry) != B_OK
			|| entry.FindMessage("bitmap", &bitmapArchive) != B_OK)
			return nullptr;
		return std::unique_ptr<BBitmap>(BBitmap::Instantiate(&bitmapArchive));
	}

	static TempDirectory* sFolder;
	static BMessage* sArchive;
};

TempDirectory* ArchiveAsTheEditorReadsIt::sFolder = nullptr;
BMessage* ArchiveAsTheEditorReadsIt::sArchive = nullptr;

struct PixelCounts {
	int opaque = 0;
	int clear = 0;
};

PixelCounts CountPixels(const BBitmap& bitmap)
{
	PixelCounts counts;
	for (int y = 0; y < HeightOf(bitmap); y++) {
		for (int x = 0; x < WidthOf(bitmap); x++) {
			uint8 alpha = ColourAt(bitmap, x, y).alpha;
			counts.opaque += alpha == 255;
			counts.clear += alpha == 0;
		}
	}
	return counts;
}

std::string Bytes(const BBitmap& bitmap)
{
	return std::string(static_cast<const char*>(bitmap.Bits()), bitmap.BitsLength());
}

} // namespace

TEST_F(ArchiveAsTheEditorReadsIt, HoldsEveryNamedPictureAsABitmapOfItsSizeAndNothingElse)
{
	std::set<std::string> expected;
	for (const Expected& picture : kExpected) {
		SCOPED_TRACE(picture.name);
		expected.insert(picture.name);
		std::unique_ptr<BBitmap> bitmap = Picture(picture.name);
		ASSERT_NE(bitmap, nullptr);
		ASSERT_TRUE(bitmap->IsValid());
		EXPECT_EQ(bitmap->ColorSpace(), B_RGBA32);
		EXPECT_EQ(WidthOf(*bitmap), picture.width);
		EXPECT_EQ(HeightOf(*bitmap), picture.height);
	}
	std::set<std::string> names;
	const char* name = nullptr;
	type_code type = 0;
	for (int32 i = 0; sArchive->GetInfo(B_ANY_TYPE, i, &name, &type) == B_OK; i++)
		names.insert(name);
	EXPECT_EQ(names, expected);
}

TEST_F(ArchiveAsTheEditorReadsIt, IconsStandOnATransparentGroundAndNoTwoPicturesAreAlike)
{
	std::map<std::string, std::string> seen;
	for (const Expected& expected : kExpected) {
		SCOPED_TRACE(expected.name);
		std::unique_ptr<BBitmap> bitmap = Picture(expected.name);
		ASSERT_NE(bitmap, nullptr);
		auto [where, added] = seen.emplace(Bytes(*bitmap), expected.name);
		EXPECT_TRUE(added) << "looks like " << where->second;
		if (std::string(expected.name) == "StartUpLogo")
			continue;
		PixelCounts counts = CountPixels(*bitmap);
		int area = expected.width * expected.height;
		EXPECT_GE(counts.opaque, area / 20) << "too little is drawn";
		EXPECT_GE(counts.clear, area / 12) << "the ground is not transparent";
	}
}

// The build's archive is made by the tool in another process with the
// desktop's font settings; it must still be exactly what the sources make.
TEST(ArchiveBuilding, TheBuiltArchiveIsWhatTheSourcesMake)
{
	std::string built = Testing::ReadFile(VELMORA_BINARY_DIR "/velmora.rsrc");
	ASSERT_FALSE(built.empty()) << "the velmora_resources target was not built";
	TempDirectory folder;
	ASSERT_EQ(ResourceArchive::Write(folder / "velmora.rsrc"), B_OK);
	EXPECT_TRUE(built == folder.Read("velmora.rsrc"));
}

TEST(ArchiveBuilding, ANewArchiveReplacesTheOldFileWhole)
{
	TempDirectory folder;
	folder.Write("velmora.rsrc", std::string(2 * 1024 * 1024, 'x'));
	ASSERT_EQ(ResourceArchive::Write(folder / "velmora.rsrc"), B_OK);
	BFile file((folder / "velmora.rsrc").c_str(), B_READ_ONLY);
	BResources resources(&file);
	EXPECT_EQ(resources.InitCheck(), B_OK);
	EXPECT_TRUE(resources.HasResource('ARCV', "ButtonBarButtons"));
	EXPECT_FALSE(folder.Exists("velmora.rsrc.part"));
}

TEST(ArchiveBuilding, AMissingFolderIsReportedAndNothingIsLeft)
{
	TempDirectory folder;
	EXPECT_NE(ResourceArchive::Write(folder / "missing/velmora.rsrc"), B_OK);
	EXPECT_FALSE(folder.Exists("missing"));
}

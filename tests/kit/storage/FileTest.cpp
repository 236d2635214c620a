#include <Directory.h>
#include <Entry.h>
#include <File.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include "FewDescriptors.h"
#include "TempDirectory.h"

class FileTest : public testing::Test {
protected:
	std::string ReadAll(BFile& file)
	{
		off_t size = 0;
		file.GetSize(&size);
		std::string content(size, '\0');
		file.ReadAt(0, content.data(), content.size());
		return content;
	}

	TempDirectory dir;
};

TEST_F(FileTest, EachOpenModeLeavesTheFileAsItSays)
{
	// "<none>" for no file before or after; "after" once "new" is written.
	struct {
		const char* before;
		uint32 mode;
		status_t status;
		const char* after;
	} const rows[] = {
		{"old content", B_READ_WRITE | B_ERASE_FILE, B_OK, "new"},
		{"old content", B_WRITE_ONLY, B_OK, "new content"},
		{"keep me", B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS | B_ERASE_FILE, B_FILE_EXISTS,
			"keep me"},
		{"<none>", B_WRITE_ONLY | B_FAIL_IF_EXISTS, B_OK, "new"},
		{"<none>", B_READ_WRITE, B_ENTRY_NOT_FOUND, "<none>"},
		{"<none>", B_READ_WRITE | B_CREATE_FILE, B_OK, "new"}};
	for (const auto& row : rows) {
		SCOPED_TRACE(row.mode);
		unlink((dir / "page.html").c_str());
		if (std::string(row.before) != "<none>")
			dir.Write("page.html", row.before);
		BFile file((dir / "page.html").c_str(), row.mode);
		EXPECT_EQ(file.InitCheck(), row.status);
		if (file.InitCheck() == B_OK) {
			EXPECT_EQ(file.Write("new", 3), 3);
		}
		EXPECT_EQ(dir.Exists("page.html") ? dir.Read("page.html") : "<none>", row.after);
	}
}

TEST_F(FileTest, AccessModesRefuseWhatTheyDoNotAllow)
{
	dir.Write("page.html", "content");
	BFile readOnly((dir / "page.html").c_str(), B_READ_ONLY);
	ASSERT_EQ(readOnly.InitCheck(), B_OK);
	EXPECT_EQ(readOnly.Write("x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(readOnly.WriteAt(0, "x", 1), B_NOT_ALLOWED);
	EXPECT_EQ(readOnly.SetSize(0), B_NOT_ALLOWED);
	EXPECT_EQ(dir.Read("page.html"), "content");

	BFile writeOnly((dir / "page.html").c_str(), B_WRITE_ONLY);
	char buffer[4];
	EXPECT_EQ(writeOnly.ReadAt(0, buffer, sizeof(buffer)), B_NOT_ALLOWED);
}

TEST_F(FileTest, SetSizeCutsAndExtendsWithoutMovingThePosition)
{
	BFile file((dir / "data").c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(file.Write("0123456789", 10), 10);
	ASSERT_EQ(file.SetSize(4), B_OK);
	EXPECT_EQ(file.Position(), 10);
	EXPECT_EQ(ReadAll(file), "0123");

	ASSERT_EQ(file.SetSize(6), B_OK);
	EXPECT_EQ(ReadAll(file), std::string("0123\0\0", 6));
	EXPECT_EQ(file.SetSize(-1), B_BAD_VALUE);
}

TEST_F(FileTest, ReadsAndSeeksFollowOnePosition)
{
	dir.Write("data", "0123456789");
	BFile file((dir / "data").c_str(), B_READ_ONLY);
	char buffer[4] = {};
	EXPECT_EQ(file.Seek(-3, SEEK_END), 7);
	EXPECT_EQ(file.Read(buffer, 3), 3);
	EXPECT_STREQ(buffer, "789");
	EXPECT_EQ(file.ReadAt(2, buffer, 2), 2);
	EXPECT_EQ(file.Position(), 10);
	EXPECT_EQ(file.Seek(-1, SEEK_SET), B_BAD_VALUE);
	EXPECT_EQ(file.ReadAt(-1, buffer, 1), B_BAD_VALUE);
}

TEST_F(FileTest, OpeningThroughALinkWritesTheTarget)
{
	dir.Write("real.html", "");
	ASSERT_EQ(symlink("real.html", (dir / "link.html").c_str()), 0);
	BEntry link((dir / "link.html").c_str());
	BFile file(&link, B_WRITE_ONLY);
	ASSERT_EQ(file.Write("through", 7), 7);
	EXPECT_EQ(dir.Read("real.html"), "through");
	EXPECT_TRUE(BEntry((dir / "link.html").c_str()).IsSymLink());
}

TEST_F(FileTest, CopyOfAFileWritesTheSameNode)
{
	BFile file((dir / "page.html").c_str(), B_READ_WRITE | B_CREATE_FILE);
	BFile copy(file);
	file.Unset();
	EXPECT_EQ(copy.Write("still open", 10), 10);
	EXPECT_EQ(dir.Read("page.html"), "still open");
}

TEST_F(FileTest, RunningOutOfDescriptorsIsReportedAsNoMoreFiles)
{
	dir.Write("page.html", "x");
	std::string path = dir / "page.html";
	int result = RunInChild([&path]() {
		BFile(path.c_str(), B_READ_ONLY);
		UseUpDescriptors();
		BFile file(path.c_str(), B_READ_ONLY);
		return file.InitCheck() == B_NO_MORE_FDS ? 0 : 1;
	});
	EXPECT_EQ(result, 0);
}

TEST_F(FileTest, FailedOpensKeepTheirReason)
{
	ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
	EXPECT_EQ(BFile((dir / "sub").c_str(), B_READ_ONLY).InitCheck(), B_IS_A_DIRECTORY);
	entry_ref empty;
	EXPECT_EQ(BFile(&empty, B_READ_ONLY).InitCheck(), B_BAD_VALUE);
	BDirectory parent(dir.Path().c_str());
	EXPECT_EQ(BFile(&parent, "none/page.html", B_READ_ONLY).InitCheck(), B_ENTRY_NOT_FOUND);
	BEntry unset;
	EXPECT_EQ(BFile(&unset, B_READ_ONLY).InitCheck(), B_NO_INIT);
}

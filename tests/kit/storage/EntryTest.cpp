#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include "TempDirectory.h"

class EntryTest : public testing::Test {
protected:
	std::string PathOf(const BEntry& entry)
	{
		BPath path;
		return entry.GetPath(&path) == B_OK ? path.Path() : "";
	}

	TempDirectory dir;
};

TEST_F(EntryTest, LinksAreFollowedOnlyWhenAskedAndThenToTheirEnd)
{
	ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
	dir.Write("sub/real.html", "x");
	ASSERT_EQ(symlink("sub/real.html", (dir / "first").c_str()), 0);
	ASSERT_EQ(symlink((dir / "first").c_str(), (dir / "sub/second").c_str()), 0);
	EXPECT_EQ(PathOf(BEntry((dir / "sub/second").c_str())), dir / "sub/second");
	BEntry target((dir / "sub/second").c_str(), true);
	EXPECT_TRUE(target.IsFile());
	EXPECT_EQ(PathOf(target), dir / "sub/real.html");

	// A link in the directory part is resolved whether asked or not.
	ASSERT_EQ(symlink("sub", (dir / "alias").c_str()), 0);
	EXPECT_EQ(PathOf(BEntry((dir / "alias/../alias/page.html").c_str())), dir / "sub/page.html");

	// A dangling link leads to its missing target; a loop is refused.
	ASSERT_EQ(symlink("later.html", (dir / "dangling").c_str()), 0);
	BEntry dangling((dir / "dangling").c_str(), true);
	ASSERT_EQ(dangling.InitCheck(), B_OK);
	EXPECT_FALSE(dangling.Exists());
	EXPECT_EQ(PathOf(dangling), dir / "later.html");
	ASSERT_EQ(symlink("b", (dir / "a").c_str()), 0);
	ASSERT_EQ(symlink("a", (dir / "b").c_str()), 0);
	EXPECT_EQ(BEntry((dir / "a").c_str(), true).InitCheck(), B_LINK_LIMIT);
	EXPECT_EQ(BEntry((dir / "a").c_str(), false).InitCheck(), B_OK);
}

TEST_F(EntryTest, RefOfMissingEntryKeepsItsPath)
{
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path((dir / "new.html").c_str(), &ref), B_OK);
	EXPECT_EQ(ref.path, dir / "new.html");
	EXPECT_STREQ(ref.name, "new.html");
	struct stat st;
	ASSERT_EQ(stat(dir.Path().c_str(), &st), 0);
	EXPECT_EQ(ref.directory, st.st_ino);

	BEntry entry(&ref);
	EXPECT_EQ(entry.InitCheck(), B_OK);
	EXPECT_FALSE(entry.Exists());
	EXPECT_EQ(BPath(&ref), (dir / "new.html").c_str());

	BFile file(&ref, B_WRITE_ONLY | B_CREATE_FILE);
	EXPECT_EQ(file.InitCheck(), B_OK);
	EXPECT_TRUE(entry.Exists());
}

TEST_F(EntryTest, EntryInMissingDirectoryIsNotFound)
{
	EXPECT_EQ(BEntry((dir / "none/page.html").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	entry_ref ref;
	EXPECT_EQ(get_ref_for_path((dir / "none/page.html").c_str(), &ref), B_ENTRY_NOT_FOUND);
	dir.Write("file", "");
	EXPECT_EQ(BEntry((dir / "file/page.html").c_str()).InitCheck(), B_NOT_A_DIRECTORY);
	EXPECT_EQ(BEntry(static_cast<const char*>(nullptr)).InitCheck(), B_BAD_VALUE);
	BEntry unset;
	BPath path;
	EXPECT_EQ(unset.GetPath(&path), B_NO_INIT);
}

TEST_F(EntryTest, RemovedEntryStaysSetButNoLongerExists)
{
	dir.Write("page.html", "x");
	BEntry entry((dir / "page.html").c_str());
	ASSERT_EQ(entry.Remove(), B_OK);
	EXPECT_EQ(entry.InitCheck(), B_OK);
	EXPECT_FALSE(entry.Exists());
	EXPECT_EQ(entry.Remove(), B_ENTRY_NOT_FOUND);

	ASSERT_EQ(mkdir((dir / "full").c_str(), 0755), 0);
	dir.Write("full/x", "");
	EXPECT_EQ(BEntry((dir / "full").c_str()).Remove(), B_DIRECTORY_NOT_EMPTY);
}

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <set>

#include "TempDirectory.h"

class DirectoryTest : public testing::Test {
protected:
	// Every name the listing gives until it ends.
	std::multiset<std::string> ListRest(BDirectory& directory)
	{
		std::multiset<std::string> names;
		BEntry entry;
		while (directory.GetNextEntry(&entry) == B_OK)
			names.insert(entry.Name());
		return names;
	}

	TempDirectory dir;
};

TEST_F(DirectoryTest, ListingGivesEveryEntryOnceWithoutDots)
{
	dir.Write("a.html", "");
	dir.Write("b.html", "");
	ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
	BDirectory directory(dir.Path().c_str());

	EXPECT_EQ(ListRest(directory), (std::multiset<std::string>{"a.html", "b.html", "sub"}));
	BEntry entry;
	EXPECT_EQ(directory.GetNextEntry(&entry), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(entry.InitCheck(), B_NO_INIT);

	ASSERT_EQ(directory.Rewind(), B_OK);
	EXPECT_EQ(ListRest(directory).size(), 3u);
}

TEST_F(DirectoryTest, CountingDoesNotDisturbTheListingAndRefsCarryThePath)
{
	for (const char* name : {"1", "2", "3", "4"})
		dir.Write(name, "");
	BDirectory directory(dir.Path().c_str());
	entry_ref first;
	ASSERT_EQ(directory.GetNextRef(&first), B_OK);
	EXPECT_EQ(first.path, dir / first.name);
	EXPECT_EQ(directory.CountEntries(), 4);
	BDirectory copy(directory);
	EXPECT_EQ(copy.CountEntries(), 4);
	EXPECT_EQ(ListRest(directory).size(), 3u);
}

TEST_F(DirectoryTest, ContainsLooksBelowButNotBesideTheDirectory)
{
	ASSERT_EQ(mkdir((dir / "site").c_str(), 0755), 0);
	ASSERT_EQ(mkdir((dir / "site/img").c_str(), 0755), 0);
	ASSERT_EQ(mkdir((dir / "site2").c_str(), 0755), 0);
	dir.Write("site/img/logo.gif", "");
	dir.Write("site2/other.html", "");
	BDirectory site((dir / "site").c_str());

	EXPECT_TRUE(site.Contains("img"));
	EXPECT_TRUE(site.Contains("img/logo.gif"));
	EXPECT_TRUE(site.Contains((dir / "site/img/logo.gif").c_str()));
	EXPECT_FALSE(site.Contains((dir / "site2/other.html").c_str()));
	EXPECT_FALSE(site.Contains((dir / "site").c_str()));
	EXPECT_FALSE(site.Contains("missing.html"));

	EXPECT_TRUE(site.Contains("img", B_DIRECTORY_NODE));
	EXPECT_FALSE(site.Contains("img", B_FILE_NODE));
	EXPECT_TRUE(site.Contains("img/logo.gif", B_FILE_NODE));
}

TEST_F(DirectoryTest, CreateFileErasesUnlessAskedToFail)
{
	dir.Write("page.html", "old");
	BDirectory directory(dir.Path().c_str());
	BFile file;
	EXPECT_EQ(directory.CreateFile("page.html", &file, true), B_FILE_EXISTS);
	EXPECT_EQ(dir.Read("page.html"), "old");
	ASSERT_EQ(directory.CreateFile("page.html", &file), B_OK);
	EXPECT_TRUE(file.IsWritable());
	EXPECT_EQ(dir.Read("page.html"), "");
	EXPECT_EQ(directory.CreateFile("made.html", nullptr), B_OK);
	EXPECT_TRUE(dir.Exists("made.html"));
}

TEST_F(DirectoryTest, CreateDirectoryMakesEveryMissingParent)
{
	std::string deep = dir / "a/b/c";
	ASSERT_EQ(create_directory(deep.c_str(), 0755), B_OK);
	EXPECT_TRUE(BEntry(deep.c_str()).IsDirectory());
	EXPECT_EQ(create_directory((deep + "/").c_str(), 0755), B_OK);
	EXPECT_EQ(create_directory((dir / "a/../d/e").c_str(), 0755), B_OK);
	EXPECT_TRUE(dir.Exists("d/e"));
}

TEST_F(DirectoryTest, AFileIsNoDirectoryAndStopsCreateDirectory)
{
	dir.Write("file", "data");
	EXPECT_EQ(BDirectory((dir / "file").c_str()).InitCheck(), B_NOT_A_DIRECTORY);
	EXPECT_EQ(BDirectory((dir / "none").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(create_directory((dir / "file").c_str(), 0755), B_NOT_A_DIRECTORY);
	EXPECT_EQ(create_directory((dir / "file/sub").c_str(), 0755), B_NOT_A_DIRECTORY);
	EXPECT_EQ(dir.Read("file"), "data");
}

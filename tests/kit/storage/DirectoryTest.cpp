#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include <gtest/gtest.h>

#include "TempDirectory.h"

class DirectoryTest : public testing::Test {
protected:
	TempDirectory dir;
};

TEST_F(DirectoryTest, CreateDirectoryMakesEveryMissingParent)
{
	std::string deep = dir / "a/b/c";
	ASSERT_EQ(create_directory(deep.c_str(), 0755), B_OK);
	EXPECT_TRUE(BEntry(deep.c_str()).IsDirectory());
	EXPECT_EQ(create_directory((deep + "/").c_str(), 0755), B_OK);
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

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include <RefFilter.h>

#include "TempDirectory.h"
#include "filepanel_support/DirectoryListing.h"

using BPrivate::DirectoryListing;
using BPrivate::ListedEntry;

namespace {

// A folder with files and folders in mixed case, hidden ones, and links.
class DirectoryListingTest : public testing::Test {
protected:
	void SetUp() override
	{
		fFolder.Write("beta.html", "<p>b</p>");
		fFolder.Write("Alpha.HTML", "<p>a</p>");
		fFolder.Write("notes.txt", std::string(2048, 'n'));
		fFolder.Write("page10.html", "");
		fFolder.Write("page9.html", "");
		fFolder.Write("page09.html", "");
		fFolder.Write(".hidden.html", "");
		mkdir((fFolder / "Zeta").c_str(), 0755);
		mkdir((fFolder / "images").c_str(), 0755);
		mkdir((fFolder / ".config").c_str(), 0755);
		symlink((fFolder / "images").c_str(), (fFolder / "pictures").c_str());
		symlink((fFolder / "gone").c_str(), (fFolder / "broken.html").c_str());
	}

	std::string Names(BRefFilter* filter = nullptr)
	{
		std::vector<ListedEntry> entries;
		EXPECT_EQ(DirectoryListing::Read(fFolder.Path(), filter, &entries), B_OK);
		std::string names;
		for (const ListedEntry& entry : entries)
			names += (names.empty() ? "" : " ") + entry.name + (entry.isDirectory ? "/" : "");
		return names;
	}

	TempDirectory fFolder;
};

TEST_F(DirectoryListingTest, FoldersComeFirstEachSortedWithoutRegardToCase)
{
	EXPECT_EQ(Names(), "images/ pictures/ Zeta/ Alpha.HTML beta.html broken.html notes.txt "
		"page09.html page9.html page10.html");
}

// Takes folders and HTML files, as the open panel of the editor does.
class HtmlOnly : public BRefFilter {
public:
	bool Filter(const entry_ref* ref, BNode*, struct stat* st, const char*) override
	{
		seen++;
		if (S_ISDIR(st->st_mode))
			return true;
		const char* dot = strrchr(ref->name, '.');
		return dot != nullptr && strcasecmp(dot, ".html") == 0;
	}
	int seen = 0;
};

TEST_F(DirectoryListingTest, TheFilterDecidesOnFilesAndFoldersButNeverSeesHiddenOnes)
{
	HtmlOnly filter;
	EXPECT_EQ(Names(&filter), "images/ pictures/ Zeta/ Alpha.HTML beta.html broken.html "
		"page09.html page9.html page10.html");
	EXPECT_EQ(filter.seen, 10);
}

TEST_F(DirectoryListingTest, AFolderThatCannotBeReadGivesAnErrorAndNoEntries)
{
	std::vector<ListedEntry> entries = {ListedEntry()};
	EXPECT_EQ(DirectoryListing::Read(fFolder / "missing", nullptr, &entries), B_ENTRY_NOT_FOUND);
	EXPECT_TRUE(entries.empty());
}

TEST(DirectoryPaths, ParentsAndJoins)
{
	EXPECT_EQ(DirectoryListing::ParentOf("/home/user/site"), "/home/user");
	EXPECT_EQ(DirectoryListing::ParentOf("/home"), "/");
	EXPECT_EQ(DirectoryListing::Join("/home/user", "index.html"), "/home/user/index.html");
	EXPECT_EQ(DirectoryListing::Join("/home/user", "/tmp/x"), "/tmp/x");
	EXPECT_EQ(DirectoryListing::Join("/home/user", "../other//./a.html"), "/home/other/a.html");
	EXPECT_EQ(DirectoryListing::Join("/home", "../../.."), "/");
}

} // namespace

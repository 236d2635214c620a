#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <utility>

#include "TempDirectory.h"

// Paths below a temporary directory with an existing folder "real", a link
// "alias" to it, and nothing named "missing".
class PathTest : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
		ASSERT_EQ(symlink("real", (dir / "alias").c_str()), 0);
	}

	TempDirectory dir;
};

TEST_F(PathTest, GivesTheCleanAbsolutePath)
{
	// Below the temporary directory: given and expected.
	const std::pair<const char*, const char*> rows[] = {
		{"/real/page.html", "/real/page.html"}, {"/real/./page.html", "/real/page.html"},
		{"//real///page.html", "/real/page.html"}, {"/real/", "/real"},
		{"/real/../page.html", "/page.html"},
		// A clean path is taken as it stands, even through a link...
		{"/alias/page.html", "/alias/page.html"},
		// ...but one that needs cleaning is resolved as the kernel sees it.
		{"/alias/./page.html", "/real/page.html"}, {"/alias/../page.html", "/page.html"},
		// Where the directory is missing the cleaning is done on the text.
		{"/missing/deeper/../page.html", "/missing/page.html"},
		{"/missing/./page.html", "/missing/page.html"}};
	for (const auto& [given, expected] : rows) {
		BPath path((dir.Path() + given).c_str());
		ASSERT_EQ(path.InitCheck(), B_OK) << given;
		EXPECT_STREQ(path.Path(), (dir.Path() + expected).c_str()) << given;
	}
}

TEST_F(PathTest, AskedNormalisationResolvesTheDirectoryButNotTheLeaf)
{
	ASSERT_EQ(symlink("real", (dir / "real/leaflink").c_str()), 0);
	BPath path((dir / "alias/leaflink").c_str(), nullptr, true);
	EXPECT_STREQ(path.Path(), (dir / "real/leaflink").c_str());
	EXPECT_EQ(BPath((dir / "missing/page.html").c_str(), nullptr, true).InitCheck(),
		B_ENTRY_NOT_FOUND);
}

TEST_F(PathTest, RelativePathIsTakenFromTheWorkingDirectory)
{
	char previous[PATH_MAX];
	ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
	ASSERT_EQ(chdir((dir / "real").c_str()), 0);
	BPath existing("page.html");
	BPath missing("none/page.html");
	EXPECT_EQ(chdir(previous), 0);
	EXPECT_STREQ(existing.Path(), (dir / "real/page.html").c_str());
	EXPECT_STREQ(missing.Path(), (dir / "real/none/page.html").c_str());
}

TEST_F(PathTest, LeafIsAppendedAndMustBeRelative)
{
	BPath path(dir.Path().c_str(), "real/page.html");
	EXPECT_STREQ(path.Path(), (dir / "real/page.html").c_str());
	EXPECT_STREQ(path.Leaf(), "page.html");
	EXPECT_EQ(path.SetTo(dir.Path().c_str(), "/etc"), B_BAD_VALUE);
	EXPECT_EQ(path.Path(), nullptr);
	EXPECT_EQ(path.SetTo(""), B_BAD_VALUE);

	ASSERT_EQ(path.SetTo(dir.Path().c_str()), B_OK);
	ASSERT_EQ(path.Append("real"), B_OK);
	ASSERT_EQ(path.Append("x.html"), B_OK);
	EXPECT_STREQ(path.Path(), (dir / "real/x.html").c_str());
}

TEST_F(PathTest, ParentOfEveryPathUpToTheRoot)
{
	BPath path((dir / "real/page.html").c_str());
	BPath parent;
	ASSERT_EQ(path.GetParent(&parent), B_OK);
	EXPECT_STREQ(parent.Path(), (dir / "real").c_str());

	BPath root("/");
	EXPECT_STREQ(root.Path(), "/");
	EXPECT_STREQ(root.Leaf(), "");
	EXPECT_EQ(root.GetParent(&parent), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(BPath("/top").GetParent(&parent), B_OK);
	EXPECT_STREQ(parent.Path(), "/");
}

TEST_F(PathTest, MadeFromEntriesAndDirectories)
{
	BEntry entry((dir / "alias/page.html").c_str());
	EXPECT_STREQ(BPath(&entry).Path(), (dir / "real/page.html").c_str());
	BDirectory real((dir / "real").c_str());
	EXPECT_STREQ(BPath(&real, "sub/x").Path(), (dir / "real/sub/x").c_str());
}


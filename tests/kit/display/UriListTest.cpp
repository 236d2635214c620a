// Files dragged out of a desktop's file manager arrive as a URI list.

#include <sdl_support/UriList.h>

#include <gtest/gtest.h>

using BPrivate::LocalPathOfDrop;
using BPrivate::LocalPathsOfUriList;

TEST(UriList, TheLocalFilesOfAListAreItsPathsWithEscapesDecoded)
{
	std::vector<std::string> paths = LocalPathsOfUriList(
		"# dragged from the file manager\r\n"
		"file:///home/ann/My%20Photo.JPEG\r\n"
		"file://localhost/tmp/a%25b.png\r\n"
		"file://elsewhere/tmp/remote.png\r\n"
		"https://example.org/picture.gif\r\n"
		"file:///tmp/last%2.gif");
	EXPECT_EQ(paths, (std::vector<std::string>{"/home/ann/My Photo.JPEG", "/tmp/a%b.png",
		"/tmp/last%2.gif"}));
}

TEST(UriList, ADroppedFileIsAPathWhetherSdlGivesAPathOrAUri)
{
	EXPECT_EQ(LocalPathOfDrop("/tmp/x y.png"), "/tmp/x y.png");
	EXPECT_EQ(LocalPathOfDrop("file:///tmp/x%20y.png"), "/tmp/x y.png");
	EXPECT_EQ(LocalPathOfDrop("file://otherhost/x.png"), "");
}

#include <AppFileInfo.h>
#include <File.h>
#include <Message.h>
#include <Node.h>
#include <NodeInfo.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <sys/xattr.h>

#include "TempDirectory.h"

// A file in a fresh directory; the tests skip where the file system keeps
// no extended attributes.
class AttributeTest : public testing::Test {
protected:
	void SetUp() override
	{
		path = dir / "page.html";
		dir.Write("page.html", "<html>");
		if (setxattr(path.c_str(), "user.probe", "1", 1, 0) != 0)
			GTEST_SKIP() << "no extended attributes on " << dir.Path();
		removexattr(path.c_str(), "user.probe");
	}

	std::string RawAttribute(const char* key)
	{
		char buffer[512];
		ssize_t length = getxattr(path.c_str(), key, buffer, sizeof(buffer));
		return length < 0 ? "<none>" : std::string(buffer, length);
	}

	TempDirectory dir;
	std::string path;
};

TEST_F(AttributeTest, FileTypeIsTheDesktopsMimeTypeAttributeUntilRemoved)
{
	BFile file(path.c_str(), B_READ_WRITE);
	BNodeInfo info(&file);
	char type[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(info.GetType(type), B_ENTRY_NOT_FOUND);
	ASSERT_EQ(info.SetType("text/html"), B_OK);
	EXPECT_EQ(RawAttribute("user.mime_type"), "text/html");
	ASSERT_EQ(BNodeInfo(&file).GetType(type), B_OK);
	EXPECT_STREQ(type, "text/html");

	ASSERT_EQ(info.SetType(nullptr), B_OK);
	EXPECT_EQ(info.GetType(type), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(info.SetType(std::string(B_MIME_TYPE_LENGTH, 'x').c_str()), B_BAD_VALUE);
}

TEST_F(AttributeTest, TypesOtherProgramsWroteAreReadWithATerminatorButNeverCut)
{
	ASSERT_EQ(setxattr(path.c_str(), "user.mime_type", "text/plain", 11, 0), 0);
	BNode node(path.c_str());
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(BNodeInfo(&node).GetType(type), B_OK);
	EXPECT_STREQ(type, "text/plain");

	std::string overlong = "text/" + std::string(B_MIME_TYPE_LENGTH, 'x');
	ASSERT_EQ(setxattr(path.c_str(), "user.mime_type", overlong.data(), overlong.size(), 0), 0);
	EXPECT_EQ(BNodeInfo(&node).GetType(type), B_BAD_DATA);
}

// No window of the editor reads a program's supported types; what is kept
// is that a damaged list is not believed.
TEST_F(AttributeTest, DamagedSupportedTypesAreNotBelieved)
{
	ASSERT_EQ(setxattr(path.c_str(), "user.app_supported_types", "text/html\nnot a type", 20, 0), 0);
	BFile program(path.c_str(), B_READ_ONLY);
	BMessage found;
	EXPECT_EQ(BAppFileInfo(&program).GetSupportedTypes(&found), B_BAD_DATA);
}

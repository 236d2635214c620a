#include <AppFileInfo.h>
#include <File.h>
#include <Message.h>
#include <MimeType.h>
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
	EXPECT_EQ(info.SetType(nullptr), B_OK);
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

TEST_F(AttributeTest, AttributesAreWrittenAtOffsetsAndRemoved)
{
	BNode node(path.c_str());
	ASSERT_EQ(node.WriteAttr("note", B_STRING_TYPE, 0, "hello world", 11), 11);
	ASSERT_EQ(node.WriteAttr("note", B_STRING_TYPE, 6, "there", 5), 5);
	EXPECT_EQ(RawAttribute("user.note"), "hello there");

	char buffer[8] = {};
	EXPECT_EQ(node.ReadAttr("note", B_STRING_TYPE, 6, buffer, 7), 5);
	EXPECT_STREQ(buffer, "there");
	EXPECT_EQ(node.ReadAttr("note", B_STRING_TYPE, 40, buffer, 7), 0);
	attr_info info;
	ASSERT_EQ(node.GetAttrInfo("note", &info), B_OK);
	EXPECT_EQ(info.size, 11);

	ASSERT_EQ(node.WriteAttr("note", B_STRING_TYPE, 0, "short", 5), 5);
	EXPECT_EQ(RawAttribute("user.note"), "short");
	ASSERT_EQ(node.RemoveAttr("note"), B_OK);
	EXPECT_EQ(node.ReadAttr("note", B_STRING_TYPE, 0, buffer, 7), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(node.RemoveAttr("note"), B_ENTRY_NOT_FOUND);
}

TEST_F(AttributeTest, ProgramFileKeepsItsSignatureAndSupportedTypes)
{
	BFile program(path.c_str(), B_READ_WRITE);
	BAppFileInfo info(&program);
	ASSERT_EQ(info.SetSignature("application/x-vnd.Velmora"), B_OK);
	BMessage types;
	types.AddString("types", "text/html");
	types.AddString("types", "image");
	ASSERT_EQ(info.SetSupportedTypes(&types), B_OK);

	BAppFileInfo reread(&program);
	char signature[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(reread.GetSignature(signature), B_OK);
	EXPECT_STREQ(signature, "application/x-vnd.Velmora");
	BMessage found;
	found.AddString("types", "stale/type");
	ASSERT_EQ(reread.GetSupportedTypes(&found), B_OK);
	const char* type = nullptr;
	ASSERT_EQ(found.FindString("types", 0, &type), B_OK);
	EXPECT_STREQ(type, "text/html");
	ASSERT_EQ(found.FindString("types", 1, &type), B_OK);
	EXPECT_STREQ(type, "image");
	EXPECT_NE(found.FindString("types", 2, &type), B_OK);
}

TEST_F(AttributeTest, DamagedSupportedTypesAreNotBelieved)
{
	ASSERT_EQ(setxattr(path.c_str(), "user.app_supported_types", "text/html\nnot a type", 20, 0), 0);
	BFile program(path.c_str(), B_READ_ONLY);
	BMessage found;
	EXPECT_EQ(BAppFileInfo(&program).GetSupportedTypes(&found), B_BAD_DATA);
}

struct MimeRow {
	const char* name;
	const char* type;
	bool valid;
};

void PrintTo(const MimeRow& row, std::ostream* out)
{
	*out << row.name;
}


class MimeValidityTest : public testing::TestWithParam<MimeRow> {
};

TEST_P(MimeValidityTest, FollowsTheTypeGrammar)
{
	EXPECT_EQ(BMimeType::IsValid(GetParam().type), GetParam().valid) << GetParam().type;
	EXPECT_EQ(BMimeType(GetParam().type).InitCheck(), GetParam().valid ? B_OK : B_BAD_VALUE);
}

INSTANTIATE_TEST_SUITE_P(Rows, MimeValidityTest, testing::Values(
	MimeRow{"Plain", "text/html", true},
	MimeRow{"VendorType", "application/x-vnd.Velmora", true},
	MimeRow{"SupertypeOnly", "text", true},
	MimeRow{"Empty", "", false},
	MimeRow{"NoSupertype", "/html", false},
	MimeRow{"NoSubtype", "text/", false},
	MimeRow{"TwoSlashes", "text/html/x", false},
	MimeRow{"Blank", "text/ht ml", false},
	MimeRow{"Parameter", "text/html;charset=utf-8", false},
	MimeRow{"ControlCharacter", "text/h\x01tml", false}),
	[](const testing::TestParamInfo<MimeRow>& info) { return info.param.name; });

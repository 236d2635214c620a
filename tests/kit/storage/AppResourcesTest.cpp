#include <Application.h>
#include <File.h>
#include <Resources.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <string>

#include "FewDescriptors.h"

namespace {

std::string ArchiveBesideThisProgram()
{
	char program[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
	return std::string(program, length > 0 ? length : 0) + ".rsrc";
}

} // namespace

// The archive is looked for once per process, so each case runs in a
// child of its own; they share the one file beside the program, so they
// run one after another in one test.
class AppResourcesTest : public testing::Test {
protected:
	void TearDown() override { unlink(archive.c_str()); }

	std::string archive = ArchiveBesideThisProgram();
};

TEST_F(AppResourcesTest, ArchiveBesideTheProgramIsOpenedOnceReadOnlyAndOnlyWhenSound)
{
	{
		BFile file(archive.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		BResources resources(&file, true);
		ASSERT_EQ(resources.AddResource('ARCV', 1, "bitmaps", 7, "ButtonBarButtons"), B_OK);
	}
	int result = RunInChild([]() {
		BResources* resources = BApplication::AppResources();
		if (resources == nullptr || resources != BApplication::AppResources())
			return 1;
		size_t size = 0;
		const void* data = resources->LoadResource('ARCV', "ButtonBarButtons", &size);
		if (data == nullptr || size != 7 || memcmp(data, "bitmaps", 7) != 0)
			return 2;
		return resources->AddResource('ARCV', 2, "x", 1) == B_NOT_ALLOWED ? 0 : 3;
	});
	EXPECT_EQ(result, 0);

	unlink(archive.c_str());
	EXPECT_EQ(RunInChild([]() { return BApplication::AppResources() == nullptr ? 0 : 1; }), 0);

	BFile file(archive.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
	file.Write("VRSC but not really an archive", 30);
	EXPECT_EQ(RunInChild([]() { return BApplication::AppResources() == nullptr ? 0 : 1; }), 0);
}

#include <FindDirectory.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "ScopedEnvironment.h"
#include "TempDirectory.h"

// Runs each test with HOME in a fresh directory and the desktop's
// variables cleared; the environment is restored afterwards.
class FindDirectoryTest : public testing::Test {
protected:
	void SetUp() override
	{
		for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "TMPDIR"})
			environment.Unset(name);
		environment.Set("HOME", home.Path());
	}

	std::string Find(directory_which which, bool create = false)
	{
		BPath path;
		return find_directory(which, &path, create) == B_OK ? path.Path() : "<error>";
	}

	TempDirectory home;
	ScopedEnvironment environment;
};

TEST_F(FindDirectoryTest, SettingsFollowAnAbsoluteXdgConfigHomeOrAreInDotConfig)
{
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), home / ".config");
	environment.Set("XDG_CONFIG_HOME", "relative/config");
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), home / ".config");
	std::string config = home / "elsewhere";
	environment.Set("XDG_CONFIG_HOME", config);
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), config);
}

TEST_F(FindDirectoryTest, StateAndTemporaryDirectoriesFollowTheirVariablesAndAnUnknownOneFails)
{
	EXPECT_EQ(Find(B_USER_STATE_DIRECTORY), home / ".local/state");
	environment.Set("XDG_STATE_HOME", home / "state");
	EXPECT_EQ(Find(B_USER_STATE_DIRECTORY), home / "state");
	environment.Set("TMPDIR", home / "tmp");
	EXPECT_EQ(Find(B_SYSTEM_TEMP_DIRECTORY), home / "tmp");
	BPath path("/somewhere");
	EXPECT_EQ(find_directory(static_cast<directory_which>(42), &path), B_BAD_VALUE);
	EXPECT_EQ(path.InitCheck(), B_NO_INIT);
}

TEST_F(FindDirectoryTest, CreateMakesAMissingDirectoryPrivate)
{
	EXPECT_FALSE(home.Exists(".local"));
	EXPECT_EQ(Find(B_USER_DATA_DIRECTORY, true), home / ".local/share");
	struct stat st;
	ASSERT_EQ(stat((home / ".local/share").c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0700u);
}


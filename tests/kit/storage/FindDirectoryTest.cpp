#include <FindDirectory.h>
#include <Path.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "TempDirectory.h"

const char* const kVariables[] = {
	"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "TMPDIR"};

// Runs each test with HOME in a fresh directory and the desktop's
// variables cleared; the environment is restored afterwards.
class FindDirectoryTest : public testing::Test {
protected:
	void SetUp() override
	{
		for (const char* name : kVariables) {
			const char* value = getenv(name);
			if (value != nullptr)
				saved[name] = value;
			unsetenv(name);
		}
		setenv("HOME", home.Path().c_str(), 1);
	}

	void TearDown() override
	{
		for (const char* name : kVariables) {
			auto found = saved.find(name);
			if (found != saved.end())
				setenv(name, found->second.c_str(), 1);
			else
				unsetenv(name);
		}
	}

	std::string Find(directory_which which, bool create = false)
	{
		BPath path;
		return find_directory(which, &path, create) == B_OK ? path.Path() : "<error>";
	}

	TempDirectory home;
	std::map<std::string, std::string> saved;
};

TEST_F(FindDirectoryTest, SettingsFollowXdgConfigHome)
{
	std::string config = home / "elsewhere";
	setenv("XDG_CONFIG_HOME", config.c_str(), 1);
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), config);
}

TEST_F(FindDirectoryTest, SettingsWithoutXdgConfigHomeAreInDotConfig)
{
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), home / ".config");
}

TEST_F(FindDirectoryTest, RelativeXdgConfigHomeIsIgnored)
{
	setenv("XDG_CONFIG_HOME", "relative/config", 1);
	EXPECT_EQ(Find(B_USER_SETTINGS_DIRECTORY), home / ".config");
}

TEST_F(FindDirectoryTest, HomeDataAndTemporaryDirectories)
{
	EXPECT_EQ(Find(B_USER_DIRECTORY), home.Path());
	EXPECT_EQ(Find(B_USER_DATA_DIRECTORY), home / ".local/share");
	EXPECT_EQ(Find(B_USER_STATE_DIRECTORY), home / ".local/state");
	setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
	EXPECT_EQ(Find(B_USER_STATE_DIRECTORY), home / "state");
	EXPECT_EQ(Find(B_SYSTEM_TEMP_DIRECTORY), "/tmp");
	setenv("TMPDIR", (home / "tmp").c_str(), 1);
	EXPECT_EQ(Find(B_SYSTEM_TEMP_DIRECTORY), home / "tmp");
}

TEST_F(FindDirectoryTest, CreateMakesAMissingDirectoryPrivate)
{
	EXPECT_FALSE(home.Exists(".local"));
	EXPECT_EQ(Find(B_USER_DATA_DIRECTORY, true), home / ".local/share");
	struct stat st;
	ASSERT_EQ(stat((home / ".local/share").c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(FindDirectoryTest, UnknownDirectoryIsABadValue)
{
	BPath path("/somewhere");
	EXPECT_EQ(find_directory(static_cast<directory_which>(42), &path), B_BAD_VALUE);
	EXPECT_EQ(path.InitCheck(), B_NO_INIT);
}

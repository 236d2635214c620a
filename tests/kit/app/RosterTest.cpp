#include <Roster.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "TempDirectory.h"
#include "app_support/ProgramFiles.h"

namespace {

// A program file of our own, so that no other process runs it.
class RosterTest : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_FALSE(fTemporary.Path().empty());
		fDirectory = fTemporary.Path();
		fProgram = fDirectory + "/napper";
		std::error_code error;
		ASSERT_TRUE(std::filesystem::copy_file("/bin/sleep", fProgram, error)) << error.message();
		ASSERT_EQ(BPrivate::RefForPath(fProgram, &fRef), B_OK);
	}

	bool WaitUntil(bool running)
	{
		for (int i = 0; i < 500; i++) {
			if (be_roster->IsRunning(&fRef) == running)
				return true;
			std::this_thread::sleep_for(std::chrono::milliseconds(5));
		}
		return false;
	}

	TempDirectory fTemporary;
	std::string fDirectory;
	std::string fProgram;
	entry_ref fRef;
};

} // namespace

TEST_F(RosterTest, ALaunchedProgramRunsUntilItEnds)
{
	EXPECT_FALSE(be_roster->IsRunning(&fRef));
	const char* args[] = {"30"};
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(&fRef, 1, args, &team), B_OK);
	ASSERT_GT(team, 0);
	ASSERT_TRUE(WaitUntil(true));
	EXPECT_EQ(be_roster->TeamFor(&fRef), team);

	app_info info;
	ASSERT_EQ(be_roster->GetAppInfo(&fRef, &info), B_OK);
	EXPECT_EQ(info.team, team);

	ASSERT_EQ(kill_team(team), B_OK);
	status_t result;
	wait_for_thread(team, &result);
	EXPECT_TRUE(WaitUntil(false));
	EXPECT_EQ(be_roster->GetAppInfo(&fRef, &info), B_ERROR);
}

TEST_F(RosterTest, ProgramArgumentsArePassedInOrder)
{
	std::string script = fDirectory + "/echoer";
	fTemporary.Write("echoer", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + fDirectory + "/args'\n");
	chmod(script.c_str(), 0755);
	entry_ref ref;
	ASSERT_EQ(BPrivate::RefForPath(script, &ref), B_OK);

	// Each argument arrives whole, and nothing in one is run.
	std::string planted = fDirectory + "/planted";
	std::string run = "$(touch " + planted + ")";
	const char* args[] = {"one", "two words", "", "-dash", "a;b", "'q\"", run.c_str()};
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(&ref, 7, args, &team), B_OK);
	status_t result = B_ERROR;
	wait_for_thread(team, &result);
	EXPECT_EQ(result, 0);
	EXPECT_EQ(fTemporary.Read("args"), "one|two words||-dash|a;b|'q\"|" + run + "|");
	EXPECT_NE(access(planted.c_str(), F_OK), 0);
}

TEST_F(RosterTest, LaunchingWhatCannotRunFails)
{
	entry_ref missing(0, 0, "nothing", (fDirectory + "/nothing").c_str());
	EXPECT_EQ(be_roster->Launch(&missing, 0, nullptr), B_ENTRY_NOT_FOUND);
	fTemporary.Write("plain.txt", "");
	entry_ref text;
	ASSERT_EQ(BPrivate::RefForPath(fDirectory + "/plain.txt", &text), B_OK);
	EXPECT_EQ(be_roster->Launch(&text, 0, nullptr), B_NOT_AN_EXECUTABLE);
	EXPECT_EQ(be_roster->Launch(nullptr, 0, nullptr), B_BAD_VALUE);
	EXPECT_FALSE(be_roster->IsRunning(&missing));
}

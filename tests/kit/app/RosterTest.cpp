#include <Roster.h>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "TempDirectory.h"
#include "app_support/ProgramFiles.h"

// No window of the editor launches programs through the roster; what is
// kept is the unsafe-input case: each argument arrives whole and nothing in
// one is run by a shell.
TEST(RosterTest, ProgramArgumentsArePassedInOrderAndNeverRun)
{
	TempDirectory directory;
	std::string script = directory / "echoer";
	directory.Write("echoer", "#!/bin/sh\nprintf '%s|' \"$@\" > '" + directory / "args" + "'\n");
	chmod(script.c_str(), 0755);
	entry_ref ref;
	ASSERT_EQ(BPrivate::RefForPath(script, &ref), B_OK);

	std::string planted = directory / "planted";
	std::string run = "$(touch " + planted + ")";
	const char* args[] = {"one", "two words", "", "-dash", "a;b", "'q\"", run.c_str()};
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(&ref, 7, args, &team), B_OK);
	status_t result = B_ERROR;
	wait_for_thread(team, &result);
	EXPECT_EQ(result, 0);
	EXPECT_EQ(directory.Read("args"), "one|two words||-dash|a;b|'q\"|" + run + "|");
	EXPECT_NE(access(planted.c_str(), F_OK), 0);
	EXPECT_EQ(be_roster->Launch(nullptr, 0, nullptr), B_BAD_VALUE);
}

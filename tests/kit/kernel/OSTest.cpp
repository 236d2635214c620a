#include <OS.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <string>

#include "TempDirectory.h"

namespace {

std::atomic<int> sRuns{0};

status_t CountAndReturn(void* data)
{
	sRuns++;
	return static_cast<status_t>(reinterpret_cast<intptr_t>(data));
}

// A thread-local object whose destructor, one of a thread's last steps,
// takes its time: a waiter that returns before it ran sees `sEnded` false.
std::atomic<bool> sEnded{false};

struct SlowToEnd {
	~SlowToEnd()
	{
		usleep(50000);
		sEnded = true;
	}
};

status_t EndSlowly(void*)
{
	thread_local SlowToEnd slow;
	(void)slow;
	return B_OK;
}

} // namespace

TEST(ThreadTest, SpawnedThreadWaitsForResumeOrAWaiterAndReturnsItsValue)
{
	sRuns = 0;
	thread_id thread = spawn_thread(CountAndReturn, "counter", B_NORMAL_PRIORITY,
		reinterpret_cast<void*>(intptr_t(42)));
	ASSERT_GT(thread, 0);
	EXPECT_EQ(find_thread("counter"), thread);
	snooze(20000);
	EXPECT_EQ(sRuns.load(), 0);
	EXPECT_EQ(resume_thread(thread), B_OK);
	status_t result = 0;
	EXPECT_EQ(wait_for_thread(thread, &result), B_OK);
	EXPECT_EQ(result, 42);
	EXPECT_EQ(sRuns.load(), 1);
	EXPECT_EQ(wait_for_thread(thread, &result), B_BAD_THREAD_ID);

	// Waiting for a thread never resumed starts it.
	thread = spawn_thread(CountAndReturn, "lazy", B_NORMAL_PRIORITY, nullptr);
	EXPECT_EQ(wait_for_thread(thread, &result), B_OK);
	EXPECT_EQ(result, 0);
}

TEST(ThreadTest, AThreadHasEndedWhenItsWaiterReturns)
{
	sEnded = false;
	thread_id thread = spawn_thread(EndSlowly, "slow to end", B_NORMAL_PRIORITY, nullptr);
	EXPECT_EQ(wait_for_thread(thread, nullptr), B_OK);
	EXPECT_TRUE(sEnded.load());
}

// A thread nobody waits for yet is joined and leaves the table once a later
// thread starts, so that the table does not grow with every such thread;
// a waiter that comes after that still gets what it returned, once.
TEST(ThreadTest, AThreadNobodyWaitsForIsGoneOnceItHasEnded)
{
	thread_id unwaited = spawn_thread(CountAndReturn, "unwaited", B_NORMAL_PRIORITY,
		reinterpret_cast<void*>(intptr_t(7)));
	ASSERT_EQ(resume_thread(unwaited), B_OK);
	bool gone = false;
	for (int tries = 0; tries < 200 && !gone; tries++) {
		snooze(10000);
		thread_id later = spawn_thread(CountAndReturn, "later", B_NORMAL_PRIORITY, nullptr);
		wait_for_thread(later, nullptr);
		gone = find_thread("unwaited") == B_NAME_NOT_FOUND;
	}
	EXPECT_TRUE(gone);
	status_t result = 0;
	EXPECT_EQ(wait_for_thread(unwaited, &result), B_OK);
	EXPECT_EQ(result, 7);
	EXPECT_EQ(wait_for_thread(unwaited, &result), B_BAD_THREAD_ID);
}

TEST(TeamTest, LoadedProgramRunsOnlyAfterResumeWithItsArguments)
{
	TempDirectory directory;
	std::string marker = directory / "marker";
	std::string script = "echo \"$1 $2\" > " + marker;
	const char* argv[] = {"/bin/sh", "-c", script.c_str(), "ignored", "first", "second"};

	team_id team = load_image(6, argv, nullptr);
	ASSERT_GT(team, 0);
	snooze(100000);
	EXPECT_EQ(access(marker.c_str(), F_OK), -1) << "the program ran before resume_thread";
	char held[PATH_MAX] = "";
	char shell[PATH_MAX] = "";
	readlink(("/proc/" + std::to_string(team) + "/exe").c_str(), held, sizeof(held) - 1);
	ASSERT_NE(realpath("/bin/sh", shell), nullptr);
	EXPECT_STRNE(held, shell) << "no shell holds the program back: none reads its arguments";

	ASSERT_EQ(resume_thread(team), B_OK);
	status_t exitValue = -1;
	ASSERT_EQ(wait_for_thread(team, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 0);
	EXPECT_EQ(directory.Read("marker"), "first second\n");
}

TEST(TeamTest, MissingProgramIsRefusedAndProgramsAreFoundOnThePath)
{
	const char* missing[] = {"/nonexistent/program"};
	EXPECT_EQ(load_image(1, missing, nullptr), B_ENTRY_NOT_FOUND);
	TempDirectory directory;
	directory.Write("plain", "");
	std::string plainFile = directory / "plain";
	const char* notExecutable[] = {plainFile.c_str()};
	EXPECT_EQ(load_image(1, notExecutable, nullptr), B_NOT_AN_EXECUTABLE);

	const char* onPath[] = {"true"};
	team_id team = load_image(1, onPath, nullptr);
	ASSERT_GT(team, 0);
	status_t exitValue = -1;
	EXPECT_EQ(wait_for_thread(team, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 0);
}

TEST(TeamTest, KilledTeamNeverRunsItsProgram)
{
	const char* argv[] = {"/bin/sh", "-c", "exit 3"};
	team_id team = load_image(3, argv, nullptr);
	ASSERT_GT(team, 0);
	EXPECT_EQ(kill_team(team), B_OK);
	status_t exitValue = 0;
	EXPECT_EQ(wait_for_thread(team, &exitValue), B_OK);
	EXPECT_NE(exitValue, 3);
}

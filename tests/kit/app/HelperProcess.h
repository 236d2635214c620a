#ifndef VELMORA_HELPER_PROCESS_H
#define VELMORA_HELPER_PROCESS_H

#include <OS.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

// Tests that need a second process start this very test program again with
// VELMORA_APP_TEST_HELPER naming what it should do (see HelperMode.cpp).
inline std::string TestProgramPath()
{
	char path[PATH_MAX];
	return realpath("/proc/self/exe", path) != nullptr ? path : "";
}

// A started (and running) helper; wait for it with wait_for_thread().
inline team_id StartHelper(const std::string& mode, const std::vector<std::string>& arguments)
{
	std::string program = TestProgramPath();
	std::vector<const char*> argv = {program.c_str()};
	for (const std::string& argument : arguments)
		argv.push_back(argument.c_str());
	argv.push_back(nullptr);

	std::string modeVariable = "VELMORA_APP_TEST_HELPER=" + mode;
	std::vector<const char*> environment = {modeVariable.c_str()};
	for (char** variable = environ; *variable != nullptr; variable++)
		environment.push_back(*variable);
	environment.push_back(nullptr);

	team_id team = load_image(static_cast<int32>(argv.size() - 1), argv.data(), environment.data());
	if (team >= 0)
		resume_thread(team);
	return team;
}

inline status_t RunHelper(const std::string& mode, const std::vector<std::string>& arguments)
{
	team_id team = StartHelper(mode, arguments);
	if (team < 0)
		return team;
	status_t result = B_ERROR;
	wait_for_thread(team, &result);
	return result;
}

#endif

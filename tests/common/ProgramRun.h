#ifndef VELMORA_TESTS_PROGRAM_RUN_H
#define VELMORA_TESTS_PROGRAM_RUN_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TempDirectory.h"

extern char** environ;

// Runs the built program with arguments, headless, its user folders in a
// folder of their own, and gives back its exit status and what it printed.
struct ProgramRun {
	int status = -1;
	std::string output;
	std::string errors;

	static ProgramRun Of(const std::vector<std::string>& arguments)
	{
		return With(arguments, {"VELMORA_DISPLAY=headless"});
	}

	// The same with the environment changed: "NAME=value" sets a variable
	// (also one of the user folders), a bare "NAME" removes it.
	static ProgramRun With(const std::vector<std::string>& arguments,
		const std::vector<std::string>& changes)
	{
		TempDirectory folder;
		std::string program = std::string(VELMORA_BINARY_DIR) + "/velmora";
		std::vector<std::string> environment;
		auto changed = [&changes](const std::string& entry) {
			std::string name = entry.substr(0, entry.find('='));
			for (const std::string& change : changes) {
				if (change.substr(0, change.find('=')) == name)
					return true;
			}
			return false;
		};
		for (const std::string& entry : {"XDG_CONFIG_HOME=" + (folder / "config"),
				"XDG_DATA_HOME=" + (folder / "data")}) {
			if (!changed(entry))
				environment.push_back(entry);
		}
		for (const std::string& change : changes) {
			if (change.find('=') != std::string::npos)
				environment.push_back(change);
		}
		for (char** variable = environ; *variable != nullptr; variable++) {
			std::string entry(*variable);
			if (entry.rfind("XDG_", 0) != 0 && entry.rfind("VELMORA_DISPLAY=", 0) != 0
					&& !changed(entry))
				environment.push_back(entry);
		}
		std::vector<char*> argv = {program.data()};
		std::vector<std::string> copies(arguments);
		for (std::string& argument : copies)
			argv.push_back(argument.data());
		argv.push_back(nullptr);
		std::vector<char*> envp;
		for (std::string& entry : environment)
			envp.push_back(entry.data());
		envp.push_back(nullptr);

		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_addopen(&actions, 1, (folder / "out").c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0644);
		posix_spawn_file_actions_addopen(&actions, 2, (folder / "err").c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0644);
		pid_t child = -1;
		ProgramRun run;
		if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(),
				envp.data()) == 0) {
			int status = 0;
			waitpid(child, &status, 0);
			run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
		}
		posix_spawn_file_actions_destroy(&actions);
		run.output = folder.Read("out");
		run.errors = folder.Read("err");
		return run;
	}
};

#endif

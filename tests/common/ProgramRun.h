#ifndef VELMORA_TESTS_PROGRAM_RUN_H
#define VELMORA_TESTS_PROGRAM_RUN_H

#include <fcntl.h>
#include <signal.h>
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
		ProgramRun run;
		pid_t child = Start(arguments, folder, changes);
		if (child > 0) {
			int status = 0;
			waitpid(child, &status, 0);
			run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
		}
		run.output = folder.Read("out");
		run.errors = folder.Read("err");
		return run;
	}

	// Starts the program and leaves it running: its user folders are
	// "config", "data" and "state" of folder, what it prints goes to "out"
	// and "err" there; it runs in workingFolder when one is given. The
	// caller waits for the process.
	static pid_t Start(const std::vector<std::string>& arguments, const TempDirectory& folder,
		const std::vector<std::string>& changes = {"VELMORA_DISPLAY=headless"},
		const std::string& workingFolder = std::string())
	{
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
				"XDG_DATA_HOME=" + (folder / "data"), "XDG_STATE_HOME=" + (folder / "state")}) {
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
		if (!workingFolder.empty())
			posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
		// The program handles the signals that end a session even where the
		// tests run with them ignored.
		posix_spawnattr_t attributes;
		posix_spawnattr_init(&attributes);
		sigset_t standard;
		sigemptyset(&standard);
		for (int signal : {SIGINT, SIGTERM, SIGHUP})
			sigaddset(&standard, signal);
		posix_spawnattr_setsigdefault(&attributes, &standard);
		posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
		pid_t child = -1;
		if (posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(),
				envp.data()) != 0)
			child = -1;
		posix_spawnattr_destroy(&attributes);
		posix_spawn_file_actions_destroy(&actions);
		return child;
	}
};

#endif

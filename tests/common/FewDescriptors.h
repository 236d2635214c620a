#ifndef VELMORA_TESTS_FEW_DESCRIPTORS_H
#define VELMORA_TESTS_FEW_DESCRIPTORS_H

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>

// Runs body in a forked child and returns its exit code (body's result),
// or -1 when the child did not exit normally.
//
// The child of a process with running threads starts with whatever locks
// those threads held at the fork, the sanitizers' allocator among them: now
// and then it waits forever for one. Such a child is killed after a while
// and the body run again in a new one; a body that hangs every time fails.
inline int RunInChild(const std::function<int()>& body)
{
	const int attempts = 3;
	const auto patience = std::chrono::seconds(30);
	for (int attempt = 0; attempt < attempts; attempt++) {
		pid_t child = fork();
		if (child == 0)
			_exit(body());
		auto deadline = std::chrono::steady_clock::now() + patience;
		int status = 0;
		pid_t ended = 0;
		while ((ended = waitpid(child, &status, WNOHANG)) == 0
			&& std::chrono::steady_clock::now() < deadline)
			usleep(10000);
		if (ended == child)
			return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		kill(child, SIGKILL);
		waitpid(child, &status, 0);
	}
	return -1;
}

// Puts every file descriptor the process may have in use, so that the
// next open fails with EMFILE. Only for a child of RunInChild. The
// sanitizers' runtime needs descriptors too (it checks memory through a
// pipe): run the code under test once before, so that what the runtime
// checks is already known to it.
inline void UseUpDescriptors()
{
	struct rlimit limit;
	getrlimit(RLIMIT_NOFILE, &limit);
	limit.rlim_cur = 64;
	setrlimit(RLIMIT_NOFILE, &limit);
	while (open("/dev/null", O_RDONLY) >= 0) {
	}
}

#endif

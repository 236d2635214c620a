#ifndef VELMORA_TESTS_FEW_DESCRIPTORS_H
#define VELMORA_TESTS_FEW_DESCRIPTORS_H

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// Runs body in a forked child and returns its exit code (body's result),
// or -1 when the child did not exit normally.
inline int RunInChild(const std::function<int()>& body)
{
	pid_t child = fork();
	if (child == 0)
		_exit(body());
	int status = 0;
	waitpid(child, &status, 0);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

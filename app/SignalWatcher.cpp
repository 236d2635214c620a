#include "SignalWatcher.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <iterator>

namespace {

std::atomic<int> sWriteEnd{-1};

} // namespace

SignalWatcher::SignalWatcher(std::function<void(int)> whenSignalled)
	:
	whenSignalled(std::move(whenSignalled)),
	pipeEnds{-1, -1}
{
	if (pipe2(pipeEnds, O_CLOEXEC) != 0)
		return;
	sWriteEnd = pipeEnds[1];
	thread = std::thread(&SignalWatcher::Watch, this);
	struct sigaction handling = {};
	handling.sa_handler = Handle;
	sigemptyset(&handling.sa_mask);
	handling.sa_flags = SA_RESTART;
	for (size_t i = 0; i < std::size(kSignals); i++) {
		sigaction(kSignals[i], nullptr, &previous[i]);
		if (previous[i].sa_handler != SIG_IGN)
			sigaction(kSignals[i], &handling, nullptr);
	}
}

SignalWatcher::~SignalWatcher()
{
	if (!thread.joinable())
		return;
	for (size_t i = 0; i < std::size(kSignals); i++)
		sigaction(kSignals[i], &previous[i], nullptr);
	sWriteEnd = -1;
	// A zero asks the thread to end.
	unsigned char end = 0;
	while (write(pipeEnds[1], &end, 1) < 0 && errno == EINTR) {
	}
	thread.join();
	close(pipeEnds[0]);
	close(pipeEnds[1]);
}

// All a signal handler may safely do: one write.
void SignalWatcher::Handle(int signal)
{
	int saved = errno;
	unsigned char number = static_cast<unsigned char>(signal);
	int fd = sWriteEnd.load();
	if (fd >= 0)
		(void)!write(fd, &number, 1);
	errno = saved;
}

void SignalWatcher::Watch()
{
	for (;;) {
		unsigned char number = 0;
		ssize_t got = read(pipeEnds[0], &number, 1);
		if (got < 0 && errno == EINTR)
			continue;
		if (got != 1 || number == 0)
			return;
		whenSignalled(number);
	}
}

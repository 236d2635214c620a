#ifndef VELMORA_SIGNAL_WATCHER_H
#define VELMORA_SIGNAL_WATCHER_H

#include <signal.h>

#include <functional>
#include <thread>

// Turns SIGINT, SIGTERM and SIGHUP into a call on a thread of its own. The
// signal handler only writes the signal's number into a pipe; the thread
// that reads the pipe makes the call, where anything may be done. A signal
// the program was started with ignored (by nohup, or as a background job
// of a shell without job control) stays ignored. One watcher at a time.
class SignalWatcher {
public:
	explicit SignalWatcher(std::function<void(int)> whenSignalled);
	// Puts the handling back as it was and ends the thread.
	~SignalWatcher();
	SignalWatcher(const SignalWatcher&) = delete;
	SignalWatcher& operator=(const SignalWatcher&) = delete;

	static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

private:
	static void Handle(int signal);
	void Watch();

	std::function<void(int)> whenSignalled;
	int pipeEnds[2];
	struct sigaction previous[3];
	std::thread thread;
};

#endif

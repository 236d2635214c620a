#include <OS.h>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace {

// Locks ask who is calling on every acquire and release; the kernel's answer
// is a system call, so each thread keeps its own. A forked child's only
// thread starts over with the child's id.
thread_local thread_id tCallingThread = -1;

void ForgetCallingThreadInChild()
{
	tCallingThread = -1;
}

thread_id CallingThread()
{
	static const int registered = pthread_atfork(nullptr, nullptr, ForgetCallingThreadInChild);
	(void)registered;
	if (tCallingThread < 0)
		tCallingThread = gettid();
	return tCallingThread;
}

// What a spawned thread needs to start, and what its waiter reads back.
struct ThreadControl {
	thread_func function = nullptr;
	void* data = nullptr;
	std::string name;
	pthread_t handle{};
	pid_t process = getpid(); // a forked child has no thread of its parent

	std::mutex mutex;
	std::condition_variable changed;
	thread_id id = -1;
	bool resumed = false;
	bool finished = false;
	bool joined = false;
	status_t exitValue = B_OK;
};

// A program of load_image(): held before exec until its pipe gets a line.
struct Team {
	int resumeFd = -1;
	bool resumed = false;
};

std::mutex sTableLock;
std::map<thread_id, std::shared_ptr<ThreadControl>> sThreads;
std::map<team_id, Team> sTeams;
// Threads joined and programs collected before anyone waited for them,
// with what they returned: a thread or program resumed before its waiter
// comes may end first, and its waiter must still get its value. Both take
// their ids from the system's one space of process and thread ids. The
// oldest are forgotten past a bound, so that those nobody ever waits for
// do not fill the table.
constexpr size_t kReapedKept = 256;
std::deque<std::pair<thread_id, status_t>> sReaped;

void* ThreadEntry(void* argument)
{
	std::shared_ptr<ThreadControl> control(static_cast<std::shared_ptr<ThreadControl>*>(argument)[0]);
	delete static_cast<std::shared_ptr<ThreadControl>*>(argument);

	pthread_setname_np(pthread_self(), control->name.substr(0, 15).c_str());
	{
		std::unique_lock<std::mutex> lock(control->mutex);
		control->id = gettid();
		control->changed.notify_all();
		control->changed.wait(lock, [&] { return control->resumed; });
	}
	status_t result = control->function(control->data);
	{
		std::lock_guard<std::mutex> lock(control->mutex);
		control->exitValue = result;
		control->finished = true;
	}
	control->changed.notify_all();
	return nullptr;
}

// A thread's function has returned once it is finished, but the thread
// still runs its last steps (thread-local destructors, freeing its
// stack). Joining it waits for those, so that nothing of it runs on while
// its waiter goes on, or while the process ends. Called with the
// control's mutex held and the thread finished; the thread no longer
// takes that mutex by then.
void JoinFinished(ThreadControl& control)
{
	if (control.joined || control.process != getpid())
		return;
	control.joined = true;
	pthread_join(control.handle, nullptr);
}

// Called with sTableLock held: whether a thread or program that ended
// before its waiter came returned, and what; it is forgotten then.
bool TakeReaped(thread_id id, status_t* returnValue)
{
	auto reaped = std::find_if(sReaped.begin(), sReaped.end(),
		[id](const auto& entry) { return entry.first == id; });
	if (reaped == sReaped.end())
		return false;
	if (returnValue != nullptr)
		*returnValue = reaped->second;
	sReaped.erase(reaped);
	return true;
}

// Called with sTableLock held. An id the system gave again replaces the
// ended one's entry.
void KeepReaped(thread_id id, status_t exitValue)
{
	TakeReaped(id, nullptr);
	sReaped.emplace_back(id, exitValue);
	if (sReaped.size() > kReapedKept)
		sReaped.pop_front();
}

// Threads that ended without a waiter are joined, so that none keeps its
// stack and none is still ending when the process exits. They leave the
// table, which would otherwise grow with every such thread; what they
// returned is kept for a waiter that comes late.
void JoinFinishedThreads()
{
	std::vector<std::pair<thread_id, std::shared_ptr<ThreadControl>>> ended;
	{
		std::lock_guard<std::mutex> lock(sTableLock);
		for (const auto& [id, control] : sThreads) {
			if (control->process == getpid())
				ended.emplace_back(id, control);
		}
	}
	std::erase_if(ended, [](const auto& entry) {
		std::lock_guard<std::mutex> lock(entry.second->mutex);
		if (!entry.second->finished)
			return true;
		JoinFinished(*entry.second);
		return false;
	});
	std::lock_guard<std::mutex> lock(sTableLock);
	for (const auto& [id, control] : ended) {
		auto found = sThreads.find(id);
		if (found != sThreads.end() && found->second == control) {
			sThreads.erase(found);
			KeepReaped(id, control->exitValue);
		}
	}
}

std::shared_ptr<ThreadControl> FindThread(thread_id id)
{
	std::lock_guard<std::mutex> lock(sTableLock);
	auto found = sThreads.find(id);
	return found == sThreads.end() ? nullptr : found->second;
}

status_t ExitStatusOf(int waitStatus)
{
	if (WIFEXITED(waitStatus))
		return WEXITSTATUS(waitStatus);
	if (WIFSIGNALED(waitStatus))
		return B_INTERRUPTED;
	return B_ERROR;
}

// Collects teams that ended after being resumed and that nobody waits for,
// so that they do not stay zombies; their status is kept for a late waiter.
void ReapFinishedTeams()
{
	for (auto it = sTeams.begin(); it != sTeams.end();) {
		int status = 0;
		if (it->second.resumed && waitpid(it->first, &status, WNOHANG) == it->first) {
			KeepReaped(it->first, ExitStatusOf(status));
			it = sTeams.erase(it);
		} else {
			++it;
		}
	}
}

// The child of load_image(): it waits until resume_thread() writes a line
// (if the parent goes away first, the pipe ends and the program never
// runs), then becomes the program, its arguments handed over as they are,
// never read by a shell. The program gets the standard signal handling and
// only the standard input, output and error of this process.
[[noreturn]] void RunHeldProgram(const int resumePipe[2], const char* program, char** argv,
	char** env)
{
	close(resumePipe[1]);
	char line = 0;
	ssize_t got;
	do {
		got = read(resumePipe[0], &line, 1);
	} while (got < 0 && errno == EINTR);
	if (got != 1)
		_exit(126);
	struct sigaction standard = {};
	standard.sa_handler = SIG_DFL;
	for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ})
		sigaction(signal, &standard, nullptr);
	sigset_t none;
	sigemptyset(&none);
	sigprocmask(SIG_SETMASK, &none, nullptr);
	close_range(3, ~0U, 0);
	execve(program, argv, env);
	_exit(127);
}

} // namespace

thread_id find_thread(const char* name)
{
	if (name == nullptr)
		return CallingThread();
	std::lock_guard<std::mutex> lock(sTableLock);
	for (auto& [id, control] : sThreads) {
		if (control->name == name)
			return id;
	}
	return B_NAME_NOT_FOUND;
}

thread_id BPrivate::spawn_thread_with_stack(thread_func function, const char* name, int32,
	void* data, size_t stackSize)
{
	if (function == nullptr)
		return B_BAD_VALUE;
	JoinFinishedThreads();
	auto control = std::make_shared<ThreadControl>();
	control->function = function;
	control->data = data;
	control->name = name != nullptr ? name : "unnamed thread";

	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	if (stackSize > 0)
		pthread_attr_setstacksize(&attributes, stackSize);
	auto* argument = new std::shared_ptr<ThreadControl>(control);
	int error = pthread_create(&control->handle, &attributes, ThreadEntry, argument);
	pthread_attr_destroy(&attributes);
	if (error != 0) {
		delete argument;
		return B_NO_MORE_THREADS;
	}

	std::unique_lock<std::mutex> lock(control->mutex);
	control->changed.wait(lock, [&] { return control->id >= 0; });
	thread_id id = control->id;
	lock.unlock();

	std::lock_guard<std::mutex> tableLock(sTableLock);
	sThreads[id] = control;
	return id;
}

void BPrivate::join_finished_threads()
{
	JoinFinishedThreads();
}

thread_id spawn_thread(thread_func function, const char* name, int32 priority, void* data)
{
	return BPrivate::spawn_thread_with_stack(function, name, priority, data, 0);
}

status_t resume_thread(thread_id id)
{
	if (std::shared_ptr<ThreadControl> control = FindThread(id)) {
		{
			std::lock_guard<std::mutex> lock(control->mutex);
			control->resumed = true;
		}
		control->changed.notify_all();
		return B_OK;
	}

	std::lock_guard<std::mutex> lock(sTableLock);
	auto team = sTeams.find(id);
	if (team == sTeams.end() || team->second.resumed)
		return B_BAD_THREAD_ID;
	ssize_t written = write(team->second.resumeFd, "\n", 1);
	close(team->second.resumeFd);
	team->second.resumeFd = -1;
	team->second.resumed = true;
	return written == 1 ? static_cast<status_t>(B_OK) : static_cast<status_t>(B_BAD_THREAD_STATE);
}

status_t wait_for_thread(thread_id id, status_t* returnValue)
{
	if (std::shared_ptr<ThreadControl> control = FindThread(id)) {
		if (id == gettid())
			return B_DONT_DO_THAT;
		std::unique_lock<std::mutex> lock(control->mutex);
		// Waiting for a thread that was never resumed starts it, as on BeOS.
		control->resumed = true;
		control->changed.notify_all();
		control->changed.wait(lock, [&] { return control->finished; });
		JoinFinished(*control);
		if (returnValue != nullptr)
			*returnValue = control->exitValue;
		lock.unlock();
		std::lock_guard<std::mutex> tableLock(sTableLock);
		sThreads.erase(id);
		return B_OK;
	}

	{
		std::lock_guard<std::mutex> lock(sTableLock);
		if (TakeReaped(id, returnValue))
			return B_OK;
		if (sTeams.find(id) == sTeams.end())
			return B_BAD_THREAD_ID;
	}
	resume_thread(id);
	int status = 0;
	pid_t result;
	do {
		result = waitpid(id, &status, 0);
	} while (result < 0 && errno == EINTR);
	std::lock_guard<std::mutex> lock(sTableLock);
	sTeams.erase(id);
	if (result != id)
		return B_BAD_THREAD_ID;
	if (returnValue != nullptr)
		*returnValue = ExitStatusOf(status);
	return B_OK;
}

status_t rename_thread(thread_id id, const char* newName)
{
	if (newName == nullptr)
		return B_BAD_VALUE;
	std::shared_ptr<ThreadControl> control = FindThread(id);
	if (control == nullptr)
		return B_BAD_THREAD_ID;
	std::lock_guard<std::mutex> lock(sTableLock);
	control->name = newName;
	if (!control->finished)
		pthread_setname_np(control->handle, control->name.substr(0, 15).c_str());
	return B_OK;
}

status_t snooze(bigtime_t microseconds)
{
	if (microseconds <= 0)
		return B_OK;
	timespec remaining = {static_cast<time_t>(microseconds / 1000000),
		static_cast<long>((microseconds % 1000000) * 1000)};
	while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
	}
	return B_OK;
}

bigtime_t system_time()
{
	timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return static_cast<bigtime_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

bigtime_t real_time_clock_usecs()
{
	timespec now;
	clock_gettime(CLOCK_REALTIME, &now);
	return static_cast<bigtime_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

thread_id load_image(int32 argc, const char** argv, const char** environment)
{
	if (argc < 1 || argv == nullptr || argv[0] == nullptr)
		return B_BAD_VALUE;
	std::string program = BPrivate::ResolveProgram(argv[0]);
	struct stat info;
	if (stat(program.c_str(), &info) != 0)
		return B_ENTRY_NOT_FOUND;
	if (!S_ISREG(info.st_mode) || access(program.c_str(), X_OK) != 0)
		return B_NOT_AN_EXECUTABLE;

	int resumePipe[2];
	if (pipe2(resumePipe, O_CLOEXEC) != 0)
		return status_for_errno(errno);

	// Everything the child needs is made before the fork: after it, in a
	// process of many threads, the child may only make system calls.
	std::vector<char*> arguments;
	arguments.push_back(program.data());
	for (int32 i = 1; i < argc; i++)
		arguments.push_back(const_cast<char*>(argv[i] != nullptr ? argv[i] : ""));
	arguments.push_back(nullptr);
	char** env = environment != nullptr ? const_cast<char**>(environment) : environ;

	pid_t child = fork();
	if (child == 0)
		RunHeldProgram(resumePipe, program.c_str(), arguments.data(), env);
	close(resumePipe[0]);
	if (child < 0) {
		close(resumePipe[1]);
		return status_for_errno(errno);
	}

	std::lock_guard<std::mutex> lock(sTableLock);
	ReapFinishedTeams();
	sTeams[child] = Team{resumePipe[1], false};
	return child;
}

status_t kill_team(team_id team)
{
	if (team <= 0)
		return B_BAD_TEAM_ID;
	{
		std::lock_guard<std::mutex> lock(sTableLock);
		auto found = sTeams.find(team);
		if (found != sTeams.end() && found->second.resumeFd >= 0) {
			close(found->second.resumeFd);
			found->second.resumeFd = -1;
			found->second.resumed = true;
		}
	}
	if (kill(team, SIGKILL) != 0)
		return errno == ESRCH ? B_BAD_TEAM_ID : status_for_errno(errno);
	return B_OK;
}

team_id current_team()
{
	return getpid();
}

namespace BPrivate {

std::string ResolveProgram(const char* path)
{
	if (strchr(path, '/') != nullptr)
		return path;
	const char* searchPath = getenv("PATH");
	std::string directories = searchPath != nullptr ? searchPath : "/usr/bin:/bin";
	size_t start = 0;
	while (start <= directories.size()) {
		size_t end = directories.find(':', start);
		if (end == std::string::npos)
			end = directories.size();
		std::string candidate = directories.substr(start, end - start) + "/" + path;
		if (access(candidate.c_str(), X_OK) == 0)
			return candidate;
		start = end + 1;
	}
	return path;
}

} // namespace BPrivate

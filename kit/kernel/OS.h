#ifndef _OS_H
#define _OS_H

#include <cstddef>
#include <string>

#include <SupportDefs.h>

// Threads are Linux threads and thread ids their kernel ids; teams are
// processes and team ids their process ids.
typedef int32 thread_id;
typedef int32 team_id;

#define B_OS_NAME_LENGTH 32

enum {
	B_IDLE_PRIORITY = 0,
	B_LOWEST_ACTIVE_PRIORITY = 1,
	B_LOW_PRIORITY = 5,
	B_NORMAL_PRIORITY = 10,
	B_DISPLAY_PRIORITY = 15,
	B_URGENT_DISPLAY_PRIORITY = 20,
	B_REAL_TIME_DISPLAY_PRIORITY = 100,
	B_URGENT_PRIORITY = 110,
	B_REAL_TIME_PRIORITY = 120
};

typedef status_t (*thread_func)(void* data);

// The calling thread when name is null; threads spawned here can also be
// found by name.
thread_id find_thread(const char* name);

// A new thread, suspended until resume_thread(). Priorities are accepted and
// not applied: Linux gives ordinary users no real-time classes.
thread_id spawn_thread(thread_func function, const char* name, int32 priority, void* data);
status_t resume_thread(thread_id thread);
// Waits for a thread of spawn_thread() (or a team of load_image()) to end.
status_t wait_for_thread(thread_id thread, status_t* returnValue);
status_t rename_thread(thread_id thread, const char* newName);

status_t snooze(bigtime_t microseconds);
// Microseconds since an arbitrary start, never going back.
bigtime_t system_time();
// Microseconds since the epoch.
bigtime_t real_time_clock_usecs();

// Starts a program (argv[0] is its path), stopped before it runs its first
// instruction of its own until resume_thread() is called with the team id.
thread_id load_image(int32 argc, const char** argv, const char** environ);
status_t kill_team(team_id team);
team_id current_team();

namespace BPrivate {
// spawn_thread with a stack of the given size, for work that recurses deeply.
thread_id spawn_thread_with_stack(thread_func function, const char* name, int32 priority,
	void* data, size_t stackSize);
// Waits for the last steps of the threads whose functions have returned.
void join_finished_threads();
// The file load_image() starts for path: a path with a slash as it is, a
// bare name looked for in PATH, and path itself when no folder holds it.
std::string ResolveProgram(const char* path);
}

#endif

#ifndef _ROSTER_H
#define _ROSTER_H

#include <EntryRef.h>
#include <OS.h>
#include <SupportDefs.h>

typedef int32 port_id;

#ifndef B_MIME_TYPE_LENGTH
#define B_MIME_TYPE_LENGTH 241
#endif

// Launch flags of app_info::flags.
enum {
	B_SINGLE_LAUNCH = 0x0,
	B_MULTIPLE_LAUNCH = 0x1,
	B_EXCLUSIVE_LAUNCH = 0x2,
	B_LAUNCH_MASK = 0x3,
	B_BACKGROUND_APP = 0x4,
	B_ARGV_ONLY = 0x8
};

// A running program. Programs have no ports here (port is -1); the
// signature is known only for this process's own application.
struct app_info {
	app_info();

	thread_id thread;
	team_id team;
	port_id port;
	uint32 flags;
	entry_ref ref;
	char signature[B_MIME_TYPE_LENGTH];
};

// The programs of the user: a team is a process, and a program file runs as
// the teams whose executable is that file (found by scanning /proc).
class BRoster {
public:
	// Starts the program file with the arguments (not counting the program
	// itself) and lets it run.
	status_t Launch(const entry_ref* ref, int argc, const char* const* args,
		team_id* appTeam = NULL) const;
	bool IsRunning(const entry_ref* ref) const;
	// This team when it runs the program file, else the lowest team that
	// does; B_ERROR when none does.
	team_id TeamFor(const entry_ref* ref) const;
	status_t GetAppInfo(const entry_ref* ref, app_info* info) const;
	// On Linux the window manager alone decides which program's window comes
	// to the front, so this cannot be done: B_UNSUPPORTED for a running team
	// (nothing happens), B_BAD_TEAM_ID when there is no such team.
	status_t ActivateApp(team_id team) const;
};

extern const BRoster* be_roster;

#endif

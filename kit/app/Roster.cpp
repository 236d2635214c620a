#include <Roster.h>

#include <Application.h>

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "app_support/ProgramFiles.h"

extern char** environ;

namespace {

const BRoster sRoster;

} // namespace

const BRoster* be_roster = &sRoster;

app_info::app_info()
	: thread(-1),
	  team(-1),
	  port(-1),
	  flags(B_MULTIPLE_LAUNCH)
{
	signature[0] = '\0';
}

status_t BRoster::Launch(const entry_ref* ref, int argc, const char* const* args,
	team_id* appTeam) const
{
	if (ref == nullptr || ref->path.empty() || argc < 0 || (argc > 0 && args == nullptr))
		return B_BAD_VALUE;
	std::vector<const char*> argv;
	argv.push_back(ref->path.c_str());
	for (int i = 0; i < argc; i++)
		argv.push_back(args[i]);
	argv.push_back(nullptr);

	thread_id team = load_image(static_cast<int32>(argc + 1), argv.data(),
		const_cast<const char**>(environ));
	if (team < 0)
		return team;
	if (resume_thread(team) != B_OK) {
		kill_team(team);
		return B_LAUNCH_FAILED;
	}
	if (appTeam != nullptr)
		*appTeam = team;
	return B_OK;
}

bool BRoster::IsRunning(const entry_ref* ref) const
{
	return TeamFor(ref) >= 0;
}

team_id BRoster::TeamFor(const entry_ref* ref) const
{
	if (ref == nullptr || ref->path.empty())
		return B_BAD_VALUE;
	std::vector<team_id> teams = BPrivate::TeamsRunning(ref->path);
	if (teams.empty())
		return B_ERROR;
	if (std::find(teams.begin(), teams.end(), current_team()) != teams.end())
		return current_team();
	return teams.front();
}

status_t BRoster::GetAppInfo(const entry_ref* ref, app_info* info) const
{
	if (ref == nullptr || info == nullptr)
		return B_BAD_VALUE;
	team_id team = TeamFor(ref);
	if (team < 0)
		return B_ERROR;
	if (team == current_team() && be_app != nullptr)
		return be_app->GetAppInfo(info);
	*info = app_info();
	info->thread = team;
	info->team = team;
	if (BPrivate::RefForPath(ref->path, &info->ref) != B_OK)
		info->ref = *ref;
	return B_OK;
}

status_t BRoster::ActivateApp(team_id team) const
{
	if (team <= 0 || (kill(team, 0) != 0 && errno == ESRCH))
		return B_BAD_TEAM_ID;
	return B_UNSUPPORTED;
}

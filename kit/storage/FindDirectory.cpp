#include <FindDirectory.h>

#include <pwd.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <Directory.h>
#include <Path.h>

#include "storage_support/Paths.h"

using BPrivate::Storage::JoinPath;

namespace {

// An environment variable that names an absolute path; relative values
// are ignored, as the desktop's conventions ask.
bool AbsoluteFromEnvironment(const char* name, std::string* out)
{
	const char* value = getenv(name);
	if (value == nullptr || value[0] != '/')
		return false;
	*out = value;
	return true;
}

status_t HomeDirectory(std::string* out)
{
	if (AbsoluteFromEnvironment("HOME", out))
		return B_OK;
	struct passwd entry;
	struct passwd* found = nullptr;
	std::vector<char> buffer(16384);
	if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0
		|| found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/')
		return B_ENTRY_NOT_FOUND;
	*out = found->pw_dir;
	return B_OK;
}

// A directory of the desktop's layout: $variable, else home + fallback.
status_t DesktopDirectory(const char* variable, const char* fallback, std::string* out)
{
	if (AbsoluteFromEnvironment(variable, out))
		return B_OK;
	std::string home;
	status_t status = HomeDirectory(&home);
	if (status == B_OK)
		*out = JoinPath(home, fallback);
	return status;
}

status_t DirectoryPath(directory_which which, std::string* out)
{
	switch (which) {
		case B_USER_DIRECTORY:
			return HomeDirectory(out);
		case B_USER_SETTINGS_DIRECTORY:
			return DesktopDirectory("XDG_CONFIG_HOME", ".config", out);
		case B_USER_DATA_DIRECTORY:
			return DesktopDirectory("XDG_DATA_HOME", ".local/share", out);
		case B_USER_STATE_DIRECTORY:
			return DesktopDirectory("XDG_STATE_HOME", ".local/state", out);
		case B_SYSTEM_TEMP_DIRECTORY:
			if (!AbsoluteFromEnvironment("TMPDIR", out))
				*out = "/tmp";
			return B_OK;
	}
	return B_BAD_VALUE;
}

} // namespace

status_t find_directory(directory_which which, BPath* path, bool create)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	std::string directory;
	status_t status = DirectoryPath(which, &directory);
	if (status == B_OK && create)
		status = create_directory(directory.c_str(), 0700);
	if (status == B_OK)
		status = path->SetTo(directory.c_str());
	if (status != B_OK)
		path->Unset();
	return status;
}

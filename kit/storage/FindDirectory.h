#ifndef _FIND_DIRECTORY_H
#define _FIND_DIRECTORY_H

#include <SupportDefs.h>

class BPath;

// The directories the program keeps things in, as the desktop places them:
//   B_USER_DIRECTORY           the home directory ($HOME, else the password entry)
//   B_USER_SETTINGS_DIRECTORY  $XDG_CONFIG_HOME when absolute, else ~/.config
//   B_USER_DATA_DIRECTORY      $XDG_DATA_HOME when absolute, else ~/.local/share
//   B_USER_STATE_DIRECTORY     $XDG_STATE_HOME when absolute, else ~/.local/state
//   B_SYSTEM_TEMP_DIRECTORY    $TMPDIR when absolute, else /tmp
enum directory_which {
	B_SYSTEM_TEMP_DIRECTORY = 1011,
	B_USER_DIRECTORY = 3000,
	B_USER_SETTINGS_DIRECTORY = 3006,
	B_USER_DATA_DIRECTORY = 3012,
	B_USER_STATE_DIRECTORY = 3013
};

// With create, a missing directory is made (mode 0700, with its parents).
status_t find_directory(directory_which which, BPath* path, bool create = false);

#endif

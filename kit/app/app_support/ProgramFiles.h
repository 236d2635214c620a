#ifndef _VELMORA_PROGRAM_FILES_H
#define _VELMORA_PROGRAM_FILES_H

#include <string>
#include <vector>

#include <EntryRef.h>
#include <OS.h>

// What the app kit needs to know of program files and running processes.
namespace BPrivate {

// The ref of an existing path (links followed): its directory's device and
// inode, its leaf name and its absolute path.
status_t RefForPath(const std::string& path, entry_ref* ref);
// The executable of this process.
status_t OwnProgramRef(entry_ref* ref);
// The processes whose executable is the file at path, lowest first.
std::vector<team_id> TeamsRunning(const std::string& path);

} // namespace BPrivate

#endif

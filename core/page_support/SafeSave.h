#ifndef VELMORA_SAFE_SAVE_H
#define VELMORA_SAFE_SAVE_H

#include <string>

#include <SupportDefs.h>

// Writing a page file so that nothing the user had is lost when the write
// fails (a full disk, a missing folder, no permission).
namespace SafeSave {

// Makes bytes the content of the file at path. They are written in full
// into a new file in the same folder, flushed to the disk and given the
// old file's permissions and the type "text/html"; only then does the new
// file take the old one's place. On failure the old file is as it was and
// the new one is gone.
status_t Replace(const char* path, const std::string& bytes);

// Writes all of bytes to fd, going on after interruptions and short
// writes; a write that makes no progress counts as a full disk.
status_t WriteAll(int fd, const std::string& bytes);

} // namespace SafeSave

#endif

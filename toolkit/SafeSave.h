#ifndef VELMORA_SAFE_SAVE_H
#define VELMORA_SAFE_SAVE_H

#include <functional>
#include <string>
#include <string_view>

#include <SupportDefs.h>

// Writing a file so that nothing the user had is lost when the write fails
// (a full disk, a file-size limit, a missing folder, no permission) or the
// program is killed halfway: the file holds the old bytes or the new ones,
// never a mix or a part.
namespace SafeSave {

// Makes bytes the content of the file at path. They are written in full
// into a new file in the same folder, flushed to the disk and given the
// old file's permissions and the type (none when null); only then does the
// new file take the old one's place. On failure the old file is as it was
// and the new one is gone.
status_t Replace(const char* path, const std::string& bytes, const char* type = "text/html");
// The same with the bytes that writeBytes puts into the new file's descriptor
// (with WriteAll()): a big file need not be held whole to be written. What
// writeBytes returns other than B_OK fails the save.
status_t Replace(const char* path, const std::function<status_t(int fd)>& writeBytes,
	const char* type = "text/html");

// Writes all of bytes to fd, going on after interruptions and short
// writes; a write that makes no progress counts as a full disk.
status_t WriteAll(int fd, std::string_view bytes);

// The new file of a save to the file named leaf is ".<leaf>.saving-" and
// six more characters. It is locked (flock) while it is written, so that a
// file of that name that nobody locks was left by a save that was cut off
// (the program was killed): this removes those of folder, of saves to
// leaf, or of any file when leaf is empty.
void RemoveAbandonedNewFiles(const std::string& folder, const std::string& leaf);

} // namespace SafeSave

#endif

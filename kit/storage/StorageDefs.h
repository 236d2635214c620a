#ifndef _STORAGE_DEFS_H
#define _STORAGE_DEFS_H

#include <fcntl.h>
#include <climits>

#include <SupportDefs.h>

#define B_DEV_NAME_LENGTH 128
// Buffer sizes, terminator included.
#define B_FILE_NAME_LENGTH (NAME_MAX + 1)
#define B_PATH_NAME_LENGTH PATH_MAX
#define B_ATTR_NAME_LENGTH (B_FILE_NAME_LENGTH - 1)
// Also defined by the app kit's Roster.h; the compiler warns if the two differ.
#define B_MIME_TYPE_LENGTH 241
#define B_MAX_SYMLINKS 16

// Open modes of BFile. The access mode is one of the first three; the
// others are flags added to it.
enum {
	B_READ_ONLY = O_RDONLY,
	B_WRITE_ONLY = O_WRONLY,
	B_READ_WRITE = O_RDWR,
	B_ACCESS_MODE_MASK = O_ACCMODE,

	B_ERASE_FILE = O_TRUNC,
	B_FAIL_IF_EXISTS = O_EXCL,   // implies B_CREATE_FILE
	B_CREATE_FILE = O_CREAT,
	// Starts the position at the end of the file. Unlike O_APPEND it leaves
	// WriteAt() free to write anywhere.
	B_OPEN_AT_END = 0x10000000
};

// Kinds of node, for BDirectory::Contains().
enum node_flavor {
	B_FILE_NODE = 0x01,
	B_SYMLINK_NODE = 0x02,
	B_DIRECTORY_NODE = 0x04,
	B_ANY_NODE = 0x07
};

#endif

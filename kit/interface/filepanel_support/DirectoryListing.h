#ifndef _VELMORA_DIRECTORY_LISTING_H
#define _VELMORA_DIRECTORY_LISTING_H

#include <sys/types.h>

#include <ctime>
#include <string>
#include <vector>

#include <EntryRef.h>
#include <SupportDefs.h>

class BRefFilter;

namespace BPrivate {

// One entry of a folder as a file panel lists it. Links count as what
// they lead to; a broken link as an empty file.
struct ListedEntry {
	std::string name;
	entry_ref ref;
	bool isDirectory = false;
	off_t size = 0;
	time_t modified = 0;
};

// What a file panel lists of a folder: no hidden entries (names that
// start with a dot), only what the filter takes, folders first and then
// files, each sorted by name without regard to case and with numbers in
// names by their value ("page9" before "page10").
class DirectoryListing {
public:
	// B_OK, or the error of opening the folder (entries then empty).
	static status_t Read(const std::string& path, BRefFilter* filter,
		std::vector<ListedEntry>* entries);

	// "12 bytes", "3.4 KB", "1.2 MB", "2.0 GB".
	static std::string SizeText(off_t size);
	// The local date and time, "2024-05-01 14:03".
	static std::string DateText(time_t when);
	// The folder above path ("/" stays "/").
	static std::string ParentOf(const std::string& path);
	// path joined with a name, with "." and ".." worked out and no
	// doubled or trailing slashes; an absolute name stands alone.
	static std::string Join(const std::string& path, const std::string& name);
};

} // namespace BPrivate

#endif

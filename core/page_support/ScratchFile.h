#ifndef VELMORA_SCRATCH_FILE_H
#define VELMORA_SCRATCH_FILE_H

#include <memory>
#include <string>

#include "FileLock.h"
#include "KFile.h"

// A scratch file of a page ("$VLM-" + page file name + n + ".html" beside
// the page, "Untitled" + n + ".html" for an untitled page), held with a
// file lock for as long as the object lives. The lock is how a start tells
// the scratch files of a running program, which it leaves alone, from
// those that a program which was killed or crashed left behind, which it
// removes.
class ScratchFile : public KFile {
public:
	// The first "<folder>/<prefix><n>.html", n from 0, that can be made
	// anew, held; null when the folder takes no new files. First the
	// scratch files "<prefix><n>.html" and the new files of cut-off saves
	// of the page file named pageLeaf (none when empty) that no running
	// program holds are removed from folder.
	static std::unique_ptr<KFile> CreateIn(const std::string& folder, const std::string& prefix,
		const std::string& pageLeaf);

private:
	explicit ScratchFile(const std::string& path);
	static void RemoveAbandoned(const std::string& folder, const std::string& prefix,
		const std::string& pageLeaf);

	FileLock hold;
};

#endif

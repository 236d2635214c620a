#ifndef VELMORA_RECOVERY_COPY_H
#define VELMORA_RECOVERY_COPY_H

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <SupportDefs.h>

#include "FileLock.h"

// The recovery copy of a page with unsaved changes: its HTML, its path
// and its encoding, in the user's state folder
// ($XDG_STATE_HOME/Korvane/Velmora/recovery), so that the changes outlive
// a program that ends without a clean close (a crash, a kill, the end of
// the session). A copy is "<name>-<id>.recovery"; it is written to a new
// file that then replaces the old one, so a crash while it is written
// leaves the last good copy. Beside it, "<name>-<id>.lock" is held with a
// file lock by the program that writes the copy for as long as it runs:
// a start offers only the copies whose lock nobody holds.
//
// The copy also counts the page's edits, to say when a new copy is due: a
// few seconds after the last edit, and at least every minute while the
// edits go on.
class RecoveryCopy {
public:
	struct Contents {
		std::string path;		// the page file; empty for an untitled page
		std::string encoding;	// the name of the page's encoding
		bool byteOrderMark = false;
		bigtime_t time = 0;		// when the copy was taken, microseconds since the epoch
		std::string html;		// the HTML window's text (UTF-8)
	};

	static constexpr bigtime_t kQuiet = 3000000;
	static constexpr bigtime_t kLongest = 60000000;

	// A page's copy: nothing is written until Write().
	RecoveryCopy();
	// Releases the copy. A copy that exists stays for a later start.
	~RecoveryCopy();
	RecoveryCopy(const RecoveryCopy&) = delete;
	RecoveryCopy& operator=(const RecoveryCopy&) = delete;

	// Any thread may tell of an edit and ask whether a copy is due; now is
	// system_time().
	void Edited(bigtime_t now);
	bool IsDue(bigtime_t now) const;
	// The count of edits so far: taken before the page's text, and handed
	// to Write() with it.
	uint64 Edits() const { return edits.load(); }

	// Writes the copy of the text taken after the given count of edits.
	// Nothing is written when the copy holds those edits already, or when
	// the page was saved after they were counted.
	status_t Write(const Contents& contents, uint64 editsTaken);
	// The page file holds the page again (saved, or closed as the user
	// chose): the copy goes, and the edits so far count as kept.
	void Remove();
	bool Exists() const;
	// The copy's file; empty before the first Write().
	std::string CopyPath() const;

	// The copies that no running program holds, each read and held by the
	// object until it is restored, removed or released; oldest first.
	static std::vector<std::unique_ptr<RecoveryCopy>> Abandoned();
	// The copy at copyPath, read and held; null when another program holds
	// it or it cannot be read.
	static std::unique_ptr<RecoveryCopy> Take(const std::string& copyPath);
	// What a copy found by Abandoned() or Take() holds.
	const Contents& Found() const { return found; }
	// Takes over a copy found at start, whose text the page now holds: it
	// becomes this copy, and the edits so far count as kept in it.
	void Adopt(RecoveryCopy& other);

	// "$XDG_STATE_HOME/Korvane/Velmora/recovery"; empty when there is no
	// home folder.
	static std::string Folder();

private:
	status_t MakeLockFile(const std::string& folder, const std::string& pageName);
	status_t Read();

	mutable std::mutex lock;	// guards everything below but the edit counts
	std::string base;			// folder + "/<name>-<id>", empty before the first Write()
	FileLock hold;
	bool exists;
	Contents found;

	std::atomic<uint64> edits;
	std::atomic<uint64> editsKept;	// the edits the copy or the page file holds
	std::atomic<bigtime_t> lastEdit;
	std::atomic<bigtime_t> firstEditNotKept;
};

#endif

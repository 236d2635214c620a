#ifndef _VELMORA_CLIPBOARD_STORE_H
#define _VELMORA_CLIPBOARD_STORE_H

#include <string>

#include <SupportDefs.h>

namespace BPrivate {

// A clipboard's shared state: the file "clipboard-<name>" in the user's
// private directory ($XDG_RUNTIME_DIR/velmora, else /tmp/velmora-<uid>;
// mode 0700, refused unless it is the user's own real directory). Writers
// take an exclusive flock on "clipboard-<name>.lock", write a new file
// (mode 0600) and rename it over the old one, so readers never see a
// partial store. File layout, little-endian:
//   "VCLP"  uint32 version (1)  uint32 change count  uint32 flags (bit 0:
//   desktop mark present)  uint32 mark length, mark bytes,
//   then the flattened data message up to the end of the file.
// The desktop mark is the desktop clipboard's text as it stood after the
// last commit: when the desktop clipboard holds something else, another
// program has copied since.
class ClipboardStore {
public:
	static constexpr uint32 kAnyCount = 0xFFFFFFFF;

	struct Contents {
		uint32 count = 0;
		bool hasDesktopMark = false;
		std::string desktopMark;
		std::string data;  // the flattened message; empty when nothing was committed
	};

	explicit ClipboardStore(const std::string& name);
	status_t InitCheck() const { return fInitStatus; }

	// 0 for a store nothing was committed to, or one that cannot be read.
	uint32 Count() const;
	// B_ENTRY_NOT_FOUND when nothing was committed; B_BAD_DATA when damaged.
	status_t Read(Contents* contents, bool withData) const;
	// Replaces the store and gives it the next change count, unless
	// expectedCount is given and the store moved on (B_ERROR).
	status_t Write(const std::string& data, bool hasDesktopMark, const std::string& desktopMark,
		uint32 expectedCount, uint32* newCount);

private:
	status_t WriteFile(const std::string& bytes);

	std::string fDataPath;
	std::string fLockPath;
	status_t fInitStatus;
};

} // namespace BPrivate

#endif

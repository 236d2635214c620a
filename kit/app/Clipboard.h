#ifndef _CLIPBOARD_H
#define _CLIPBOARD_H

#include <memory>
#include <string>

#include <Locker.h>
#include <SupportDefs.h>

class BMessage;

namespace BPrivate {
class ClipboardStore;
}

// A clipboard shared by every process of the user: its data message lives
// in a per-user store (see ClipboardStore). Lock() fetches what another
// process committed since, and takes the desktop clipboard's text (and its
// HTML, as "text/html") when some other program copied; Commit() publishes
// the data and hands its "text/plain" and "text/html" to the desktop
// clipboard. Data() is valid only while locked.
class BClipboard {
public:
	explicit BClipboard(const char* name, bool transient = false);
	virtual ~BClipboard();

	BClipboard(const BClipboard&) = delete;
	BClipboard& operator=(const BClipboard&) = delete;

	const char* Name() const { return fName.c_str(); }
	// The change count of the data held here, and of the store.
	uint32 LocalCount() const;
	uint32 SystemCount() const;

	bool Lock();
	void Unlock();
	bool IsLocked() const { return fLock.IsLocked(); }

	status_t Clear();
	status_t Commit();
	// With failIfChanged, B_ERROR when another commit came in since Lock().
	status_t Commit(bool failIfChanged);
	// Drops local changes and fetches the store's data again.
	status_t Revert();
	BMessage* Data() const;

private:
	void Download(bool force);
	bool TakeDesktopText(bool storeHasMark, const std::string& storeMark);
	status_t Upload(bool handToDesktop, uint32 expectedCount);

	std::string fName;
	BLocker fLock;
	std::unique_ptr<BMessage> fData;
	uint32 fLocalCount = 0;
	std::unique_ptr<BPrivate::ClipboardStore> fStore;
};

extern BClipboard* be_clipboard;

#endif

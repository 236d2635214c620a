#include <Clipboard.h>

#include <mutex>

#include <DisplayServer.h>
#include <Message.h>

#include "clipboard_support/ClipboardStore.h"

using BPrivate::ClipboardStore;

BClipboard* be_clipboard = nullptr;

namespace {

const char* const kTextField = "text/plain";
const char* const kHTMLField = "text/html";

// The desktop clipboard's text as this process last saw it. Text the
// process has already seen is nobody's new copy, even when the store's mark
// differs (a headless display keeps a desktop clipboard per process).
struct LastSeenDesktopText {
	std::mutex lock;
	bool valid = false;
	std::string text;
};

LastSeenDesktopText& LastSeen()
{
	static LastSeenDesktopText* lastSeen = new LastSeenDesktopText;
	return *lastSeen;
}

// Records the text as seen; true when it had been seen already.
bool NoteDesktopText(const std::string& text)
{
	LastSeenDesktopText& lastSeen = LastSeen();
	std::lock_guard<std::mutex> guard(lastSeen.lock);
	bool seen = lastSeen.valid && lastSeen.text == text;
	lastSeen.valid = true;
	lastSeen.text = text;
	return seen;
}

} // namespace

BClipboard::BClipboard(const char* name, bool)
	: fName(name != nullptr ? name : "system"),
	  fLock("clipboard"),
	  fData(std::make_unique<BMessage>()),
	  fStore(std::make_unique<ClipboardStore>(fName))
{
}

BClipboard::~BClipboard() = default;

uint32 BClipboard::LocalCount() const
{
	return fLocalCount;
}

uint32 BClipboard::SystemCount() const
{
	return fStore->Count();
}

bool BClipboard::Lock()
{
	if (!fLock.Lock())
		return false;
	if (fLock.CountLocks() == 1)
		Download(false);
	return true;
}

void BClipboard::Unlock()
{
	fLock.Unlock();
}

status_t BClipboard::Clear()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	fData->MakeEmpty();
	return B_OK;
}

status_t BClipboard::Commit()
{
	return Commit(false);
}

status_t BClipboard::Commit(bool failIfChanged)
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	return Upload(true, failIfChanged ? fLocalCount : ClipboardStore::kAnyCount);
}

status_t BClipboard::Revert()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	Download(true);
	return B_OK;
}

BMessage* BClipboard::Data() const
{
	return IsLocked() ? fData.get() : nullptr;
}

void BClipboard::Download(bool force)
{
	ClipboardStore::Contents contents;
	status_t status = fStore->Read(&contents, false);
	if (status == B_OK && (force || contents.count != fLocalCount))
		status = fStore->Read(&contents, true);
	if (status == B_OK && (force || contents.count != fLocalCount)) {
		if (contents.data.empty()
			|| fData->Unflatten(contents.data.data(), static_cast<ssize_t>(contents.data.size()))
				!= B_OK) {
			fData->MakeEmpty();
		}
		fLocalCount = contents.count;
	} else if (status != B_OK && force) {
		fData->MakeEmpty();
	}
	TakeDesktopText(status == B_OK && contents.hasDesktopMark, contents.desktopMark);
}

// When the desktop clipboard holds text that neither the last commit left
// there nor this process saw before, another program has copied since: its
// text, with its HTML, becomes the data. A program may offer HTML alone;
// the HTML then tells one copy from the next.
bool BClipboard::TakeDesktopText(bool storeHasMark, const std::string& storeMark)
{
	BPrivate::DisplayServer* display = BPrivate::DisplayServer::Default();
	std::string text;
	std::string html;
	// The HTML is asked for only once the copy is known to be new: from
	// another program it is a transfer of its own.
	bool hasText = display->GetClipboardText(&text);
	bool hasHTML = false;
	if (hasText) {
		if (NoteDesktopText(text) || (storeHasMark && text == storeMark))
			return false;
		hasHTML = display->GetClipboardHTML(&html);
	} else {
		hasHTML = display->GetClipboardHTML(&html);
		if (!hasHTML || NoteDesktopText(html))
			return false;
	}
	fData->MakeEmpty();
	if (hasText) {
		fData->AddData(kTextField, B_MIME_TYPE, text.data(), static_cast<ssize_t>(text.size()),
			false);
	}
	if (hasHTML) {
		fData->AddData(kHTMLField, B_MIME_TYPE, html.data(), static_cast<ssize_t>(html.size()),
			false);
	}
	// Published so that every process agrees on what the clipboard holds.
	Upload(false, ClipboardStore::kAnyCount);
	return true;
}

status_t BClipboard::Upload(bool handToDesktop, uint32 expectedCount)
{
	BPrivate::DisplayServer* display = BPrivate::DisplayServer::Default();
	const void* text;
	ssize_t length;
	if (handToDesktop && fData->FindData(kTextField, B_MIME_TYPE, &text, &length) == B_OK) {
		const void* html;
		ssize_t htmlLength;
		std::string desktopHTML;
		if (fData->FindData(kHTMLField, B_MIME_TYPE, &html, &htmlLength) == B_OK)
			desktopHTML.assign(static_cast<const char*>(html), htmlLength);
		display->SetClipboard(std::string(static_cast<const char*>(text), length), desktopHTML);
	}
	// What the desktop shows now, as the desktop gives it back: the mark that
	// a later Lock() compares against.
	std::string mark;
	bool hasMark = display->GetClipboardText(&mark);
	if (hasMark)
		NoteDesktopText(mark);

	std::string data(static_cast<size_t>(fData->FlattenedSize()), '\0');
	status_t status = fData->Flatten(data.data(), static_cast<ssize_t>(data.size()));
	uint32 newCount = 0;
	if (status == B_OK)
		status = fStore->Write(data, hasMark, mark, expectedCount, &newCount);
	if (status == B_OK)
		fLocalCount = newCount;
	return status;
}

#ifndef VELMORA_WINDOWED_PAGE_H
#define VELMORA_WINDOWED_PAGE_H

#include "EnginePage.h"

class BFile;
class BWindow;
class HTMLError_Window;
class HWindow;
class VWindow;

// The page as its windows see it: besides what the engine sees, the two
// editing windows and the error list, the page's state that decides what
// a window does (changed, saved, updating, going away), and the commands
// the windows give it. The page that owns the windows implements it, so
// that no window depends on the class that owns it.
class WindowedPage : public EnginePage {
public:
	using EnginePage::EnginePage;

	virtual VWindow* VisualWindow() const = 0;
	virtual HWindow* HTMLWindow() const = 0;
	virtual HTMLError_Window* HTMLErrorWindow() const = 0;

	// Regenerates the HTML text from the visual side.
	virtual void UpdateFromVisual() = 0;
	// Which window comes to the front after the HTML was read again: the
	// visual one (true, the default) or the HTML window.
	virtual void SetActivateVisual(bool visual) = 0;
	// Lists what the checker finds in the page's HTML, without rebuilding
	// anything.
	virtual void CheckHTML() = 0;
	// The HTML becomes what the checker makes of it.
	virtual void Correct() = 0;
	// An update of one side from the other is under way.
	virtual bool IsUpdating() const = 0;
	// The page is being read from its HTML, until its first part is shown:
	// the visual window's text is emptied and built again meanwhile.
	virtual bool IsReading() const = 0;
	// Stops the reading of the page file at the user's request; false when
	// the page file is not being read. Nothing of the page is shown then.
	virtual bool StopLoading() = 0;
	// The page is being deleted: its windows do no more work for it.
	virtual bool IsDeleting() const = 0;
	// The page file holds the current text.
	virtual bool IsSaved() const = 0;
	virtual void Saved() = 0;
	virtual void NotSaved() = 0;
	// An edit in one of the windows: the page is changed.
	virtual void Edited() = 0;
	// The page's slot in the application's page table: how the windows
	// name their page in what they ask of the application.
	virtual int32 Index() const = 0;
	// The user closed the page's last window: the page is closed.
	virtual void ClosePage() = 0;
	// A window of the page became the active one.
	virtual void NoteActiveWindow(BWindow* window) = 0;

	// The page file; an untitled page's is a scratch file that goes with it.
	virtual KFile* File() const = 0;
	virtual bool IsUntitled() const = 0;
	// Writes the page's current text into target, the page file by default,
	// after bringing the text into step with the side edited last. A page
	// file is replaced whole or not at all; a failure has been reported.
	virtual status_t Save(BFile* target = nullptr) = 0;
	// Save As: the page file becomes the one at path (the caller saves).
	virtual status_t SetFile(const char* path) = 0;
	// Reads the page again from its file, on the engine's thread.
	virtual void Revert() = 0;
	// Writes the page into its exchange file and starts the external editor
	// on it; what the editor saves there comes back into the page.
	virtual void ShowInExternalEditor() = 0;
	// Starts the web browser on scheme + "://" + path.
	virtual void ShowInBrowser(const char* path, const char* scheme) = 0;
};

#endif

#ifndef VELMORA_PAGE_H
#define VELMORA_PAGE_H

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "WindowedPage.h"

class BEntry;
class BFile;
class BMessageRunner;
class HTMLError_Window;
class HWindow;
class KFile;
class PageHost;
class RecoveryCopy;
class TextEncoding;
class Tidy;
class VWindow;
struct _node;

// One open HTML document: its visual, HTML and error windows, the page
// file with its two scratch files and the parser bridge, around the page
// model (PageModel) whose values they show.
//
// The HTML window's text is the truth after an edit there, the element
// list after an edit in the visual window; UpdateFromHTML() and
// UpdateFromVisual() bring the other side into step, and every save,
// preview and check does so first. The page keeps the character encoding
// its file came in: the HTML window shows the text decoded and every file
// the page writes is in that encoding again.
class Page : public WindowedPage {
public:
	Page(const char* path, int index, PageHost* app);
	~Page() override;

	void Load() override;
	// A page read only for what it writes (a batch command) is built in one
	// go: its first screen is seen by nobody, and building in parts costs.
	void BuildInParts(bool inParts) { buildInParts = inParts; }
	// Such a page's windows run without ever showing: nothing is drawn or
	// coloured, and the texts are wrapped only where lines are asked for.
	void KeepWindowsHidden();
	bool KeepsWindowsHidden() const override { return windowsHidden; }
	// A big page is shown once its first part is built; the engine's looper
	// builds the rest a part at a time.
	void BuildNextPart() override;
	void FinishBuild() override;
	// The rest is not built: the page shows the part built so far, keeps
	// its file as it is, and is not saved until it is read again.
	bool StopBuild() override;
	bool IsPartial() const { return partial.load(); }
	bool UpdateFromHTML(bool fromFile, KFile* external) override;
	void UpdateFromVisual() override;

	status_t Save(BFile* target = nullptr) override;
	status_t _Save(BFile* target = nullptr);
	// Save As: the page file becomes the one at path.
	status_t SetFile(const char* path) override;
	void Revert() override;
	void ShowInExternalEditor() override;
	void ShowInBrowser(const char* path, const char* scheme) override;
	void Saved() override;
	void NotSaved() override;
	void Edited() override;
	static void DeleteFile(BEntry* entry);

	// From now on the page keeps a recovery copy of its unsaved changes,
	// written a few seconds after the last edit and at least every minute
	// while the edits go on. A save, or a close the user agreed to,
	// removes it; a program that ends otherwise leaves it for the next
	// start.
	void KeepRecoveryCopies();
	void UpdateRecoveryCopy() override;
	// Writes the recovery copy of a changed page now, taking the windows'
	// locks for at most timeout each: B_BUSY when they stay busy.
	status_t WriteRecoveryCopy(bigtime_t timeout);
	// Takes the text of a recovery copy found at start as the page's
	// unsaved changes; the copy becomes the page's own.
	void Restore(std::unique_ptr<RecoveryCopy> copy);
	RecoveryCopy* Recovery() const { return recovery.get(); }
	// Removes the scratch files from the disk, for a program that must end
	// at once.
	void RemoveScratchFiles();

	// Asks to save a changed page and stops its long tasks; true when the
	// page may go (its owner deletes it), false when it stays open.
	bool Quit();
	// Offers to save a changed page, with no way to keep it open.
	void ForceQuit();

	void Preview() override;
	void CheckHTML() override;
	void Correct() override;

	// The presentation values, shown where the page shows them: the title
	// in the window titles, colours and background in the visual view.
	void SetTitle(const char* title) override;
	void SetColors(long which, int red, int green, int blue, int alpha) override;
	void SetBackground(const char* source) override;
	// SetBackground without the alert: false when the source names a
	// picture file that cannot be found (the page keeps the source).
	bool ApplyBackground(const char* source);

	// Reports go to the error list.
	void HTMLError(long start, long finish, const char* text, VUDAV_message_type kind) override;
	void HTMLError(const _node* node, const char* text, VUDAV_message_type kind) override;
	void HTMLError(const Visual_Element* element, const char* text,
		VUDAV_message_type kind) override;

	Visual_Engine* Engine() const override;
	std::unique_ptr<Visual_Text> MakeView(BRect frame, Visual_Engine* engine) override;
	void VisualChanged() override;
	void ResetProgress(const char* text) override;
	void ShowProgress(float value, const char* label) override;

	HWindow* HTMLWindow() const override { return htmlWindow; }
	VWindow* VisualWindow() const override { return visualWindow; }
	HTMLError_Window* HTMLErrorWindow() const override { return htmlErrorWindow; }
	KFile* File() const override { return file.get(); }
	KFile* TempFile() const { return tempFile.get(); }
	KFile* ExternalExchangeFile() const override { return externalExchangeFile.get(); }
	const char* FilePath() const override;
	Tidy* MyTidy() const { return myTidy.get(); }
	const char* Path() const { return path.c_str(); }
	int32 Index() const override { return index; }
	bool IsUpdating() const override { return updating.load(); }
	bool IsReading() const override { return reading.load() > 0; }
	bool StopLoading() override;
	bool IsUntitled() const override { return untitled; }
	bool IsDeleting() const override { return deleting.load(); }
	bool IsSaved() const override { return saved.load(); }
	void SetActivateVisual(bool visual) override { activateVisual = visual; }

	void ClosePage() override;
	void NoteActiveWindow(BWindow* window) override;

private:
	std::unique_ptr<KFile> CreateTempFile(const KFile* pageFile) const;
	void OpenPageFile(const char* pagePath);
	void ConnectErrorList();
	void UpdateWindowTitles();
	void ShowSavedState();
	bool FillTempFile(bool fromFile, KFile* external);
	bool ReadFromHTML(bool fromFile, KFile* external);
	void ReadingStopped();
	void BeginReading();
	void EndReading();
	// meanwhile: see Tidy::Parse.
	bool ParsePage(const std::function<void()>& meanwhile = nullptr);
	void ShowPageStart(bool shown);
	status_t WriteHTMLText(BFile* target);
	status_t SavePageFile();
	void WatchExchangeFile(bool watch);
	int32 AskToSave(const char* text, bool canCancel) const;
	bool RecoveryText(std::string& html, TextEncoding& encoding, bigtime_t timeout);

	std::atomic<bool> activateVisual;
	PageHost* app;						// not owned
	HWindow* htmlWindow;				// quit by the page
	VWindow* visualWindow;				// quit by the page
	HTMLError_Window* htmlErrorWindow;	// quit by the page
	std::unique_ptr<KFile> file;
	std::unique_ptr<KFile> tempFile;
	std::unique_ptr<KFile> externalExchangeFile;
	std::unique_ptr<Tidy> myTidy;
	std::string path;
	int32 index;
	std::atomic<bool> deleting;
	std::atomic<bool> saved;
	bool untitled;
	std::atomic<bool> updating;
	std::atomic<int32> reading{0};		// Load() and UpdateFromHTML() nest
	std::atomic<bool> loading{false};	// Load() reads the page file
	std::atomic<bool> buildInParts = true;
	std::atomic<bool> windowsHidden = false;
	std::atomic<bool> partial{false};		// the build was stopped
	bool startHeld = false;		// the window shows a big page's start until Load() ends
	std::unique_ptr<RecoveryCopy> recovery;
	std::unique_ptr<BMessageRunner> recoveryTicks;
	std::atomic<bool> recoveryFailureTold;
};

#endif

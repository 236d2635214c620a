#ifndef VELMORA_ENGINE_PAGE_H
#define VELMORA_ENGINE_PAGE_H

#include <memory>
#include <string>

#include <Rect.h>

#include "PageModel.h"

class KFile;
class Visual_Engine;
class Visual_Text;

// The page as its engine sees it: the page model, the engine itself, and
// the few things the engine asks of the page that shows it. The page that
// owns windows implements them; tests implement them with no windows.
class EnginePage : public PageModel {
public:
	using PageModel::PageModel;

	// The page's engine; null while the page has none.
	virtual Visual_Engine* Engine() const = 0;
	// The text the engine keeps, as the window that shows it lets the user
	// edit it. Asked for once, while the engine is made.
	virtual std::unique_ptr<Visual_Text> MakeView(BRect frame, Visual_Engine* engine) = 0;
	// An edit of the user changed the visual side.
	virtual void VisualChanged() = 0;
	// Progress of long work, where the user sees it; from any thread.
	virtual void ResetProgress(const char* text) = 0;
	virtual void ShowProgress(float value, const char* label) = 0;

	// The page's commands that the engine's looper runs in order with the
	// formatting commands.
	virtual void Load() = 0;
	virtual void Preview() = 0;
	virtual bool UpdateFromHTML(bool fromFile, KFile* external) = 0;
	virtual KFile* ExternalExchangeFile() const = 0;
	// The page's file, against which the pictures' relative paths are
	// resolved; null for a page that has none yet.
	virtual const char* FilePath() const = 0;
	// Run on the engine's looper every second while the page keeps a
	// recovery copy: writes the copy when one is due. A page without files
	// keeps none.
	virtual void UpdateRecoveryCopy() {}
	// A big page is shown before all of it is built: its engine's looper
	// builds the rest a part at a time (BuildNextPart, on "go on"
	// messages), and whatever needs the whole page (a command, an edit, a
	// save, the HTML) builds the rest at once first (FinishBuild). Nothing
	// happens for a page that is complete.
	virtual void BuildNextPart() {}
	virtual void FinishBuild() {}
	// Ends the build where it is, at the user's request; false when none
	// is under way.
	virtual bool StopBuild() { return false; }
	// The page's windows are never shown (a batch command reads it only
	// for what it writes): where its pictures stand matters to nobody.
	virtual bool KeepsWindowsHidden() const { return false; }

	// Writes the page's HTML into the HTML buffer: the lines the page
	// writes itself around the HTML of the engine's elements.
	void GenerateHTML();
	// GenerateHTML, and the HTML buffer's content with LF line ends (as the
	// HTML window holds it), under the buffer's lock; the buffer is emptied.
	HTMLBytes GeneratedHTML();
	// The page's HTML generated for a copy of the page, without changing
	// what the user sees: the HTML window's text, and the places of the
	// elements' HTML in it that the error list selects, stay as they are.
	// False when the engine or the HTML buffer stays busy for timeout.
	bool GenerateHTMLCopy(std::string& html, bigtime_t timeout);

protected:
	void RecordHTMLSpan(Visual_Element* element, long start, long finish) override;

private:
	HTMLBytes TakeBufferText();

	bool generatingCopy = false;	// under the HTML buffer's lock
};

#endif

#ifndef VELMORA_ENGINE_PAGE_H
#define VELMORA_ENGINE_PAGE_H

#include <memory>

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

	// Writes the page's HTML into the HTML buffer: the lines the page
	// writes itself around the HTML of the engine's elements.
	void GenerateHTML();

protected:
	void RecordHTMLSpan(Visual_Element* element, long start, long finish) override;
};

#endif

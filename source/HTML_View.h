#ifndef VELMORA_HTML_VIEW_H
#define VELMORA_HTML_VIEW_H

#include <string>
#include <vector>

#include <TextView.h>

#include "htmlview_support/ColoringBacklog.h"
#include "htmlview_support/SourceColorTable.h"
#include "htmlview_support/SourceColorizer.h"

class HWindow;

// The page's HTML as text, coloured by what each part of it is (see
// SourceColorizer), with LF line ends only. Every change of the text,
// typed or made by the program, tells the window that the source changed
// and colours again what it touched: the tag, entity or value the edit is
// in, and what it changes after it. A long stretch (a page loaded, a large
// paste) is coloured where it is in view at once and the rest a slice at
// a time between the window's other messages, so that a large page can be
// typed in and scrolled while it is coloured.
//
// Keys besides the text view's: F10 asks the window for the visual window
// ('shww'); Ctrl+Insert copies and Shift+Insert pastes, as on a PC
// keyboard. Lines wrap only at blanks, tabs and line ends.
class HTML_View : public BTextView {
public:
	HTML_View(BRect frame, HWindow* window);

	void KeyDown(const char* bytes, int32 numBytes) override;
	void FrameResized(float width, float height) override;
	void MessageReceived(BMessage* message) override;
	bool CanEndLine(int32 offset) override;

	// While blocked, edits keep their colours until the last block ends;
	// then what they touched is coloured. The page blocks colouring while
	// it replaces the whole text.
	void BlockColorize();
	void UnblockColorize();
	// Colours what from .. to (clamped to the text) touches. Does nothing
	// while the page is stopping; from any thread.
	void Colorize(int32 from, int32 to);
	// A hidden view colours only what its edits touch; what waits is
	// coloured once it is shown, the lines in view first. Under the
	// window's lock, once the window shows.
	void ColorizeWaiting();

	const SourceColorTable& Colors() const { return colors; }

	// The text of the page's file: the view then holds what is saved, so
	// taking it is no edit of the user's.
	void SetFileText(const std::string& text);

protected:
	void InsertText(const char* text, int32 length, int32 offset,
		const text_run_array* runs) override;
	void DeleteText(int32 start, int32 finish) override;

private:
	void Edited();
	bool IsSettledAt(int32 offset) const;
	bool IsSettledAtUnlessBlocked(int32 offset) const;
	void ColorizeEdit(int32 from, int32 to, bool settled);
	void ColorizeNow(int32 from, int32 to, bool settled);
	void ColorizeVisible();
	void ColorizeSlice();
	void ScheduleSlice();
	void VisibleRange(int32* first, int32* last) const;
	bool IsStopping() const;

	HWindow* htmlWindow;	// not owned: the window the view lives in
	SourceColorTable colors;
	int32 blockCount;
	// The first offset an edit touched while colouring was blocked; -1
	// for none.
	int32 blockedFrom;
	// What waits for its colours, and whether a slice of it is posted.
	ColoringBacklog backlog;
	bool slicePosted;
	bool takingFileText;
	// Kept between colourings so that typing allocates nothing.
	std::vector<SourceColorRun> sourceRuns;
	std::vector<color_run> colorRuns;
};

#endif

#ifndef VELMORA_HFINDER_H
#define VELMORA_HFINDER_H

#include "KFinder.h"

class HTML_View;

// The find-and-replace window of the HTML window, bound to its source
// view. A replacement is inserted as the view inserts text; "Replace all"
// colours what it changed once, at its end.
class HFinder : public KFinder {
public:
	// Starts its own message loop; it shows when asked to.
	HFinder(HTML_View* view, BWindow* window);

	HTML_View* View() const { return view; }

protected:
	BTextView* SearchedView() const override;
	int32 TypeOver(int32 start, int32 end, const std::string& replacement) override;
	void BeginReplacing(int32 from, int32 to) override;
	void EndReplacing(int32 changedFrom, int32 changedTo) override;

private:
	HTML_View* view;	// not owned: the window's
};

#endif

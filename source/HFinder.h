#ifndef VELMORA_HFINDER_H
#define VELMORA_HFINDER_H

#include "KFinder.h"

class HTML_View;

// The find-and-replace window of the HTML window, bound to its source
// view.
class HFinder : public KFinder {
public:
	// Starts its own message loop; it shows when asked to.
	HFinder(HTML_View* view, BWindow* window);

	HTML_View* View() const { return view; }

private:
	HTML_View* view;	// not owned: the window's
};

#endif

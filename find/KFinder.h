#ifndef VELMORA_KFINDER_H
#define VELMORA_KFINDER_H

#include "KWindow.h"

class KFinderView;

// The find-and-replace window of an editor window: a small window that
// floats over the window that made it, with the fields, options and
// buttons of its view. Closing it only hides it. The options follow their
// check boxes.
class KFinder : public KWindow {
public:
	// parent: the editor window; the finder floats over it.
	explicit KFinder(BWindow* parent);

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;
	void Quit() override;

	KFinderView* View() const { return view; }
	bool IsCaseSensitive() const { return caseSensitive; }
	bool IsWholeWord() const { return wholeWord; }
	bool Wraps() const { return wrap; }

protected:
	BWindow* parent;	// not owned: the editor window

private:
	KFinderView* view;	// a child of the window
	bool caseSensitive;
	bool wholeWord;
	bool wrap;
};

#endif

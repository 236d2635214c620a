#ifndef VELMORA_VFINDER_H
#define VELMORA_VFINDER_H

#include "KFinder.h"

class Visual_Engine;

// The find-and-replace window of the visual window, bound to the text of
// the page's engine. A match never begins, ends or runs inside an
// element's space (the placeholder characters of pictures, rules and
// breaks are not text), and the text's non-breaking space matches a
// non-breaking space of the find text only. A replacement is typed by the
// visual view's key rules; "Replace all" places the element views and
// restyles what it changed once, at its end.
class VFinder : public KFinder {
public:
	// Starts its own message loop; it shows when asked to.
	VFinder(Visual_Engine* engine, BWindow* window);

	Visual_Engine* Engine() const { return engine; }

protected:
	BTextView* SearchedView() const override;
	bool MayMatch(int32 start, int32 end) const override;
	void AdaptPattern(FindPattern& pattern) const override;
	int32 TypeOver(int32 start, int32 end, const std::string& replacement) override;
	void BeginReplacing(int32 from, int32 to) override;
	void EndReplacing(int32 changedFrom, int32 changedTo) override;

private:
	Visual_Engine* engine;	// not owned: the window's
};

#endif

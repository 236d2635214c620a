#ifndef VELMORA_KBOTTOM_BAR_H
#define VELMORA_KBOTTOM_BAR_H

#include <View.h>

class BStringView;
class BWindow;
class KLowStatusBar;

// The strip along the bottom of an editor window: a one-line status text
// and, when asked for, a thin progress bar at its right end. It adds itself
// to the window, spanning its width and following its bottom edge, so that
// the window can lay its other views out above Frame() at once.
//
// Like every view it is used under its window's lock; other threads lock
// the window (or the bar's looper) first.
class KBottomBar : public BView {
public:
	// What an editor window takes to show a string "text" in its bottom bar.
	static constexpr uint32 kShowTextCommand = 'sbtx';

	// The caller holds the window's lock (a window under construction is
	// locked by its creator).
	KBottomBar(BWindow* window, bool statusBar, const char* text);
	~KBottomBar() override;

	void Draw(BRect updateRect) override;

	void SetText(const char* text);
	const char* Text() const;
	// The progress bar; null when the bar was made without one.
	KLowStatusBar* StatusBar() const { return fStatusBar; }
	// Moves the progress bar by delta and shows text in it.
	void UpdateStatusBar(float delta, const char* text = NULL);

	// The height every bottom bar has.
	static float Height();

private:
	BStringView* fText;             // a child
	KLowStatusBar* fStatusBar;      // a child, or null
};

#endif

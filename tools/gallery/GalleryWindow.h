#ifndef GALLERY_WINDOW_H
#define GALLERY_WINDOW_H

#include <Window.h>

class KBBar;

// One window with every control: a tool bar, buttons, check boxes, string
// views, boxes of each border, a colour control, status bars, text controls,
// a text view in a scroll view and the bottom bar. Its "Show alert…" button opens a warning alert.
class GalleryWindow : public BWindow {
public:
	GalleryWindow();

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

private:
	KBBar* _AddToolBar();
	void _AddButtons(BView* panel, BRect frame);
	void _AddCheckBoxes(BView* panel, BRect frame);
	void _AddTexts(BView* panel, BRect frame);
	void _AddColors(BView* panel, BRect frame);
	void _AddProgress(BView* panel, BRect frame);
	void _AddTextControls(BView* panel, BRect frame);
	void _AddTextView(BView* panel, BRect frame);
};

#endif

#ifndef VELMORA_KBBAR_BUTTON_H
#define VELMORA_KBBAR_BUTTON_H

#include <memory>
#include <string>

#include <Button.h>

#include "KBBarItem.h"

class BBitmap;
class BLooper;

// A tool bar button: its bitmap inside a bevelled grey frame, lighter while
// the pointer is over it and sunken while it is held. A click sends a
// message with the command code to the target looper, or to the window
// when there is none. Its preferred size is the bitmap's right and bottom
// edges plus 2 (2 by 2 without a bitmap).
//
// A button can have a hint, a few words saying what it does: while the
// pointer is over the button its window is asked to show the hint in its
// bottom bar (KBottomBar::kShowTextCommand), and to clear it when the
// pointer leaves.
class KBBarButton : public BButton, public KBBarItem {
public:
	// Takes the bitmap. flags are the view's (B_NAVIGABLE lets it take
	// the keyboard focus).
	KBBarButton(const char* name, BBitmap* bitmap, uint32 command, BLooper* target = NULL,
		uint32 flags = B_WILL_DRAW);
	~KBBarButton() override;

	BView* View() override { return this; }
	void Draw(BRect updateRect) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void GetPreferredSize(float* width, float* height) override;

	const BBitmap* Bitmap() const { return fBitmap.get(); }
	bool IsHovered() const { return fHovered; }
	void SetHint(const char* hint) { fHint = hint != nullptr ? hint : ""; }
	const char* Hint() const { return fHint.c_str(); }

private:
	void _ShowHint(bool show);

	std::unique_ptr<BBitmap> fBitmap;
	std::string fHint;
	bool fHovered = false;
};

#endif

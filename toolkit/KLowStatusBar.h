#ifndef VELMORA_KLOW_STATUS_BAR_H
#define VELMORA_KLOW_STATUS_BAR_H

#include <StatusBar.h>

// A status bar in a low, compact style for the bottom of a window: the bar
// fills the view and its label and text are written over it in a small
// font.
class KLowStatusBar : public BStatusBar {
public:
	KLowStatusBar(BRect frame, const char* name,
		uint32 resizingMode = B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	~KLowStatusBar() override;

	void Draw(BRect updateRect) override;
	void GetPreferredSize(float* width, float* height) override;

	// The font of the bottom bar's texts.
	static BFont SmallFont();

protected:
	BRect BarFrame() const override { return Bounds(); }
};

#endif

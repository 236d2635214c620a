#ifndef VELMORA_KBBAR_SEPARATOR_H
#define VELMORA_KBBAR_SEPARATOR_H

#include <View.h>

#include "KBBarItem.h"

// Room between groups of tool bar items: an etched upright line, or only
// a gap. Its preferred size is 1 by 6; the bar stretches it to its inner
// height.
class KBBarSeparator : public BView, public KBBarItem {
public:
	explicit KBBarSeparator(bool drawLine = true);
	~KBBarSeparator() override;

	BView* View() override { return this; }
	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void GetPreferredSize(float* width, float* height) override;

	bool DrawsLine() const { return fDrawLine; }

private:
	bool fDrawLine;
};

#endif

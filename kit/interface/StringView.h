#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <string>

#include <View.h>

// One line of text on the panel, aligned left, right or centred and centred
// vertically; cut short with "…" when it does not fit.
class BStringView : public BView {
public:
	BStringView(BRect frame, const char* name, const char* text,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = B_WILL_DRAW);
	~BStringView() override;

	// Takes its parent's colours when attached, unless it was given a view
	// colour of its own.
	void AttachedToWindow() override;
	void SetViewColor(rgb_color color) override;
	using BView::SetViewColor;
	void Draw(BRect updateRect) override;
	void GetPreferredSize(float* width, float* height) override;

	void SetText(const char* text);
	const char* Text() const { return fText.c_str(); }
	void SetAlignment(alignment flag);
	alignment Alignment() const { return fAlign; }

private:
	std::string fText;
	alignment fAlign = B_ALIGN_LEFT;
	bool fHasOwnColor = false;
};

#endif

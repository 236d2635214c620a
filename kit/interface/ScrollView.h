#ifndef _SCROLL_VIEW_H
#define _SCROLL_VIEW_H

#include <ScrollBar.h>

// Wraps a target view with a border and optional scroll bars that scroll
// it. The scroll view takes the target's place: its frame is the target's
// frame grown by the border and the bars, and the target moves inside it.
// The target and the bars become its children (deleted with it); the bars
// follow the scroll view's right and bottom edges when it is resized.
class BScrollView : public BView {
public:
	BScrollView(const char* name, BView* target,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = 0,
		bool horizontal = false, bool vertical = false, border_style border = B_FANCY_BORDER);
	~BScrollView() override;

	void Draw(BRect updateRect) override;
	void FrameResized(float width, float height) override;

	BScrollBar* ScrollBar(orientation direction) const;
	BView* Target() const;

	void SetBorder(border_style border);
	border_style Border() const;
	// A fancy border shows the keyboard focus of its target; B_ERROR for
	// the other borders.
	status_t SetBorderHighlighted(bool highlighted);
	bool IsBorderHighlighted() const;

private:
	static float _BorderSize(border_style border);
	static BRect _FrameAround(BView* target, bool horizontal, bool vertical,
		border_style border);
	void _Layout();
	void _InvalidateBorder();

	BView* fTarget;                 // a child, deleted with the view
	BScrollBar* fHorizontal = nullptr;  // children as well
	BScrollBar* fVertical = nullptr;
	border_style fBorder;
	bool fHighlighted = false;
};

#endif

#ifndef _BOX_H
#define _BOX_H

#include <View.h>
#include <control_support/OptionalText.h>

// A frame around a group of views, with an optional bold label set into its
// top edge. Its children are placed in its own coordinates.
class BBox : public BView {
public:
	BBox(BRect frame, const char* name = NULL,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP,
		border_style border = B_FANCY_BORDER);
	~BBox() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void FrameResized(float width, float height) override;

	virtual void SetBorder(border_style border);
	border_style Border() const { return fBorder; }
	void SetLabel(const char* label);
	const char* Label() const;

private:
	// Where the top edge of the frame runs: through the middle of the label.
	float _TopEdge() const;

	BPrivate::OptionalText fLabel;
	border_style fBorder;
};

#endif

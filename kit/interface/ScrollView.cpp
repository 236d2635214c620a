#include <ScrollView.h>

#include <algorithm>

namespace {

// A sunken border in the shared light grey look; the keyboard's colour
// lights its inner ring while the target has the focus.
rgb_color Panel() { return ui_color(B_PANEL_BACKGROUND_COLOR); }
rgb_color OuterShadow() { return tint_color(Panel(), B_DARKEN_2_TINT); }
rgb_color OuterLight() { return ui_color(B_SHINE_COLOR); }
rgb_color InnerShadow() { return tint_color(Panel(), B_DARKEN_4_TINT); }
rgb_color InnerLight() { return Panel(); }
rgb_color FocusColor() { return ui_color(B_KEYBOARD_NAVIGATION_COLOR); }

} // namespace

BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode, uint32 flags,
	bool horizontal, bool vertical, border_style border)
	:
	BView(_FrameAround(target, horizontal, vertical, border), name, resizingMode,
		flags | B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(target),
	fBorder(border)
{
	if (fTarget != nullptr)
		AddChild(fTarget);
	if (horizontal) {
		fHorizontal = new BScrollBar(BRect(0, 0, 1, B_H_SCROLL_BAR_HEIGHT - 1), "_HSB_", fTarget,
			0, 1000, B_HORIZONTAL);
		AddChild(fHorizontal);
	}
	if (vertical) {
		fVertical = new BScrollBar(BRect(0, 0, B_V_SCROLL_BAR_WIDTH - 1, 1), "_VSB_", fTarget, 0,
			1000, B_VERTICAL);
		AddChild(fVertical);
	}
	_Layout();
}

BScrollView::~BScrollView() = default;

float BScrollView::_BorderSize(border_style border)
{
	switch (border) {
		case B_FANCY_BORDER: return 2;
		case B_PLAIN_BORDER: return 1;
		default: return 0;
	}
}

BRect BScrollView::_FrameAround(BView* target, bool horizontal, bool vertical,
	border_style border)
{
	BRect frame = target != nullptr ? target->Frame() : BRect(0, 0, 0, 0);
	float size = _BorderSize(border);
	frame.InsetBy(-size, -size);
	if (vertical)
		frame.right += B_V_SCROLL_BAR_WIDTH;
	if (horizontal)
		frame.bottom += B_H_SCROLL_BAR_HEIGHT;
	return frame;
}

// The target fills the inside of the border, less the bars' room; the
// vertical bar takes the right edge, the horizontal one the bottom.
void BScrollView::_Layout()
{
	BRect inside = Bounds().InsetByCopy(_BorderSize(fBorder), _BorderSize(fBorder));
	BRect target = inside;
	if (fVertical != nullptr)
		target.right -= B_V_SCROLL_BAR_WIDTH;
	if (fHorizontal != nullptr)
		target.bottom -= B_H_SCROLL_BAR_HEIGHT;
	if (fTarget != nullptr) {
		fTarget->MoveTo(target.LeftTop());
		fTarget->ResizeTo(target.Width(), target.Height());
	}
	if (fVertical != nullptr) {
		fVertical->MoveTo(target.right + 1, inside.top);
		fVertical->ResizeTo(B_V_SCROLL_BAR_WIDTH - 1, target.Height());
	}
	if (fHorizontal != nullptr) {
		fHorizontal->MoveTo(inside.left, target.bottom + 1);
		fHorizontal->ResizeTo(target.Width(), B_H_SCROLL_BAR_HEIGHT - 1);
	}
}

void BScrollView::Draw(BRect)
{
	BRect bounds = Bounds();
	if (fHorizontal != nullptr && fVertical != nullptr) {
		BRect corner(fVertical->Frame().left, fHorizontal->Frame().top, fVertical->Frame().right,
			fHorizontal->Frame().bottom);
		SetHighColor(Panel());
		FillRect(corner);
	}
	switch (fBorder) {
		case B_FANCY_BORDER:
			BPrivate::StrokeFrame(this, bounds, OuterShadow(), OuterLight());
			if (fHighlighted)
				BPrivate::StrokeFrame(this, bounds.InsetByCopy(1, 1), FocusColor(), FocusColor());
			else
				BPrivate::StrokeFrame(this, bounds.InsetByCopy(1, 1), InnerShadow(), InnerLight());
			break;
		case B_PLAIN_BORDER:
			BPrivate::StrokeFrame(this, bounds, OuterShadow(), OuterShadow());
			break;
		default:
			break;
	}
}

void BScrollView::FrameResized(float, float)
{
	_InvalidateBorder();
}

// Only the border and the corner are the scroll view's own pixels;
// invalidating all of it would redraw the target and the bars as well.
void BScrollView::_InvalidateBorder()
{
	BRect bounds = Bounds();
	float size = _BorderSize(fBorder);
	if (size > 0) {
		Invalidate(BRect(bounds.left, bounds.top, bounds.right, bounds.top + size - 1));
		Invalidate(BRect(bounds.left, bounds.bottom - size + 1, bounds.right, bounds.bottom));
		Invalidate(BRect(bounds.left, bounds.top, bounds.left + size - 1, bounds.bottom));
		Invalidate(BRect(bounds.right - size + 1, bounds.top, bounds.right, bounds.bottom));
	}
	if (fHorizontal != nullptr && fVertical != nullptr) {
		Invalidate(BRect(fVertical->Frame().left, fHorizontal->Frame().top,
			fVertical->Frame().right, fHorizontal->Frame().bottom));
	}
}

BScrollBar* BScrollView::ScrollBar(orientation direction) const
{
	return direction == B_VERTICAL ? fVertical : fHorizontal;
}

BView* BScrollView::Target() const
{
	return fTarget;
}

void BScrollView::SetBorder(border_style border)
{
	if (border == fBorder)
		return;
	fBorder = border;
	if (border != B_FANCY_BORDER)
		fHighlighted = false;
	_Layout();
	_InvalidateBorder();
}

border_style BScrollView::Border() const
{
	return fBorder;
}

status_t BScrollView::SetBorderHighlighted(bool highlighted)
{
	if (fBorder != B_FANCY_BORDER)
		return B_ERROR;
	if (highlighted != fHighlighted) {
		fHighlighted = highlighted;
		_InvalidateBorder();
	}
	return B_OK;
}

bool BScrollView::IsBorderHighlighted() const
{
	return fHighlighted;
}

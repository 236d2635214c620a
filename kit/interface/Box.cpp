#include <Box.h>

#include <algorithm>
#include <cmath>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

namespace {

// Where the label starts, and the room left on each side of it in the line.
const float kLabelIndent = 10;
const float kLabelPadding = 3;

} // namespace

BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	border_style border)
	: BView(frame, name, resizingMode, flags | B_FRAME_EVENTS),
	  fBorder(border)
{
	SetFont(be_bold_font);
}

BBox::~BBox() = default;

void BBox::AttachedToWindow()
{
	rgb_color color = ControlLook::ParentPanelColor(this);
	SetViewColor(color);
	SetLowColor(color);
}

float BBox::_TopEdge() const
{
	if (Label() == nullptr)
		return Bounds().top;
	BFont font;
	GetFont(&font);
	font_height height;
	font.GetHeight(&height);
	return Bounds().top + std::floor((height.ascent + height.descent) / 2);
}

void BBox::Draw(BRect)
{
	BRect frame = Bounds();
	frame.top = _TopEdge();
	ControlLook::DrawGroupFrame(this, frame, fBorder);
	if (Label() == nullptr)
		return;
	BFont font;
	GetFont(&font);
	float width = std::ceil(font.StringWidth(Label()));
	BRect labelRect(kLabelIndent, Bounds().top, kLabelIndent + width - 1,
		Bounds().top + ControlLook::LineHeight(font) - 1);
	labelRect.right = std::min(labelRect.right, Bounds().right - kLabelIndent);
	// The label interrupts the frame's top edge.
	SetHighColor(LowColor());
	FillRect(labelRect.InsetByCopy(-kLabelPadding, 0));
	ControlLook::DrawLabel(this, Label(), labelRect, B_ALIGN_LEFT, 0);
}

void BBox::FrameResized(float, float)
{
	// The frame's right and bottom edges moved.
	Invalidate();
}

void BBox::SetBorder(border_style border)
{
	if (border == fBorder)
		return;
	fBorder = border;
	Invalidate();
}

void BBox::SetLabel(const char* label)
{
	if (fLabel.Set(label))
		Invalidate();
}

const char* BBox::Label() const
{
	return fLabel.Get();
}

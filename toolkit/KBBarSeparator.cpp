#include "KBBarSeparator.h"

#include <control_support/ControlLook.h>

using BPrivate::ControlLook;

KBBarSeparator::KBBarSeparator(bool drawLine)
	: BView(BRect(0, 0, 1, 6), "ButtonBarSeparator", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
	  fDrawLine(drawLine)
{
	SetViewColor(216, 216, 216);
}

KBBarSeparator::~KBBarSeparator() = default;

void KBBarSeparator::AttachedToWindow()
{
	// A gap shows the bar behind it.
	if (!fDrawLine && Parent() != nullptr)
		SetViewColor(Parent()->ViewColor());
}

void KBBarSeparator::Draw(BRect)
{
	if (!fDrawLine)
		return;
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	BeginLineArray(2);
	AddLine(bounds.LeftTop(), bounds.LeftBottom(), ControlLook::ShadowOf(base));
	AddLine(BPoint(bounds.left + 1, bounds.top), BPoint(bounds.left + 1, bounds.bottom),
		ControlLook::ShineOf(base));
	EndLineArray();
}

void KBBarSeparator::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = 1;
	if (height != nullptr)
		*height = 6;
}

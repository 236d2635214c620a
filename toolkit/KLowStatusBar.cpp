#include "KLowStatusBar.h"

#include <string>

#include <control_support/ControlLook.h>

using BPrivate::ControlLook;

KLowStatusBar::KLowStatusBar(BRect frame, const char* name, uint32 resizingMode)
	: BStatusBar(frame, name)
{
	SetResizingMode(resizingMode);
	BFont small = SmallFont();
	SetFont(&small);
	SetBarHeight(frame.Height() + 1);
}

KLowStatusBar::~KLowStatusBar() = default;

BFont KLowStatusBar::SmallFont()
{
	BFont font(be_plain_font);
	font.SetSize(10);
	return font;
}

void KLowStatusBar::Draw(BRect)
{
	BRect bounds = Bounds();
	ControlLook::DrawProgressBar(this, bounds, Fraction(), BarColor());
	std::string text = std::string(Label()) + Text();
	ControlLook::DrawLabel(this, text.c_str(), bounds.InsetByCopy(4, 1), B_ALIGN_LEFT, 0);
}

void KLowStatusBar::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (width != nullptr)
		*width = Bounds().Width();
	if (height != nullptr)
		*height = ControlLook::LineHeight(font) + 4 - 1;
}

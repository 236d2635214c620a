#include <StringView.h>

#include <cmath>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

BStringView::BStringView(BRect frame, const char* name, const char* text, uint32 resizingMode,
	uint32 flags)
	: BView(frame, name, resizingMode, flags),
	  fText(text != nullptr ? text : "")
{
}

BStringView::~BStringView() = default;

void BStringView::AttachedToWindow()
{
	if (fHasOwnColor)
		return;
	rgb_color color = ControlLook::ParentPanelColor(this);
	BView::SetViewColor(color);
	SetLowColor(color);
}

void BStringView::SetViewColor(rgb_color color)
{
	fHasOwnColor = true;
	BView::SetViewColor(color);
}

void BStringView::Draw(BRect)
{
	// In the view's high colour, so that callers may colour the text.
	ControlLook::DrawText(this, fText.c_str(), Bounds(), fAlign);
}

void BStringView::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (width != nullptr)
		*width = std::ceil(font.StringWidth(fText.c_str()));
	if (height != nullptr)
		*height = ControlLook::LineHeight(font) - 1;
}

void BStringView::SetText(const char* text)
{
	std::string newText = text != nullptr ? text : "";
	if (newText == fText)
		return;
	fText = std::move(newText);
	Invalidate();
}

void BStringView::SetAlignment(alignment flag)
{
	if (flag == fAlign)
		return;
	fAlign = flag;
	Invalidate();
}

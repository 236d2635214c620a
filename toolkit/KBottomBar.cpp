#include "KBottomBar.h"

#include <algorithm>
#include <cmath>

#include <StringView.h>
#include <Window.h>

#include <control_support/ControlLook.h>

#include "KLowStatusBar.h"

using BPrivate::ControlLook;

namespace {

// The progress bar's share of the strip, and its widest.
const float kStatusBarShare = 0.35f;
const float kStatusBarWidest = 220;
const float kInset = 4;

BRect StripFrame(BWindow* window)
{
	BRect frame = window->Bounds();
	frame.top = frame.bottom - KBottomBar::Height() + 1;
	return frame;
}

} // namespace

KBottomBar::KBottomBar(BWindow* window, bool statusBar, const char* text)
	: BView(StripFrame(window), "KBottomBar", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW | B_FRAME_EVENTS),
	  fText(nullptr),
	  fStatusBar(nullptr)
{
	SetViewColor(ControlLook::PanelColor());
	BRect bounds = Bounds();
	BFont small = KLowStatusBar::SmallFont();
	float textRight = bounds.right - kInset;
	if (statusBar) {
		float width = std::min(std::floor(bounds.Width() * kStatusBarShare), kStatusBarWidest);
		BRect barFrame(bounds.right - kInset - width, bounds.top + 3, bounds.right - kInset,
			bounds.bottom - 2);
		fStatusBar = new KLowStatusBar(barFrame, "KLowStatusBar");
		AddChild(fStatusBar);
		textRight = barFrame.left - 2 * kInset;
	}
	fText = new BStringView(BRect(bounds.left + kInset, bounds.top + 2, textRight,
		bounds.bottom - 1), "KBottomBarText", text, B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
	fText->SetFont(&small);
	AddChild(fText);
	window->AddChild(this);
}

KBottomBar::~KBottomBar() = default;

float KBottomBar::Height()
{
	return ControlLook::LineHeight(KLowStatusBar::SmallFont()) + 8;
}

void KBottomBar::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	BeginLineArray(2);
	AddLine(bounds.LeftTop(), bounds.RightTop(), ControlLook::ShadowOf(base));
	AddLine(BPoint(bounds.left, bounds.top + 1), BPoint(bounds.right, bounds.top + 1),
		ControlLook::ShineOf(base));
	EndLineArray();
}

void KBottomBar::SetText(const char* text)
{
	fText->SetText(text);
}

const char* KBottomBar::Text() const
{
	return fText->Text();
}

void KBottomBar::UpdateStatusBar(float delta, const char* text)
{
	if (fStatusBar != nullptr)
		fStatusBar->Update(delta, text);
}

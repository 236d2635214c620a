#include "AlertPanel.h"

#include "AlertIcons.h"
#include "ControlLook.h"

namespace BPrivate {

const float AlertPanel::kMargin = 12;

namespace {

const float kStripeWidth = 30;
const float kIconLeft = 18;
const float kIconSize = 32;

} // namespace

AlertPanel::AlertPanel(BRect frame, alert_type type)
	: BView(frame, "AlertPanel", B_FOLLOW_ALL, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE),
	  fType(type)
{
	SetViewColor(ControlLook::PanelColor());
	SetLowColor(ControlLook::PanelColor());
}

float AlertPanel::TextLeft() const
{
	return fType == B_EMPTY_ALERT ? kMargin : kIconLeft + kIconSize + kMargin;
}

float AlertPanel::IconBottom() const
{
	return fType == B_EMPTY_ALERT ? 0 : kMargin + kIconSize;
}

void AlertPanel::Draw(BRect)
{
	if (fType == B_EMPTY_ALERT)
		return;
	BRect bounds = Bounds();
	SetHighColor(tint_color(ControlLook::PanelColor(), B_DARKEN_1_TINT));
	FillRect(BRect(bounds.left, bounds.top, bounds.left + kStripeWidth - 1, bounds.bottom));
	DrawAlertIcon(this, fType, BRect(kIconLeft, kMargin, kIconLeft + kIconSize - 1,
		kMargin + kIconSize - 1));
}

} // namespace BPrivate

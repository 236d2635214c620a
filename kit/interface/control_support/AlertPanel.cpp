#include "AlertPanel.h"

#include <algorithm>
#include <cmath>

#include "AlertIcons.h"
#include "ControlLook.h"
#include "TextWrapping.h"

namespace BPrivate {

const float AlertPanel::kMargin = 12;

namespace {

const float kStripeWidth = 30;
const float kIconLeft = 18;
const float kIconSize = 32;

// Tabs draw as boxes and carriage returns as nothing useful: the text is
// laid out with spaces and line feeds only.
std::string Plain(const std::string& text)
{
	std::string plain;
	plain.reserve(text.size());
	for (char c : text) {
		if (c == '\t')
			plain += ' ';
		else if (c != '\r')
			plain += c;
	}
	return plain;
}

} // namespace

AlertPanel::AlertPanel(BRect frame, alert_type type, const std::string& text)
	: BView(frame, "AlertPanel", B_FOLLOW_ALL, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE),
	  fType(type),
	  fText(Plain(text))
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

float AlertPanel::WrapTo(float panelWidth)
{
	BFont font;
	GetFont(&font);
	float width = std::max(panelWidth - TextLeft() - kMargin, 20.0f);
	fLines = WrapText(fText, font, width);
	return fLines.size() * ControlLook::LineHeight(font);
}

void AlertPanel::Draw(BRect)
{
	if (fType != B_EMPTY_ALERT) {
		BRect bounds = Bounds();
		SetHighColor(tint_color(ControlLook::PanelColor(), B_DARKEN_1_TINT));
		FillRect(BRect(bounds.left, bounds.top, bounds.left + kStripeWidth - 1, bounds.bottom));
		DrawAlertIcon(this, fType, BRect(kIconLeft, kMargin, kIconLeft + kIconSize - 1,
			kMargin + kIconSize - 1));
	}
	BFont font;
	GetFont(&font);
	float lineHeight = ControlLook::LineHeight(font);
	BRect line(TextLeft(), kMargin, Bounds().right - kMargin, kMargin + lineHeight - 1);
	for (const std::string& text : fLines) {
		ControlLook::DrawLabel(this, text.c_str(), line, B_ALIGN_LEFT, 0);
		line.OffsetBy(0, lineHeight);
	}
}

} // namespace BPrivate

#include <StatusBar.h>

#include <algorithm>
#include <cmath>

#include <Message.h>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

namespace {

// Room between the text line and the bar.
const float kTextGap = 3;

std::string TextOf(const char* string)
{
	return string != nullptr ? string : "";
}

} // namespace

BStatusBar::BStatusBar(BRect frame, const char* name, const char* label,
	const char* trailingLabel)
	: BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_FRAME_EVENTS),
	  fLabel(TextOf(label)),
	  fTrailingLabel(TextOf(trailingLabel)),
	  fBarColor(make_color(50, 150, 255))
{
}

BStatusBar::~BStatusBar() = default;

void BStatusBar::AttachedToWindow()
{
	rgb_color color = ControlLook::ParentPanelColor(this);
	SetViewColor(color);
	SetLowColor(color);
}

bool BStatusBar::HasTextLine() const
{
	return !fLabel.empty() || !fText.empty() || !fTrailingText.empty()
		|| !fTrailingLabel.empty();
}

BRect BStatusBar::BarFrame() const
{
	BRect bar = Bounds();
	if (HasTextLine()) {
		BFont font;
		GetFont(&font);
		bar.top += ControlLook::LineHeight(font) + kTextGap;
	}
	bar.bottom = std::min(bar.bottom, bar.top + fBarHeight - 1);
	return bar;
}

float BStatusBar::Fraction() const
{
	return fMax > 0 ? fCurrent / fMax : 0;
}

void BStatusBar::Draw(BRect)
{
	if (HasTextLine()) {
		BFont font;
		GetFont(&font);
		BRect line = Bounds();
		line.bottom = line.top + ControlLook::LineHeight(font) - 1;
		std::string left = fLabel + fText;
		std::string right = fTrailingText + fTrailingLabel;
		float rightWidth = std::ceil(font.StringWidth(right.c_str()));
		BRect leftRect = line;
		if (!right.empty())
			leftRect.right = std::max(line.left, line.right - rightWidth - 8);
		ControlLook::DrawLabel(this, left.c_str(), leftRect, B_ALIGN_LEFT, 0);
		ControlLook::DrawLabel(this, right.c_str(), line, B_ALIGN_RIGHT, 0);
	}
	ControlLook::DrawProgressBar(this, BarFrame(), Fraction(), fBarColor);
}

void BStatusBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_UPDATE_STATUS_BAR:
		{
			float delta = 0;
			const char* text = nullptr;
			const char* trailingText = nullptr;
			message->FindFloat("delta", &delta);
			message->FindString("text", &text);
			message->FindString("trailing_text", &trailingText);
			Update(delta, text, trailingText);
			break;
		}
		case B_RESET_STATUS_BAR:
		{
			const char* label = nullptr;
			const char* trailingLabel = nullptr;
			message->FindString("label", &label);
			message->FindString("trailing_label", &trailingLabel);
			Reset(label, trailingLabel);
			break;
		}
		default:
			BView::MessageReceived(message);
			break;
	}
}

void BStatusBar::FrameResized(float, float)
{
	// The trailing texts and the bar's end moved.
	Invalidate();
}

void BStatusBar::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	if (width != nullptr) {
		std::string texts = fLabel + fText + fTrailingText + fTrailingLabel;
		*width = std::max(std::ceil(font.StringWidth(texts.c_str())) + 8, Bounds().Width());
	}
	if (height != nullptr) {
		float line = HasTextLine() ? ControlLook::LineHeight(font) + kTextGap : 0;
		*height = line + fBarHeight - 1;
	}
}

void BStatusBar::SetBarColor(rgb_color color)
{
	fBarColor = color;
	Invalidate();
}

void BStatusBar::SetBarHeight(float height)
{
	fBarHeight = std::max(height, 3.0f);
	Invalidate();
}

void BStatusBar::SetText(const char* string)
{
	_SetString(fText, string);
}

void BStatusBar::SetTrailingText(const char* string)
{
	_SetString(fTrailingText, string);
}

void BStatusBar::_SetString(std::string& field, const char* string)
{
	std::string text = TextOf(string);
	if (text == field)
		return;
	field = std::move(text);
	Invalidate();
}

void BStatusBar::SetMaxValue(float max)
{
	fMax = std::max(max, 0.0f);
	fCurrent = std::min(fCurrent, fMax);
	Invalidate();
}

void BStatusBar::Update(float delta, const char* text, const char* trailingText)
{
	SetTo(fCurrent + delta, text, trailingText);
}

void BStatusBar::SetTo(float value, const char* text, const char* trailingText)
{
	if (text != nullptr)
		SetText(text);
	if (trailingText != nullptr)
		SetTrailingText(trailingText);
	if (std::isnan(value))
		return;
	value = std::clamp(value, 0.0f, fMax);
	if (value == fCurrent)
		return;
	fCurrent = value;
	Invalidate(BarFrame());
}

void BStatusBar::Reset(const char* label, const char* trailingLabel)
{
	fLabel = TextOf(label);
	fTrailingLabel = TextOf(trailingLabel);
	fText.clear();
	fTrailingText.clear();
	fCurrent = 0;
	fMax = 100;
	Invalidate();
}

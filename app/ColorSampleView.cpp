#include "ColorSampleView.h"

#include <Autolock.h>
#include <Font.h>

#include "Page.h"
#include "Visual_Engine.h"

namespace {

const char kText[] = "Text ";
const char kLink[] = "link";
constexpr float kMargin = 5;

// At least as wide as the words plus the margins, as high as a line plus
// the margins.
BRect LargeEnough(BRect frame)
{
	font_height height;
	be_plain_font->GetHeight(&height);
	float wide = be_plain_font->StringWidth("Text link") + 2 * kMargin;
	float high = height.ascent + height.descent + height.leading + 2 * kMargin;
	if (frame.Width() < wide)
		frame.right = frame.left + wide;
	if (frame.Height() < high)
		frame.bottom = frame.top + high;
	return frame;
}

} // namespace

ColorSampleView::ColorSampleView(BRect frame, Page* page)
	:
	BView(LargeEnough(frame), "colorsample", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
	page(page)
{
	TakePageColors();
}

void ColorSampleView::AttachedToWindow()
{
	BView::AttachedToWindow();
	Reset();
}

void ColorSampleView::TakePageColors()
{
	BAutolock lock(page->Engine());
	textColor = *page->TextColor();
	linkColor = *page->LinkColor();
	backgroundColor = *page->BackgroundColor();
}

void ColorSampleView::Reset()
{
	TakePageColors();
	SetViewColor(backgroundColor);
	SetLowColor(backgroundColor);
	if (Window() != nullptr)
		Invalidate();
}

void ColorSampleView::Draw(BRect)
{
	BRect bounds = Bounds();
	SetHighColor(backgroundColor);
	FillRect(bounds);
	font_height height;
	GetFontHeight(&height);
	BPoint pen(kMargin, kMargin + height.ascent);
	SetHighColor(textColor);
	DrawString(kText, pen);
	pen.x += StringWidth(kText);
	SetHighColor(linkColor);
	DrawString(kLink, pen);
	float underline = pen.y + 1;
	StrokeLine(BPoint(pen.x, underline), BPoint(pen.x + StringWidth(kLink), underline));
	SetHighColor(0, 0, 0);
	StrokeRect(bounds);
}

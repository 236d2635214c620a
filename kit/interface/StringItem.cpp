#include <StringItem.h>

#include <cmath>

#include <Font.h>
#include <InterfaceDefs.h>
#include <View.h>

namespace {

// Room left of the text, and above and below it.
const float kTextInset = 4;
const float kLineSpacing = 1;

} // namespace

BStringItem::BStringItem(const char* text, uint32 outlineLevel, bool expanded)
	: BListItem(outlineLevel, expanded),
	  fText(text != nullptr ? text : ""),
	  fHasText(text != nullptr)
{
}

BStringItem::~BStringItem() = default;

void BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	if (IsSelected() || complete) {
		owner->SetHighColor(IsSelected() ? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR)
			: owner->ViewColor());
		owner->FillRect(frame);
	}
	DrawText(owner, frame, frame.left + kTextInset);
}

void BStringItem::DrawText(BView* owner, BRect frame, float x)
{
	rgb_color background = IsSelected() ? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR)
		: owner->ViewColor();
	rgb_color text = ui_color(IsSelected() ? B_LIST_SELECTED_ITEM_TEXT_COLOR : B_LIST_ITEM_TEXT_COLOR);
	owner->SetHighColor(IsEnabled() ? text : tint_color(background, B_DISABLED_LABEL_TINT));
	owner->SetLowColor(background);
	owner->DrawString(fText.c_str(), BPoint(x, frame.top + fBaselineOffset));
}

void BStringItem::Update(BView*, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	fBaselineOffset = kLineSpacing + std::ceil(height.ascent);
	SetHeight(std::ceil(height.ascent + height.descent + height.leading) + 2 * kLineSpacing);
	SetWidth(std::ceil(font->StringWidth(fText.c_str())) + 2 * kTextInset);
}

void BStringItem::SetText(const char* text)
{
	fHasText = text != nullptr;
	fText = text != nullptr ? text : "";
}

const char* BStringItem::Text() const
{
	return fHasText ? fText.c_str() : nullptr;
}

float BStringItem::BaselineOffset() const
{
	return fBaselineOffset;
}

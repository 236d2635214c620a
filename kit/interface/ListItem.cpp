#include <ListItem.h>

#include <cmath>

#include <Font.h>
#include <View.h>

BListItem::BListItem(uint32 outlineLevel, bool expanded)
	: fLevel(outlineLevel),
	  fExpanded(expanded)
{
}

BListItem::~BListItem() = default;

float BListItem::Height() const
{
	return fHeight;
}

float BListItem::Width() const
{
	return fWidth;
}

bool BListItem::IsSelected() const
{
	return fSelected;
}

void BListItem::Select()
{
	fSelected = true;
}

void BListItem::Deselect()
{
	fSelected = false;
}

void BListItem::SetEnabled(bool enabled)
{
	fEnabled = enabled;
}

bool BListItem::IsEnabled() const
{
	return fEnabled;
}

void BListItem::SetHeight(float height)
{
	fHeight = height;
}

void BListItem::SetWidth(float width)
{
	fWidth = width;
}

void BListItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	SetWidth(owner->Bounds().Width());
	SetHeight(std::ceil(height.ascent + height.descent + height.leading));
}

bool BListItem::IsExpanded() const
{
	return fExpanded;
}

void BListItem::SetExpanded(bool expanded)
{
	fExpanded = expanded;
}

uint32 BListItem::OutlineLevel() const
{
	return fLevel;
}

#include "EntryItem.h"

#include <algorithm>
#include <cmath>

#include <Font.h>
#include <InterfaceDefs.h>
#include <View.h>

#include "../menu_support/MenuLook.h"
#include "EntryListView.h"

namespace BPrivate {

namespace {

const float kRowSpacing = 2;

} // namespace

EntryItem::EntryItem(const ListedEntry& entry)
	: fEntry(entry)
{
}

void EntryItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	rgb_color background = IsSelected() ? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR)
		: owner->ViewColor();
	if (IsSelected() || complete) {
		owner->SetHighColor(background);
		owner->FillRect(frame);
	}
	_DrawMark(owner, frame);
	const EntryColumns& columns = static_cast<EntryListView*>(owner)->Columns();
	BFont font;
	owner->GetFont(&font);
	float baseline = frame.top + fBaseline;
	owner->SetLowColor(background);
	owner->SetHighColor(ui_color(IsSelected() ? B_LIST_SELECTED_ITEM_TEXT_COLOR : B_LIST_ITEM_TEXT_COLOR));
	float nameRoom = columns.sizeRight - 70 - columns.nameLeft;
	std::string name = MenuLook::FittedLabel(font, fEntry.name, nameRoom);
	owner->DrawString(name.c_str(), BPoint(frame.left + columns.nameLeft, baseline));
	owner->SetHighColor(tint_color(owner->ViewColor(), B_DARKEN_4_TINT));
	if (!fEntry.isDirectory) {
		std::string size = DirectoryListing::SizeText(fEntry.size);
		owner->DrawString(size.c_str(),
			BPoint(frame.left + columns.sizeRight - font.StringWidth(size.c_str()), baseline));
	}
	std::string date = DirectoryListing::DateText(fEntry.modified);
	owner->DrawString(date.c_str(), BPoint(frame.left + columns.dateLeft, baseline));
}

void EntryItem::_DrawMark(BView* owner, BRect frame)
{
	float top = std::floor((frame.top + frame.bottom) / 2) - 6;
	float left = frame.left + 4;
	rgb_color outline = tint_color(owner->ViewColor(), B_DARKEN_4_TINT);
	if (fEntry.isDirectory) {
		// A folder: a tab on a box.
		owner->SetHighColor(make_color(226, 200, 128));
		owner->FillRect(BRect(left, top + 2, left + 13, top + 11));
		owner->FillRect(BRect(left, top, left + 5, top + 2));
		owner->SetHighColor(outline);
		owner->StrokeRect(BRect(left, top + 2, left + 13, top + 11));
		return;
	}
	// A page with a folded corner.
	owner->SetHighColor(make_color(255, 255, 255));
	owner->FillRect(BRect(left + 1, top, left + 10, top + 12));
	owner->SetHighColor(outline);
	BPoint page[] = {BPoint(left + 1, top), BPoint(left + 7, top), BPoint(left + 10, top + 3),
		BPoint(left + 10, top + 12), BPoint(left + 1, top + 12)};
	owner->StrokePolygon(page, 5);
	owner->StrokeLine(BPoint(left + 7, top), BPoint(left + 7, top + 3));
	owner->StrokeLine(BPoint(left + 7, top + 3), BPoint(left + 10, top + 3));
}

void EntryItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	float text = std::ceil(height.ascent + height.descent + height.leading);
	SetHeight(std::max(text, 14.0f) + 2 * kRowSpacing);
	fBaseline = std::floor((Height() - text) / 2) + std::ceil(height.ascent);
	SetWidth(owner->Bounds().Width());
}

const ListedEntry& EntryItem::Entry() const
{
	return fEntry;
}

} // namespace BPrivate

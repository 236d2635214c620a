#include "ColumnHeader.h"

#include <cmath>

#include <InterfaceDefs.h>

#include "EntryListView.h"

namespace BPrivate {

ColumnHeader::ColumnHeader(BRect frame, const EntryListView* list)
	: BView(frame, "header", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE),
	  fList(list)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
}

void ColumnHeader::Draw(BRect)
{
	// The list lies further in, inside its scroll view's border.
	const EntryColumns& columns = fList->Columns();
	float offset = fList->ConvertToScreen(fList->Bounds().LeftTop()).x
		- ConvertToScreen(Bounds().LeftTop()).x;
	font_height height;
	GetFontHeight(&height);
	float baseline = Bounds().bottom - 4 - std::ceil(height.descent);
	SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
	DrawString("Name", BPoint(offset + columns.nameLeft, baseline));
	DrawString("Size", BPoint(offset + columns.sizeRight - StringWidth("Size"), baseline));
	DrawString("Modified", BPoint(offset + columns.dateLeft, baseline));
}

} // namespace BPrivate

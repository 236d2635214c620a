#include "DrawingView.h"

#include <Polygon.h>

namespace {

// A 64 x 64 picture: red growing to the right, blue downwards.
std::unique_ptr<BBitmap> MakePicture()
{
	auto picture = std::make_unique<BBitmap>(BRect(0, 0, 63, 63), B_RGBA32);
	uint8* bits = static_cast<uint8*>(picture->Bits());
	for (int32 y = 0; y < 64; y++) {
		for (int32 x = 0; x < 64; x++) {
			uint8* pixel = bits + y * picture->BytesPerRow() + x * 4;
			pixel[0] = static_cast<uint8>(y * 4);
			pixel[1] = 80;
			pixel[2] = static_cast<uint8>(x * 4);
			pixel[3] = 255;
		}
	}
	return picture;
}

} // namespace

DrawingView::DrawingView(BRect frame)
	: BView(frame, "drawing", B_FOLLOW_ALL, B_WILL_DRAW | B_FULL_UPDATE_ON_RESIZE),
	  fPicture(MakePicture())
{
	SetViewColor(240, 240, 235);
}

void DrawingView::Draw(BRect)
{
	BRect bounds = Bounds();
	SetHighColor(20, 20, 20);
	BFont font(be_bold_font);
	font.SetSize(18);
	SetFont(&font);
	DrawString("Velmora kit", BPoint(14, 30));
	SetFont(be_plain_font);
	DrawString("Lines, shapes and a bitmap", BPoint(14, 50));

	BeginLineArray(3);
	AddLine(BPoint(14, 60), BPoint(bounds.right - 14, 60), make_color(170, 170, 170));
	AddLine(BPoint(14, 61), BPoint(bounds.right - 14, 61), make_color(235, 235, 235));
	AddLine(BPoint(14, 62), BPoint(bounds.right - 14, 62), make_color(255, 255, 255));
	EndLineArray();

	SetHighColor(200, 40, 40);
	FillRect(BRect(14, 75, 73, 134));
	SetHighColor(40, 120, 200);
	SetPenSize(3);
	StrokeRoundRect(BRect(90, 75, 169, 134), 10, 10);
	SetPenSize(1);
	SetHighColor(40, 160, 70);
	FillEllipse(BRect(185, 75, 244, 134));
	BPoint triangle[] = {BPoint(14, 220), BPoint(74, 150), BPoint(134, 220)};
	SetHighColor(230, 160, 20);
	FillPolygon(triangle, 3);
	SetHighColor(0, 0, 0);
	StrokeLine(BPoint(150, 150), BPoint(250, 220));
	DrawBitmap(fPicture.get(), BPoint(270, 150));
}

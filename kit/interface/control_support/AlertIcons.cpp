#include "AlertIcons.h"

#include <cmath>

#include <View.h>

namespace BPrivate {

namespace {

// The "!" of warnings and stops, centred on x between top and bottom.
void DrawExclamation(BView* view, float x, float top, float bottom, rgb_color color)
{
	float dot = (bottom - top) * 0.18f;
	view->SetHighColor(color);
	view->FillRoundRect(BRect(x - 2, top, x + 2, bottom - dot - 3), 1.5f, 1.5f);
	view->FillEllipse(BRect(x - 2, bottom - dot, x + 2, bottom - dot + 4));
}

void DrawInfo(BView* view, BRect frame)
{
	view->SetHighColor(40, 90, 200);
	view->FillEllipse(frame);
	view->SetHighColor(20, 50, 130);
	view->StrokeEllipse(frame);
	float x = std::floor((frame.left + frame.right) / 2);
	view->SetHighColor(255, 255, 255);
	view->FillEllipse(BRect(x - 2, frame.top + 6, x + 2, frame.top + 10));
	view->FillRect(BRect(x - 2, frame.top + 13, x + 2, frame.bottom - 6));
	view->FillRect(BRect(x - 5, frame.top + 13, x, frame.top + 14));
	view->FillRect(BRect(x - 5, frame.bottom - 7, x + 5, frame.bottom - 6));
}

void DrawIdea(BView* view, BRect frame)
{
	float x = (frame.left + frame.right) / 2;
	BRect bulb(x - 10, frame.top + 2, x + 10, frame.top + 22);
	view->SetHighColor(255, 230, 60);
	view->FillEllipse(bulb);
	view->SetHighColor(150, 120, 0);
	view->StrokeEllipse(bulb);
	view->SetHighColor(140, 140, 140);
	view->FillRect(BRect(x - 5, frame.top + 22, x + 5, frame.bottom - 3));
	view->SetHighColor(90, 90, 90);
	view->StrokeLine(BPoint(x - 5, frame.top + 25), BPoint(x + 5, frame.top + 25));
	view->StrokeLine(BPoint(x - 5, frame.top + 27), BPoint(x + 5, frame.top + 27));
	view->FillRect(BRect(x - 3, frame.bottom - 2, x + 3, frame.bottom));
}

void DrawWarning(BView* view, BRect frame)
{
	float x = (frame.left + frame.right) / 2;
	BPoint top(x, frame.top + 1);
	BPoint left(frame.left, frame.bottom - 1);
	BPoint right(frame.right, frame.bottom - 1);
	view->SetHighColor(255, 210, 0);
	view->FillTriangle(top, left, right);
	view->SetHighColor(120, 90, 0);
	view->StrokeTriangle(top, left, right);
	DrawExclamation(view, std::floor(x), frame.top + 10, frame.bottom - 4, make_color(0, 0, 0));
}

void DrawStop(BView* view, BRect frame)
{
	float cut = std::floor(frame.Width() * 0.29f);
	BPoint corners[8] = {
		BPoint(frame.left + cut, frame.top), BPoint(frame.right - cut, frame.top),
		BPoint(frame.right, frame.top + cut), BPoint(frame.right, frame.bottom - cut),
		BPoint(frame.right - cut, frame.bottom), BPoint(frame.left + cut, frame.bottom),
		BPoint(frame.left, frame.bottom - cut), BPoint(frame.left, frame.top + cut)
	};
	view->SetHighColor(200, 20, 20);
	view->FillPolygon(corners, 8);
	view->SetHighColor(120, 0, 0);
	view->StrokePolygon(corners, 8);
	float x = std::floor((frame.left + frame.right) / 2);
	DrawExclamation(view, x, frame.top + 6, frame.bottom - 5, make_color(255, 255, 255));
}

} // namespace

void DrawAlertIcon(BView* view, alert_type type, BRect frame)
{
	view->PushState();
	switch (type) {
		case B_INFO_ALERT:
			DrawInfo(view, frame);
			break;
		case B_IDEA_ALERT:
			DrawIdea(view, frame);
			break;
		case B_WARNING_ALERT:
			DrawWarning(view, frame);
			break;
		case B_STOP_ALERT:
			DrawStop(view, frame);
			break;
		case B_EMPTY_ALERT:
			break;
	}
	view->PopState();
}

} // namespace BPrivate

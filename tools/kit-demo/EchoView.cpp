#include "EchoView.h"

#include <cstdio>

#include <Application.h>
#include <Window.h>

EchoView::EchoView(BRect frame)
	: BView(frame, "echo", B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE | B_FULL_UPDATE_ON_RESIZE)
{
	SetViewColor(255, 255, 250);
}

void EchoView::AttachedToWindow()
{
	MakeFocus(true);
}

void EchoView::Draw(BRect)
{
	SetHighColor(90, 90, 90);
	DrawString("Type here (Escape ends the demo):", BPoint(12, 24));
	BFont font(be_plain_font);
	font.SetSize(20);
	SetFont(&font);
	SetHighColor(0, 0, 0);
	DrawString(fText.c_str(), BPoint(12, 64));
	// The caret behind the text.
	float caret = 13 + StringWidth(fText.c_str());
	SetHighColor(IsFocus() ? make_color(0, 0, 200) : make_color(180, 180, 180));
	StrokeLine(BPoint(caret, 44), BPoint(caret, 70));
	SetFont(be_plain_font);
}

void EchoView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && bytes[0] == B_ESCAPE) {
		be_app->PostMessage(B_QUIT_REQUESTED);
		return;
	}
	if (numBytes == 1 && bytes[0] == B_BACKSPACE) {
		// Drops the last character with all of its UTF-8 bytes.
		while (!fText.empty() && (static_cast<unsigned char>(fText.back()) & 0xc0) == 0x80)
			fText.pop_back();
		if (!fText.empty())
			fText.pop_back();
	} else if (numBytes >= 1 && static_cast<unsigned char>(bytes[0]) >= 0x20
		&& bytes[0] != B_DELETE) {
		fText.append(bytes, numBytes);
	} else {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	_Echo();
	Invalidate();
}

void EchoView::MouseDown(BPoint)
{
	MakeFocus(true);
	Invalidate();
}

void EchoView::_Echo()
{
	printf("echo: %s\n", fText.c_str());
	fflush(stdout);
}

#include "KBBarButton.h"

#include <Bitmap.h>
#include <Looper.h>
#include <Message.h>

#include <Window.h>

#include <control_support/ControlLook.h>

#include "KBottomBar.h"

using BPrivate::ControlLook;

KBBarButton::KBBarButton(const char* name, BBitmap* bitmap, uint32 command, BLooper* target,
	uint32 flags)
	: BButton(BRect(0, 0, 2, 2), name, nullptr, new BMessage(command),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, flags),
	  fBitmap(bitmap)
{
	if (target != nullptr)
		SetTarget(target);
	ResizeToPreferred();
}

KBBarButton::~KBBarButton() = default;

void KBBarButton::Draw(BRect)
{
	uint32 flags = 0;
	if (Value() != B_CONTROL_OFF)
		flags |= ControlLook::kPressed;
	else if (fHovered && IsEnabled())
		flags |= ControlLook::kHovered;
	BRect bounds = Bounds();
	ControlLook::DrawBevel(this, bounds, ViewColor(), flags);
	if (fBitmap == nullptr)
		return;
	SetDrawingMode(B_OP_ALPHA);
	DrawBitmap(fBitmap.get(), BPoint(bounds.left + 1, bounds.top + 1));
	if (!IsEnabled()) {
		// Faded into the face.
		rgb_color veil = ViewColor();
		veil.alpha = 160;
		SetHighColor(veil);
		FillRect(bounds.InsetByCopy(1, 1));
	}
	SetDrawingMode(B_OP_COPY);
}

void KBBarButton::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	bool hovered = transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW;
	if (hovered != fHovered) {
		fHovered = hovered;
		Invalidate();
		_ShowHint(hovered);
	}
	BButton::MouseMoved(where, transit, dragMessage);
}

void KBBarButton::GetPreferredSize(float* width, float* height)
{
	BRect picture = fBitmap != nullptr ? fBitmap->Bounds() : BRect(0, 0, 0, 0);
	if (width != nullptr)
		*width = fBitmap != nullptr ? picture.right + 2 : 2;
	if (height != nullptr)
		*height = fBitmap != nullptr ? picture.bottom + 2 : 2;
}

void KBBarButton::_ShowHint(bool show)
{
	if (fHint.empty() || Window() == nullptr)
		return;
	BMessage message(KBottomBar::kShowTextCommand);
	message.AddString("text", show ? fHint.c_str() : "");
	Window()->PostMessage(&message);
}

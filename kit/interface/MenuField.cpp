#include <MenuField.h>

#include <algorithm>
#include <cmath>

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Window.h>

#include "menu_support/MenuFieldBar.h"
#include "menu_support/MenuLook.h"

namespace {

// Between the label and the box.
const float kLabelGap = 6;

} // namespace

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
	uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_Init(label, menu, true);
}

BMenuField::BMenuField(BRect frame, const char* name, const char* label, BMenu* menu,
	bool fixedSize, uint32 resizingMode, uint32 flags)
	: BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_Init(label, menu, fixedSize);
}

void BMenuField::_Init(const char* label, BMenu* menu, bool fixedSize)
{
	fHasLabel = label != nullptr;
	fLabel = label != nullptr ? label : "";
	fMenu = menu;
	fFixedSize = fixedSize;
	fNavigable = (Flags() & B_NAVIGABLE) != 0;
	fDivider = fHasLabel ? std::ceil(StringWidth(label)) + kLabelGap : 0;
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
	fMenuBar = new BPrivate::MenuFieldBar(BRect(0, 0, 10, 10));
	if (menu != nullptr) {
		fMenuBar->AddItem(menu);
		// The box shows the marked item from the start.
		if (menu->IsLabelFromMarked())
			menu->SetLabelFromMarked(true);
	}
	AddChild(fMenuBar);
	_PlaceBar();
}

BMenuField::~BMenuField() = default;

void BMenuField::AttachedToWindow()
{
	if (Parent() != nullptr) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(ViewColor());
	}
	_PlaceBar();
}

void BMenuField::Draw(BRect)
{
	if (!fHasLabel)
		return;
	BFont font;
	GetFont(&font);
	float room = std::max(fDivider - kLabelGap, 0.0f);
	std::string label = BPrivate::MenuLook::FittedLabel(font, fLabel, room);
	float width = font.StringWidth(label.c_str());
	float x = 0;
	if (fAlignment == B_ALIGN_RIGHT)
		x = room - width;
	else if (fAlignment == B_ALIGN_CENTER)
		x = std::floor((room - width) / 2);
	font_height height;
	font.GetHeight(&height);
	BRect box = fMenuBar->Frame();
	float textHeight = std::ceil(height.ascent + height.descent);
	float baseline = box.top + std::floor((box.Height() + 1 - textHeight) / 2)
		+ std::ceil(height.ascent);
	SetHighColor(fEnabled ? ui_color(B_PANEL_TEXT_COLOR)
		: tint_color(ViewColor(), B_DISABLED_LABEL_TINT));
	DrawString(label.c_str(), BPoint(x, baseline));
}

void BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	bool opens = numBytes == 1
		&& (bytes[0] == B_SPACE || bytes[0] == B_ENTER || bytes[0] == B_DOWN_ARROW);
	if (opens && fEnabled && fMenuBar->ItemAt(0) != nullptr) {
		fMenuBar->StartMenuBar(0, true, true);
		return;
	}
	BView::KeyDown(bytes, numBytes);
}

void BMenuField::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	static_cast<BPrivate::MenuFieldBar*>(fMenuBar)->SetFocused(focus && IsFocus());
}

void BMenuField::FrameResized(float width, float height)
{
	BView::FrameResized(width, height);
	_PlaceBar();
	Invalidate();
}

void BMenuField::GetPreferredSize(float* width, float* height)
{
	float barWidth = 0;
	float barHeight = 0;
	fMenuBar->GetPreferredSize(&barWidth, &barHeight);
	if (width != nullptr)
		*width = (fHasLabel ? fDivider : 0) + barWidth;
	if (height != nullptr)
		*height = barHeight;
}

void BMenuField::SetLabel(const char* label)
{
	fHasLabel = label != nullptr;
	fLabel = label != nullptr ? label : "";
	Invalidate();
}

const char* BMenuField::Label() const
{
	return fHasLabel ? fLabel.c_str() : nullptr;
}

void BMenuField::SetEnabled(bool enabled)
{
	if (fEnabled == enabled)
		return;
	fEnabled = enabled;
	fMenuBar->SetEnabled(enabled);
	// A field that cannot open is no stop for Tab, and keeps no focus.
	if (fNavigable)
		SetFlags(enabled ? Flags() | B_NAVIGABLE : Flags() & ~B_NAVIGABLE);
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}

bool BMenuField::IsEnabled() const
{
	return fEnabled;
}

void BMenuField::SetAlignment(alignment label)
{
	fAlignment = label;
	Invalidate();
}

alignment BMenuField::Alignment() const
{
	return fAlignment;
}

void BMenuField::SetDivider(float x)
{
	fDivider = std::max(x, 0.0f);
	_PlaceBar();
	Invalidate();
}

float BMenuField::Divider() const
{
	return fDivider;
}

BMenu* BMenuField::Menu() const
{
	return fMenu;
}

BMenuBar* BMenuField::MenuBar() const
{
	return fMenuBar;
}

BMenuItem* BMenuField::MenuItem() const
{
	return fMenuBar->ItemAt(0);
}

void BMenuField::_PlaceBar()
{
	float width = 0;
	float height = 0;
	fMenuBar->GetPreferredSize(&width, &height);
	BRect bounds = Bounds();
	float left = fHasLabel ? fDivider : 0;
	float right = bounds.right;
	if (!fFixedSize)
		right = std::min(right, left + width);
	float top = std::max(std::floor((bounds.Height() - height) / 2), 0.0f);
	fMenuBar->MoveTo(left, top);
	fMenuBar->ResizeTo(std::max(right - left, 0.0f), height);
}

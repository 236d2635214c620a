#include "KBBarMenuField.h"

#include <algorithm>
#include <cmath>

#include <Looper.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>

namespace {

float PositiveOr(float value, float fallback)
{
	return value > 0 ? value : fallback;
}

// Not in radio mode and not labelled from a marked item: choosing a
// command must leave the box saying what the menu holds.
BPopUpMenu* CommandMenu(const char* label)
{
	return new BPopUpMenu(label != nullptr ? label : "", false, false);
}

} // namespace

KBBarMenuField::KBBarMenuField(const char* label, float horizontalSpacing,
	float verticalSpacing)
	: BMenuField(BRect(0, 0, 10, 10), label != nullptr ? label : "", nullptr, CommandMenu(label),
		true, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW),
	  fHorizontalSpacing(PositiveOr(horizontalSpacing, 1)),
	  fVerticalSpacing(PositiveOr(verticalSpacing, 2))
{
	_InsetBox();
}

KBBarMenuField::~KBBarMenuField() = default;

void KBBarMenuField::AttachedToWindow()
{
	BMenuField::AttachedToWindow();
	_InsetBox();
}

void KBBarMenuField::FrameResized(float width, float height)
{
	BMenuField::FrameResized(width, height);
	_InsetBox();
}

void KBBarMenuField::GetPreferredSize(float* width, float* height)
{
	float boxWidth = 0;
	float boxHeight = 0;
	MenuBar()->GetPreferredSize(&boxWidth, &boxHeight);
	if (width != nullptr)
		*width = boxWidth + 2 * fHorizontalSpacing;
	if (height != nullptr)
		*height = boxHeight + 2 * fVerticalSpacing;
}

BMenuItem* KBBarMenuField::AddItem(const char* label, BMessage* message, char shortcut,
	uint32 modifiers, BLooper* target)
{
	if (label == nullptr) {
		delete message;
		return nullptr;
	}
	auto* item = new BMenuItem(label, message, shortcut, modifiers);
	if (target != nullptr)
		item->SetTarget(nullptr, target);
	if (!Menu()->AddItem(item)) {
		delete item;
		return nullptr;
	}
	return item;
}

BMenuItem* KBBarMenuField::AddItem(const char* label, uint32 command, char shortcut,
	uint32 modifiers, BLooper* target)
{
	return AddItem(label, new BMessage(command), shortcut, modifiers, target);
}

bool KBBarMenuField::AddSeparatorItem()
{
	return Menu()->AddSeparatorItem();
}

BPopUpMenu* KBBarMenuField::PopUpMenu() const
{
	return static_cast<BPopUpMenu*>(Menu());
}

void KBBarMenuField::_InsetBox()
{
	BRect bounds = Bounds();
	BMenuBar* box = MenuBar();
	float boxHeight = 0;
	box->GetPreferredSize(nullptr, &boxHeight);
	float top = std::max(fVerticalSpacing,
		std::floor((bounds.Height() - boxHeight) / 2));
	box->MoveTo(fHorizontalSpacing, top);
	box->ResizeTo(std::max(bounds.Width() - 2 * fHorizontalSpacing, 0.0f), boxHeight);
}

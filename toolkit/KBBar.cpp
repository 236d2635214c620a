#include "KBBar.h"

#include <algorithm>
#include <cmath>

#include <Autolock.h>
#include <Invoker.h>
#include <Menu.h>
#include <Messenger.h>

#include <control_support/ControlLook.h>

#include "KBBarItem.h"
#include "KBBarMenuField.h"
#include "KBBarSeparator.h"

using BPrivate::ControlLook;

namespace {

float PositiveOr(float value, float fallback)
{
	return value > 0 ? value : fallback;
}

} // namespace

KBBar::KBBar(BRect frame, const char* name, float leftMargin, float verticalMargin,
	float spacing)
	: BView(frame, name, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_FRAME_EVENTS),
	  fLock("KBBar"),
	  fLeftMargin(PositiveOr(leftMargin, 7)),
	  fVerticalMargin(PositiveOr(verticalMargin, 5)),
	  fSpacing(PositiveOr(spacing, 3))
{
	SetViewColor(220, 220, 220);
	SetLowColor(220, 220, 220);
}

KBBar::~KBBar() = default;

void KBBar::Draw(BRect)
{
	// Lit from above, with an edge below against what follows.
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	BeginLineArray(2);
	AddLine(bounds.LeftTop(), bounds.RightTop(), ControlLook::ShineOf(base));
	AddLine(bounds.LeftBottom(), bounds.RightBottom(), ControlLook::ShadowOf(base));
	EndLineArray();
}

void KBBar::GetPreferredSize(float* width, float* height)
{
	BAutolock lock(fLock);
	float tallest = 0;
	for (int32 i = 0; i < fItems.CountItems(); i++) {
		float itemHeight = 0;
		fItems.ItemAt(i)->View()->GetPreferredSize(nullptr, &itemHeight);
		tallest = std::max(tallest, itemHeight);
	}
	if (width != nullptr)
		*width = Bounds().Width();
	if (height != nullptr)
		*height = tallest + 2 * fVerticalMargin;
}

bool KBBar::AddItem(KBBarItem* item, int32 index)
{
	if (item == nullptr)
		return false;
	BView* view = item->View();
	if (view == nullptr || view->Parent() != nullptr || view->Window() != nullptr)
		return false;
	{
		BAutolock lock(fLock);
		if (index < 0 || index > fItems.CountItems())
			index = fItems.CountItems();
		if (!fItems.AddItem(item, index))
			return false;
		AddChild(view);
	}
	Place();
	return true;
}

KBBarSeparator* KBBar::AddSeparator(bool drawLine, int32 index)
{
	auto* separator = new KBBarSeparator(drawLine);
	if (!AddItem(separator, index)) {
		delete separator;
		return nullptr;
	}
	return separator;
}

KBBarItem* KBBar::RemoveItem(int32 index)
{
	KBBarItem* item = nullptr;
	{
		BAutolock lock(fLock);
		item = fItems.RemoveItem(index);
		if (item == nullptr)
			return nullptr;
		RemoveChild(item->View());
	}
	Place();
	return item;
}

int32 KBBar::CountItems() const
{
	BAutolock lock(fLock);
	return fItems.CountItems();
}

KBBarItem* KBBar::ItemAt(int32 index) const
{
	BAutolock lock(fLock);
	return fItems.ItemAt(index);
}

void KBBar::SetTargetForButtons(BHandler* handler, BLooper* looper)
{
	BAutolock lock(fLock);
	for (int32 i = 0; i < fItems.CountItems(); i++) {
		KBBarItem* item = fItems.ItemAt(i);
		if (auto* invoker = dynamic_cast<BInvoker*>(item))
			invoker->SetTarget(handler, looper);
		else if (auto* field = dynamic_cast<KBBarMenuField*>(item))
			field->Menu()->SetTargetForItems(BMessenger(handler, looper));
	}
}

void KBBar::Place()
{
	BAutolock lock(fLock);
	float inner = Bounds().Height() - 2 * fVerticalMargin;
	float x = fLeftMargin;
	for (int32 i = 0; i < fItems.CountItems(); i++) {
		KBBarItem* item = fItems.ItemAt(i);
		BView* view = item->View();
		view->ResizeToPreferred();
		float y = fVerticalMargin + std::floor((inner - view->Frame().Height()) / 2);
		item->PlaceAt(BPoint(x, y));
		x += view->Frame().Width() + 1 + fSpacing;
	}
	for (int32 i = 0; i < fItems.CountItems(); i++) {
		if (auto* separator = dynamic_cast<KBBarSeparator*>(fItems.ItemAt(i))) {
			separator->MoveTo(separator->Frame().left, fVerticalMargin);
			separator->ResizeTo(separator->Frame().Width(), std::max(inner, 0.0f));
		}
	}
}

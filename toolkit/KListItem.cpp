#include "KListItem.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <Bitmap.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <View.h>

#include "StringHelpers.h"

namespace {

// Left of the icon and between the icon and the text.
const float kIconInset = 3;
const float kIconGap = 4;
// Above and below the icon.
const float kIconSpacing = 1;

} // namespace

KListItem::KListItem(const char* text, BMessage* data, const BBitmap* icon)
	: BStringItem(text),
	  fIcon(icon != nullptr && icon->IsValid() ? icon : nullptr)
{
	std::unique_ptr<BMessage> owned(data);
	std::string flat = FlattenedMessage(owned.get());
	if (flat.empty())
		return;
	fFlatData = std::make_unique<char[]>(flat.size());
	memcpy(fFlatData.get(), flat.data(), flat.size());
	fFlatSize = static_cast<uint32>(flat.size());
}

KListItem::~KListItem() = default;

void KListItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	if (fIcon == nullptr) {
		BStringItem::DrawItem(owner, frame, complete);
		return;
	}
	if (IsSelected() || complete) {
		owner->SetHighColor(IsSelected() ? ui_color(B_LIST_SELECTED_BACKGROUND_COLOR)
			: owner->ViewColor());
		owner->FillRect(frame);
	}
	BRect icon = fIcon->Bounds();
	float top = frame.top + std::floor((frame.Height() - icon.Height()) / 2);
	drawing_mode mode = owner->DrawingMode();
	owner->SetDrawingMode(B_OP_ALPHA);
	owner->DrawBitmap(fIcon, BPoint(frame.left + kIconInset, top));
	owner->SetDrawingMode(mode);
	// The text in the middle of a row that the icon made taller.
	BRect text = frame;
	text.top += std::floor((frame.Height() + 1 - fTextHeight) / 2);
	DrawText(owner, text, frame.left + kIconInset + icon.Width() + 1 + kIconGap);
}

void KListItem::Update(BView* owner, const BFont* font)
{
	BStringItem::Update(owner, font);
	fTextHeight = Height();
	if (fIcon == nullptr)
		return;
	BRect icon = fIcon->Bounds();
	SetHeight(std::max(Height(), icon.Height() + 1 + 2 * kIconSpacing));
	SetWidth(Width() + kIconInset + icon.Width() + 1 + kIconGap);
}

const BMessage* KListItem::Data() const
{
	if (fData == nullptr && fFlatData != nullptr) {
		auto data = std::make_unique<BMessage>();
		if (data->Unflatten(fFlatData.get(), fFlatSize) == B_OK)
			fData = std::move(data);
	}
	return fData.get();
}

bool KListItem::HasFlattenedData(const char* flat, size_t size) const
{
	return fFlatData != nullptr && size == fFlatSize && memcmp(flat, fFlatData.get(), size) == 0;
}

const BBitmap* KListItem::Icon() const
{
	return fIcon;
}

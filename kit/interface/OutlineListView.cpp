#include <OutlineListView.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include <InterfaceDefs.h>
#include <List.h>

namespace {

// The column of a latch, once per level of indentation.
const float kLatchWidth = 14;

} // namespace

BOutlineListView::BOutlineListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	: BListView(frame, name, type, resizingMode, flags)
{
}

BOutlineListView::~BOutlineListView() = default;

// Input.

void BOutlineListView::MouseDown(BPoint where)
{
	int32 index = IndexOf(where);
	BListItem* item = ItemAt(index);
	if (item != nullptr && item->fHasSubitems
		&& _LatchRect(ItemFrame(index), item->OutlineLevel()).Contains(where)) {
		if (item->IsExpanded())
			Collapse(item);
		else
			Expand(item);
		return;
	}
	BListView::MouseDown(where);
}

void BOutlineListView::KeyDown(const char* bytes, int32 numBytes)
{
	int32 index = CurrentSelection();
	BListItem* item = ItemAt(index);
	if (numBytes != 1 || item == nullptr) {
		BListView::KeyDown(bytes, numBytes);
		return;
	}
	switch (bytes[0]) {
		case B_RIGHT_ARROW:
			if (!item->fHasSubitems)
				break;
			if (!item->IsExpanded())
				Expand(item);
			else if (ItemAt(index + 1) != nullptr) {
				Select(index + 1);
				ScrollToSelection();
			}
			break;
		case B_LEFT_ARROW:
			if (item->fHasSubitems && item->IsExpanded()) {
				Collapse(item);
			} else if (BListItem* super = Superitem(item)) {
				Select(IndexOf(super));
				ScrollToSelection();
			}
			break;
		case '+':
			Expand(item);
			break;
		case '-':
			Collapse(item);
			break;
		default:
			BListView::KeyDown(bytes, numBytes);
			break;
	}
}

// Adding and removing.

bool BOutlineListView::AddUnder(BListItem* item, BListItem* superitem)
{
	int32 super = FullListIndexOf(superitem);
	if (item == nullptr || super < 0)
		return false;
	item->fLevel = superitem->fLevel + 1;
	return _Insert(item, super + 1);
}

bool BOutlineListView::AddItem(BListItem* item)
{
	return _Insert(item, FullListCountItems());
}

bool BOutlineListView::AddItem(BListItem* item, int32 fullListIndex)
{
	return _Insert(item, fullListIndex);
}

bool BOutlineListView::AddList(BList* list)
{
	return list != nullptr && AddList(list, FullListCountItems());
}

bool BOutlineListView::AddList(BList* list, int32 fullListIndex)
{
	if (list == nullptr || fullListIndex < 0 || fullListIndex > FullListCountItems())
		return false;
	for (int32 i = 0; i < list->CountItems(); i++) {
		if (!_Insert(static_cast<BListItem*>(list->ItemAt(i)), fullListIndex + i))
			return false;
	}
	return true;
}

bool BOutlineListView::RemoveItem(BListItem* item)
{
	return RemoveItem(FullListIndexOf(item)) != nullptr;
}

BListItem* BOutlineListView::RemoveItem(int32 fullListIndex)
{
	BListItem* item = FullListItemAt(fullListIndex);
	if (item != nullptr)
		_Remove(fullListIndex, _SubtreeEnd(fullListIndex));
	return item;
}

bool BOutlineListView::RemoveItems(int32 fullListIndex, int32 count)
{
	if (fullListIndex < 0 || count < 0 || fullListIndex + count > FullListCountItems())
		return false;
	for (int32 i = 0; i < count && FullListItemAt(fullListIndex) != nullptr; i++)
		RemoveItem(fullListIndex);
	return true;
}

void BOutlineListView::MakeEmpty()
{
	fFullList.clear();
	BListView::MakeEmpty();
}

bool BOutlineListView::_Insert(BListItem* item, int32 fullListIndex)
{
	if (item == nullptr || fullListIndex < 0 || fullListIndex > FullListCountItems()
		|| FullListHasItem(item))
		return false;
	fFullList.insert(fFullList.begin() + fullListIndex, item);
	_UpdateItem(item);
	_RebuildVisible();
	if (item->IsSelected())
		_NotifySelection();
	return true;
}

void BOutlineListView::_Remove(int32 fullListIndex, int32 end)
{
	bool selected = std::any_of(fFullList.begin() + fullListIndex, fFullList.begin() + end,
		[](BListItem* item) { return item->IsSelected(); });
	fFullList.erase(fFullList.begin() + fullListIndex, fFullList.begin() + end);
	_RebuildVisible();
	if (selected)
		_NotifySelection();
}

// The full list.

BListItem* BOutlineListView::FullListItemAt(int32 fullListIndex) const
{
	if (fullListIndex < 0 || fullListIndex >= FullListCountItems())
		return nullptr;
	return fFullList[fullListIndex];
}

int32 BOutlineListView::FullListIndexOf(BPoint point) const
{
	return FullListIndexOf(ItemAt(IndexOf(point)));
}

int32 BOutlineListView::FullListIndexOf(BListItem* item) const
{
	auto found = std::find(fFullList.begin(), fFullList.end(), item);
	return found == fFullList.end() || item == nullptr ? -1
		: static_cast<int32>(found - fFullList.begin());
}

BListItem* BOutlineListView::FullListFirstItem() const
{
	return FullListItemAt(0);
}

BListItem* BOutlineListView::FullListLastItem() const
{
	return FullListItemAt(FullListCountItems() - 1);
}

bool BOutlineListView::FullListHasItem(BListItem* item) const
{
	return FullListIndexOf(item) >= 0;
}

int32 BOutlineListView::FullListCountItems() const
{
	return static_cast<int32>(fFullList.size());
}

int32 BOutlineListView::FullListCurrentSelection(int32 n) const
{
	for (int32 index = 0; index < FullListCountItems(); index++) {
		if (fFullList[index]->IsSelected() && n-- == 0)
			return index;
	}
	return -1;
}

bool BOutlineListView::FullListIsEmpty() const
{
	return fFullList.empty();
}

// The tree.

BListItem* BOutlineListView::Superitem(const BListItem* item)
{
	int32 index = FullListIndexOf(const_cast<BListItem*>(item));
	if (index < 0 || item->fLevel == 0)
		return nullptr;
	for (int32 i = index - 1; i >= 0; i--) {
		if (fFullList[i]->fLevel < item->fLevel)
			return fFullList[i];
	}
	return nullptr;
}

void BOutlineListView::Expand(BListItem* item)
{
	if (FullListHasItem(item) && !item->IsExpanded())
		_SetExpanded(item, true);
}

void BOutlineListView::Collapse(BListItem* item)
{
	int32 index = FullListIndexOf(item);
	if (index < 0 || !item->IsExpanded())
		return;
	// What the item hides cannot stay selected; the item takes over.
	bool hidSelection = false;
	for (int32 i = index + 1; i < _SubtreeEnd(index); i++) {
		if (fFullList[i]->IsSelected()) {
			fFullList[i]->Deselect();
			hidSelection = true;
		}
	}
	if (hidSelection && item->IsEnabled())
		item->Select();
	_SetExpanded(item, false);
	if (hidSelection)
		_NotifySelection();
}

bool BOutlineListView::IsExpanded(int32 fullListIndex)
{
	BListItem* item = FullListItemAt(fullListIndex);
	return item != nullptr && item->IsExpanded();
}

int32 BOutlineListView::CountItemsUnder(BListItem* under, bool oneLevelOnly) const
{
	int32 count = 0;
	while (ItemUnderAt(under, oneLevelOnly, count) != nullptr)
		count++;
	return count;
}

BListItem* BOutlineListView::ItemUnderAt(BListItem* under, bool oneLevelOnly, int32 index) const
{
	int32 start = 0;
	int32 end = FullListCountItems();
	uint32 level = 0;
	if (under != nullptr) {
		int32 super = FullListIndexOf(under);
		if (super < 0)
			return nullptr;
		start = super + 1;
		end = _SubtreeEnd(super);
		level = under->fLevel + 1;
	}
	for (int32 i = start; i < end; i++) {
		if (oneLevelOnly && fFullList[i]->fLevel != level)
			continue;
		if (index-- == 0)
			return fFullList[i];
	}
	return nullptr;
}

BListItem* BOutlineListView::EachItemUnder(BListItem* under, bool oneLevelOnly,
	BListItem* (*eachFunc)(BListItem* item, void* data), void* data)
{
	for (int32 n = 0; BListItem* item = ItemUnderAt(under, oneLevelOnly, n); n++) {
		if (BListItem* result = eachFunc(item, data))
			return result;
	}
	return nullptr;
}

int32 BOutlineListView::_SubtreeEnd(int32 fullListIndex) const
{
	uint32 level = fFullList[fullListIndex]->fLevel;
	int32 end = fullListIndex + 1;
	while (end < FullListCountItems() && fFullList[end]->fLevel > level)
		end++;
	return end;
}

void BOutlineListView::_SetExpanded(BListItem* item, bool expanded)
{
	item->SetExpanded(expanded);
	_RebuildVisible();
}

// What shows: every item whose superitems are all expanded. Selected
// items that become hidden are deselected.
void BOutlineListView::_RebuildVisible()
{
	const uint32 kNone = std::numeric_limits<uint32>::max();
	std::vector<BListItem*> visible;
	uint32 hiddenBelow = kNone;
	bool lostSelection = false;
	for (size_t i = 0; i < fFullList.size(); i++) {
		BListItem* item = fFullList[i];
		item->fHasSubitems = i + 1 < fFullList.size() && fFullList[i + 1]->fLevel > item->fLevel;
		if (hiddenBelow != kNone && item->fLevel > hiddenBelow) {
			if (item->IsSelected()) {
				item->Deselect();
				lostSelection = true;
			}
			continue;
		}
		hiddenBelow = kNone;
		visible.push_back(item);
		if (item->fHasSubitems && !item->IsExpanded())
			hiddenBelow = item->fLevel;
	}
	fItems = std::move(visible);
	fAnchor = -1;
	fLastClicked = -1;
	ItemsChanged();
	if (lostSelection)
		_NotifySelection();
}

// Drawing.

void BOutlineListView::DrawItem(BListItem* item, BRect itemRect, bool complete)
{
	int32 level = static_cast<int32>(item->OutlineLevel());
	if (item->fHasSubitems)
		DrawLatch(itemRect, level, !item->IsExpanded(), item->IsSelected(), false);
	BRect content = itemRect;
	content.left += (level + 1) * kLatchWidth;
	item->DrawItem(this, content, complete);
}

void BOutlineListView::DrawLatch(BRect itemRect, int32 level, bool collapsed, bool, bool)
{
	BRect latch = _LatchRect(itemRect, level);
	float x = std::floor((latch.left + latch.right) / 2);
	float y = std::floor((latch.top + latch.bottom) / 2);
	SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
	if (collapsed)
		FillTriangle(BPoint(x - 2, y - 4), BPoint(x + 2, y), BPoint(x - 2, y + 4));
	else
		FillTriangle(BPoint(x - 4, y - 2), BPoint(x + 4, y - 2), BPoint(x, y + 2));
}

BRect BOutlineListView::_LatchRect(BRect itemRect, int32 level) const
{
	float left = itemRect.left + level * kLatchWidth;
	return BRect(left, itemRect.top, left + kLatchWidth - 1, itemRect.bottom);
}

#include <ListView.h>

#include <algorithm>
#include <cmath>

#include <InterfaceDefs.h>
#include <List.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Message.h>
#include <Window.h>

BListView::BListView(BRect frame, const char* name, list_view_type type, uint32 resizingMode,
	uint32 flags)
	: BView(frame, name, resizingMode, flags),
	  fListType(type)
{
	SetViewColor(ui_color(B_LIST_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
}

BListView::~BListView() = default;

// Hooks.

void BListView::AttachedToWindow()
{
	if (!Messenger().IsValid())
		SetTarget(Window());
	_UpdateAllItems();
}

void BListView::Draw(BRect updateRect)
{
	const std::vector<float>& tops = _Tops();
	int32 first = std::max<int32>(IndexOf(BPoint(0, updateRect.top)), 0);
	for (int32 index = first; index < CountItems() && tops[index] <= updateRect.bottom; index++)
		DrawItem(fItems[index], ItemFrame(index), false);
}

void BListView::DrawItem(BListItem* item, BRect itemRect, bool complete)
{
	item->DrawItem(this, itemRect, complete);
}

void BListView::MouseDown(BPoint where)
{
	if ((Flags() & B_NAVIGABLE) != 0 && !IsFocus())
		MakeFocus();
	int32 clicks = 1;
	if (BMessage* current = Window()->CurrentMessage())
		current->FindInt32("clicks", &clicks);
	uint32 modifiers = _Modifiers();
	int32 index = IndexOf(where);
	if (index < 0) {
		if ((modifiers & (B_SHIFT_KEY | B_COMMAND_KEY)) == 0)
			DeselectAll();
		return;
	}
	if (clicks >= 2 && index == fLastClicked && IsItemSelected(index)) {
		fLastClicked = -1;
		Invoke();
		return;
	}
	fLastClicked = index;
	if (fListType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_SHIFT_KEY) != 0 && fAnchor >= 0) {
		int32 anchor = fAnchor;
		Select(std::min(anchor, index), std::max(anchor, index), false);
		fAnchor = anchor;
	} else if (fListType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_COMMAND_KEY) != 0) {
		if (IsItemSelected(index))
			Deselect(index);
		else
			Select(index, true);
	} else {
		Select(index, false);
	}
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS);
}

void BListView::MouseUp(BPoint)
{
	fTracking = false;
}

void BListView::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (!fTracking || fListType != B_SINGLE_SELECTION_LIST)
		return;
	int32 buttons = 0;
	if (BMessage* current = Window()->CurrentMessage())
		current->FindInt32("buttons", &buttons);
	if (buttons == 0) {
		fTracking = false;
		return;
	}
	// Dragging past either end selects the item at that end.
	where.y = std::clamp(where.y, 0.0f, std::max(_Tops().back() - 1, 0.0f));
	int32 index = IndexOf(where);
	if (index >= 0 && !IsItemSelected(index) && fItems[index]->IsEnabled()) {
		Select(index);
		fLastClicked = index;
		_ScrollToItem(index);
	}
}

void BListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	bool extend = (_Modifiers() & B_SHIFT_KEY) != 0;
	int32 rows = std::max<int32>(static_cast<int32>(_PageHeight()
		/ std::max(ItemFrame(0).Height() + 1, 1.0f)), 1);
	switch (bytes[0]) {
		case B_UP_ARROW:
			_MoveSelection(-1, extend);
			break;
		case B_DOWN_ARROW:
			_MoveSelection(1, extend);
			break;
		case B_PAGE_UP:
			_MoveSelection(-rows, extend);
			break;
		case B_PAGE_DOWN:
			_MoveSelection(rows, extend);
			break;
		case B_HOME:
			_SelectFromKeyboard(_NextEnabled(-1, 1), extend);
			break;
		case B_END:
			_SelectFromKeyboard(_NextEnabled(CountItems(), -1), extend);
			break;
		case B_ENTER:
			if (CurrentSelection() >= 0)
				Invoke();
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}

void BListView::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
	if (BScrollView* scrollView = dynamic_cast<BScrollView*>(Parent()))
		scrollView->SetBorderHighlighted(IsFocus());
}

void BListView::FrameResized(float width, float height)
{
	BView::FrameResized(width, height);
	_UpdateAllItems();
}

void BListView::MessageReceived(BMessage* message)
{
	// With scroll bars the view turns the wheel into their steps.
	if (message->what != B_MOUSE_WHEEL_CHANGED || ScrollBar(B_VERTICAL) != nullptr) {
		BView::MessageReceived(message);
		return;
	}
	float delta = 0;
	message->FindFloat("be:wheel_delta_y", &delta);
	float line = CountItems() > 0 ? ItemFrame(0).Height() + 1 : 12;
	float limit = std::max(_Tops().back() - Bounds().Height() - 1, 0.0f);
	float top = std::clamp(Bounds().top + delta * 3 * line, 0.0f, limit);
	ScrollTo(Bounds().left, top);
}

void BListView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	_UpdateAllItems();
}

void BListView::GetPreferredSize(float* width, float* height)
{
	float widest = 0;
	for (BListItem* item : fItems)
		widest = std::max(widest, item->Width());
	if (width != nullptr)
		*width = widest;
	if (height != nullptr)
		*height = std::max(_Tops().back() - 1, 0.0f);
}

// Items.

bool BListView::AddItem(BListItem* item)
{
	return AddItem(item, CountItems());
}

bool BListView::AddItem(BListItem* item, int32 index)
{
	if (item == nullptr || index < 0 || index > CountItems() || HasItem(item))
		return false;
	fItems.insert(fItems.begin() + index, item);
	fMembers.insert(item);
	if (fAnchor >= index)
		fAnchor++;
	fLastClicked = -1;
	_UpdateItem(item);
	ItemsChanged(index);
	if (item->IsSelected())
		_NotifySelection();
	return true;
}

bool BListView::AddList(BList* list)
{
	return list != nullptr && AddList(list, CountItems());
}

bool BListView::AddList(BList* list, int32 index)
{
	if (list == nullptr || index < 0 || index > CountItems())
		return false;
	for (int32 i = 0; i < list->CountItems(); i++) {
		if (!AddItem(static_cast<BListItem*>(list->ItemAt(i)), index + i))
			return false;
	}
	return true;
}

bool BListView::RemoveItem(BListItem* item)
{
	return RemoveItem(IndexOf(item)) != nullptr;
}

BListItem* BListView::RemoveItem(int32 index)
{
	BListItem* item = ItemAt(index);
	if (item == nullptr)
		return nullptr;
	fItems.erase(fItems.begin() + index);
	fMembers.erase(item);
	if (fAnchor == index)
		fAnchor = -1;
	else if (fAnchor > index)
		fAnchor--;
	fLastClicked = -1;
	ItemsChanged(index);
	if (item->IsSelected())
		_NotifySelection();
	return item;
}

bool BListView::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	bool selected = false;
	for (int32 i = index; i < index + count; i++) {
		selected = selected || fItems[i]->IsSelected();
		fMembers.erase(fItems[i]);
	}
	fItems.erase(fItems.begin() + index, fItems.begin() + index + count);
	fAnchor = -1;
	fLastClicked = -1;
	ItemsChanged(index);
	if (selected)
		_NotifySelection();
	return true;
}

void BListView::MakeEmpty()
{
	bool selected = CurrentSelection() >= 0;
	fItems.clear();
	fMembers.clear();
	fAnchor = -1;
	fLastClicked = -1;
	ScrollTo(0, 0);
	ItemsChanged();
	if (selected)
		_NotifySelection();
}

bool BListView::ReplaceItem(int32 index, BListItem* item)
{
	BListItem* old = ItemAt(index);
	if (old == nullptr || item == nullptr || (HasItem(item) && item != old))
		return false;
	fItems[index] = item;
	_UpdateItem(item);
	ItemsChanged(index);
	if (old->IsSelected() != item->IsSelected())
		_NotifySelection();
	return true;
}

bool BListView::SwapItems(int32 a, int32 b)
{
	if (ItemAt(a) == nullptr || ItemAt(b) == nullptr)
		return false;
	std::swap(fItems[a], fItems[b]);
	ItemsChanged();
	return true;
}

bool BListView::MoveItem(int32 from, int32 to)
{
	BListItem* item = ItemAt(from);
	if (item == nullptr || to < 0 || to >= CountItems())
		return false;
	fItems.erase(fItems.begin() + from);
	fItems.insert(fItems.begin() + to, item);
	ItemsChanged();
	return true;
}

void BListView::SortItems(int (*cmp)(const void*, const void*))
{
	if (cmp == nullptr)
		return;
	std::stable_sort(fItems.begin(), fItems.end(),
		[cmp](BListItem* a, BListItem* b) { return cmp(&a, &b) < 0; });
	fAnchor = -1;
	ItemsChanged();
}

BListItem* BListView::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[index];
}

int32 BListView::IndexOf(BListItem* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found == fItems.end() || item == nullptr ? -1
		: static_cast<int32>(found - fItems.begin());
}

int32 BListView::IndexOf(BPoint point) const
{
	const std::vector<float>& tops = const_cast<BListView*>(this)->_Tops();
	if (point.y < 0 || point.y >= tops.back())
		return -1;
	auto after = std::upper_bound(tops.begin(), tops.end(), point.y);
	return static_cast<int32>(after - tops.begin()) - 1;
}

BListItem* BListView::FirstItem() const
{
	return ItemAt(0);
}

BListItem* BListView::LastItem() const
{
	return ItemAt(CountItems() - 1);
}

bool BListView::HasItem(BListItem* item) const
{
	return fMembers.count(item) > 0;
}

int32 BListView::CountItems() const
{
	return static_cast<int32>(fItems.size());
}

bool BListView::IsEmpty() const
{
	return fItems.empty();
}

void BListView::DoForEach(bool (*func)(BListItem* item))
{
	for (int32 index = 0; index < CountItems(); index++) {
		if (func(fItems[index]))
			break;
	}
}

void BListView::DoForEach(bool (*func)(BListItem* item, void* data), void* data)
{
	for (int32 index = 0; index < CountItems(); index++) {
		if (func(fItems[index], data))
			break;
	}
}

BRect BListView::ItemFrame(int32 index)
{
	if (ItemAt(index) == nullptr)
		return BRect();
	const std::vector<float>& tops = _Tops();
	return BRect(0, tops[index], Bounds().Width(), tops[index + 1] - 1);
}

void BListView::InvalidateItem(int32 index)
{
	if (ItemAt(index) != nullptr)
		Invalidate(ItemFrame(index));
}

void BListView::ScrollToSelection()
{
	_ScrollToItem(CurrentSelection());
}

void BListView::ItemsChanged(int32 from)
{
	size_t first = static_cast<size_t>(std::max(from, 0));
	// The top of the first changed item is where the unchanged ones end.
	fTopsKnown = std::min(fTopsKnown, first + 1);
	BRect bounds = Bounds();
	float top = first < fTops.size() && first < fTopsKnown ? fTops[first] : 0;
	if (top <= bounds.bottom)
		Invalidate(BRect(bounds.left, std::max(top, bounds.top), bounds.right, bounds.bottom));
	_FixScrollBar();
}

// The bar's range is what lies beyond the view, its thumb what the view
// shows; a line is an item, a page what the view shows less a line.
void BListView::_FixScrollBar()
{
	BScrollBar* bar = ScrollBar(B_VERTICAL);
	if (bar == nullptr)
		return;
	float content = _Tops().back();
	float shown = Bounds().Height() + 1;
	float line = CountItems() > 0 ? ItemFrame(0).Height() + 1 : 12;
	bar->SetSteps(line, std::max(shown - line, line));
	bar->SetProportion(content > 0 ? std::min(shown / content, 1.0f) : 1.0f);
	bar->SetRange(0, std::max(content - shown, 0.0f));
}

// Messages and type.

void BListView::SetSelectionMessage(BMessage* message)
{
	fSelectMessage.reset(message);
}

void BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}

BMessage* BListView::SelectionMessage() const
{
	return fSelectMessage.get();
}

uint32 BListView::SelectionCommand() const
{
	return fSelectMessage != nullptr ? fSelectMessage->what : 0;
}

BMessage* BListView::InvocationMessage() const
{
	return Message();
}

uint32 BListView::InvocationCommand() const
{
	return Command();
}

void BListView::SetListType(list_view_type type)
{
	if (type == fListType)
		return;
	fListType = type;
	int32 first = CurrentSelection();
	if (type == B_SINGLE_SELECTION_LIST && first >= 0)
		DeselectExcept(first, first);
}

list_view_type BListView::ListType() const
{
	return fListType;
}

// Selection.

void BListView::Select(int32 index, bool extend)
{
	Select(index, index, extend);
}

void BListView::Select(int32 from, int32 to, bool extend)
{
	if (from < 0 || to < from || to >= CountItems())
		return;
	if (fListType == B_SINGLE_SELECTION_LIST) {
		to = from;
		extend = false;
	}
	bool changed = !extend && _Deselect(0, CountItems() - 1, from, to);
	for (int32 index = from; index <= to; index++) {
		BListItem* item = fItems[index];
		if (item->IsSelected() || !item->IsEnabled())
			continue;
		item->Select();
		InvalidateItem(index);
		changed = true;
	}
	fAnchor = from;
	if (changed)
		_NotifySelection();
}

bool BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != nullptr && item->IsSelected();
}

int32 BListView::CurrentSelection(int32 n) const
{
	for (int32 index = 0; index < CountItems(); index++) {
		if (fItems[index]->IsSelected() && n-- == 0)
			return index;
	}
	return -1;
}

void BListView::Deselect(int32 index)
{
	if (ItemAt(index) != nullptr && _Deselect(index, index, -1, -1))
		_NotifySelection();
}

void BListView::DeselectAll()
{
	if (_Deselect(0, CountItems() - 1, -1, -1))
		_NotifySelection();
}

void BListView::DeselectExcept(int32 from, int32 to)
{
	if (_Deselect(0, CountItems() - 1, from, to))
		_NotifySelection();
}

bool BListView::_Deselect(int32 from, int32 to, int32 keepFrom, int32 keepTo)
{
	bool changed = false;
	for (int32 index = from; index <= to; index++) {
		if ((index >= keepFrom && index <= keepTo) || !fItems[index]->IsSelected())
			continue;
		fItems[index]->Deselect();
		InvalidateItem(index);
		changed = true;
	}
	return changed;
}

status_t BListView::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	BMessenger target = Messenger();
	if (!target.IsValid() && Window() != nullptr)
		target = BMessenger(Window());
	if (!target.IsValid())
		return B_BAD_HANDLER;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", static_cast<BListView*>(this));
	for (int32 n = 0, index; (index = CurrentSelection(n)) >= 0; n++)
		copy.AddInt32("index", index);
	return target.SendMessage(&copy, HandlerForReply(), Timeout());
}

void BListView::SelectionChanged()
{
}

void BListView::_NotifySelection()
{
	SelectionChanged();
	if (fSelectMessage != nullptr)
		Invoke(fSelectMessage.get());
}

// The keyboard's moves.

void BListView::_MoveSelection(int32 step, bool extend)
{
	int32 from = fListType == B_MULTIPLE_SELECTION_LIST && extend && fLastClicked >= 0
		? fLastClicked : CurrentSelection();
	int32 target;
	if (from < 0) {
		target = step > 0 ? _NextEnabled(-1, 1) : _NextEnabled(CountItems(), -1);
	} else {
		int32 wanted = std::clamp(from + step, 0, std::max(CountItems() - 1, 0));
		int32 direction = step > 0 ? 1 : -1;
		target = _NextEnabled(wanted - direction, direction);
		if (target < 0 || (direction > 0 ? target < from : target > from))
			target = from;
	}
	_SelectFromKeyboard(target, extend);
}

void BListView::_SelectFromKeyboard(int32 index, bool extend)
{
	if (ItemAt(index) == nullptr)
		return;
	if (fListType == B_MULTIPLE_SELECTION_LIST && extend && fAnchor >= 0) {
		int32 anchor = fAnchor;
		Select(std::min(anchor, index), std::max(anchor, index), false);
		fAnchor = anchor;
	} else {
		Select(index, false);
	}
	fLastClicked = index;
	_ScrollToItem(index);
}

void BListView::_ScrollToItem(int32 index)
{
	if (ItemAt(index) == nullptr)
		return;
	BRect item = ItemFrame(index);
	BRect bounds = Bounds();
	if (item.top < bounds.top)
		ScrollTo(bounds.left, item.top);
	else if (item.bottom > bounds.bottom)
		ScrollTo(bounds.left, std::max(item.bottom - bounds.Height(), 0.0f));
}

int32 BListView::_NextEnabled(int32 from, int32 step) const
{
	for (int32 index = from + step; index >= 0 && index < CountItems(); index += step) {
		if (fItems[index]->IsEnabled())
			return index;
	}
	return -1;
}

float BListView::_PageHeight() const
{
	return Bounds().Height();
}

uint32 BListView::_Modifiers() const
{
	int32 modifiers = 0;
	if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	return static_cast<uint32>(modifiers);
}

// Measuring.

void BListView::_UpdateItem(BListItem* item)
{
	if (Window() == nullptr)
		return;
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
}

void BListView::_UpdateAllItems()
{
	if (Window() != nullptr) {
		BFont font;
		GetFont(&font);
		for (BListItem* item : fItems)
			item->Update(this, &font);
	}
	ItemsChanged();
}

// Measured again only from the first item that changed: a list that grows
// at its end measures each item once.
const std::vector<float>& BListView::_Tops()
{
	if (fTopsKnown == fItems.size() + 1 && fTops.size() == fTopsKnown)
		return fTops;
	size_t start = std::min(fTopsKnown, fTops.size());
	start = start > 0 ? start - 1 : 0;
	float top = start > 0 ? fTops[start] : 0;
	fTops.resize(fItems.size() + 1);
	for (size_t index = start; index < fItems.size(); index++) {
		fTops[index] = top;
		top += std::max(std::ceil(fItems[index]->Height()), 1.0f);
	}
	fTops.back() = top;
	fTopsKnown = fTops.size();
	return fTops;
}

#include "EntryListView.h"

#include <cctype>
#include <strings.h>

#include <InterfaceDefs.h>
#include <Window.h>

#include "EntryItem.h"

namespace BPrivate {

namespace {

// Letters typed within this time make one prefix.
const bigtime_t kTypeAheadPause = 1000000;

} // namespace

EntryListView::EntryListView(BRect frame, list_view_type type, uint32 goUp)
	: BListView(frame, "entries", type, B_FOLLOW_ALL_SIDES),
	  fGoUp(goUp)
{
	_PlaceColumns();
}

EntryListView::~EntryListView()
{
	_DeleteItems();
}

void EntryListView::KeyDown(const char* bytes, int32 numBytes)
{
	unsigned char first = static_cast<unsigned char>(bytes[0]);
	if (numBytes == 1 && first == B_BACKSPACE) {
		Window()->PostMessage(fGoUp);
		return;
	}
	if (first > B_SPACE && first != B_DELETE) {
		bigtime_t now = system_time();
		if (now - fLastTyped > kTypeAheadPause)
			fTyped.clear();
		fLastTyped = now;
		_TypeAhead(fTyped + std::string(bytes, numBytes));
		return;
	}
	BListView::KeyDown(bytes, numBytes);
}

void EntryListView::FrameResized(float width, float height)
{
	_PlaceColumns();
	BListView::FrameResized(width, height);
}

void EntryListView::SetEntries(const std::vector<ListedEntry>& entries)
{
	_DeleteItems();
	ScrollTo(0, 0);
	for (const ListedEntry& entry : entries)
		AddItem(new EntryItem(entry));
}

const ListedEntry* EntryListView::EntryAt(int32 index) const
{
	EntryItem* item = static_cast<EntryItem*>(ItemAt(index));
	return item != nullptr ? &item->Entry() : nullptr;
}

int32 EntryListView::IndexOfName(const std::string& name) const
{
	for (int32 index = 0; index < CountItems(); index++) {
		if (EntryAt(index)->name == name)
			return index;
	}
	return -1;
}

const EntryColumns& EntryListView::Columns() const
{
	return fColumns;
}

void EntryListView::_DeleteItems()
{
	std::vector<BListItem*> items;
	for (int32 index = 0; index < CountItems(); index++)
		items.push_back(ItemAt(index));
	MakeEmpty();
	for (BListItem* item : items)
		delete item;
}

void EntryListView::_PlaceColumns()
{
	float width = Bounds().Width();
	fColumns.dateLeft = width - 120;
	fColumns.sizeRight = fColumns.dateLeft - 16;
}

void EntryListView::_TypeAhead(const std::string& typed)
{
	for (int32 index = 0; index < CountItems(); index++) {
		if (strncasecmp(EntryAt(index)->name.c_str(), typed.c_str(), typed.size()) == 0) {
			fTyped = typed;
			Select(index);
			ScrollToSelection();
			return;
		}
	}
}

} // namespace BPrivate

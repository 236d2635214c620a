#ifndef _OUTLINE_LIST_VIEW_H
#define _OUTLINE_LIST_VIEW_H

#include <vector>

#include <ListView.h>

// A list of items in a tree: an item with items below it shows a latch
// that expands it (its subitems show) or collapses it. The full list holds
// every item in tree order; the list the view shows (ItemAt, IndexOf,
// CountItems, CurrentSelection and the other BListView calls) holds the
// visible ones. The FullList calls and AddItem(item, index), RemoveItem(
// index) take indices of the full list.
//
// The keys add Right (expands, or moves to the first subitem) and Left
// (collapses, or moves to the superitem); a click on a latch toggles it.
// Collapsing an item deselects what it hides and selects the item instead
// when something it hid was selected.
class BOutlineListView : public BListView {
public:
	BOutlineListView(BRect frame, const char* name, list_view_type type = B_SINGLE_SELECTION_LIST,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	~BOutlineListView() override;

	void MouseDown(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;

	// Right below superitem (before the subitems it has), one level deeper.
	bool AddUnder(BListItem* item, BListItem* superitem);
	bool AddItem(BListItem* item) override;
	bool AddItem(BListItem* item, int32 fullListIndex) override;
	bool AddList(BList* list) override;
	bool AddList(BList* list, int32 fullListIndex) override;
	// Takes out the item with everything below it; deletes nothing.
	bool RemoveItem(BListItem* item) override;
	BListItem* RemoveItem(int32 fullListIndex) override;
	bool RemoveItems(int32 fullListIndex, int32 count) override;
	void MakeEmpty() override;

	BListItem* FullListItemAt(int32 fullListIndex) const;
	int32 FullListIndexOf(BPoint point) const;
	int32 FullListIndexOf(BListItem* item) const;
	BListItem* FullListFirstItem() const;
	BListItem* FullListLastItem() const;
	bool FullListHasItem(BListItem* item) const;
	int32 FullListCountItems() const;
	int32 FullListCurrentSelection(int32 n = 0) const;
	bool FullListIsEmpty() const;

	BListItem* Superitem(const BListItem* item);
	void Expand(BListItem* item);
	void Collapse(BListItem* item);
	bool IsExpanded(int32 fullListIndex);

	int32 CountItemsUnder(BListItem* under, bool oneLevelOnly) const;
	BListItem* ItemUnderAt(BListItem* under, bool oneLevelOnly, int32 index) const;
	BListItem* EachItemUnder(BListItem* under, bool oneLevelOnly,
		BListItem* (*eachFunc)(BListItem* item, void* data), void* data);

protected:
	void DrawItem(BListItem* item, BRect itemRect, bool complete = false) override;
	void DrawLatch(BRect itemRect, int32 level, bool collapsed, bool highlighted,
		bool misTracked);

private:
	int32 _SubtreeEnd(int32 fullListIndex) const;
	BRect _LatchRect(BRect itemRect, int32 level) const;
	bool _Insert(BListItem* item, int32 fullListIndex);
	void _Remove(int32 fullListIndex, int32 end);
	void _RebuildVisible();
	void _SetExpanded(BListItem* item, bool expanded);

	std::vector<BListItem*> fFullList;  // not owned
};

#endif

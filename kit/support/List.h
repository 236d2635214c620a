#ifndef _BE_LIST_H
#define _BE_LIST_H

#include <vector>

#include <SupportDefs.h>

// An ordered list of untyped pointers. It never owns what it holds.
class BList {
public:
	explicit BList(int32 count = 20);
	BList(const BList& other) = default;
	BList& operator=(const BList& other) = default;
	bool operator==(const BList& other) const { return fItems == other.fItems; }
	bool operator!=(const BList& other) const { return !(*this == other); }

	bool AddItem(void* item);
	bool AddItem(void* item, int32 index);
	bool AddList(const BList* list);
	bool AddList(const BList* list, int32 index);

	bool RemoveItem(void* item);
	void* RemoveItem(int32 index);
	bool RemoveItems(int32 index, int32 count);
	bool ReplaceItem(int32 index, void* item);
	void MakeEmpty() { fItems.clear(); }

	void SortItems(int (*compare)(const void*, const void*));
	bool SwapItems(int32 indexA, int32 indexB);
	bool MoveItem(int32 fromIndex, int32 toIndex);

	void* ItemAt(int32 index) const;
	void* ItemAtFast(int32 index) const { return fItems[index]; }
	void* FirstItem() const { return ItemAt(0); }
	void* LastItem() const { return ItemAt(CountItems() - 1); }
	void* Items() const { return const_cast<void**>(fItems.data()); }

	bool HasItem(const void* item) const { return IndexOf(item) >= 0; }
	int32 IndexOf(const void* item) const;
	int32 CountItems() const { return static_cast<int32>(fItems.size()); }
	bool IsEmpty() const { return fItems.empty(); }

	// Calls func for each item until it returns true.
	void DoForEach(bool (*func)(void* item));
	void DoForEach(bool (*func)(void* item, void* argument), void* argument);

private:
	bool ValidIndex(int32 index) const { return index >= 0 && index < CountItems(); }

	std::vector<void*> fItems;
};

#endif

#include <List.h>

#include <algorithm>

BList::BList(int32 count)
{
	fItems.reserve(count > 0 ? count : 0);
}

bool BList::AddItem(void* item)
{
	fItems.push_back(item);
	return true;
}

bool BList::AddItem(void* item, int32 index)
{
	if (index < 0 || index > CountItems())
		return false;
	fItems.insert(fItems.begin() + index, item);
	return true;
}

bool BList::AddList(const BList* list)
{
	return list != nullptr && AddList(list, CountItems());
}

bool BList::AddList(const BList* list, int32 index)
{
	if (list == nullptr || index < 0 || index > CountItems())
		return false;
	// Copy first: the list may be this one.
	std::vector<void*> items = list->fItems;
	fItems.insert(fItems.begin() + index, items.begin(), items.end());
	return true;
}

bool BList::RemoveItem(void* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	fItems.erase(fItems.begin() + index);
	return true;
}

void* BList::RemoveItem(int32 index)
{
	if (!ValidIndex(index))
		return nullptr;
	void* item = fItems[index];
	fItems.erase(fItems.begin() + index);
	return item;
}

bool BList::RemoveItems(int32 index, int32 count)
{
	if (!ValidIndex(index) || count < 0)
		return false;
	int32 end = std::min(CountItems(), index + count);
	fItems.erase(fItems.begin() + index, fItems.begin() + end);
	return true;
}

bool BList::ReplaceItem(int32 index, void* item)
{
	if (!ValidIndex(index))
		return false;
	fItems[index] = item;
	return true;
}

void BList::SortItems(int (*compare)(const void*, const void*))
{
	if (compare == nullptr)
		return;
	// The comparison takes pointers to the items, as qsort() would pass them.
	std::stable_sort(fItems.begin(), fItems.end(),
		[compare](void* const& a, void* const& b) { return compare(&a, &b) < 0; });
}

bool BList::SwapItems(int32 indexA, int32 indexB)
{
	if (!ValidIndex(indexA) || !ValidIndex(indexB))
		return false;
	std::swap(fItems[indexA], fItems[indexB]);
	return true;
}

bool BList::MoveItem(int32 fromIndex, int32 toIndex)
{
	if (!ValidIndex(fromIndex) || !ValidIndex(toIndex))
		return false;
	void* item = fItems[fromIndex];
	fItems.erase(fItems.begin() + fromIndex);
	fItems.insert(fItems.begin() + toIndex, item);
	return true;
}

void* BList::ItemAt(int32 index) const
{
	return ValidIndex(index) ? fItems[index] : nullptr;
}

int32 BList::IndexOf(const void* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found == fItems.end() ? -1 : static_cast<int32>(found - fItems.begin());
}

void BList::DoForEach(bool (*func)(void* item))
{
	if (func == nullptr)
		return;
	for (void* item : std::vector<void*>(fItems)) {
		if (func(item))
			break;
	}
}

void BList::DoForEach(bool (*func)(void* item, void* argument), void* argument)
{
	if (func == nullptr)
		return;
	for (void* item : std::vector<void*>(fItems)) {
		if (func(item, argument))
			break;
	}
}

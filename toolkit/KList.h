#ifndef VELMORA_KLIST_H
#define VELMORA_KLIST_H

#include <List.h>

// A list of pointers to T. It never deletes what it holds: the items
// belong to whoever added them.
template <class T>
class KList {
public:
	explicit KList(int32 blockSize = 20) : fList(blockSize) {}

	bool AddItem(T* item) { return fList.AddItem(item); }
	bool AddItem(T* item, int32 index) { return fList.AddItem(item, index); }
	bool RemoveItem(T* item) { return fList.RemoveItem(item); }
	T* RemoveItem(int32 index) { return static_cast<T*>(fList.RemoveItem(index)); }
	bool ReplaceItem(int32 index, T* item) { return fList.ReplaceItem(index, item); }
	void MakeEmpty() { fList.MakeEmpty(); }

	// Null outside 0 .. CountItems() - 1.
	T* ItemAt(int32 index) const { return static_cast<T*>(fList.ItemAt(index)); }
	T* FirstItem() const { return static_cast<T*>(fList.FirstItem()); }
	T* LastItem() const { return static_cast<T*>(fList.LastItem()); }
	int32 IndexOf(const T* item) const { return fList.IndexOf(item); }
	bool HasItem(const T* item) const { return fList.HasItem(item); }
	int32 CountItems() const { return fList.CountItems(); }
	bool IsEmpty() const { return fList.IsEmpty(); }

private:
	BList fList;
};

#endif

#ifndef VELMORA_KSTACK_H
#define VELMORA_KSTACK_H

#include <List.h>

// A stack of pointers to T. Push appends, Pop removes and returns the top,
// Top returns it without removing it; both give null on an empty stack.
// It never deletes what it holds.
template <class T>
class KStack {
public:
	void Push(T* item) { fItems.AddItem(item); }
	T* Pop() { return static_cast<T*>(fItems.RemoveItem(TopIndex())); }
	T* Top() const { return ItemAt(TopIndex()); }
	// Removes every item (without deleting any).
	void Empty() { fItems.MakeEmpty(); }

	// -1 when empty.
	int32 TopIndex() const { return fItems.CountItems() - 1; }
	int32 CountItems() const { return fItems.CountItems(); }
	bool IsEmpty() const { return fItems.IsEmpty(); }
	// From the bottom (0) to the top; null outside.
	T* ItemAt(int32 index) const { return static_cast<T*>(fItems.ItemAt(index)); }

private:
	BList fItems;
};

#endif

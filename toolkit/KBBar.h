#ifndef VELMORA_KBBAR_H
#define VELMORA_KBBAR_H

#include <Locker.h>
#include <View.h>

#include "KList.h"

class BHandler;
class BLooper;
class KBBarItem;
class KBBarSeparator;

// A tool bar: a grey strip holding buttons, menu fields and separators in
// one row, from the left margin on with the spacing between them, each
// centred in the height inside the vertical margins. It prefers the height
// of its tallest item plus the margins. A margin or spacing given as 0 or
// less takes the default (7, 5 and 3).
//
// The bar's own lock guards its items and their layout; it is taken after
// the window's lock, never before it.
class KBBar : public BView {
public:
	KBBar(BRect frame, const char* name = "ButtonBar", float leftMargin = 0,
		float verticalMargin = 0, float spacing = 0);
	~KBBar() override;

	void Draw(BRect updateRect) override;
	// Width: the bar's own; height: the tallest item's plus both margins.
	void GetPreferredSize(float* width, float* height) override;

	// Adds at the index, or at the end for an index below 0 or beyond the
	// items; the item's view becomes the bar's child and the bar is laid out
	// again. False for a null item or one whose view is already elsewhere.
	bool AddItem(KBBarItem* item, int32 index = -1);
	// A new separator, added as AddItem does; null when it could not be.
	KBBarSeparator* AddSeparator(bool drawLine = true, int32 index = -1);
	// Takes the item and its view out of the bar; the caller owns it then.
	// Null for an index outside the items.
	KBBarItem* RemoveItem(int32 index);
	int32 CountItems() const;
	KBBarItem* ItemAt(int32 index) const;

	// Every button, and every menu field's menu, sends to this target.
	void SetTargetForButtons(BHandler* handler, BLooper* looper = NULL);

	// Sizes every item to its preferred size and places them in a row; then
	// stretches the separators to the inner height.
	void Place();

	bool Lock() { return fLock.Lock(); }
	void Unlock() { fLock.Unlock(); }

	float LeftMargin() const { return fLeftMargin; }
	float VerticalMargin() const { return fVerticalMargin; }
	float Spacing() const { return fSpacing; }

private:
	KList<KBBarItem> fItems;  // their views are children of the bar
	mutable BLocker fLock;
	const float fLeftMargin;
	const float fVerticalMargin;
	const float fSpacing;
};

#endif

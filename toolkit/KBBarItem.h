#ifndef VELMORA_KBBAR_ITEM_H
#define VELMORA_KBBAR_ITEM_H

#include <Point.h>

class BView;

// What a tool bar (KBBar) holds: a view that the bar sizes to its preferred
// size and places in its row. Every item is its own view, so the bar's view
// tree owns it while it is in a bar.
class KBBarItem {
public:
	virtual ~KBBarItem();

	virtual BView* View() = 0;
	// Puts the item with its top left at a point of the bar.
	virtual void PlaceAt(BPoint where);
};

#endif

#ifndef _VELMORA_ENTRY_ITEM_H
#define _VELMORA_ENTRY_ITEM_H

#include <ListItem.h>

#include "DirectoryListing.h"

namespace BPrivate {

// A row of the file panel's list: a folder or file mark, the name, the
// size and the date, in the columns of its EntryListView.
class EntryItem : public BListItem {
public:
	explicit EntryItem(const ListedEntry& entry);

	void DrawItem(BView* owner, BRect frame, bool complete = false) override;
	void Update(BView* owner, const BFont* font) override;

	const ListedEntry& Entry() const;

private:
	void _DrawMark(BView* owner, BRect frame);

	ListedEntry fEntry;
	float fBaseline = 0;
};

} // namespace BPrivate

#endif

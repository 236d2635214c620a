#ifndef _VELMORA_COLUMN_HEADER_H
#define _VELMORA_COLUMN_HEADER_H

#include <View.h>

namespace BPrivate {

class EntryListView;

// The titles of the file panel's columns, above its list and in step with
// the list's columns.
class ColumnHeader : public BView {
public:
	ColumnHeader(BRect frame, const EntryListView* list);

	void Draw(BRect updateRect) override;

private:
	const EntryListView* fList;  // not owned: a view of the same window
};

} // namespace BPrivate

#endif

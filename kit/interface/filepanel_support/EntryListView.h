#ifndef _VELMORA_ENTRY_LIST_VIEW_H
#define _VELMORA_ENTRY_LIST_VIEW_H

#include <string>
#include <vector>

#include <ListView.h>

#include "DirectoryListing.h"

namespace BPrivate {

// Where the columns of the file panel's list are: the name from its left,
// the size ending at sizeRight, the date from dateLeft.
struct EntryColumns {
	float nameLeft = 22;
	float sizeRight = 0;
	float dateLeft = 0;
};

// The file panel's list of a folder's entries, with their name, size and
// date, and a mark for folders. It owns its rows. Typing jumps to the
// entry whose name begins with what was typed; Backspace asks the window
// to go up (the message goUp).
class EntryListView : public BListView {
public:
	EntryListView(BRect frame, list_view_type type, uint32 goUp);
	~EntryListView() override;

	void KeyDown(const char* bytes, int32 numBytes) override;
	void FrameResized(float width, float height) override;

	void SetEntries(const std::vector<ListedEntry>& entries);
	const ListedEntry* EntryAt(int32 index) const;
	// The index of the entry with the name, or -1.
	int32 IndexOfName(const std::string& name) const;
	const EntryColumns& Columns() const;

private:
	void _DeleteItems();
	void _PlaceColumns();
	void _TypeAhead(const std::string& typed);

	uint32 fGoUp;
	EntryColumns fColumns;
	std::string fTyped;
	bigtime_t fLastTyped = 0;
};

} // namespace BPrivate

#endif

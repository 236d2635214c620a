#ifndef VELMORA_KLIST_ITEM_H
#define VELMORA_KLIST_ITEM_H

#include <memory>

#include <StringItem.h>

class BBitmap;
class BMessage;

// A row of a list window: an icon, then a line of text, and a message
// that says what the row stands for.
class KListItem : public BStringItem {
public:
	// Takes data. The icon stays its owner's and must outlive the item;
	// without one the text starts at the left.
	KListItem(const char* text, BMessage* data, const BBitmap* icon = nullptr);
	~KListItem() override;

	void DrawItem(BView* owner, BRect frame, bool complete = false) override;
	void Update(BView* owner, const BFont* font) override;

	// Read back from the row's flattened message on first use.
	const BMessage* Data() const;
	// Whether the row's message, flattened, is these bytes: the same
	// command and fields in the same order. Reads nothing back.
	bool HasFlattenedData(const char* flat, size_t size) const;
	const BBitmap* Icon() const;

private:
	// A big page's error list has thousands of rows: each keeps its message
	// flattened, a tenth of the room of the message itself, and reads it
	// back only when it is asked for.
	std::unique_ptr<char[]> fFlatData;
	mutable std::unique_ptr<BMessage> fData;
	const BBitmap* fIcon;  // not owned
	float fTextHeight = 0;
	uint32 fFlatSize = 0;
};

#endif

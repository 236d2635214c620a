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

	const BMessage* Data() const;
	const BBitmap* Icon() const;

private:
	std::unique_ptr<BMessage> fData;
	const BBitmap* fIcon;  // not owned
	float fTextHeight = 0;
};

#endif

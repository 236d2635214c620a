#ifndef _STRING_ITEM_H
#define _STRING_ITEM_H

#include <string>

#include <ListItem.h>

// A list row showing one line of text.
class BStringItem : public BListItem {
public:
	explicit BStringItem(const char* text, uint32 outlineLevel = 0, bool expanded = true);
	~BStringItem() override;

	void DrawItem(BView* owner, BRect frame, bool complete = false) override;
	void Update(BView* owner, const BFont* font) override;

	// A list showing the item must be told (InvalidateItem) to redraw it.
	virtual void SetText(const char* text);
	// Null when the item has no text.
	const char* Text() const;
	// From the top of the row to the baseline of the text.
	float BaselineOffset() const;

protected:
	// Draws the text from x on, selected or not, over what DrawItem
	// painted; for items that draw something before their text.
	void DrawText(BView* owner, BRect frame, float x);

private:
	std::string fText;
	bool fHasText;
	float fBaselineOffset = 0;
};

#endif

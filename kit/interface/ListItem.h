#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <SupportDefs.h>
#include <Rect.h>

class BFont;
class BView;

// A row of a list view: it knows its size, whether it is selected and
// enabled, and (in an outline list) its level and whether the rows below
// it show. Lists never delete their items: they belong to whoever added
// them.
class BListItem {
public:
	explicit BListItem(uint32 outlineLevel = 0, bool expanded = true);
	virtual ~BListItem();

	float Height() const;
	float Width() const;
	bool IsSelected() const;
	void Select();
	void Deselect();
	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;
	void SetHeight(float height);
	void SetWidth(float width);
	// Draws the item into owner, within frame. complete: the background
	// was not cleared first, so the item paints all of frame.
	virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
	// Measures the item for owner's width and font; the list calls it when
	// the item is added to a list in a window and when the window comes.
	virtual void Update(BView* owner, const BFont* font);

	bool IsExpanded() const;
	void SetExpanded(bool expanded);
	uint32 OutlineLevel() const;

private:
	friend class BOutlineListView;

	float fWidth = 0;
	float fHeight = 0;
	uint32 fLevel;
	bool fSelected = false;
	bool fEnabled = true;
	bool fExpanded;
	bool fHasSubitems = false;  // set by an outline list
};

#endif

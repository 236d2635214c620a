#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <memory>
#include <unordered_set>
#include <vector>

#include <Invoker.h>
#include <ListItem.h>
#include <View.h>

class BList;

enum list_view_type {
	B_SINGLE_SELECTION_LIST,
	B_MULTIPLE_SELECTION_LIST
};

// A column of items, one below the other, of which the user selects one
// (or, in a multiple-selection list, several) and invokes the selection.
//
// The mouse: a click selects (Shift extends a range, Ctrl toggles in a
// multiple-selection list), dragging with the button held follows the
// pointer, a double click invokes, a click below the items deselects. The
// keys: Up and Down move the selection (Shift extends), Home, End, Page Up
// and Page Down jump, Enter invokes.
//
// In a BScrollView the list keeps its bar in step with its items and
// shows its focus on the scroll view's border.
//
// Every change of the selection, by the user or by the program, calls
// SelectionChanged() and sends the selection message; invoking sends the
// invocation message (BInvoker's). Both go to the target, by default the
// window, with "when", "source" (the list) and one "index" per selected
// item. The list never deletes its items.
class BListView : public BView, public BInvoker {
public:
	BListView(BRect frame, const char* name, list_view_type type = B_SINGLE_SELECTION_LIST,
		uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
		uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	~BListView() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;
	void FrameResized(float width, float height) override;
	void MessageReceived(BMessage* message) override;
	void SetFont(const BFont* font, uint32 mask = B_FONT_ALL) override;
	// As wide as the widest item and as high as all of them.
	void GetPreferredSize(float* width, float* height) override;

	virtual bool AddItem(BListItem* item);
	virtual bool AddItem(BListItem* item, int32 index);
	virtual bool AddList(BList* list);
	virtual bool AddList(BList* list, int32 index);
	virtual bool RemoveItem(BListItem* item);
	virtual BListItem* RemoveItem(int32 index);
	virtual bool RemoveItems(int32 index, int32 count);
	// Takes every item out; deletes none.
	virtual void MakeEmpty();
	bool ReplaceItem(int32 index, BListItem* item);
	bool SwapItems(int32 a, int32 b);
	bool MoveItem(int32 from, int32 to);
	// cmp receives pointers to two BListItem pointers, as qsort() does.
	void SortItems(int (*cmp)(const void*, const void*));

	BListItem* ItemAt(int32 index) const;
	int32 IndexOf(BListItem* item) const;
	// The item under a point of the view, or -1.
	int32 IndexOf(BPoint point) const;
	BListItem* FirstItem() const;
	BListItem* LastItem() const;
	bool HasItem(BListItem* item) const;
	int32 CountItems() const;
	bool IsEmpty() const;
	void DoForEach(bool (*func)(BListItem* item));
	void DoForEach(bool (*func)(BListItem* item, void* data), void* data);
	BRect ItemFrame(int32 index);
	void InvalidateItem(int32 index);
	// Scrolls just far enough to show the first selected item.
	void ScrollToSelection();

	virtual void SetSelectionMessage(BMessage* message);
	virtual void SetInvocationMessage(BMessage* message);
	BMessage* SelectionMessage() const;
	uint32 SelectionCommand() const;
	BMessage* InvocationMessage() const;
	uint32 InvocationCommand() const;
	virtual void SetListType(list_view_type type);
	list_view_type ListType() const;

	// extend keeps what is selected (multiple-selection lists only).
	// Disabled items are not selected.
	void Select(int32 index, bool extend = false);
	void Select(int32 from, int32 to, bool extend = false);
	bool IsItemSelected(int32 index) const;
	// The index of the n-th selected item (counting from 0), or -1.
	int32 CurrentSelection(int32 n = 0) const;
	void Deselect(int32 index);
	void DeselectAll();
	void DeselectExcept(int32 from, int32 to);

	// Sends the invocation message (or message).
	status_t Invoke(BMessage* message = NULL) override;
	virtual void SelectionChanged();

protected:
	// Draws one item in its frame; an outline list adds its latches.
	virtual void DrawItem(BListItem* item, BRect itemRect, bool complete = false);
	// Items from index `from` on came or went, or changed their size:
	// measure and redraw from there.
	void ItemsChanged(int32 from = 0);

private:
	friend class BOutlineListView;

	void _FixScrollBar();
	void _UpdateItem(BListItem* item);
	void _UpdateAllItems();
	const std::vector<float>& _Tops();
	bool _Deselect(int32 from, int32 to, int32 keepFrom, int32 keepTo);
	void _NotifySelection();
	void _MoveSelection(int32 step, bool extend);
	void _SelectFromKeyboard(int32 index, bool extend);
	void _ScrollToItem(int32 index);
	int32 _NextEnabled(int32 from, int32 step) const;
	float _PageHeight() const;
	uint32 _Modifiers() const;

	std::vector<BListItem*> fItems;  // not owned
	// The same items, to tell at once whether one is in the list: a list of
	// thousands of rows is filled one row at a time.
	std::unordered_set<BListItem*> fMembers;
	std::vector<float> fTops;        // of each item, and the end of the last
	size_t fTopsKnown = 0;           // how many of fTops are still exact
	std::unique_ptr<BMessage> fSelectMessage;
	list_view_type fListType;
	int32 fAnchor = -1;              // where Shift ranges start
	int32 fLastClicked = -1;         // a double click invokes only this item
	bool fTracking = false;          // the button is held after a click
};

#endif

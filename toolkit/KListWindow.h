#ifndef VELMORA_KLIST_WINDOW_H
#define VELMORA_KLIST_WINDOW_H

#include "KWindow.h"

class BBitmap;
class BListView;
class BMessage;
class KListItem;

// A window with one scrolled list of text rows, each with an icon and a
// message saying what it stands for. When the user invokes a row (a double click,
// or Enter), the window calls Invoked() with that message. Closing the
// window hides it: whoever made it keeps adding to it and quits it.
//
// The calls below are made with the window locked.
class KListWindow : public KWindow {
public:
	// command: the code of the list's invocation message.
	KListWindow(BRect frame, const char* title, uint32 command);
	~KListWindow() override;

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

	// Appends a row; takes data; the icon stays the caller's (may be null).
	void AddItem(const char* text, BMessage* data, const BBitmap* icon = nullptr);
	// Removes and deletes a row.
	void RemoveItem(int32 index);
	// Removes and deletes every row.
	void Empty();
	int32 CountItems() const;
	KListItem* ItemAt(int32 index) const;
	// Selects the row and scrolls the list to it.
	void SelectItem(int32 index);
	BListView* ListView() const;
	uint32 Command() const;

	// The row's message; nothing by default.
	virtual void Invoked(const BMessage* data);

private:
	BListView* fList;  // in a scroll view, a child
	uint32 fCommand;
};

#endif

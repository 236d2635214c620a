#ifndef VELMORA_TAG_SETTINGS_WINDOW_H
#define VELMORA_TAG_SETTINGS_WINDOW_H

#include <Messenger.h>
#include <Window.h>

#include "InsertMode.h"

class Anchor;
class BTextControl;
class Element_List;
class Page_Element;
class WImage;

// The small window in which the user edits where a link goes and the name
// it gives its place, or the text a picture's ALT gives for it. It holds
// the element list's element only to tell its window which one it edited:
// the values go back to the visual window, which stores them under its
// lock if the element still lives. When the element is deleted while the
// window is open (the page is rebuilt, the link is formatted away), the
// window closes and stores nothing.
//
// Enter in a field and the OK button keep what the fields say; Escape
// closes the window and keeps nothing.
class TagSettingsWindow : public BWindow {
public:
	enum {
		// To the visual window: "element" (the anchor or the picture),
		// "watch" (the number of the list's watch on it), "keep" (bool),
		// "link" and "name" (strings) for a link, "alt" for a picture.
		kDone = 'tsdn',
		// From the element list: the anchor was deleted.
		kElementGone = 'tsgn'
	};

	// Opens on the opening anchor of a link (a closing anchor stands for
	// its opening one); a closing anchor without an opening one opens
	// nothing, and null is returned. Called under the lock of the visual
	// window, which gets the values back, for an anchor of its list.
	static TagSettingsWindow* Open(Anchor* anchor, insertflag flag, Element_List* list,
		const BMessenger& visualWindow);
	static TagSettingsWindow* Open(WImage* image, Element_List* list,
		const BMessenger& visualWindow);

	// Stores the anchor's values into it when done says so and the window
	// that sent it still watches it; true when a value changed. Under the
	// lock of the anchor's list.
	static bool TakeValues(const BMessage* done, Element_List* list);
	// The element a done message is about; it may be gone.
	static const Page_Element* ElementOf(const BMessage* done);

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;

private:
	TagSettingsWindow(Page_Element* element, const BMessenger& visualWindow);
	BView* AddPanel();
	void Watch(Element_List* list);

	void Finish(bool keep);

	Page_Element* element;		// the list's; never looked at here once shown
	uint32 watch;				// the list's watch on it
	BMessenger visualWindow;
	BTextControl* linkTo;		// a link's fields
	BTextControl* targetName;
	BTextControl* alternative;	// a picture's
	bool finished;
};

#endif

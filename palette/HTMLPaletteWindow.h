#ifndef VELMORA_HTML_PALETTE_WINDOW_H
#define VELMORA_HTML_PALETTE_WINDOW_H

#include <memory>
#include <string>
#include <vector>

#include <Message.h>
#include <Messenger.h>
#include <Window.h>

class BButton;
class BListItem;
class BListView;
class BMenuField;
class BMessageRunner;
class BOutlineListView;
class BTextControl;
class BTextView;
class WTagAttrListItem;

// The HTML elements palette of one HTML window: the user picks a tag from
// a list of categories, gives its attributes values (typed, or chosen from
// a menu), watches the tag text form in the preview, and inserts it at the
// caret of the HTML window. It knows nothing of the page: what it inserts
// reaches the HTML window as 'rpst' messages, "text" with "movecursor"
// true for the text the caret goes behind and false for the text it stays
// in front of, so that the caret lands between a pair's two tags.
//
// It floats above its HTML window and follows it: it hides when the HTML
// window hides, or when a window other than these two comes to the front,
// and comes back when the HTML window does. Closing it only hides it.
class HTMLPaletteWindow : public BWindow {
public:
	// What the HTML window tells its palette.
	enum {
		// Show the palette (when hidden) and bring it to the front.
		kShow = 'shpl',
		// The HTML window's state: "front" (it is the active window) and
		// "shown".
		kOwnerState = 'hwst'
	};

	// The tag text: the opening tag with its attributes and, for a pair
	// tag, the closing tag.
	struct TagText {
		std::string opening;
		std::string closing;
	};

	// target: the HTML window, which owns the palette.
	explicit HTMLPaletteWindow(BWindow* target);
	~HTMLPaletteWindow() override;

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;
	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void WindowActivated(bool active) override;
	void MenusBeginning() override;
	void MenusEnded() override;

	// The selected tag with the attribute values given so far, each
	// attribute in the order its value was last set.
	TagText ConstructHTML() const;

private:
	void BuildViews();
	void BuildTagList();

	void SelectTag();
	void ShowCategory();
	bool ShowsAttributesOf(const WTagAttrListItem* tag) const;
	void ShowAttributesOf(WTagAttrListItem* tag);
	void SelectAttribute();
	void FocusValueField();
	void UpdateValueField(const WTagAttrListItem* attribute);
	void ChooseValue(const BMessage* message);
	void Insert();
	bool CommitTypedValue();
	void InsertTag();

	WTagAttrListItem* SelectedAttribute() const;
	bool FindValue(const WTagAttrListItem* attribute, BMessage* value) const;
	void StoreValue(const WTagAttrListItem* attribute, const BMessage& value);
	void ClearValueEditors();
	void UpdatePreview();

	void ShowPalette();
	void FollowOwner(const BMessage* state);
	void CheckFollowingLater();
	void HideUnlessInFront(const BMessage* check);

	BMessenger target;
	BOutlineListView* tagList;		// owned through the view tree, as are the views below
	BListView* attributeList;
	BTextControl* valueField;
	BMenuField* valueMenu;
	BTextView* preview;
	BButton* insertButton;
	// The rows of the tag list: the category headings and the tags, which
	// own their attribute rows. The lists never delete their rows.
	std::vector<std::unique_ptr<BListItem>> tagRows;

	// The selected tag's message with one nested message, under the
	// attribute's name, per attribute that has been given a value.
	BMessage currentTag;
	int32 currentTagIndex;			// in the full tag list; -1 for none
	int32 currentAttributeIndex;	// -1 for none

	bool ownerInFront;
	bool hiddenWithOwner;		// shown again when the HTML window comes back
	bool menusOpen;				// the value menu may hold the keyboard meanwhile
	std::unique_ptr<BMessageRunner> followCheck;
	int32 followChecks;			// only the check asked for last counts
};

#endif

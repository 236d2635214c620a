#ifndef GALLERY_WINDOW_H
#define GALLERY_WINDOW_H

#include <memory>
#include <vector>

#include <Window.h>

class BBitmap;
class BFilePanel;
class BListItem;
class BListView;
class BMenuBar;
class KBBar;

// One window with every control: a menu bar, the two tool bars (buttons,
// then command menus), buttons, check boxes, string views, boxes of each
// border, a colour control, status bars, menu fields, a list with icons, an
// outline list, text controls, a text view in a scroll view and the bottom
// bar. Its buttons open an alert, a pop-up menu and the open and save
// panels.
class GalleryWindow : public BWindow {
public:
	GalleryWindow();
	~GalleryWindow() override;

	void MessageReceived(BMessage* message) override;
	bool QuitRequested() override;

	// For dumping the open panel where nobody sees it.
	BFilePanel* OpenPanel() const { return fOpenPanel.get(); }

private:
	BMenuBar* _AddMenuBar();
	KBBar* _AddToolBar(float top);
	KBBar* _AddCommandBar(float top);
	void _AddButtons(BView* panel, BRect frame);
	void _AddCheckBoxes(BView* panel, BRect frame);
	void _AddTexts(BView* panel, BRect frame);
	void _AddColors(BView* panel, BRect frame);
	void _AddProgress(BView* panel, BRect frame);
	void _AddMenuFields(BView* panel, BRect frame);
	void _AddLists(BView* panel, BRect frame);
	void _AddTextControls(BView* panel, BRect frame);
	void _AddTextView(BView* panel, BRect frame);
	void _ShowPopUpMenu(BMessage* message);

	// A list does not own its rows: they are the window's, and the lists
	// let go of them before they go.
	template<typename Item>
	Item* _Row(Item* item);
	std::vector<std::unique_ptr<BListItem>> fRows;
	std::vector<BListView*> fLists;
	std::vector<std::unique_ptr<BBitmap>> fIcons;  // the list's rows show them
	std::unique_ptr<BFilePanel> fOpenPanel;
	std::unique_ptr<BFilePanel> fSavePanel;
};

#endif

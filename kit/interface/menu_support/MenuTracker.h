#ifndef _VELMORA_MENU_TRACKER_H
#define _VELMORA_MENU_TRACKER_H

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include <Message.h>
#include <MenuPrivate.h>
#include <Rect.h>

class BMenu;
class BMenuItem;
class BWindow;

namespace BPrivate {

struct MenuTrackingRequest {
	BMenu* root = nullptr;       // a menu bar, or a pop-up menu
	bool rootIsBar = false;
	BWindow* owner = nullptr;    // whose keys and mouse the menus take; may be null
	int32 titleIndex = -1;       // bars: the title to open
	BPoint where;                // pop-ups: the top left, on the screen
	BRect clickToOpen;           // on the screen; invalid: none
	bool openAnyway = false;
	bool buttonHeld = false;     // opened by a press that is still held
	bool selectFirst = false;    // opened by the keyboard: the marked (or first) item is highlighted
};

// One spell of the user working with open menus, from a click on a menu
// bar, a key that opens it, or BPopUpMenu::Go(), until an item is chosen
// or the menus are dismissed. It runs on the calling thread and keeps it
// until the end; when that is a window's thread (the bar's window, or the
// window whose mouse-down handler called Go()), the window goes on drawing.
//
// Input reaches it straight from the display through input catchers on
// the owner window and on the menus' own windows, since the owner's thread
// is busy here; the catchers queue it and this thread handles it. Each open
// menu is a view in a pop-up window of its own (kMenuWindowFeel), locked
// by this thread to change what it highlights: the owner window's lock
// comes before its menu windows' locks.
//
// Menus are read here without the owner's lock being taken again: its
// holder is the thread running this, so no other thread may change them.
class MenuTracker {
public:
	// The chosen item, or null when the menus were dismissed. Null at once
	// while another tracking runs.
	static BMenuItem* Track(const MenuTrackingRequest& request);

	static std::vector<OpenMenu> OpenMenus();
	static status_t WaitForMenus(bool open, bigtime_t timeout);

private:
	struct Level {
		BMenu* menu;
		BWindow* window;  // the menu's pop-up window; null for a menu bar
		BRect frame;      // on the screen
	};
	enum class Placement { kAt, kBelow, kBeside };

	explicit MenuTracker(const MenuTrackingRequest& request);
	~MenuTracker();

	BMenuItem* _Run();
	void _Open();
	bool _Catch(const BMessage& input, bool fromOwner);
	void _WaitAndHandle();
	void _Handle(const BMessage& input);

	void _OwnerDeactivated();
	void _MouseMoved(BPoint where);
	void _NoteKeyClosedSubmenu();
	void _MouseDown(BPoint where);
	void _MouseUp(BPoint where);
	void _KeyDown(const BMessage& key);
	void _MoveSelection(int32 step, bool fromEnd);
	void _MoveTitle(int32 step);
	void _Enter();
	void _JumpTo(char letter);

	int32 _LevelAt(BPoint where) const;
	int32 _ItemAt(int32 level, BPoint where) const;
	BMenuItem* _SelectedItem(int32 level) const;
	bool _IsBar(int32 level) const;
	int32 _FirstMenuLevel() const;
	int32 _Deepest() const;

	void _Select(int32 level, int32 index, bool openSubmenu, bool selectFirst);
	void _SetSelected(int32 level, int32 index);
	void _OpenSubmenu(int32 level, bool selectFirst);
	void _OpenMenu(BMenu* menu, BPoint where, Placement placement, BRect anchor,
		bool selectFirst);
	void _CloseAbove(int32 level);
	void _NoteLevels();
	void _Choose(BMenuItem* item);
	void _Dismiss();

	MenuTrackingRequest fRequest;
	std::vector<Level> fLevels;
	bool fSticky;
	// Where the pointer stood when a key closed a submenu: the notice that
	// the pointer is over the menu below again, at that same place, must
	// not open it again. Only moving the pointer does.
	BPoint fKeyClosedAt;
	bool fKeyClosedSubmenu = false;
	bool fDone = false;
	BMenuItem* fChosen = nullptr;

	// What the catchers and the testing hooks share with this thread.
	std::mutex fLock;
	std::condition_variable fArrived;
	std::deque<BMessage> fQueue;
	bool fBusy = true;
	std::vector<OpenMenu> fOpenMenus;
};

} // namespace BPrivate

#endif

#include <PopUpMenu.h>

#include <DisplayServer.h>
#include <Message.h>
#include <MenuItem.h>
#include <Window.h>
#include <WindowPrivate.h>

#include "menu_support/MenuTracker.h"

namespace {

// Whether the press that opens the menu is still held: the window's
// current mouse-down when a window's handler opens it, else the pointer.
bool ButtonHeld(BWindow* window)
{
	BMessage* current = window != nullptr ? window->CurrentMessage() : nullptr;
	if (current != nullptr && current->what == B_MOUSE_DOWN)
		return true;
	BPoint where;
	uint32 buttons = 0;
	BPrivate::DisplayServer::Default()->GetMouse(&where, &buttons);
	return buttons != 0;
}

} // namespace

BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked,
	menu_layout layout)
	: BMenu(name, layout)
{
	SetRadioMode(radioMode);
	SetLabelFromMarked(labelFromMarked);
}

BPopUpMenu::~BPopUpMenu() = default;

BMenuItem* BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway)
{
	return Go(where, deliversMessage, openAnyway, BRect());
}

BMenuItem* BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway,
	BRect clickToOpenRect)
{
	fWhere = where;
	BWindow* window = BPrivate::DispatchingWindow();
	BPrivate::MenuTrackingRequest request;
	request.root = this;
	request.owner = window;
	request.where = where;
	request.clickToOpen = clickToOpenRect;
	request.openAnyway = openAnyway;
	request.buttonHeld = ButtonHeld(window);
	BMenuItem* chosen = BPrivate::MenuTracker::Track(request);
	if (chosen != nullptr && deliversMessage)
		chosen->Invoke();
	return chosen;
}

BPoint BPopUpMenu::ScreenLocation()
{
	if (Supermenu() != nullptr)
		return BMenu::ScreenLocation();
	return fWhere;
}

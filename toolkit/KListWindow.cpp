#include "KListWindow.h"

#include <vector>

#include <ListView.h>
#include <Message.h>
#include <ScrollView.h>

#include "KListItem.h"

KListWindow::KListWindow(BRect frame, const char* title, uint32 command)
	: KWindow(frame, title, B_TITLED_WINDOW, B_ASYNCHRONOUS_CONTROLS),
	  fCommand(command)
{
	BRect listFrame = Bounds();
	listFrame.right -= B_V_SCROLL_BAR_WIDTH;
	fList = new BListView(listFrame, "list", B_SINGLE_SELECTION_LIST, B_FOLLOW_ALL_SIDES);
	fList->SetInvocationMessage(new BMessage(command));
	AddChild(new BScrollView("scroll", fList, B_FOLLOW_ALL_SIDES, 0, false, true, B_NO_BORDER));
	fList->MakeFocus();
}

KListWindow::~KListWindow()
{
	// The list goes with the window and never looks at its items again.
	for (int32 index = 0; index < fList->CountItems(); index++)
		delete fList->ItemAt(index);
}

void KListWindow::MessageReceived(BMessage* message)
{
	if (message->what != fCommand) {
		KWindow::MessageReceived(message);
		return;
	}
	int32 index = -1;
	if (message->FindInt32("index", &index) != B_OK)
		index = fList->CurrentSelection();
	if (KListItem* item = ItemAt(index))
		Invoked(item->Data());
}

bool KListWindow::QuitRequested()
{
	if (!IsHidden())
		Hide();
	return false;
}

void KListWindow::AddItem(const char* text, BMessage* data, const BBitmap* icon)
{
	fList->AddItem(new KListItem(text, data, icon));
}

void KListWindow::RemoveItem(int32 index)
{
	delete fList->RemoveItem(index);
}

void KListWindow::Empty()
{
	std::vector<BListItem*> items;
	for (int32 index = 0; index < fList->CountItems(); index++)
		items.push_back(fList->ItemAt(index));
	fList->MakeEmpty();
	for (BListItem* item : items)
		delete item;
}

int32 KListWindow::CountItems() const
{
	return fList->CountItems();
}

KListItem* KListWindow::ItemAt(int32 index) const
{
	return static_cast<KListItem*>(fList->ItemAt(index));
}

void KListWindow::SelectItem(int32 index)
{
	fList->Select(index);
	fList->ScrollToSelection();
}

BListView* KListWindow::ListView() const
{
	return fList;
}

uint32 KListWindow::Command() const
{
	return fCommand;
}

void KListWindow::Invoked(const BMessage*)
{
}

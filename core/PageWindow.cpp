#include "PageWindow.h"

#include <Message.h>

#include "WindowedPage.h"

PageWindow::PageWindow(BRect frame, const char* title, WindowedPage* page)
	:
	BWindow(frame, title, B_TITLED_WINDOW, B_ASYNCHRONOUS_CONTROLS),
	page(page),
	changed(false)
{
}

void PageWindow::Quit()
{
	Lock();
	BWindow::Quit();
}

bool PageWindow::QuitRequested()
{
	if (page == nullptr || page->IsDeleting())
		return true;
	PageWindow* partner = Partner();
	if (partner == nullptr || partner->IsHidden())
		PostMessage('clos');
	else
		Hide();
	return false;
}

// 'clos' closes the page, which the application owns.
void PageWindow::MessageReceived(BMessage* message)
{
	if (message->what == 'clos' && page != nullptr) {
		page->ClosePage();
		return;
	}
	BWindow::MessageReceived(message);
}

void PageWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (!active || page == nullptr || page->IsDeleting() || !TakesOverOnActivation())
		return;
	// What waits to be drawn is drawn before a long update.
	UpdateIfNeeded();
	page->NoteActiveWindow(this);
	PageWindow* partner = Partner();
	if (partner != nullptr && partner->IsChanged() && !page->IsUpdating()) {
		TakeOverPartnerEdits();
		partner->NotChanged();
	}
}

void PageWindow::Changed()
{
	changed = true;
	if (page == nullptr)
		return;
	if (page->IsSaved())
		page->NotSaved();
	page->Edited();
}

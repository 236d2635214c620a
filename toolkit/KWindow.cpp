#include "KWindow.h"

#include <Message.h>

void KWindow::MessageReceived(BMessage* message)
{
	if (message->what != kShowInFront) {
		BWindow::MessageReceived(message);
		return;
	}
	if (IsHidden())
		Show();
	else
		Activate();
}

void KWindow::ShowInFront()
{
	PostMessage(kShowInFront);
}

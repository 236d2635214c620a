#include "KFinder.h"

#include <CheckBox.h>
#include <Message.h>

#include "KFinderView.h"

namespace {

// Where the finder first shows; its view sizes it to its controls.
const BRect kFrame(80, 40, 484, 145);

bool IsOn(const BCheckBox* box)
{
	return box->Value() == B_CONTROL_ON;
}

} // namespace

KFinder::KFinder(BWindow* editor)
	:
	KWindow(kFrame, "Finder", B_FLOATING_WINDOW_LOOK, B_FLOATING_SUBSET_WINDOW_FEEL,
		B_NOT_ZOOMABLE | B_NOT_RESIZABLE | B_ASYNCHRONOUS_CONTROLS),
	parent(editor),
	view(new KFinderView()),
	caseSensitive(false),
	wholeWord(false),
	wrap(false)
{
	if (parent != nullptr)
		AddToSubset(parent);
	AddChild(view);
}

void KFinder::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'xcas':
			caseSensitive = IsOn(view->CaseCheckBox());
			break;
		case 'whwr':
			wholeWord = IsOn(view->WholeWordCheckBox());
			break;
		case 'wrap':
			wrap = IsOn(view->WrapCheckBox());
			break;
		default:
			KWindow::MessageReceived(message);
	}
}

bool KFinder::QuitRequested()
{
	if (!IsHidden())
		Hide();
	return false;
}

void KFinder::Quit()
{
	Lock();
	BWindow::Quit();
}

#include "KFinderView.h"

#include <algorithm>

#include <Button.h>
#include <CheckBox.h>
#include <Message.h>
#include <TextControl.h>
#include <Window.h>

#include <control_support/ControlLook.h>

namespace {

constexpr float kMargin = 10;
constexpr float kGap = 6;
constexpr float kFieldWidth = 260;

BRect Nowhere()
{
	return BRect(0, 0, 10, 10);
}

struct Size {
	float width = 0;
	float height = 0;
};

Size PreferredOf(BView* view)
{
	Size size;
	view->GetPreferredSize(&size.width, &size.height);
	return size;
}

} // namespace

KFinderView::KFinderView()
	:
	BView(Nowhere(), "KFinderView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW),
	findField(new BTextControl(Nowhere(), "FindField", "Find:", "", new BMessage('ftxt'))),
	replaceField(new BTextControl(Nowhere(), "ReplaceField", "Replace:", "",
		new BMessage('rtxt'))),
	caseCheckBox(new BCheckBox(Nowhere(), "XCaseCheckBox", "Case sensitive",
		new BMessage('xcas'))),
	wholeWordCheckBox(new BCheckBox(Nowhere(), "WholeWordCheckBox", "Whole word",
		new BMessage('whwr'))),
	wrapCheckBox(new BCheckBox(Nowhere(), "WrapCheckBox", "Wrap", new BMessage('wrap'))),
	findButton(new BButton(Nowhere(), "FindButton", "Find", new BMessage('find'))),
	replaceButton(new BButton(Nowhere(), "ReplaceButton", "Replace", new BMessage('repl'))),
	replaceAllButton(new BButton(Nowhere(), "ReplaceAllButton", "Replace all",
		new BMessage('rall')))
{
	SetViewColor(BPrivate::ControlLook::PanelColor());
	for (BView* control : std::initializer_list<BView*>{findField, replaceField, caseCheckBox,
			wholeWordCheckBox, wrapCheckBox, findButton, replaceButton, replaceAllButton})
		AddChild(control);
}

void KFinderView::AttachedToWindow()
{
	BView::AttachedToWindow();
	LayOut();
	findButton->MakeDefault(true);
	findField->MakeFocus(true);
}

// The fields over the check boxes on the left, the buttons in a column on
// the right.
void KFinderView::LayOut()
{
	float divider = std::max(StringWidth(findField->Label()), StringWidth(replaceField->Label()))
		+ kGap;
	float y = kMargin;
	// Sized first: the divider places the text field inside the width the
	// control has then.
	for (BTextControl* field : {findField, replaceField}) {
		field->MoveTo(kMargin, y);
		field->ResizeTo(kFieldWidth, PreferredOf(field).height);
		field->SetDivider(divider);
		y += field->Bounds().Height() + kGap;
	}
	float x = kMargin;
	float boxHeight = 0;
	for (BCheckBox* box : {caseCheckBox, wholeWordCheckBox, wrapCheckBox}) {
		box->ResizeToPreferred();
		box->MoveTo(x, y);
		x += box->Bounds().Width() + kGap;
		boxHeight = std::max(boxHeight, box->Bounds().Height());
	}
	float left = kMargin + std::max(kFieldWidth, x - kGap - kMargin) + 2 * kGap;
	float buttonWidth = 0;
	for (BButton* button : {findButton, replaceButton, replaceAllButton})
		buttonWidth = std::max(buttonWidth, PreferredOf(button).width);
	float buttonY = kMargin;
	for (BButton* button : {findButton, replaceButton, replaceAllButton}) {
		button->MoveTo(left, buttonY);
		button->ResizeTo(buttonWidth, PreferredOf(button).height);
		buttonY += button->Bounds().Height() + kGap;
	}
	float width = left + buttonWidth + kMargin;
	float height = std::max(y + boxHeight, buttonY - kGap) + kMargin;
	Window()->ResizeTo(width, height);
	ResizeTo(width, height);
}

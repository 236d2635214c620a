#include "GalleryWindow.h"

#include <set>
#include <string>

#include <Alert.h>
#include <Application.h>
#include <Bitmap.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <Invoker.h>
#include <Message.h>
#include <ScrollView.h>
#include <StatusBar.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>

#include "KBBar.h"
#include "KBBarButton.h"
#include "KBottomBar.h"
#include "KLowStatusBar.h"
#include "ToolBarIcons.h"

namespace {

const uint32 kShowAlert = 'salr';
const uint32 kButtonPressed = 'bprs';
const uint32 kColorChanged = 'colr';
const uint32 kAlertAnswered = 'answ';

const float kMargin = 10;

// A labelled box on the panel; what it holds is placed inside it.
BBox* AddBox(BView* panel, BRect frame, const char* label, border_style border = B_FANCY_BORDER)
{
	auto* box = new BBox(frame, nullptr, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP, border);
	box->SetLabel(label);
	panel->AddChild(box);
	return box;
}

} // namespace

GalleryWindow::GalleryWindow()
	: BWindow(BRect(80, 40, 759, 679), "Gallery of controls", B_TITLED_WINDOW,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS)
{
	KBBar* toolBar = _AddToolBar();
	auto* bottom = new KBottomBar(this, true, "Ready: 7 controls, 3 boxes");
	bottom->UpdateStatusBar(40, "Loading…");

	BRect area = Bounds();
	area.top = toolBar->Frame().bottom + 1;
	area.bottom = bottom->Frame().top - 1;
	auto* panel = new BView(area, "panel", B_FOLLOW_ALL, B_WILL_DRAW);
	panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(panel);

	float column = 320;
	_AddButtons(panel, BRect(kMargin, kMargin, column - 1, 140));
	_AddCheckBoxes(panel, BRect(kMargin, 150, column - 1, 260));
	_AddTexts(panel, BRect(kMargin, 270, column - 1, 400));
	_AddColors(panel, BRect(column + kMargin, kMargin, area.Width() - kMargin, 150));
	_AddProgress(panel, BRect(column + kMargin, 160, area.Width() - kMargin, 400));
	_AddTextControls(panel, BRect(kMargin, 410, column - 1, area.Height() - kMargin));
	_AddTextView(panel, BRect(column + kMargin, 410, area.Width() - kMargin,
		area.Height() - kMargin));
}

KBBar* GalleryWindow::_AddToolBar()
{
	auto* bar = new KBBar(BRect(0, 0, Bounds().Width(), 20), "upbar");
	AddChild(bar);
	// The groups of the editor's bar end after these pictures.
	const std::set<std::string> groupEnds = {"butSave", "butPageProperties", "butImage",
		"butFind"};
	for (const PictureRecipe& recipe : ToolBarIcons::Recipes()) {
		bar->AddItem(new KBBarButton(recipe.name, recipe.Render().release(), kButtonPressed));
		if (groupEnds.count(recipe.name) > 0)
			bar->AddSeparator(true);
	}
	bar->ResizeToPreferred();
	bar->Place();
	return bar;
}

void GalleryWindow::_AddButtons(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Buttons");
	float top = 22;
	auto* show = new BButton(BRect(10, top, 130, top + 10), "show", "Show alert…",
		new BMessage(kShowAlert));
	show->ResizeToPreferred();
	box->AddChild(show);
	auto* normal = new BButton(BRect(150, top, 250, top + 10), "normal", "Normal",
		new BMessage(kButtonPressed));
	normal->ResizeToPreferred();
	box->AddChild(normal);
	top = show->Frame().bottom + 8;
	auto* apply = new BButton(BRect(10, top, 130, top + 10), "apply", "Default",
		new BMessage(kButtonPressed));
	apply->ResizeToPreferred();
	apply->MakeDefault(true);
	box->AddChild(apply);
	auto* disabled = new BButton(BRect(150, top, 250, top + 10), "disabled", "Disabled",
		new BMessage(kButtonPressed));
	disabled->ResizeToPreferred();
	disabled->SetEnabled(false);
	box->AddChild(disabled);
	show->MakeFocus(true);
}

void GalleryWindow::_AddCheckBoxes(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Check boxes");
	const char* labels[] = {"Case sensitive", "Whole word", "Wrap (disabled)"};
	float top = 22;
	for (int i = 0; i < 3; i++) {
		auto* check = new BCheckBox(BRect(10, top, 280, top + 10), labels[i], labels[i],
			new BMessage(kButtonPressed));
		check->ResizeToPreferred();
		check->SetValue(i == 0 ? B_CONTROL_ON : B_CONTROL_OFF);
		check->SetEnabled(i != 2);
		box->AddChild(check);
		top = check->Frame().bottom + 6;
	}
}

void GalleryWindow::_AddTexts(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "String views, plain border", B_PLAIN_BORDER);
	const struct {
		const char* text;
		alignment align;
	} lines[] = {
		{"Aligned left", B_ALIGN_LEFT},
		{"Centred", B_ALIGN_CENTER},
		{"Aligned right", B_ALIGN_RIGHT},
		{"A text too long for its line is cut short with an ellipsis", B_ALIGN_LEFT}
	};
	float top = 22;
	for (const auto& line : lines) {
		auto* view = new BStringView(BRect(10, top, frame.Width() - 10, top + 18), nullptr,
			line.text);
		view->SetAlignment(line.align);
		box->AddChild(view);
		top += 24;
	}
}

void GalleryWindow::_AddColors(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Colors");
	auto* colors = new BColorControl(BPoint(10, 24), B_CELLS_32x8, 8, "color_ColorControl",
		new BMessage(kColorChanged));
	colors->SetValue(make_color(51, 102, 152));
	box->AddChild(colors);
}

void GalleryWindow::_AddProgress(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Progress");
	auto* progress = new BStatusBar(BRect(10, 24, frame.Width() - 10, 60), "progress",
		"Processing: ", " of 100");
	progress->Update(65, "page 2", "65");
	box->AddChild(progress);
	auto* bare = new BStatusBar(BRect(10, 80, frame.Width() - 10, 100), "bare");
	bare->SetBarColor(make_color(0, 160, 0));
	bare->SetBarHeight(10);
	bare->Update(30);
	box->AddChild(bare);
	auto* noBorder = AddBox(box, BRect(10, 120, frame.Width() - 10, 225), "No border",
		B_NO_BORDER);
	noBorder->AddChild(new BStringView(BRect(10, 24, 300, 42), nullptr,
		"A box without a border keeps its label."));
}

void GalleryWindow::_AddTextControls(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Text controls");
	const struct {
		const char* label;
		const char* text;
		bool enabled;
	} fields[] = {
		{"Find:", "colour", true},
		{"Replace:", "color", true},
		{"Disabled:", "cannot be edited", false}
	};
	float top = 24;
	for (const auto& field : fields) {
		auto* control = new BTextControl(BRect(10, top, frame.Width() - 10, top + 16),
			field.label, field.label, field.text, new BMessage(kButtonPressed));
		control->SetDivider(70);
		control->SetEnabled(field.enabled);
		box->AddChild(control);
		top = control->Frame().bottom + 8;
	}
}

void GalleryWindow::_AddTextView(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Text view in a scroll view");
	BRect area(10, 24, frame.Width() - 10 - B_V_SCROLL_BAR_WIDTH, frame.Height() - 10);
	auto* text = new BTextView(area, "text", area.OffsetToCopy(0, 0).InsetByCopy(3, 3),
		B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
	text->SetText("A styled text view: it wraps its lines to its width, scrolls, "
		"selects with the mouse and the keys, and undoes. The controls above share one look: "
		"light grey panels, bevelled faces, white sunken fields and the blue of the keyboard "
		"focus.");
	box->AddChild(new BScrollView("scroll", text, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0, false, true));
}

void GalleryWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kShowAlert:
		{
			auto* alert = new BAlert("Alert", "Are you sure you want to discard any changes "
				"to this file and revert to the saved version?", "Cancel", "Revert", nullptr,
				B_WIDTH_AS_USUAL, B_WARNING_ALERT);
			alert->SetShortcut(0, B_ESCAPE);
			alert->Go(new BInvoker(new BMessage(kAlertAnswered), this));
			break;
		}
		case kButtonPressed:
		case kColorChanged:
		case kAlertAnswered:
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

bool GalleryWindow::QuitRequested()
{
	be_app->PostMessage(B_QUIT_REQUESTED);
	return false;
}

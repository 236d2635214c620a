#include "GalleryWindow.h"

#include <cmath>
#include <set>
#include <string>

#include <Alert.h>
#include <Application.h>
#include <Bitmap.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <ColorControl.h>
#include <FilePanel.h>
#include <Invoker.h>
#include <ListView.h>
#include <MenuBar.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <OutlineListView.h>
#include <PopUpMenu.h>
#include <ScrollView.h>
#include <StatusBar.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>

#include "KBBar.h"
#include "ExtensionsFilePanel.h"
#include "KBBarButton.h"
#include "KBBarMenuField.h"
#include "KBottomBar.h"
#include "KListItem.h"
#include "KLowStatusBar.h"
#include "StatusIcons.h"
#include "ToolBarIcons.h"

namespace {

const uint32 kShowAlert = 'salr';
const uint32 kButtonPressed = 'bprs';
const uint32 kColorChanged = 'colr';
const uint32 kAlertAnswered = 'answ';
const uint32 kShowOpenPanel = 'sopn';
const uint32 kShowSavePanel = 'ssav';
const uint32 kShowPopUp = 'spop';
const uint32 kListInvoked = 'linv';

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
	: BWindow(BRect(30, 30, 989, 739), "Gallery of controls", B_TITLED_WINDOW,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_ASYNCHRONOUS_CONTROLS)
{
	BMenuBar* menuBar = _AddMenuBar();
	KBBar* toolBar = _AddToolBar(menuBar->Frame().bottom + 1);
	KBBar* commandBar = _AddCommandBar(toolBar->Frame().bottom + 1);
	auto* bottom = new KBottomBar(this, true, "Ready: 9 boxes of controls");
	bottom->UpdateStatusBar(40, "Loading…");

	BRect area = Bounds();
	area.top = commandBar->Frame().bottom + 1;
	area.bottom = bottom->Frame().top - 1;
	auto* panel = new BView(area, "panel", B_FOLLOW_ALL, B_WILL_DRAW);
	panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(panel);

	const float column = 320;
	const float row = 410;
	const float right = area.Width() - kMargin;
	_AddButtons(panel, BRect(kMargin, kMargin, column - 1, 165));
	_AddCheckBoxes(panel, BRect(kMargin, 175, column - 1, 265));
	_AddTexts(panel, BRect(kMargin, 275, column - 1, row - kMargin));
	_AddColors(panel, BRect(column, kMargin, 2 * column - kMargin - 1, 130));
	_AddProgress(panel, BRect(column, 140, 2 * column - kMargin - 1, 260));
	_AddMenuFields(panel, BRect(column, 270, 2 * column - kMargin - 1, row - kMargin));
	_AddLists(panel, BRect(2 * column, kMargin, right, row - kMargin));
	_AddTextControls(panel, BRect(kMargin, row, column - 1, area.Height() - kMargin));
	_AddTextView(panel, BRect(column, row, right, area.Height() - kMargin));
}

GalleryWindow::~GalleryWindow()
{
	for (BListView* list : fLists)
		list->MakeEmpty();
}

template<typename Item>
Item* GalleryWindow::_Row(Item* item)
{
	fRows.emplace_back(item);
	return item;
}

BMenuBar* GalleryWindow::_AddMenuBar()
{
	auto* bar = new BMenuBar(BRect(0, 0, Bounds().Width(), 18), "menubar");
	auto* file = new BMenu("File");
	file->AddItem(new BMenuItem("Open…", new BMessage(kShowOpenPanel), 'O'));
	file->AddItem(new BMenuItem("Save as…", new BMessage(kShowSavePanel), 'S', B_SHIFT_KEY));
	file->AddSeparatorItem();
	file->AddItem(new BMenuItem("Quit", new BMessage(B_QUIT_REQUESTED), 'Q'));
	bar->AddItem(file);

	auto* edit = new BMenu("Edit");
	edit->AddItem(new BMenuItem("Undo", new BMessage(kButtonPressed), 'Z'));
	edit->AddSeparatorItem();
	edit->AddItem(new BMenuItem("Cut", new BMessage(kButtonPressed), 'X'));
	edit->AddItem(new BMenuItem("Copy", new BMessage(kButtonPressed), 'C'));
	auto* paste = new BMenuItem("Paste", new BMessage(kButtonPressed), 'V');
	paste->SetEnabled(false);
	edit->AddItem(paste);
	edit->AddItem(new BMenuItem("Select all", new BMessage(kButtonPressed), 'A'));
	bar->AddItem(edit);

	auto* format = new BMenu("Format");
	auto* headings = new BMenu("Heading");
	headings->SetRadioMode(true);
	for (const char* level : {"Heading 1", "Heading 2", "Heading 3"})
		headings->AddItem(new BMenuItem(level, new BMessage(kButtonPressed)));
	headings->ItemAt(1)->SetMarked(true);
	format->AddItem(headings);
	auto* bold = new BMenuItem("Bold", new BMessage(kButtonPressed), 'B');
	bold->SetMarked(true);
	format->AddItem(bold);
	format->AddItem(new BMenuItem("Italic", new BMessage(kButtonPressed), 'I'));
	format->AddItem(new BMenuItem("Insert tag…", new BMessage(kButtonPressed), 'T',
		B_CONTROL_KEY));
	bar->AddItem(format);

	auto* help = new BMenu("Help");
	help->AddItem(new BMenuItem("About the gallery", new BMessage(kShowAlert)));
	bar->AddItem(help);
	AddChild(bar);
	return bar;
}

KBBar* GalleryWindow::_AddToolBar(float top)
{
	auto* bar = new KBBar(BRect(0, top, Bounds().Width(), top + 20), "upbar");
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

KBBar* GalleryWindow::_AddCommandBar(float top)
{
	auto* bar = new KBBar(BRect(0, top, Bounds().Width(), top + 20), "lowbar");
	AddChild(bar);
	auto* headings = new KBBarMenuField("Headings…     ");
	const char* levels[] = {"Heading 1", "Heading 2", "Heading 3"};
	for (int i = 0; i < 3; i++)
		headings->AddItem(levels[i], kButtonPressed, static_cast<char>('1' + i));
	bar->AddItem(headings);
	auto* physical = new KBBarMenuField("Physical fonts…     ");
	physical->AddItem("Big", kButtonPressed);
	physical->AddItem("Underlined text", kButtonPressed, 'U');
	bar->AddItem(physical);
	auto* logical = new KBBarMenuField("Logical fonts…     ");
	logical->AddItem("Emphasis", kButtonPressed);
	logical->AddItem("Strong emphasis", kButtonPressed);
	bar->AddItem(logical);
	auto* special = new KBBarMenuField("Special Characters…     ");
	special->AddItem("© - &copy;", kButtonPressed);
	special->AddSeparatorItem();
	special->AddItem("€ - &euro;", kButtonPressed);
	bar->AddItem(special);
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
	top = apply->Frame().bottom + 8;
	const struct {
		const char* label;
		uint32 what;
		float left;
	} opening[] = {{"Open…", kShowOpenPanel, 10}, {"Save as…", kShowSavePanel, 105},
		{"Pop-up menu", kShowPopUp, 200}};
	for (const auto& button : opening) {
		auto* control = new BButton(BRect(button.left, top, button.left + 80, top + 10),
			button.label, button.label, new BMessage(button.what));
		control->ResizeToPreferred();
		box->AddChild(control);
	}
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
	auto* colors = new BColorControl(BPoint(10, 24), B_CELLS_32x8, 7, "color_ColorControl",
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
}

void GalleryWindow::_AddMenuFields(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Menu fields, a box without border", B_NO_BORDER);
	const struct {
		const char* label;
		std::vector<const char*> choices;
		int marked;
		bool enabled;
	} fields[] = {
		{"Font:", {"DejaVu Sans", "DejaVu Serif", "Liberation Sans"}, 0, true},
		{"Size:", {"9", "10", "12", "14"}, 2, true},
		{"Disabled:", {"cannot be chosen"}, 0, false}
	};
	float top = 24;
	for (const auto& field : fields) {
		auto* menu = new BPopUpMenu(field.label);
		for (const char* choice : field.choices)
			menu->AddItem(new BMenuItem(choice, new BMessage(kButtonPressed)));
		menu->ItemAt(field.marked)->SetMarked(true);
		auto* control = new BMenuField(BRect(10, top, frame.Width() - 10, top + 22),
			field.label, field.label, menu, false);
		control->SetDivider(70);
		control->SetEnabled(field.enabled);
		box->AddChild(control);
		top += 32;
	}
}

void GalleryWindow::_AddLists(BView* panel, BRect frame)
{
	BBox* box = AddBox(panel, frame, "Lists");
	float middle = std::floor(frame.Height() / 2);
	BRect listFrame(10, 24, frame.Width() - 12 - B_V_SCROLL_BAR_WIDTH, middle - 8);
	auto* list = new BListView(listFrame, "errors");
	fLists.push_back(list);
	list->SetInvocationMessage(new BMessage(kListInvoked));
	for (const PictureRecipe& recipe : StatusIcons::Recipes())
		fIcons.push_back(recipe.Render());
	const struct {
		const char* text;
		size_t icon;
	} rows[] = {
		{"line 3: <table> lacks \"summary\" attribute", 1},
		{"line 7: missing </p>", 0},
		{"line 9: <img> lacks \"alt\" attribute", 1},
		{"line 12: trimming empty <b>", 2},
		{"line 15: unknown entity \"&nbps\"", 0},
		{"line 21: discarding unexpected </div>", 1},
		{"line 30: inserting implicit <body>", 2}
	};
	for (const auto& row : rows) {
		list->AddItem(_Row(new KListItem(row.text, new BMessage(kListInvoked),
			row.icon < fIcons.size() ? fIcons[row.icon].get() : nullptr)));
	}
	list->Select(1);
	box->AddChild(new BScrollView("errors_scroll", list, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0,
		false, true));

	BRect outlineFrame(10, middle + 2, frame.Width() - 12 - B_V_SCROLL_BAR_WIDTH,
		frame.Height() - 12);
	auto* outline = new BOutlineListView(outlineFrame, "tags");
	fLists.push_back(outline);
	// Each item goes right below its superitem, so the last one added comes
	// first.
	auto* text = _Row(new BStringItem("Text"));
	outline->AddItem(text);
	auto* heading = _Row(new BStringItem("Heading"));
	outline->AddUnder(heading, text);
	for (const char* level : {"Level 2", "Level 1"})
		outline->AddUnder(_Row(new BStringItem(level)), heading);
	for (const char* tag : {"Italic", "Bold"})
		outline->AddUnder(_Row(new BStringItem(tag)), text);
	auto* lists = _Row(new BStringItem("Lists"));
	outline->AddItem(lists);
	outline->AddUnder(_Row(new BStringItem("Ordered")), lists);
	outline->Collapse(lists);
	outline->AddItem(_Row(new BStringItem("Forms")));
	outline->Select(2);
	box->AddChild(new BScrollView("tags_scroll", outline, B_FOLLOW_LEFT | B_FOLLOW_TOP, 0,
		false, true));
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
		case kShowOpenPanel:
		case kShowSavePanel:
		{
			BMessenger self(this);
			std::unique_ptr<BFilePanel>& panel
				= message->what == kShowOpenPanel ? fOpenPanel : fSavePanel;
			if (panel == nullptr && message->what == kShowOpenPanel) {
				panel = std::make_unique<ExtensionsFilePanel>(B_OPEN_PANEL, &self,
					std::vector<std::string>{"html", "htm"});
			} else if (panel == nullptr) {
				panel = std::make_unique<BFilePanel>(B_SAVE_PANEL, &self);
				panel->SetSaveText("untitled.html");
			}
			panel->Show();
			break;
		}
		case kShowPopUp:
			_ShowPopUpMenu(message);
			break;
		case kButtonPressed:
		case kColorChanged:
		case kAlertAnswered:
		case kListInvoked:
		case B_REFS_RECEIVED:
		case B_SAVE_REQUESTED:
		case B_CANCEL:
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

void GalleryWindow::_ShowPopUpMenu(BMessage* message)
{
	BView* source = nullptr;
	if (message->FindPointer("source", reinterpret_cast<void**>(&source)) != B_OK
		|| source == nullptr)
		return;
	BPopUpMenu menu("choices", false, false);
	menu.AddItem(new BMenuItem("Insert link…", new BMessage(kButtonPressed)));
	menu.AddItem(new BMenuItem("Insert image…", new BMessage(kButtonPressed)));
	menu.AddSeparatorItem();
	auto* disabled = new BMenuItem("Remove link", new BMessage(kButtonPressed));
	disabled->SetEnabled(false);
	menu.AddItem(disabled);
	BRect button = source->ConvertToScreen(source->Bounds());
	menu.Go(BPoint(button.left, button.bottom + 1), true, false, button);
}

bool GalleryWindow::QuitRequested()
{
	be_app->PostMessage(B_QUIT_REQUESTED);
	return false;
}

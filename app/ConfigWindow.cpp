#include "ConfigWindow.h"

#include <unistd.h>

#include <Autolock.h>
#include <Box.h>
#include <Button.h>
#include <ColorControl.h>
#include <Entry.h>
#include <FilePanel.h>
#include <Font.h>
#include <ListView.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Path.h>
#include <PopUpMenu.h>
#include <StringItem.h>
#include <StringView.h>
#include <TextControl.h>

#include "About_View.h"
#include "ColorSampleView.h"
#include "Config_.h"
#include "ImageTools.h"
#include "Page.h"
#include "Visual_Engine.h"

namespace {

// Wider than the window was first drawn for (450 points): the program's
// fonts are larger than those it was laid out with, and the box labels and
// menu fields need the room.
const BRect kFrame(100, 100, 620, 425);
const char* const kCategories[] = {"Page settings", "Program settings", "About"};
const char* const kColorItems[] = {"Text", "Links", "Background"};

constexpr float kMargin = 10;
constexpr float kListWidth = 120;
constexpr float kStatusHeight = 16;
constexpr float kFieldBoxHeight = 48;
constexpr float kButtonWidth = 30;
constexpr float kLabelGap = 14;

// The name of the text control a "..." button fills, in the button's
// message and so in the open panel's reply.
const char kControlField[] = "control";

// Whether a program can be started from path, found as starting it finds it.
bool CanStart(const std::string& path)
{
	return access(BPrivate::ResolveProgram(path.c_str()).c_str(), X_OK) == 0;
}

std::string TextOf(const char* text)
{
	return text != nullptr ? text : "";
}

// A box with a label in parent, filling the width.
BBox* AddBox(BView* parent, BRect frame, const char* name, const char* label)
{
	BBox* box = new BBox(frame, name);
	box->SetLabel(label);
	parent->AddChild(box);
	return box;
}

// The installed families, monospace ones only when fixed; the items say
// command with "family".
BPopUpMenu* FamilyMenu(uint32 command, bool fixed, const char* current)
{
	BPopUpMenu* menu = new BPopUpMenu(current);
	int32 count = count_font_families();
	for (int32 i = 0; i < count; i++) {
		font_family family;
		uint32 flags = 0;
		if (get_font_family(i, &family, &flags) != B_OK)
			continue;
		if (fixed && (flags & B_IS_FIXED) == 0)
			continue;
		BMessage* message = new BMessage(command);
		message->AddString("family", family);
		BMenuItem* item = new BMenuItem(family, message);
		item->SetMarked(strcmp(family, current) == 0);
		menu->AddItem(item);
	}
	return menu;
}

BPopUpMenu* SizeMenu(uint32 command, int32 current)
{
	BPopUpMenu* menu = new BPopUpMenu(std::to_string(current).c_str());
	for (int32 size : ConfigWindow::kFontSizes) {
		BMessage* message = new BMessage(command);
		message->AddInt32("size", size);
		BMenuItem* item = new BMenuItem(std::to_string(size).c_str(), message);
		item->SetMarked(size == current);
		menu->AddItem(item);
	}
	return menu;
}

} // namespace

ConfigWindow::ConfigWindow(Config_* settings, Page* page)
	:
	BWindow(kFrame, "Preferences", B_FLOATING_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL,
		B_NOT_ZOOMABLE | B_NOT_RESIZABLE | B_ASYNCHRONOUS_CONTROLS),
	settings(settings),
	page(page),
	sample(nullptr),
	panels{},
	categories(nullptr),
	panelBox(nullptr),
	titleControl(nullptr),
	backgroundControl(nullptr),
	authorControl(nullptr),
	editorControl(nullptr),
	colorItems(nullptr),
	colorControl(nullptr),
	statusLine(nullptr)
{
	BView* background = new BView(Bounds(), "preferences", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	background->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	AddChild(background);
	BRect bounds = Bounds();
	float bottom = bounds.bottom - kMargin - kStatusHeight - 4;
	BuildCategories(BRect(kMargin, kMargin, kMargin + kListWidth, bottom));
	panelBox = AddBox(background, BRect(2 * kMargin + kListWidth, kMargin - 5,
		bounds.right - kMargin, bottom), "category_Box", kCategories[0]);
	BRect inside = panelBox->Bounds().InsetByCopy(kMargin, kMargin);
	inside.top += 8;
	panels[0] = BuildPageSettings(inside);
	panels[1] = BuildProgramSettings(inside);
	panels[2] = new About_View(inside, About_View::kPanel);
	for (BView* panel : panels)
		panelBox->AddChild(panel);
	statusLine = new BStringView(BRect(kMargin, bottom + 4, bounds.right - kMargin,
		bottom + 4 + kStatusHeight), "status_StringView", "");
	background->AddChild(statusLine);
	background->AddChild(categories);
	categories->Select(0);
	ShowCategory();
	Config_::EnterPreferencesWindow(this);
}

ConfigWindow::~ConfigWindow()
{
	// The lists still show rows that are about to go.
	categories->MakeEmpty();
	colorItems->MakeEmpty();
}

BWindow* ConfigWindow::Make(Config_* settings, Page* page)
{
	return new ConfigWindow(settings, page);
}

// #pragma mark - Building

void ConfigWindow::BuildCategories(BRect frame)
{
	categories = new BListView(frame, "categories_ListView");
	for (const char* category : kCategories)
		categories->AddItem(Row(category));
	categories->SetSelectionMessage(new BMessage(kSelectCategory));
	categories->SetInvocationMessage(new BMessage(kSelectCategory));
}

BListItem* ConfigWindow::Row(const char* text)
{
	rows.push_back(std::make_unique<BStringItem>(text));
	return rows.back().get();
}

BTextControl* ConfigWindow::AddTextField(BView* parent, BRect frame, const char* label,
	const char* name, const char* text, uint32 command, bool withOpenButton)
{
	BBox* box = AddBox(parent, frame, nullptr, label);
	BRect field = box->Bounds().InsetByCopy(kMargin, 0);
	field.top = 20;
	field.bottom = field.top + 20;
	if (withOpenButton)
		field.right -= kButtonWidth + 5;
	BTextControl* control = new BTextControl(field, name, nullptr, text,
		new BMessage(command));
	control->SetDivider(0);
	box->AddChild(control);
	if (withOpenButton) {
		BMessage* open = new BMessage(kOpenFile);
		open->AddString(kControlField, name);
		BRect button(field.right + 5, field.top - 2, field.right + 5 + kButtonWidth,
			field.bottom + 2);
		box->AddChild(new BButton(button, nullptr, "...", open));
	}
	return control;
}

BView* ConfigWindow::BuildPageSettings(BRect frame)
{
	BView* panel = new BView(frame, "pagesettings", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	float width = frame.Width();
	titleControl = AddTextField(panel, BRect(0, 0, width, kFieldBoxHeight), "Title",
		"pagetitle_TextControl", TextOf(page->Title()).c_str(), kPageTitle, false);
	backgroundControl = AddTextField(panel, BRect(0, kFieldBoxHeight + 5, width,
		2 * kFieldBoxHeight + 5), "Background image path", "backgroundimage_TextControl",
		TextOf(page->Background()).c_str(), kBackgroundImage, true);
	BBox* colors = AddBox(panel, BRect(0, 2 * kFieldBoxHeight + 10, width, frame.Height()),
		"colors_Box", "Colors");
	colorItems = new BListView(BRect(kMargin, 20, kMargin + 80, 70), "textlinkback_ListView");
	for (const char* item : kColorItems)
		colorItems->AddItem(Row(item));
	colorItems->SetSelectionMessage(new BMessage(kSelectColorItem));
	colors->AddChild(colorItems);
	sample = new ColorSampleView(BRect(kMargin + 95, 20, kMargin + 175, 45), page);
	colors->AddChild(sample);
	colorControl = new BColorControl(BPoint(kMargin, 78), B_CELLS_32x8, 6, "color_ColorControl",
		new BMessage(kColorChanged));
	colors->AddChild(colorControl);
	colorItems->Select(0);
	ShowItemColor();
	return panel;
}

BView* ConfigWindow::BuildProgramSettings(BRect frame)
{
	BView* panel = new BView(frame, "programsettings", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	float width = frame.Width();
	authorControl = AddTextField(panel, BRect(0, 0, width, kFieldBoxHeight),
		"Author (used when signing your pages)", "author_TextControl",
		TextOf(settings->UserName()).c_str(), kAuthor, false);
	editorControl = AddTextField(panel, BRect(0, kFieldBoxHeight + 5, width,
		2 * kFieldBoxHeight + 5), "External HTML editor", "externaltexteditor_TextControl",
		TextOf(settings->ExtTextEditor()).c_str(), kExternalEditor, true);
	BBox* fonts = AddBox(panel, BRect(0, 2 * kFieldBoxHeight + 10, width, frame.Height()),
		nullptr, "Program font settings");
	float inner = fonts->Bounds().Width() - kMargin;
	fonts->AddChild(BuildFontBox(BRect(kMargin, 20, inner, 72), "Proportional font", false));
	fonts->AddChild(BuildFontBox(BRect(kMargin, 78, inner, 130), "Fixed font", true));
	return panel;
}

BView* ConfigWindow::BuildFontBox(BRect frame, const char* label, bool fixed)
{
	BBox* box = new BBox(frame);
	box->SetLabel(label);
	float middle = frame.Width() * 0.66f;
	BRect family(kMargin, 20, middle, 40);
	BRect size(middle + 5, 20, frame.Width() - kMargin, 40);
	BMenuField* familyField = new BMenuField(family,
		fixed ? "fixedfont_MenuField" : "proportionalfont_MenuField", "Font:",
		FamilyMenu(fixed ? kFixedFamily : kProportionalFamily, fixed,
			fixed ? settings->FixedFontName() : settings->ProportionalFontName()));
	BMenuField* sizeField = new BMenuField(size,
		fixed ? "fixedfontsize_MenuField" : "proportionalfontsize_MenuField", "Size:",
		SizeMenu(fixed ? kFixedSize : kProportionalSize,
			fixed ? settings->BaseFixedFontSize() : settings->BaseFontSize()));
	familyField->SetDivider(be_plain_font->StringWidth("Font:") + kLabelGap);
	sizeField->SetDivider(be_plain_font->StringWidth("Size:") + kLabelGap);
	box->AddChild(familyField);
	box->AddChild(sizeField);
	return box;
}

// #pragma mark - Messages

void ConfigWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kSelectCategory:
			ShowCategory();
			break;
		case kPageTitle:
			ApplyTitle();
			break;
		case kBackgroundImage:
			ApplyBackground();
			break;
		case kAuthor:
			ApplyAuthor();
			break;
		case kExternalEditor:
			ApplyExternalEditor();
			break;
		case kSelectColorItem:
			ShowItemColor();
			break;
		case kColorChanged:
			ApplyColor();
			break;
		case kProportionalFamily:
		case kProportionalSize:
		case kFixedFamily:
		case kFixedSize:
			ChangeFont(message);
			break;
		case kOpenFile:
			ShowOpenPanel(message);
			break;
		case B_REFS_RECEIVED:
			FillFromPanel(message);
			break;
		case B_CANCEL:
			break;
		default:
			BWindow::MessageReceived(message);
	}
}

void ConfigWindow::ShowCategory()
{
	int32 selected = categories->CurrentSelection();
	if (selected < 0)
		return;
	// Each panel's own state: the window is hidden while it is built.
	for (int32 i = 0; i < 3; i++) {
		bool hidden = panels[i]->IsHidden(panels[i]);
		if (i == selected && hidden)
			panels[i]->Show();
		else if (i != selected && !hidden)
			panels[i]->Hide();
	}
	panelBox->SetLabel(kCategories[selected]);
}

// The page's values are read by the engine's thread as it writes the HTML:
// they change under the engine lock.
void ConfigWindow::ApplyTitle()
{
	if (PageIsGoing())
		return;
	BAutolock lock(page->Engine());
	page->SetTitle(titleControl->Text());
}

// A picture that cannot be found is kept as typed (the user may be about
// to put it there); the status line says so instead of an alert at every
// change.
void ConfigWindow::ApplyBackground()
{
	if (PageIsGoing())
		return;
	std::string source = backgroundControl->Text();
	bool found;
	{
		BAutolock lock(page->Engine());
		found = page->ApplyBackground(source.c_str());
	}
	SetStatus(found ? "" : "Background image \"" + source + "\" is missing; kept as typed.");
}

void ConfigWindow::ApplyAuthor()
{
	settings->SetUserName(authorControl->Text());
}

void ConfigWindow::ApplyExternalEditor()
{
	std::string editor = editorControl->Text();
	settings->SetExtTextEditor(editor.c_str());
	SetStatus(editor.empty() || CanStart(editor) ? ""
		: "External editor \"" + editor + "\" is missing; kept as typed.");
}

// A value typed without Enter is the value the user sees: it counts.
void ConfigWindow::ApplyTypedValues()
{
	if (!PageIsGoing()) {
		BAutolock lock(page->Engine());
		if (TextOf(page->Title()) != titleControl->Text())
			ApplyTitle();
		if (TextOf(page->Background()) != backgroundControl->Text())
			ApplyBackground();
	}
	if (TextOf(settings->UserName()) != authorControl->Text())
		ApplyAuthor();
	if (TextOf(settings->ExtTextEditor()) != editorControl->Text())
		ApplyExternalEditor();
}

void ConfigWindow::ApplyText(BTextControl* control)
{
	if (control == titleControl)
		ApplyTitle();
	else if (control == backgroundControl)
		ApplyBackground();
	else if (control == authorControl)
		ApplyAuthor();
	else if (control == editorControl)
		ApplyExternalEditor();
}

int32 ConfigWindow::SelectedColorItem() const
{
	return colorItems->CurrentSelection();
}

void ConfigWindow::ShowItemColor()
{
	if (SelectedColorItem() < 0)
		colorItems->Select(0);
	sample->Reset();
	rgb_color colors[] = {sample->SampleTextColor(), sample->SampleLinkColor(),
		sample->SampleBackgroundColor()};
	colorControl->SetValue(colors[SelectedColorItem()]);
}

// Without a selected item (the user cleared it), the colour is the text's:
// the item selected when the window opened.
void ConfigWindow::ApplyColor()
{
	if (PageIsGoing())
		return;
	int32 item = SelectedColorItem();
	if (item < 0)
		item = 0;
	rgb_color color = colorControl->ValueAsColor();
	page->SetColors(item + 1, color.red, color.green, color.blue, color.alpha);
	sample->Reset();
}

// The engine reads the program font as it lays out the text: the settings
// change under its lock.
void ConfigWindow::ChangeFont(const BMessage* message)
{
	const char* family = nullptr;
	message->FindString("family", &family);
	int32 size = 0;
	message->FindInt32("size", &size);
	Visual_Engine* engine = PageIsGoing() ? nullptr : page->Engine();
	BAutolock lock(engine);
	if (message->what == kProportionalFamily || message->what == kProportionalSize)
		settings->SetProportionalFont(family, size);
	else
		settings->SetFixedFont(family, size);
	settings->SetFonts();
	if (engine == nullptr)
		return;
	if (page->BaseFontNode() == nullptr)
		page->SetBaseFont(nullptr);
	engine->Refresh();
}

// The reply names the control by its name: one that comes after the window
// closed finds no window, and one that names no control does nothing.
void ConfigWindow::ShowOpenPanel(const BMessage* message)
{
	const char* control = nullptr;
	if (message->FindString(kControlField, &control) != B_OK)
		return;
	BMessage reply(B_REFS_RECEIVED);
	reply.AddString(kControlField, control);
	if (openPanel == nullptr) {
		BMessenger self(this);
		openPanel = std::make_unique<BFilePanel>(B_OPEN_PANEL, &self, nullptr, 0, false);
	}
	openPanel->SetMessage(&reply);
	openPanel->Show();
}

// The chosen path is applied as the user's Enter would apply it.
void ConfigWindow::FillFromPanel(const BMessage* message)
{
	const char* name = nullptr;
	entry_ref ref;
	if (message->FindString(kControlField, &name) != B_OK
			|| message->FindRef("refs", &ref) != B_OK)
		return;
	BTextControl* control = dynamic_cast<BTextControl*>(FindView(name));
	BPath path(&ref);
	if (control == nullptr || path.InitCheck() != B_OK)
		return;
	std::string text = path.Path();
	// A picture beside the page is named as the page would name it.
	if (control == backgroundControl && !PageIsGoing())
		text = ImageTools::RelativeImagePath(text.c_str(), page->FilePath());
	control->SetText(text.c_str());
	ApplyText(control);
}

void ConfigWindow::SetStatus(const std::string& text)
{
	statusLine->SetText(text.c_str());
}

const char* ConfigWindow::StatusText() const
{
	return statusLine->Text();
}

bool ConfigWindow::PageIsGoing() const
{
	return page == nullptr || page->IsDeleting();
}

// #pragma mark - Closing

void ConfigWindow::Quit()
{
	ApplyTypedValues();
	settings->Save();
	if (!PageIsGoing())
		page->VisualChanged();
	Config_::LeavePreferencesWindow(this);
	BWindow::Quit();
}

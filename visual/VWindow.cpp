#include "VWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <string>

#include <Autolock.h>
#include <OS.h>
#include <Font.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <ScrollView.h>
#include <View.h>

#include "Anchor.h"
#include "EntityTable.h"
#include "ExtensionsFilePanel.h"
#include "HWindow.h"
#include "KBBar.h"
#include "KBBarButton.h"
#include "KBBarMenuField.h"
#include "KBottomBar.h"
#include "KLowStatusBar.h"
#include "ProgramPictures.h"
#include "StringHelpers.h"
#include "TagSettingsWindow.h"
#include "VFinder.h"
#include "Visual_Engine.h"
#include "Visual_Text.h"
#include "VLooper.h"
#include "WImage.h"
#include "WindowedPage.h"
#include "window_support/VisualMenus.h"

namespace {

const rgb_color kBackground = {216, 216, 216, 255};
constexpr float kFewLines = 60;
constexpr float kLargest = 100000;
const char kSpecialCharacters[] = "Special Characters…     ";
// The characters a page needs most, before the whole entity table.
const uint32 kFirstCharacters[] = {169, 174, 8482, kNonBreakingSpaceCode};

bool IsEscape(const BMessage* message)
{
	const char* bytes = nullptr;
	return message->what == B_KEY_DOWN && message->FindString("bytes", &bytes) == B_OK
		&& bytes[0] == B_ESCAPE && bytes[1] == '\0';
}

// The submenus of the entity table, each from the entity named on.
struct CharacterGroup {
	const char* firstEntity;
	const char* label;
};
const CharacterGroup kCharacterGroups[] = {
	{"iexcl", "Signs ¡ … ¿"},
	{"Agrave", "Capital letters À … ß"},
	{"agrave", "Small letters à … ÿ"},
	{"fnof", "Greek capitals ƒ Α … Ω"},
	{"alpha", "Greek small letters α … ϖ"},
	{"bull", "Symbols and arrows • … ⇔"},
	{"forall", "Mathematics ∀ … ⊥"},
	{"sdot", "Brackets and shapes ⋅ … ♦"},
	{"quot", "Typography \" … €"},
};

// "© - &copy;": the character, then its entity. The view's own byte for
// the non-breaking space is no character a menu can show: it is shown as
// the character it stands for.
std::string SpecialCharacterLabel(const _entity& entity)
{
	char bytes[4] = {};
	uint32 shown = entity.code == kNonBreakingSpaceCode ? 0xA0 : entity.code;
	int32 length = MakeUTF8Char(static_cast<int32>(shown), bytes);
	return std::string(bytes, length > 0 ? length : 0) + " - &" + entity.name + ";";
}

void AddSpecialCharacter(BMenu* menu, const _entity& entity)
{
	auto* message = new BMessage('ispc');
	message->AddInt32("code", static_cast<int32>(entity.code));
	menu->AddItem(new BMenuItem(SpecialCharacterLabel(entity).c_str(), message));
}

// Up to the right edge of the last item, with the margin on the left again.
float ContentWidth(KBBar* bar)
{
	int32 count = bar->CountItems();
	if (count == 0)
		return 0;
	return bar->ItemAt(count - 1)->View()->Frame().right + bar->LeftMargin();
}

void AimItemsAt(BMenu* menu, BLooper* looper)
{
	for (int32 index = 0; BMenuItem* item = menu->ItemAt(index); index++) {
		if (item->Submenu() != nullptr)
			AimItemsAt(item->Submenu(), looper);
		else
			item->SetTarget(nullptr, looper);
	}
}

} // namespace

VWindow::VWindow(BRect frame, const char* title, WindowedPage* page)
	:
	PageWindow(frame, title, page),
	upperBar(nullptr),
	lowerBar(nullptr),
	finder(nullptr)
{
	BView* back = AddBackground();
	AddMainMenu(back);
	AddUpperBar(back, menuBar->Frame().bottom + 1);
	AddLowerBar(back, upperBar->Frame().bottom + 1);

	BRect text = back->Bounds();
	text.top = lowerBar->Frame().bottom + 1;
	engine = std::make_unique<Visual_Engine>(text, this, page);
	back->AddChild(engine->ScrollView());
	AimAtEngine();
	upperBar->Place();
	lowerBar->Place();
	KeepBarsWhole();

	finder = new VFinder(engine.get(), this);
	BMessenger engineLooper(engine->Looper());
	imagePanel = std::make_unique<ExtensionsFilePanel>(B_OPEN_PANEL, &engineLooper,
		std::vector<std::string>{"jpeg", "jpg", "gif"});
	MenuTable::AddTo(menuBar, VisualMenus::MainMenu(), engine->Looper());
	// Window managers often take F11 (and F12) for themselves: the HTML
	// window and the external editor have Ctrl shortcuts too.
	AddShortcut('T', 0, new BMessage('shww'), this);
	AddShortcut('E', 0, new BMessage('sexe'), this);
	Run();
}

// The finder floats over this window: it goes first.
VWindow::~VWindow()
{
	if (finder->Lock())
		finder->Quit();
	imagePanel.reset();
	engine.reset();
}

// Everything but the status bar lies on a grey background.
BView* VWindow::AddBackground()
{
	BRect frame = Bounds();
	frame.bottom = BottomBar()->Frame().top - 1;
	BView* back = new BView(frame, "back", B_FOLLOW_ALL_SIDES, 0);
	back->SetViewColor(kBackground);
	back->SetLowColor(kBackground);
	AddChild(back);
	return back;
}

// The bar is made now so that it is the window's key menu bar; its menus
// come last, once the engine they send to exists.
void VWindow::AddMainMenu(BView* back)
{
	BRect frame = back->Bounds();
	frame.bottom = frame.top + 14;
	menuBar = new BMenuBar(frame, "Main menu", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
		B_ITEMS_IN_ROW, true);
	back->AddChild(menuBar);
	menuBar->ResizeToPreferred();
}

void VWindow::AddUpperBar(BView* back, float top)
{
	upperBar = new KBBar(BRect(0, top, back->Bounds().right, top + 10), "upbar");
	upperBar->SetResizingMode(B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	back->AddChild(upperBar);
	ProgramPictures pictures;
	for (const VisualMenus::Button& row : VisualMenus::UpperBar()) {
		auto* button = new KBBarButton(row.name, pictures.Picture(row.picture).release(),
			row.command);
		button->SetHint(row.hint);
		upperBar->AddItem(button);
		if (row.separatorAfter)
			upperBar->AddSeparator();
	}
	upperBar->ResizeToPreferred();
}

void VWindow::AddLowerBar(BView* back, float top)
{
	lowerBar = new KBBar(BRect(0, top, back->Bounds().right, top + 10), "lowbar");
	lowerBar->SetResizingMode(B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	back->AddChild(lowerBar);
	for (const VisualMenus::Field& row : VisualMenus::LowerBar()) {
		auto* field = new KBBarMenuField(row.label);
		for (const MenuTable::Row& item : row.items)
			field->AddItem(item.label, item.command, item.shortcut, item.modifiers);
		lowerBar->AddItem(field);
	}
	lowerBar->AddItem(SpecialCharacters());
	lowerBar->ResizeToPreferred();
}

// The window is never narrower than its tool bars, so that every button
// and menu of them can be reached, and leaves a few lines for the text.
void VWindow::KeepBarsWhole()
{
	float width = std::max(ContentWidth(upperBar), ContentWidth(lowerBar));
	float height = lowerBar->Frame().bottom + kFewLines + BottomBar()->Frame().Height();
	SetSizeLimits(width, kLargest, height, kLargest);
	if (Bounds().Width() < width || Bounds().Height() < height)
		ResizeTo(std::max(Bounds().Width(), width), std::max(Bounds().Height(), height));
}

// The characters a page needs most, then every entity of the table after
// the non-breaking space, which heads it, in the table's order. A column of
// all of them would run far off the screen: they are grouped in submenus.
KBBarMenuField* VWindow::SpecialCharacters() const
{
	auto* field = new KBBarMenuField(kSpecialCharacters);
	for (uint32 code : kFirstCharacters) {
		if (const _entity* entity = LookUpEntity(EntityName(code)))
			AddSpecialCharacter(field->Menu(), *entity);
	}
	field->AddSeparatorItem();
	BMenu* group = field->Menu();
	size_t next = 0;
	for (int32 index = 1; index < CountEntities(); index++) {
		const _entity* entity = EntityAt(index);
		if (next < std::size(kCharacterGroups)
				&& strcmp(entity->name, kCharacterGroups[next].firstEntity) == 0) {
			group = new BMenu(kCharacterGroups[next++].label);
			field->Menu()->AddItem(group);
		}
		AddSpecialCharacter(group, *entity);
	}
	return field;
}

// Formatting goes to the engine's looper, which runs it in order with
// every other change of the page.
void VWindow::AimAtEngine()
{
	BLooper* looper = engine->Looper();
	for (const VisualMenus::Button& row : VisualMenus::UpperBar()) {
		auto* button = dynamic_cast<KBBarButton*>(upperBar->FindView(row.name));
		if (button != nullptr && row.toEngine)
			button->SetTarget(looper);
	}
	for (int32 item = 0; item < lowerBar->CountItems(); item++) {
		if (auto* field = dynamic_cast<KBBarMenuField*>(lowerBar->ItemAt(item)))
			AimItemsAt(field->Menu(), looper);
	}
}

// #pragma mark - Commands

// The window's own commands that read or change the page work on all of
// it; the page's commands (save, preview) and the engine's reach the
// whole page on their own ways.
bool VWindow::WorksOnThePage(uint32 what)
{
	switch (what) {
		case 'tset':
		case TagSettingsWindow::kDone:
		case 'find':
		case KFinder::kFindFirst:
		case 'fnda':
		case 'copy':
		case 'past':
		case 'cut ':
		case 'udrd':
		case 'dela':
		case 'rtst':
			return true;
		default:
			return false;
	}
}

// While the page is read its text is emptied and built again: a key or an
// edit then would go into text about to be dropped. They wait, in their
// order, and go in once the page is shown; what comes while they are on
// their way waits behind them.
void VWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == kTakeWaitingEdits) {
		TakeWaitingEdits();
		return;
	}
	if (message->HasBool(kWaited)) {
		PageWindow::DispatchMessage(message, handler);
		if (--editsOnTheirWay == 0)
			TakeWaitingEdits();
		return;
	}
	if (WaitsForThePage(message, handler)) {
		// Escape stops reading the page file; what waited for the page then
		// has no page to go into.
		if (IsEscape(message) && page->StopLoading()) {
			waitingEdits.clear();
			return;
		}
		waitingEdits.push_back(std::make_unique<BMessage>(*message));
		return;
	}
	PageWindow::DispatchMessage(message, handler);
}

bool VWindow::WaitsForThePage(const BMessage* message, const BHandler* handler) const
{
	if (handler != this || page == nullptr || page->IsDeleting())
		return false;
	if (message->what != B_KEY_DOWN && !WorksOnThePage(message->what))
		return false;
	return page->IsReading() || !waitingEdits.empty() || editsOnTheirWay > 0;
}

// Posted again, marked, rather than handled here: a key press is read from
// the window's current message. A read begun meanwhile keeps them again.
void VWindow::TakeWaitingEdits()
{
	if (page == nullptr || page->IsReading())
		return;
	std::vector<std::unique_ptr<BMessage>> edits = std::move(waitingEdits);
	waitingEdits.clear();
	for (const std::unique_ptr<BMessage>& edit : edits) {
		edit->AddBool(kWaited, true);
		if (PostMessage(edit.get()) == B_OK)
			editsOnTheirWay++;
	}
}

void VWindow::MessageReceived(BMessage* message)
{
	if (page == nullptr || page->IsDeleting()) {
		PageWindow::MessageReceived(message);
		return;
	}
	if (WorksOnThePage(message->what))
		page->FinishBuild();
	switch (message->what) {
		case 'tset':
			OpenTagSettings(message);
			break;
		case TagSettingsWindow::kDone:
			TakeTagSettings(message);
			break;
		case 'find':
		case KFinder::kFindFirst:
		case 'fnda':
			finder->TakeCommand(message->what);
			break;
		case 'copy':
		case 'past':
		case 'cut ':
		case 'udrd':
			EditText(engine->View(), message->what);
			break;
		case 'dela':
			engine->Empty();
			Changed();
			break;
		case 'rtst':
			engine->Test();
			break;
		case 'iimg':
			imagePanel->Show();
			break;
		case 'dlt ':
			break;
		default:
			PageWindow::MessageReceived(message);
	}
}

// The element comes with a message: by now it may be gone, so it is looked
// for in the list before it is looked at.
void VWindow::OpenTagSettings(const BMessage* message)
{
	void* pointer = nullptr;
	int32 flag = INSERT_PLAIN;
	Element_List* list = engine->ElementList();
	if (message->FindPointer("image", &pointer) == B_OK) {
		WImage* image = static_cast<WImage*>(pointer);
		if (list->Contains(image))
			TagSettingsWindow::Open(image, list, BMessenger(this));
		return;
	}
	if (message->FindPointer("element", &pointer) != B_OK || pointer == nullptr)
		return;
	message->FindInt32("flag", &flag);
	Anchor* anchor = static_cast<Anchor*>(pointer);
	if (!list->Contains(anchor))
		return;
	TagSettingsWindow::Open(anchor, static_cast<insertflag>(flag), list, BMessenger(this));
}

void VWindow::TakeTagSettings(const BMessage* message)
{
	const Page_Element* element = TagSettingsWindow::ElementOf(message);
	if (!TagSettingsWindow::TakeValues(message, engine->ElementList()))
		return;
	Changed();
	// A picture's ALT is not shown; a link's new values are.
	const Anchor* anchor = dynamic_cast<const Anchor*>(element);
	if (anchor == nullptr)
		return;
	const Anchor* closing = anchor->FindOpeningClosing();
	long end = closing != nullptr ? closing->ThisOffset() : anchor->ThisOffset();
	engine->View()->Refresh(static_cast<int32>(anchor->ThisOffset()), static_cast<int32>(end));
}

void VWindow::EnableCommand(uint32 command, bool enabled)
{
	PageWindow::EnableCommand(command, enabled);
	for (int32 index = 0; index < upperBar->CountItems(); index++) {
		auto* button = dynamic_cast<KBBarButton*>(upperBar->ItemAt(index));
		if (button != nullptr && button->Message() != nullptr
				&& button->Message()->what == command)
			button->SetEnabled(enabled);
	}
}

// #pragma mark - State

PageWindow* VWindow::Partner() const
{
	return page != nullptr ? page->HTMLWindow() : nullptr;
}

void VWindow::TakeOverPartnerEdits()
{
	page->UpdateFromHTML(false, nullptr);
}

float VWindow::TitleBarWidth() const
{
	float width = be_plain_font->StringWidth(Title());
	return std::floor(width + width / 6);
}

void VWindow::ResetProgress(const char* text)
{
	BAutolock lock(this);
	if (!lock.IsLocked())
		return;
	BottomBar()->StatusBar()->Reset();
	BottomBar()->SetText(text);
	progressDrawn = 0;
}

// Progress told by another thread while the window is busy (building the
// start of the page being parsed) is skipped rather than waited for: the
// parse telling it would stand still until the build is done. The end is
// always shown.
void VWindow::ShowProgress(float value, const char* label)
{
	if (LockWithTimeout(value < 100 ? 0 : B_INFINITE_TIMEOUT) != B_OK)
		return;
	BottomBar()->StatusBar()->SetTo(value, label);
	// A page read in a fifth of a second drew its bar a hundred times, a
	// twentieth of the reading.
	bigtime_t now = system_time();
	if (value >= 100 || now - progressDrawn >= kProgressPause) {
		progressDrawn = now;
		UpdateIfNeeded();
	}
	Unlock();
}

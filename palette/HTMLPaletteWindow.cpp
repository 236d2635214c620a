#include "HTMLPaletteWindow.h"

#include <cstring>

#include <Box.h>
#include <Button.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <MessageRunner.h>
#include <OutlineListView.h>
#include <PopUpMenu.h>
#include <ScrollView.h>
#include <TextControl.h>
#include <TextView.h>

#include "WTagAttrListItem.h"
#include "palette_support/PaletteTable.h"

namespace {

const rgb_color kBackground = {216, 216, 216, 255};
const BRect kFrame(100, 100, 422, 483);

// How long activation may take to move between the HTML window and the
// palette: the one's deactivation and the other's activation arrive
// separately, and the palette must not vanish in between.
const bigtime_t kFollowSettleTime = 150000;
const uint32 kCheckFollowing = 'pchk';
// After a click in the attribute list: the value field takes the keyboard.
const uint32 kFocusValue = 'afoc';

// Codes of the palette's own controls.
enum {
	kTagSelected = 'tsel',
	kTagInvoked = 'tinv',
	kAttributeSelected = 'asel',
	kAttributeInvoked = 'ainv',
	kValueChosen = 'fsel',
	kInsert = 'ins ',
	kBringForward = '_PBL',
	kInsertText = 'rpst'
};

bool BoolOf(const BMessage& message, const char* name, bool fallback)
{
	bool value = fallback;
	message.FindBool(name, &value);
	return value;
}

// A value as it may stand between the double quotes of an attribute.
std::string Quoted(const char* value)
{
	std::string quoted;
	for (const char* c = value; *c != '\0'; c++) {
		if (*c == '"')
			quoted += "&quot;";
		else
			quoted += *c;
	}
	return quoted;
}

// One attribute with its value as the tag text writes it; empty for an
// attribute that is written not at all.
std::string AttributeText(const BMessage& value)
{
	const char* html = nullptr;
	if (value.FindString("html", &html) != B_OK)
		return std::string();
	const char* label = nullptr;
	if (BoolOf(value, "presentmode", false)) {
		bool present = value.FindString("fieldtext", &label) == B_OK
			&& strcmp(label, "Present") == 0;
		return present ? std::string(" ") + html : std::string();
	}
	const char* text = nullptr;
	if (value.FindString("text", &text) != B_OK && value.FindString("fieldtext", &text) != B_OK)
		text = "";
	return std::string(" ") + html + "=\"" + Quoted(text) + "\"";
}

BBox* AddBox(BView* parent, BRect frame, const char* name, const char* label)
{
	BBox* box = new BBox(frame, name);
	box->SetLabel(label);
	box->SetViewColor(kBackground);
	box->SetLowColor(kBackground);
	parent->AddChild(box);
	return box;
}

// A list in a scroll view filling a new box below its label, with the
// codes of its selection and invocation messages.
template <class List>
List* AddListBox(BView* parent, BRect frame, const char* boxName, const char* label,
	const char* listName, uint32 selected, uint32 invoked)
{
	BBox* box = AddBox(parent, frame, boxName, label);
	BRect listFrame(8, 18, box->Bounds().Width() - 10 - B_V_SCROLL_BAR_WIDTH,
		box->Bounds().Height() - 9);
	List* list = new List(listFrame, listName);
	list->SetSelectionMessage(new BMessage(selected));
	list->SetInvocationMessage(new BMessage(invoked));
	box->AddChild(new BScrollView("", list, B_FOLLOW_ALL_SIDES, 0, false, true));
	return list;
}

void SetShown(BView* view, bool shown)
{
	if (shown && view->IsHidden(view))
		view->Show();
	else if (!shown && !view->IsHidden(view))
		view->Hide();
}

} // namespace

HTMLPaletteWindow::HTMLPaletteWindow(BWindow* target)
	:
	BWindow(kFrame, "HTML elements palette", B_FLOATING_WINDOW_LOOK,
		B_FLOATING_SUBSET_WINDOW_FEEL,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE | B_WILL_ACCEPT_FIRST_CLICK | B_ASYNCHRONOUS_CONTROLS),
	target(target),
	tagList(nullptr),
	attributeList(nullptr),
	valueField(nullptr),
	valueMenu(nullptr),
	preview(nullptr),
	insertButton(nullptr),
	currentTagIndex(-1),
	currentAttributeIndex(-1),
	ownerInFront(false),
	hiddenWithOwner(false),
	menusOpen(false),
	followChecks(0)
{
	SetName("HTML_Palette_Window");
	if (target != nullptr)
		AddToSubset(target);
	BuildViews();
	BuildTagList();
	tagList->MakeFocus(true);
	Run();
}

HTMLPaletteWindow::~HTMLPaletteWindow()
{
	// The lists still show rows that are about to go.
	attributeList->MakeEmpty();
	tagList->MakeEmpty();
}

void HTMLPaletteWindow::BuildViews()
{
	BView* back = new BView(Bounds(), "back", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	back->SetViewColor(kBackground);
	back->SetLowColor(kBackground);
	AddChild(back);

	tagList = AddListBox<BOutlineListView>(back, BRect(6, 4, 192, 248), "tag_Box",
		"HTML elements", "tag_List", kTagSelected, kTagInvoked);
	attributeList = AddListBox<BListView>(back, BRect(198, 4, 316, 170), "attr_Box",
		"Attributes", "attr_List", kAttributeSelected, kAttributeInvoked);

	// The value field and the value menu share one place: a free-text
	// attribute shows the field, a choice the menu.
	BBox* valueBox = AddBox(back, BRect(198, 176, 316, 248), "value_Box", "Value");
	BRect editor(8, 24, valueBox->Bounds().Width() - 8, 44);
	valueField = new BTextControl(editor, "value_Field", nullptr, "", nullptr);
	valueField->SetDivider(0);
	valueField->SetEnabled(false);
	valueBox->AddChild(valueField);
	valueMenu = new BMenuField(editor, "value_Menu", nullptr, new BPopUpMenu(""));
	valueMenu->SetDivider(0);
	valueBox->AddChild(valueMenu);
	valueMenu->Hide();

	BBox* previewBox = AddBox(back, BRect(6, 254, 316, 344), "prev_Box", "Preview");
	BRect textFrame = previewBox->Bounds().InsetByCopy(5, 5);
	textFrame.top += 12;
	preview = new BTextView(textFrame, "prev_Text",
		BRect(2, 2, textFrame.Width() - 2, textFrame.Height() - 2), B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW);
	preview->MakeEditable(false);
	preview->SetWordWrap(true);
	previewBox->AddChild(preview);

	insertButton = new BButton(BRect(226, 352, 316, 376), "insert_Button", "Insert",
		new BMessage(kInsert));
	back->AddChild(insertButton);
	// Enter inserts wherever the focus is; after typing a value it first
	// takes the value over, as the button does.
	insertButton->MakeDefault(true);
}

// Every category is a collapsed heading with its tags below it.
void HTMLPaletteWindow::BuildTagList()
{
	using namespace PaletteTable;
	for (const Category& category : Categories()) {
		auto heading = std::make_unique<BStringItem>(category.label.c_str());
		tagList->AddItem(heading.get());
		for (auto tag = category.tags.rbegin(); tag != category.tags.rend(); ++tag) {
			std::unique_ptr<WTagAttrListItem> item = tag->pair
				? WTagAttrListItem::CreatePairTag(tag->label.c_str(), tag->tag.c_str())
				: WTagAttrListItem::CreateTag(tag->label.c_str(), tag->tag.c_str());
			for (const Attribute& attribute : tag->attributes) {
				const char* name = attribute.name.c_str();
				switch (attribute.kind) {
					case AttributeKind::kText:
						item->AddAttribute(WTagAttrListItem::CreateTextAttribute(name));
						break;
					case AttributeKind::kChoice:
						item->AddAttribute(
							WTagAttrListItem::CreateFieldAttribute(name, attribute.values));
						break;
					case AttributeKind::kPresence:
						item->AddAttribute(WTagAttrListItem::CreatePresentAttribute(name));
						break;
				}
			}
			tagList->AddUnder(item.get(), heading.get());
			tagRows.push_back(std::move(item));
		}
		tagList->Collapse(heading.get());
		tagRows.push_back(std::move(heading));
	}
}

bool HTMLPaletteWindow::QuitRequested()
{
	hiddenWithOwner = false;
	if (!IsHidden())
		Hide();
	return false;
}

void HTMLPaletteWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kTagSelected:
		case kTagInvoked:
			SelectTag();
			break;
		case kAttributeSelected:
		case kAttributeInvoked:
			SelectAttribute();
			break;
		case kValueChosen:
			ChooseValue(message);
			break;
		case kInsert:
			Insert();
			break;
		case kBringForward:
			if (!IsActive())
				Activate();
			break;
		case kShow:
			ShowPalette();
			break;
		case kOwnerState:
			FollowOwner(message);
			break;
		case kCheckFollowing:
			HideUnlessInFront(message);
			break;
		case kFocusValue:
			FocusValueField();
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

// Selecting a tag.

void HTMLPaletteWindow::SelectTag()
{
	int32 index = tagList->FullListCurrentSelection();
	if (index < 0) {
		UpdatePreview();
		return;
	}
	WTagAttrListItem* tag = dynamic_cast<WTagAttrListItem*>(tagList->FullListItemAt(index));
	if (tag == nullptr) {
		ShowCategory();
		return;
	}
	// The same tag again keeps the values given to it.
	if (index == currentTagIndex && ShowsAttributesOf(tag)) {
		UpdatePreview();
		return;
	}
	if (index != currentTagIndex) {
		currentTagIndex = index;
		currentTag = *tag->Data();
	}
	ShowAttributesOf(tag);
}

// A heading has nothing to insert; the tag chosen last keeps its values.
void HTMLPaletteWindow::ShowCategory()
{
	attributeList->MakeEmpty();
	currentAttributeIndex = -1;
	ClearValueEditors();
	preview->SetText("");
}

bool HTMLPaletteWindow::ShowsAttributesOf(const WTagAttrListItem* tag) const
{
	const WTagAttrListItem::AttributeList& attributes = tag->Attributes();
	return attributes.empty()
		|| (attributeList->CountItems() > 0 && attributeList->ItemAt(0) == attributes[0].get());
}

void HTMLPaletteWindow::ShowAttributesOf(WTagAttrListItem* tag)
{
	attributeList->MakeEmpty();
	currentAttributeIndex = -1;
	for (const std::unique_ptr<WTagAttrListItem>& attribute : tag->Attributes())
		attributeList->AddItem(attribute.get());
	ClearValueEditors();
	// Its selection message shows the first attribute's value editor.
	if (attributeList->CountItems() > 0)
		attributeList->Select(0);
	UpdatePreview();
}

// Selecting an attribute: its value editor shows what was given to it.

void HTMLPaletteWindow::SelectAttribute()
{
	int32 index = attributeList->CurrentSelection();
	if (index < 0 || index == currentAttributeIndex)
		return;
	WTagAttrListItem* attribute = SelectedAttribute();
	if (attribute == nullptr)
		return;
	currentAttributeIndex = index;
	if (!attribute->IsTextAttribute()) {
		ClearValueEditors();
		SetShown(valueMenu, true);
		UpdateValueField(attribute);
		return;
	}
	BMessage value;
	const char* text = "";
	if (!FindValue(attribute, &value) || value.FindString("text", &text) != B_OK)
		attribute->Data()->FindString("text", &text);
	SetShown(valueMenu, false);
	valueField->SetEnabled(true);
	valueField->SetText(text);
}

// A click on an attribute that takes typed values leads on to typing it;
// moving through the attributes with the keys leaves the keyboard in the
// list.
void HTMLPaletteWindow::FocusValueField()
{
	WTagAttrListItem* attribute = SelectedAttribute();
	if (attribute != nullptr && attribute->IsTextAttribute() && valueField->IsEnabled())
		valueField->MakeFocus(true);
}

void HTMLPaletteWindow::UpdateValueField(const WTagAttrListItem* attribute)
{
	BMenu* menu = valueMenu->Menu();
	menu->RemoveItems(0, menu->CountItems(), true);
	const char* label = nullptr;
	for (int32 i = 0; attribute->Data()->FindString("field", i, &label) == B_OK; i++)
		menu->AddItem(new BMenuItem(label, new BMessage(kValueChosen)));
	menu->SetTargetForItems(this);
	BMessage value;
	const char* chosen = nullptr;
	BMenuItem* marked = menu->ItemAt(0);
	if (FindValue(attribute, &value) && value.FindString("fieldtext", &chosen) == B_OK)
		marked = menu->FindItem(chosen);
	if (marked != nullptr)
		marked->SetMarked(true);
}

void HTMLPaletteWindow::ChooseValue(const BMessage* message)
{
	WTagAttrListItem* attribute = SelectedAttribute();
	void* source = nullptr;
	if (attribute == nullptr || message->FindPointer("source", &source) != B_OK)
		return;
	// An item of the menu as it is now, not of one it showed before.
	BMenuItem* item = static_cast<BMenuItem*>(source);
	if (valueMenu->Menu()->IndexOf(item) < 0)
		return;
	BMessage value(*attribute->Data());
	value.RemoveName("fieldtext");
	value.AddString("fieldtext", item->Label());
	StoreValue(attribute, value);
	UpdatePreview();
}

// Inserting.

void HTMLPaletteWindow::Insert()
{
	if (CommitTypedValue()) {
		UpdatePreview();
		return;
	}
	InsertTag();
}

// A value typed into the field becomes the attribute's value; an emptied
// field gives it an empty one. False when there was nothing to take over.
bool HTMLPaletteWindow::CommitTypedValue()
{
	WTagAttrListItem* attribute = SelectedAttribute();
	if (attribute == nullptr || !attribute->IsTextAttribute() || !valueField->IsEnabled())
		return false;
	const char* typed = valueField->Text();
	BMessage stored;
	const char* text = nullptr;
	if (FindValue(attribute, &stored)) {
		if (stored.FindString("text", &text) == B_OK && strcmp(text, typed) == 0)
			return false;
	} else if (*typed == '\0') {
		return false;
	}
	BMessage value(*attribute->Data());
	value.ReplaceString("text", typed);
	StoreValue(attribute, value);
	return true;
}

// The opening tag goes in with the caret behind it, then the closing tag
// in front of the caret: the caret ends between them.
void HTMLPaletteWindow::InsertTag()
{
	if (currentTagIndex < 0 || tagList->FullListCurrentSelection() != currentTagIndex)
		return;
	TagText text = ConstructHTML();
	BMessage opening(kInsertText);
	opening.AddString("text", text.opening.c_str());
	opening.AddBool("movecursor", true);
	target.SendMessage(&opening);
	if (text.closing.empty())
		return;
	BMessage closing(kInsertText);
	closing.AddString("text", text.closing.c_str());
	closing.AddBool("movecursor", false);
	target.SendMessage(&closing);
}

HTMLPaletteWindow::TagText HTMLPaletteWindow::ConstructHTML() const
{
	TagText text;
	const char* html = nullptr;
	if (currentTag.FindString("html", &html) != B_OK)
		return text;
	text.opening = std::string("<") + html;
	const char* name = nullptr;
	type_code type;
	for (int32 i = 0; currentTag.GetInfo(B_MESSAGE_TYPE, i, &name, &type) == B_OK; i++) {
		BMessage value;
		if (currentTag.FindMessage(name, &value) == B_OK)
			text.opening += AttributeText(value);
	}
	text.opening += ">";
	const char* html2 = nullptr;
	if (currentTag.FindString("html2", &html2) == B_OK)
		text.closing = std::string("</") + html2 + ">";
	return text;
}

// The values given.

WTagAttrListItem* HTMLPaletteWindow::SelectedAttribute() const
{
	WTagAttrListItem* item = dynamic_cast<WTagAttrListItem*>(
		attributeList->ItemAt(attributeList->CurrentSelection()));
	return item != nullptr && item->IsAttribute() ? item : nullptr;
}

bool HTMLPaletteWindow::FindValue(const WTagAttrListItem* attribute, BMessage* value) const
{
	const char* name = nullptr;
	return attribute->Data()->FindString("_attribute", &name) == B_OK
		&& currentTag.FindMessage(name, value) == B_OK;
}

// A value set again moves to the end: attributes are written in the order
// they were last set.
void HTMLPaletteWindow::StoreValue(const WTagAttrListItem* attribute, const BMessage& value)
{
	const char* name = nullptr;
	if (attribute->Data()->FindString("_attribute", &name) != B_OK)
		return;
	currentTag.RemoveName(name);
	currentTag.AddMessage(name, &value);
}

void HTMLPaletteWindow::ClearValueEditors()
{
	if (valueField->IsFocus() || valueField->TextView()->IsFocus())
		attributeList->MakeFocus(true);
	valueField->SetText("");
	valueField->SetEnabled(false);
	SetShown(valueMenu, false);
}

void HTMLPaletteWindow::UpdatePreview()
{
	if (currentTagIndex < 0) {
		preview->SetText("");
		return;
	}
	TagText text = ConstructHTML();
	preview->SetText((text.opening + text.closing).c_str());
}

// Following the HTML window.

void HTMLPaletteWindow::ShowPalette()
{
	hiddenWithOwner = false;
	SetFlags(Flags() & ~B_AVOID_FOCUS);
	if (IsHidden())
		Show();
	Activate();
}

void HTMLPaletteWindow::FollowOwner(const BMessage* state)
{
	ownerInFront = BoolOf(*state, "front", false);
	if (!BoolOf(*state, "shown", true)) {
		if (!IsHidden()) {
			Hide();
			hiddenWithOwner = true;
		}
		return;
	}
	if (!ownerInFront) {
		CheckFollowingLater();
		return;
	}
	if (hiddenWithOwner && IsHidden()) {
		// Back over the HTML window, without taking the keyboard from it.
		hiddenWithOwner = false;
		SetFlags(Flags() | B_AVOID_FOCUS);
		Show();
	}
}

void HTMLPaletteWindow::CheckFollowingLater()
{
	BMessage check(kCheckFollowing);
	check.AddInt32("check", ++followChecks);
	followCheck = std::make_unique<BMessageRunner>(BMessenger(this), &check,
		kFollowSettleTime, 1);
}

// Neither the palette nor its HTML window is in front any more.
void HTMLPaletteWindow::HideUnlessInFront(const BMessage* check)
{
	int32 number = 0;
	check->FindInt32("check", &number);
	if (number != followChecks || menusOpen || IsHidden() || IsActive() || ownerInFront)
		return;
	Hide();
	hiddenWithOwner = true;
}

void HTMLPaletteWindow::WindowActivated(bool active)
{
	BWindow::WindowActivated(active);
	if (active)
		SetFlags(Flags() & ~B_AVOID_FOCUS);
	else
		CheckFollowingLater();
}

void HTMLPaletteWindow::MenusBeginning()
{
	menusOpen = true;
}

// The keyboard comes back from the menu: the palette looks again once it
// has.
void HTMLPaletteWindow::MenusEnded()
{
	menusOpen = false;
	CheckFollowingLater();
}

void HTMLPaletteWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	bool attributeClick = false;
	if (message->what == B_MOUSE_DOWN) {
		// Shown again over its HTML window, the palette waited for a click
		// before it takes the keyboard.
		if ((Flags() & B_AVOID_FOCUS) != 0)
			SetFlags(Flags() & ~B_AVOID_FOCUS);
		BPoint where;
		attributeClick = message->FindPoint("where", &where) == B_OK
			&& FindView(where) == attributeList;
	}
	BWindow::DispatchMessage(message, handler);
	// After the selection message the click sent.
	if (attributeClick)
		PostMessage(kFocusValue);
}

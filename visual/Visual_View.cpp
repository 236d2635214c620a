#include "Visual_View.h"

#include <algorithm>
#include <cmath>

#include <Autolock.h>
#include <Clipboard.h>
#include <Entry.h>
#include <File.h>
#include <Menu.h>
#include <MenuItem.h>
#include <Message.h>
#include <OS.h>
#include <PopUpMenu.h>
#include <Window.h>

#include "Anchor.h"
#include "Element_List.h"
#include "EnginePage.h"
#include "EntityTable.h"
#include "HorizontalLine.h"
#include "NodeTree.h"
#include "Page_Element.h"
#include "Visual_Engine.h"
#include "bridge_support/HTMLFragment.h"
#include "engine_support/ReaderText.h"
#include "engine_support/RunHTML.h"
#include "visual_support/DecorationRuns.h"
#include "visual_support/PastedText.h"

namespace {

// A sunken rule: a grey line over two light ones.
const rgb_color kRuleShadow = {170, 170, 170, 255};
const rgb_color kRuleLight = {235, 235, 235, 255};
const rgb_color kRuleHighlight = {255, 255, 255, 255};
// The tallest line a rule can draw into from above: its own space's.
constexpr float kRuleReach = 32;
// Where lines go in a line of text, as parts of its height.
constexpr float kUnderlinePlace = 0.8333333f;

// What the text holds for a non-breaking space, and the key that types it.
constexpr char kNonBreakingSpace = static_cast<char>(kNonBreakingSpaceCode);

// The clipboard's entries: the run itself for Velmora, its HTML and the
// text a reader sees for other programs.
const char* const kRunField = "VelmoraClipboard";
const char* const kTextField = "text/plain";
const char* const kHTMLField = "text/html";

bool ClipboardString(const BMessage& data, const char* field, std::string* text)
{
	const void* bytes = nullptr;
	ssize_t length = 0;
	if (data.FindData(field, B_MIME_TYPE, &bytes, &length) != B_OK || length <= 0)
		return false;
	text->assign(static_cast<const char*>(bytes), static_cast<size_t>(length));
	return true;
}

// The keys the view handles itself; every other byte is typed or passed
// to the base view as it is.
bool IsSpecialKey(uint8 key)
{
	switch (key) {
		case 0x00:
		case B_INSERT:
		case B_BACKSPACE:
		case B_TAB:
		case B_ENTER:
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
		case B_SPACE:
		case B_DELETE:
			return true;
		default:
			return false;
	}
}

// The first character of a line that is white space wraps with the line
// before it; a decoration stops in front of it.
bool IsLineEndBlank(uint8 character)
{
	return character == ' ' || character == '\n';
}

} // namespace

// Marks the window changed when the text or the element list changed
// while it lived: what the user did was an edit, not only a look.
class Visual_View::EditWatch {
public:
	explicit EditWatch(Visual_View* view)
		:
		fView(view),
		fEdits(view->EditCount()),
		fLast(view->Engine()->ElementList()->LastIndex())
	{
	}

	// Elements that came or went may change the decorations of any line
	// shown, not only of those whose text the base view redraws.
	~EditWatch()
	{
		bool elementsChanged = fView->Engine()->ElementList()->LastIndex() != fLast;
		if (elementsChanged)
			fView->Invalidate();
		if (fView->EditCount() == fEdits && !elementsChanged)
			return;
		if (EnginePage* page = fView->Engine()->MyPage())
			page->VisualChanged();
	}

private:
	Visual_View* fView;
	uint32 fEdits;
	unsigned long fLast;
};

Visual_View::Visual_View(BRect frame, Visual_Engine* engine)
	:
	Visual_Text(frame, engine),
	stepping(false),
	verticalDirection(0)
{
}

void Visual_View::AttachedToWindow()
{
	Visual_Text::AttachedToWindow();
	MakeFocus(true);
}

// #pragma mark - Keys

bool Visual_View::IsMovingKey(const char* bytes, int32 numBytes)
{
	if (bytes == nullptr || numBytes != 1)
		return false;
	switch (static_cast<uint8>(bytes[0])) {
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
		case B_PAGE_UP:
		case B_PAGE_DOWN:
		case B_HOME:
		case B_END:
			return true;
		default:
			return false;
	}
}

// A press is split into runs of ordinary characters, passed on together,
// and the special keys, each handled by its own rule.
void Visual_View::KeyDown(const char* bytes, int32 numBytes)
{
	BAutolock lock(Engine());
	// Escape stops the build of a big page. Moving through the part that is
	// shown needs no more of it; any other key may change the page, and
	// works on all of it.
	EnginePage* page = Engine()->MyPage();
	if (numBytes == 1 && bytes[0] == B_ESCAPE && page->StopBuild())
		return;
	if (!IsMovingKey(bytes, numBytes))
		page->FinishBuild();
	EditWatch watch(this);
	if (bytes == nullptr || numBytes <= 0) {
		RefreshView();
		return;
	}
	if (static_cast<uint8>(bytes[0]) == B_FUNCTION_KEY) {
		FunctionKey();
		return;
	}
	uint32 modifiers = KeyModifiers(bytes, numBytes);
	std::string keys = WithoutDoubleSpaces(bytes, numBytes, (modifiers & B_SHIFT_KEY) != 0);
	if (keys.empty()) {
		RefreshView();
		return;
	}
	ScrollToSelection();
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	if (start < end && !IsSpecialKey(static_cast<uint8>(keys[0]))
			&& static_cast<uint8>(keys[0]) >= 0x20) {
		BeginUndoGroup(start, end);
		TypeBehind(start, end, keys, modifiers);
		EndUndoGroup();
		ContinueStepByTyping();
	} else {
		TypeKeys(keys, modifiers);
	}
	RefreshView();
}

// Text typed over a range goes in behind it, and the range is deleted
// after: deleting first would join the blanks around the range, and the
// double-space rule would take one. The text takes the formatting the
// range had at its end.
void Visual_View::TypeBehind(int32 start, int32 finish, const std::string& keys,
	uint32 modifiers)
{
	Select(finish, finish);
	TypeKeys(keys, modifiers);
	BTextView::Delete(start, finish);
}

void Visual_View::TypeKeys(const std::string& keys, uint32 modifiers)
{
	for (size_t at = 0; at < keys.size();) {
		uint8 key = static_cast<uint8>(keys[at]);
		if (IsSpecialKey(key)) {
			HandleSpecial(static_cast<char>(key), modifiers);
			at++;
			continue;
		}
		// A key that types nothing (Home, End, Page Up ...) goes alone.
		size_t end = at + 1;
		if (key >= 0x20) {
			while (end < keys.size() && static_cast<uint8>(keys[end]) >= 0x20
					&& !IsSpecialKey(static_cast<uint8>(keys[end])))
				end++;
		}
		inheritedKeyDown(keys.data() + at, static_cast<int32>(end - at));
		at = end;
	}
}

// The text as it would be typed over the range: its non-breaking spaces
// as the key that types one, control characters left out, blanks next to
// blanks around the range dropped, typed over the range.
int32 Visual_View::TypeOver(int32 start, int32 finish, std::string_view text)
{
	BAutolock lock(Engine());
	EditWatch watch(this);
	std::string typed;
	for (size_t at = 0; at < text.size(); at++) {
		if (text.compare(at, 2, "\xC2\xA0") == 0) {
			typed += kNonBreakingSpace;
			at++;
		} else if (static_cast<uint8>(text[at]) >= 0x20 && text[at] != 0x7F) {
			typed += text[at];
		}
	}
	Select(start, finish);
	std::string keys = WithoutDoubleSpaces(typed.data(), static_cast<int32>(typed.size()), false);
	TypeBehind(start, finish, keys, 0);
	int32 end = 0;
	GetSelection(nullptr, &end);
	return end;
}

// Typing a space next to a plain space would write two, which a page
// shows as one: after a space leading spaces are dropped, and in front of
// one a single space steps over it instead. Shift types the non-breaking
// space, which is exempt.
std::string Visual_View::WithoutDoubleSpaces(const char* bytes, int32 numBytes, bool shift) const
{
	std::string keys(bytes, numBytes);
	if (shift)
		return keys;
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	if (IsPlainSpace(start - 1)) {
		size_t first = keys.find_first_not_of(' ');
		keys.erase(0, first == std::string::npos ? keys.size() : first);
	}
	if (IsPlainSpace(end) && !keys.empty()) {
		// Never the press's first character: a lone space steps instead.
		size_t last = keys.find_last_not_of(' ');
		keys.erase(last == std::string::npos ? 1 : last + 1);
		if (keys == " ")
			keys = static_cast<char>(B_RIGHT_ARROW);
	}
	return keys;
}

void Visual_View::HandleSpecial(char key, uint32 modifiers)
{
	switch (static_cast<uint8>(key)) {
		case B_INSERT:
			InsertKey(modifiers);
			break;
		case B_DELETE:
			DeleteKey(modifiers);
			break;
		case B_BACKSPACE:
			BackspaceKey();
			break;
		case B_TAB:
			TabKey();
			break;
		case B_ENTER:
			EnterKey((modifiers & B_SHIFT_KEY) != 0);
			break;
		case B_SPACE:
			inheritedKeyDown((modifiers & B_SHIFT_KEY) != 0 ? &kNonBreakingSpace : " ", 1);
			break;
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
			ArrowKey(key);
			break;
		default:
			break;
	}
}

// As on a PC keyboard: Ctrl+Insert copies, Shift+Insert pastes.
void Visual_View::InsertKey(uint32 modifiers)
{
	if ((modifiers & B_CONTROL_KEY) != 0)
		Copy(be_clipboard);
	else if ((modifiers & B_SHIFT_KEY) != 0)
		Paste(be_clipboard);
}

// Ctrl+Delete deletes the next word (the base view's rule with the command
// key), Shift+Delete cuts. In front of the room of a formatting element
// (the character at the caret is its own) Delete steps over it: taking the
// element would unformat its text.
void Visual_View::DeleteKey(uint32 modifiers)
{
	if ((modifiers & B_CONTROL_KEY) == 0 && (modifiers & B_SHIFT_KEY) != 0) {
		Cut(be_clipboard);
		return;
	}
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	Element_List* list = Engine()->ElementList();
	long holder = start == end ? list->InElementSpaceAt(end) : 0;
	if (holder > 0 && (modifiers & B_CONTROL_KEY) == 0) {
		Element_List_Item item = (*list)[holder];
		const HTML_Element* html = dynamic_cast<const HTML_Element*>(item.element);
		if (html != nullptr && html->PairTag() && (html->HasText() || html->OpenTag())
				&& html->HTMLType() != tag_p) {
			Select(item.offset + item.spaceTo, item.offset + item.spaceTo);
			return;
		}
	}
	inheritedKeyDown("\x7F", 1);
}

// Behind the space of an element that formats text the whole space goes
// with the character, never a part of it.
void Visual_View::BackspaceKey()
{
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	Element_List* list = Engine()->ElementList();
	long holder = start > 0 ? list->InElementSpaceAt(start - 1) : 0;
	if (holder > 0) {
		Element_List_Item item = (*list)[holder];
		const Page_Element* element = dynamic_cast<const Page_Element*>(item.element);
		if (element != nullptr && element->HasText())
			BTextView::Select(item.offset, end);
	}
	inheritedKeyDown("\x08", 1);
}

// A page has no tabs: Tab only takes the selection away.
void Visual_View::TabKey()
{
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	if (start < end)
		Delete();
}

// Enter breaks the line, Shift+Enter starts a paragraph; the caret goes
// behind the new element's own characters.
void Visual_View::EnterKey(bool paragraph)
{
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	if (start < end) {
		Delete();
		GetSelection(&start, &end);
	}
	EnginePage* page = Engine()->MyPage();
	if (page == nullptr)
		return;
	_node* node = page->NewNode();
	node->tag = paragraph ? tag_p : tag_br;
	node->type = paragraph ? StartTag : StartEndTag;
	int32 length = static_cast<int32>(Engine()->InsertAt(start, node, INSERT_EDIT, nullptr));
	Select(start + length, start + length);
	Invalidate();
}

// Left and right step over an element's space in one press; up and down
// leave the caret on the edge of a space they head for.
void Visual_View::ArrowKey(char key)
{
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	Element_List* list = Engine()->ElementList();
	uint32 modifiers = KeyModifiers(&key, 1);
	bool byWord = (modifiers & (B_COMMAND_KEY | B_OPTION_KEY)) != 0;
	bool collapses = start < end && (modifiers & B_SHIFT_KEY) == 0;
	if (key == B_UP_ARROW || key == B_DOWN_ARROW) {
		verticalDirection = key == B_UP_ARROW ? -1 : 1;
		inheritedKeyDown(&key, 1);
		verticalDirection = 0;
		return;
	}
	if (byWord || collapses) {
		inheritedKeyDown(&key, 1);
		return;
	}
	long holder = 0;
	if (key == B_LEFT_ARROW && start > 0)
		holder = list->InElementSpaceAt(start - 1);
	else if (key == B_RIGHT_ARROW && end < TextLength())
		holder = list->InElementSpaceAt(end);
	if (holder <= 0) {
		inheritedKeyDown(&key, 1);
		return;
	}
	Element_List_Item item = (*list)[holder];
	StepCaret(key, key == B_LEFT_ARROW ? start - item.offset : item.offset + item.spaceTo - end);
}

void Visual_View::StepCaret(char key, int32 steps)
{
	stepping = true;
	for (int32 step = 0; step < steps; step++)
		BTextView::KeyDown(&key, 1);
	stepping = false;
}

// F11 shows the HTML window, F12 hands the page to the external editor.
void Visual_View::FunctionKey()
{
	BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	int32 key = 0;
	if (IsOwnKeyPress("\x10", 1) && message->FindInt32("key", &key) == B_OK
			&& (key == B_F11_KEY || key == B_F12_KEY)) {
		Window()->PostMessage(key == B_F11_KEY ? 'shww' : 'sexe');
		return;
	}
	RefreshView();
}

// The key message the window handles now, when these are its bytes: the
// engine's looper passes characters in as well, from its own thread.
bool Visual_View::IsOwnKeyPress(const char* bytes, int32 numBytes) const
{
	BWindow* window = Window();
	if (window == nullptr || window->Thread() != find_thread(nullptr))
		return false;
	BMessage* message = window->CurrentMessage();
	const char* pressed = nullptr;
	return message != nullptr && message->what == B_KEY_DOWN
		&& message->FindString("bytes", &pressed) == B_OK
		&& std::string_view(pressed) == std::string_view(bytes, numBytes);
}

uint32 Visual_View::KeyModifiers(const char* bytes, int32 numBytes) const
{
	int32 modifiers = 0;
	if (IsOwnKeyPress(bytes, numBytes))
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	return static_cast<uint32>(modifiers);
}

// When the press changed no other line and left the height of its own,
// only that line is drawn again.
void Visual_View::inheritedKeyDown(const char* bytes, int32 numBytes)
{
	int32 start = 0;
	GetSelection(&start, nullptr);
	int32 line = LineAt(start);
	bool lastLine = line + 1 >= CountLines();
	int32 nextLine = lastLine ? 0 : OffsetAt(line + 1);
	int32 length = TextLength();
	float height = LineHeight(line);
	BTextView::KeyDown(bytes, numBytes);
	int32 growth = TextLength() - length;
	if (growth == 0)
		return;
	bool sameLines = line + 1 >= CountLines() || OffsetAt(line + 1) == nextLine + growth;
	if (!sameLines || LineHeight(line) != height) {
		Invalidate();
		return;
	}
	float lineHeight = 0;
	float top = PointAt(std::min(start, TextLength()), &lineHeight).y;
	Invalidate(BRect(Bounds().left, top, Bounds().right, top + lineHeight));
}

// #pragma mark - Selection

// Inside an element's space (past its first character) means between its
// edges: at its offset the caret stands in front of it.
int32 Visual_View::SnapOutOfSpace(int32 offset, long holder, int32 direction) const
{
	Element_List_Item item = (*Engine()->ElementList())[holder];
	int32 front = item.offset;
	int32 back = item.offset + item.spaceTo;
	if (direction > 0)
		return back;
	if (direction < 0)
		return front;
	return offset - front < back - offset ? front : back;
}

void Visual_View::Select(int32 start, int32 finish)
{
	if (!stepping && Engine() != nullptr) {
		Element_List* list = Engine()->ElementList();
		long startHolder = list->InElementSpaceAt(start);
		if (startHolder > 0 && (*list)[startHolder].offset < start)
			start = SnapOutOfSpace(start, startHolder, verticalDirection);
		long finishHolder = list->InElementSpaceAt(finish);
		if (finishHolder > 0 && (*list)[finishHolder].offset < finish)
			finish = SnapOutOfSpace(finish, finishHolder, verticalDirection);
	}
	BTextView::Select(start, finish);
	RefreshView();
}

// #pragma mark - Mouse and drops

// The secondary button on a link opens its menu; every other click is the
// base view's.
void Visual_View::MouseDown(BPoint where)
{
	BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	int32 buttons = 0;
	if (message != nullptr && message->what == B_MOUSE_DOWN)
		message->FindInt32("buttons", &buttons);
	if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
		const Anchor* link = Engine()->CurrentAnchor(OffsetAt(where));
		if (link != nullptr) {
			ShowLinkMenu(where, link);
			return;
		}
	}
	EditWatch watch(this);
	Visual_Text::MouseDown(where);
}

// A drag of the selection ends here when it is dropped in the view.
void Visual_View::MouseUp(BPoint where)
{
	EditWatch watch(this);
	Visual_Text::MouseUp(where);
}

// The link's settings are the tag settings window's: the window is asked
// to open it for the link ('tset' with the link as "element").
void Visual_View::ShowLinkMenu(BPoint where, const Anchor* link)
{
	BPopUpMenu menu("link", false, false);
	menu.AddItem(new BMenuItem("HyperText link/target settings ...", new BMessage('    ')));
	BPoint screen = ConvertToScreen(where);
	BRect clickToOpen(screen.x - 4, screen.y - 4, screen.x + 10, screen.y + 10);
	if (menu.Go(screen, false, false, clickToOpen) == nullptr)
		return;
	BMessage settings('tset');
	settings.AddPointer("element", link);
	Window()->PostMessage(&settings);
}

bool Visual_View::AcceptsDrop(const BMessage* message)
{
	entry_ref ref;
	return Visual_Text::AcceptsDrop(message)
		|| (message != nullptr && message->FindRef("refs", &ref) == B_OK);
}

// A dropped image file is the view's: nothing else of the drop (a name, a
// URI) is inserted as text.
void Visual_View::MessageReceived(BMessage* message)
{
	BAutolock lock(Engine());
	// The wheel scrolls through the part shown; everything else that comes
	// here (a paste, a drop) may change the page.
	if (message->what != B_MOUSE_WHEEL_CHANGED)
		Engine()->MyPage()->FinishBuild();
	EditWatch watch(this);
	if (message->WasDropped() && DropImage(message))
		return;
	Visual_Text::MessageReceived(message);
}

// Each readable image file of the drop becomes an image where it fell.
bool Visual_View::DropImage(const BMessage* message)
{
	EnginePage* page = Engine()->MyPage();
	if (page == nullptr)
		return false;
	int32 offset = OutsideElementRoom(OffsetAt(ConvertFromScreen(message->DropPoint())));
	bool dropped = false;
	entry_ref ref;
	for (int32 index = 0; message->FindRef("refs", index, &ref) == B_OK; index++) {
		if (!Visual_Engine::IsImageName(ref.name) || BFile(&ref, B_READ_ONLY).InitCheck() != B_OK)
			continue;
		_node* node = page->NewNode();
		node->tag = tag_img;
		node->type = StartTag;
		offset += static_cast<int32>(Engine()->InsertAt(offset, node, INSERT_EDIT, &ref));
		dropped = true;
	}
	if (dropped)
		Invalidate();
	return dropped;
}

// #pragma mark - Clipboard

// Velmora takes the run itself, with every element; other programs take
// the HTML it writes, or the text a reader sees. An empty selection
// leaves the clipboard alone.
void Visual_View::Copy(BClipboard* clipboard)
{
	BAutolock lock(Engine());
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	CopyRun(clipboard, start, end);
}

// Nothing is cut that did not reach the clipboard.
void Visual_View::Cut(BClipboard* clipboard)
{
	BAutolock lock(Engine());
	EditWatch watch(this);
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	if (!CopyRun(clipboard, start, end))
		return;
	Delete(start, end);
	Select(start, start);
	RefreshView();
}

// What is pasted takes the selection's place, as in every other program
// the user pastes in; the caret ends behind it. One undo takes the whole
// paste back and gives the selected words again.
void Visual_View::Paste(BClipboard* clipboard)
{
	BAutolock lock(Engine());
	EditWatch watch(this);
	BMessage data;
	if (clipboard == nullptr || !clipboard->Lock())
		return;
	if (clipboard->Data() != nullptr)
		data = *clipboard->Data();
	clipboard->Unlock();
	int32 start = 0;
	int32 end = 0;
	GetSelection(&start, &end);
	int32 offset = OutsideElementRoom(end);
	BMessage run;
	std::string html;
	std::string text;
	bool hasRun = data.FindMessage(kRunField, &run) == B_OK;
	bool hasHTML = ClipboardString(data, kHTMLField, &html);
	bool hasText = ClipboardString(data, kTextField, &text);
	if (!hasRun && !hasHTML && !hasText)
		return;
	// One step of undo for the whole paste, which takes back the elements
	// at its end too (the closing tags of a run stand where it ends), and
	// the selection it replaced.
	BeginUndoGroup(start < end ? start : offset, offset);
	// An archive this program cannot make whole (a newer one's tag) is
	// refused; its HTML or text still comes in.
	int32 after = hasRun ? UnarchiveRun(&run, offset) : -1;
	if (after < 0 && hasHTML) {
		HTMLFragment fragment(Engine()->MyPage(), html);
		after = offset + static_cast<int32>(fragment.InsertAt(offset));
	}
	if (after < 0 && hasText)
		after = PastePlainText(text, offset);
	// The selection goes once the paste stands behind it, so that the
	// double-space rule never takes the space between the two.
	if (after >= 0 && start < end) {
		int32 length = TextLength();
		Delete(start, end);
		after -= length - TextLength();
	}
	EndUndoGroup();
	if (after < 0)
		return;
	Select(after, after);
	ScrollToSelection();
	RefreshView();
}

bool Visual_View::CopyRun(BClipboard* clipboard, int32 start, int32 end)
{
	if (clipboard == nullptr || start >= end)
		return false;
	BMessage run;
	if (ArchiveRun(&run, start, end) != B_OK)
		return false;
	std::string text = ReaderText::Of(*Engine(), start, end);
	std::string html = RunHTML::Of(*Engine(), start, end);
	if (!clipboard->Lock())
		return false;
	clipboard->Clear();
	BMessage* data = clipboard->Data();
	bool added = data->AddMessage(kRunField, &run) == B_OK
		&& data->AddData(kTextField, B_MIME_TYPE, text.data(), static_cast<ssize_t>(text.size()),
			false) == B_OK
		&& data->AddData(kHTMLField, B_MIME_TYPE, html.data(), static_cast<ssize_t>(html.size()),
			false) == B_OK;
	bool committed = added && clipboard->Commit() == B_OK;
	clipboard->Unlock();
	return committed;
}

// Plain text is inserted as the user would type it, line by line, a line
// end making a line break, but never read as keys: no byte of it moves
// the caret, deletes or runs a command. The offset behind it. The paste's
// undo group records the step.
int32 Visual_View::PastePlainText(const std::string& text, int32 offset)
{
	int32 start = offset;
	std::vector<std::string> lines = PastedText::Lines(text);
	for (size_t index = 0; index < lines.size(); index++) {
		if (index > 0)
			offset += InsertLineBreak(offset);
		std::string line = WithoutSpacesBeside(lines[index], offset);
		if (line.empty())
			continue;
		Insert(offset, line.data(), static_cast<int32>(line.size()));
		offset += static_cast<int32>(line.size());
	}
	Refresh(start, offset + 1);
	return offset;
}

int32 Visual_View::InsertLineBreak(int32 offset)
{
	EnginePage* page = Engine()->MyPage();
	if (page == nullptr)
		return 0;
	_node* node = page->NewNode();
	node->tag = tag_br;
	node->type = StartEndTag;
	return static_cast<int32>(Engine()->InsertAt(offset, node, INSERT_EDIT, nullptr));
}

// The double-space rule of typing, at the place the line goes.
std::string Visual_View::WithoutSpacesBeside(std::string line, int32 offset) const
{
	if (!line.empty() && line.front() == ' ' && IsPlainSpace(offset - 1))
		line.erase(0, 1);
	if (!line.empty() && line.back() == ' ' && IsPlainSpace(offset))
		line.pop_back();
	return line;
}

// An undo that changes nothing says why in the status bar, so that the
// user is not left wondering whether it ran.
void Visual_View::Undo(BClipboard*)
{
	BAutolock lock(Engine());
	EditWatch watch(this);
	undo_outcome outcome = UndoLastStep();
	if (outcome == UNDO_DONE || Window() == nullptr)
		return;
	BMessage status('sbtx');
	status.AddString("text", outcome == UNDO_NOTHING_RECORDED ? "Nothing to undo"
		: "Undo not possible: the page has changed where the last edit was");
	Window()->PostMessage(&status);
}

// #pragma mark - What is shown

void Visual_View::ScrollTo(BPoint where)
{
	Visual_Text::ScrollTo(where);
	RefreshView();
}

// The text wraps anew: the element views follow their spaces.
void Visual_View::FrameResized(float width, float height)
{
	Visual_Text::FrameResized(width, height);
	RefreshView();
}

int32 Visual_View::FirstVisibleOffset() const
{
	BWindow* window = Window();
	BAutolock lock(window);
	if (window == nullptr || !lock.IsLocked())
		return 0;
	return OffsetAt(Bounds().LeftTop());
}

int32 Visual_View::LastVisibleOffset() const
{
	BWindow* window = Window();
	BAutolock lock(window);
	if (window == nullptr || !lock.IsLocked())
		return 0;
	return OffsetAt(Bounds().RightBottom());
}

// Blank room that starts a line: the placeholders of an element begin at
// the line's first offset.
long Visual_View::SpaceOnLine(int32 line) const
{
	if (line < 0 || line >= CountLines())
		return -1;
	int32 offset = OffsetAt(line);
	BAutolock lock(Engine());
	Element_List* list = Engine()->ElementList();
	long holder = list->InNullCharactersAt(offset);
	if (holder <= 0)
		return -1;
	Element_List_Item item = (*list)[holder];
	return item.offset + item.spaceFrom == offset ? holder : -1;
}

long Visual_View::SpaceOnLineAt(int32 offset) const
{
	return offset < 0 ? -1 : SpaceOnLine(LineAt(offset));
}

float Visual_View::LineWidthWithoutSpace(int32 line) const
{
	if (line < 0 || line >= CountLines())
		return 0;
	float width = LineWidth(line);
	long holder = SpaceOnLine(line);
	if (holder <= 0)
		return width;
	BAutolock lock(Engine());
	Element_List_Item item = (*Engine()->ElementList())[holder];
	const BFont* font = item.element->SpaceFont();
	if (font == nullptr)
		return width;
	int32 lineEnd = line + 1 < CountLines() ? OffsetAt(line + 1) : TextLength();
	int32 from = item.offset + item.spaceFrom;
	int32 to = std::min(item.offset + item.spaceTo, lineEnd);
	std::string spaces(static_cast<size_t>(std::max(to - from, 0)), ' ');
	return std::max(width - font->StringWidth(spaces.c_str()), 0.0f);
}

float Visual_View::LineWidthWithoutSpaceAt(int32 offset) const
{
	return offset < 0 ? 0 : LineWidthWithoutSpace(LineAt(offset));
}

// #pragma mark - Decorations

// The decorations of the lines being drawn are drawn with them: the view
// draws only what was invalidated, so decorations drawn at any other time
// would be drawn twice.
void Visual_View::Draw(BRect updateRect)
{
	Visual_Text::Draw(updateRect);
	if (TextLength() == 0)
		return;
	BAutolock lock(Engine());
	BRect bounds = Bounds();
	DrawDecorations(BRect(bounds.left, updateRect.top, bounds.right, updateRect.bottom));
}

// After a change of the text, the selection or the scrolling the element
// views shown go over their spaces; what changed is drawn again by the
// base view, decorations and all.
void Visual_View::RefreshView()
{
	BWindow* window = Window();
	if (window == nullptr || IsHidden(this) || TextLength() == 0)
		return;
	BAutolock lock(Engine());
	Engine()->Place(FirstVisibleOffset(), LastVisibleOffset());
}

// The underlined and struck-out runs of the lines in area, and the rules
// whose line reaches into it.
void Visual_View::DrawDecorations(BRect area)
{
	int32 first = OffsetAt(area.LeftTop());
	int32 last = OffsetAt(area.RightBottom());
	DecorationRuns runs(Engine(), first, last);
	for (const DecorationRuns::Run& run : runs.Runs())
		UnderlineStrikeThrough(run.start, run.finish, run.color, run.underline, run.strike);
	int32 rulesFrom = OffsetAt(BPoint(area.left, area.top - kRuleReach));
	Element_List* list = Engine()->ElementList();
	for (unsigned long index = list->NextOrAtIndex(rulesFrom); index <= list->LastIndex();
			index++) {
		Element_List_Item item = (*list)[index];
		if (item.offset > last)
			break;
		if (index > 0 && dynamic_cast<HorizontalLine*>(item.element) != nullptr)
			DrawRule(item.offset);
	}
}

// The rule at offset lies across the middle of the line after the rule's
// line feed, the line of its space.
void Visual_View::DrawRule(int32 offset)
{
	if (offset + 1 >= TextLength())
		return;
	int32 spaceLine = LineAt(offset + 1);
	float y = std::round(PointAt(offset + 1).y) + std::round(LineHeight(spaceLine) / 2);
	float right = Bounds().right;
	BeginLineArray(3);
	AddLine(BPoint(7, y), BPoint(right - 8, y), kRuleShadow);
	AddLine(BPoint(8, y + 1), BPoint(right - 9, y + 1), kRuleLight);
	AddLine(BPoint(8, y + 2), BPoint(right - 9, y + 2), kRuleHighlight);
	EndLineArray();
}

// Line by line; a segment ends at the end of its line, at finish, or in
// front of an element's space, which is never decorated.
void Visual_View::UnderlineStrikeThrough(int32 start, int32 finish, rgb_color color,
	bool underline, bool strike)
{
	if (start < 0 || start >= finish || (!underline && !strike))
		return;
	finish = std::min(finish, TextLength());
	Element_List* list = Engine()->ElementList();
	SetHighColor(color);
	for (int32 segment = start; segment < finish;) {
		long holder = list->InNullCharactersAt(segment);
		if (holder > 0) {
			Element_List_Item item = (*list)[holder];
			segment = std::max(segment + 1, item.offset + item.spaceTo);
			continue;
		}
		int32 line = LineAt(segment);
		int32 lineEnd = line + 1 < CountLines() ? OffsetAt(line + 1) : TextLength();
		int32 end = std::min(finish, lineEnd);
		long space = list->ContainsNullCharacters(segment, end);
		int32 next = end;
		if (space > 0) {
			Element_List_Item item = (*list)[space];
			int32 placeholders = item.offset + item.spaceFrom;
			if (placeholders < end) {
				end = std::max(segment, placeholders);
				next = item.offset + item.spaceTo;
			}
		}
		float right = 0;
		if (end < lineEnd) {
			right = PointAt(end).x;
		} else {
			int32 trimmed = lineEnd;
			while (trimmed > segment && IsLineEndBlank(ByteAt(trimmed - 1)))
				trimmed--;
			right = trimmed < lineEnd ? PointAt(trimmed).x : TextRect().left + LineWidth(line);
		}
		float height = 0;
		BPoint left = PointAt(segment, &height);
		BFont font;
		GetFontAndColor(segment, &font);
		font_height metrics;
		font.GetHeight(&metrics);
		float y = std::round(left.y + height * kUnderlinePlace);
		if (right > left.x) {
			if (underline)
				StrokeLine(BPoint(left.x, y), BPoint(right, y));
			if (strike) {
				float strikeY = std::round(y - (metrics.ascent / 3 + 1));
				StrokeLine(BPoint(left.x, strikeY), BPoint(right, strikeY));
			}
		}
		segment = std::max(next, segment + 1);
	}
}

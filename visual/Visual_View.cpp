#include "Visual_View.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include <Autolock.h>
#include <Message.h>
#include <Window.h>

#include "Element_List.h"
#include "EndLine.h"
#include "EntityTable.h"
#include "Environment.h"
#include "HorizontalLine.h"
#include "Page.h"
#include "Page_Element.h"
#include "Tidy.h"
#include "UnsupportedTag.h"
#include "VWindow.h"
#include "Visual_Element.h"
#include "Visual_Engine.h"
#include "visual_support/RefreshWalk.h"
#include "writer_support/CharacterWriting.h"

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
// A sunken rule: a grey line over two light ones.
const rgb_color kRuleShadow = {170, 170, 170, 255};
const rgb_color kRuleLight = {235, 235, 235, 255};
const rgb_color kRuleHighlight = {255, 255, 255, 255};
// The tallest line a rule can draw into from above: its own space's.
constexpr float kRuleReach = 32;

BRect TextRectFor(float width, float height)
{
	return BRect(6, 9, width - 5, height - 5);
}

// An entity reference the view shows as a character: its name and the
// bytes it stands for.
struct ShownEntity {
	const char* name;
	const char* bytes;
};

const ShownEntity kShownEntities[] = {
	{"nbsp;", "\x0F"},
	{"lt;", "<"},
	{"gt;", ">"},
	{"amp;", "&"},
	{"copy;", "\xC2\xA9"},
	{"reg;", "\xC2\xAE"},
};

} // namespace

Visual_View::Visual_View(BRect frame, Visual_Engine* engine)
	:
	BTextView(frame, nullptr, TextRectFor(frame.Width(), frame.Height()), B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_NAVIGABLE),
	undoSuppression(false),
	engine(engine),
	refreshBlockCount(1),
	insertionShift(0),
	insertMode(INSERT_EDIT)
{
	SetStylable(true);
	SetDoesUndo(true);
	SetWordWrap(true);
	refreshBlockCount = 0;
}

Visual_View::~Visual_View()
{
}

void Visual_View::AttachedToWindow()
{
	BTextView::AttachedToWindow();
	MakeFocus(true);
}

void Visual_View::FrameResized(float width, float height)
{
	BTextView::FrameResized(width, height);
	SetTextRect(TextRectFor(width, height));
}

void Visual_View::Draw(BRect updateRect)
{
	BTextView::Draw(updateRect);
	DrawRules(updateRect);
}

// The rules whose line can reach into the update rectangle. Drawing holds
// the window's lock, which is the engine's: the list cannot change.
void Visual_View::DrawRules(BRect updateRect)
{
	Element_List* list = engine != nullptr ? engine->ElementList() : nullptr;
	if (list == nullptr || TextLength() == 0)
		return;
	int32 first = OffsetAt(BPoint(updateRect.left, updateRect.top - kRuleReach));
	int32 last = OffsetAt(BPoint(updateRect.right, updateRect.bottom));
	for (unsigned long index = list->NextIndex(first - 1);
			index <= list->LastIndex(); index++) {
		Element_List_Item item = (*list)[index];
		if (item.offset > last)
			break;
		if (dynamic_cast<HorizontalLine*>(item.element) != nullptr)
			DrawRule(item.offset);
	}
}

// The rule at offset lies across the middle of the line after the rule's
// line feed, the line of its space.
void Visual_View::DrawRule(int32 offset)
{
	if (offset + 1 >= TextLength())
		return;
	int32 spaceLine = LineAt(offset) + 1;
	float y = std::round(PointAt(offset + 1).y) + std::round(LineHeight(spaceLine) / 2);
	float right = Bounds().right;
	BeginLineArray(3);
	AddLine(BPoint(7, y), BPoint(right - 8, y), kRuleShadow);
	AddLine(BPoint(8, y + 1), BPoint(right - 9, y + 1), kRuleLight);
	AddLine(BPoint(8, y + 2), BPoint(right - 9, y + 2), kRuleHighlight);
	EndLineArray();
}

void Visual_View::Show()
{
	BAutolock lock(Window());
	if (IsHidden(this))
		BTextView::Show();
}

void Visual_View::Hide()
{
	BAutolock lock(Window());
	if (!IsHidden(this))
		BTextView::Hide();
}

bool Visual_View::CanEndLine(int32 offset)
{
	if (offset < 0 || offset >= TextLength())
		return false;
	uint8 character = ByteAt(offset);
	if (character == '\n')
		return true;
	if (character != ' ' && character != '\t')
		return false;
	return engine->InNullCharactersAt(offset) < 1;
}

void Visual_View::SetInsertMode(insert_mode mode)
{
	if (mode != INSERT_EDIT && mode != INSERT_BUILD)
		return;
	insertMode = mode;
	insertionShift = mode == INSERT_BUILD ? 1 : 0;
}

void Visual_View::InsertBaseText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	BTextView::InsertText(text, length, offset, runs);
}

void Visual_View::DeleteBaseText(int32 start, int32 finish)
{
	BTextView::DeleteText(start, finish);
}

// Elements behind the insertion move first, so that the layout of the new
// text already sees them where they end up.
void Visual_View::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (text == nullptr || length <= 0)
		return;
	int32 textLength = TextLength();
	int32 selectionStart = 0;
	int32 selectionEnd = 0;
	GetSelection(&selectionStart, &selectionEnd);
	if (selectionEnd > textLength)
		BTextView::Select(textLength, textLength);
	offset = std::clamp(offset, 0, textLength);
	engine->ElementList()->Adjust(offset + insertionShift, length);
	if (insertMode == INSERT_BUILD) {
		BTextView::InsertText(text, length, offset, runs);
		return;
	}
	std::unique_ptr<Environment> environment = engine->EnvironmentAt(offset);
	text_run_array* style = AllocRunArray(1);
	style->runs[0].offset = 0;
	if (environment->Font() != nullptr)
		style->runs[0].font = *environment->Font();
	style->runs[0].color = environment->Color() != nullptr ? *environment->Color() : kBlack;
	BTextView::InsertText(text, length, offset, style);
	FreeRunArray(style);
}

void Visual_View::BInsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (text == nullptr || length <= 0)
		return;
	engine->Lock();
	offset = std::clamp(offset, 0, TextLength());
	engine->ElementList()->Adjust(offset + insertionShift, length);
	BTextView::InsertText(text, length, offset, runs);
	engine->Unlock();
}

void Visual_View::BDeleteText(int32 start, int32 finish)
{
	if (start >= finish)
		return;
	BTextView::DeleteText(start, finish);
	engine->ElementList()->Adjust(finish, start - finish);
}

bool Visual_View::IsPlainSpace(int32 offset) const
{
	return offset >= 0 && offset < TextLength() && ByteAt(offset) == ' '
		&& engine->InNullCharactersAt(offset) <= 0;
}

// A line feed at a line break's offset is the break's own character.
bool Visual_View::IsLineBreakOfElement(int32 offset) const
{
	Element_List* list = engine->ElementList();
	long counter = 0;
	for (long index = list->IndexOfAt(offset, &counter); index >= 0;
			index = list->IndexOfAt(offset, &counter)) {
		const EndLine* lineEnd = dynamic_cast<const EndLine*>((*list)[index].element);
		if (lineEnd != nullptr && lineEnd->Type() == tag_br)
			return true;
	}
	return false;
}

// The characters an element owns from its offset on: its space, or the
// line feed of a line break.
long Visual_View::OwnedLength(unsigned long index) const
{
	Element_List_Item item = (*engine->ElementList())[index];
	if (item.spaceTo > 0)
		return item.spaceTo;
	const EndLine* lineEnd = dynamic_cast<const EndLine*>(item.element);
	if (lineEnd != nullptr && lineEnd->Type() == tag_br && item.offset < TextLength()
			&& ByteAt(item.offset) == '\n')
		return 1;
	return 0;
}

// Deletes the text between the elements' own characters; each element
// takes its characters with it when it goes.
void Visual_View::DeleteBetweenElements(int32 start, int32* finish, unsigned long first,
	unsigned long last)
{
	Element_List* list = engine->ElementList();
	int32 cursor = start;
	for (unsigned long index = first; index <= last; index++) {
		int32 offset = (*list)[index].offset;
		if (cursor < offset) {
			BDeleteText(cursor, offset);
			*finish -= offset - cursor;
			offset = cursor;
		}
		cursor = std::max<int32>(cursor, offset + static_cast<int32>(OwnedLength(index)));
	}
	if (cursor < *finish) {
		BDeleteText(cursor, *finish);
		*finish = cursor;
	}
}

// Elements that shape text around the deletion stay (their formatting is
// tidied afterwards), as do unknown tags; the others go, a paired one
// with its partner.
void Visual_View::RemoveElements(int32* start, int32* finish, unsigned long first,
	unsigned long last)
{
	Element_List* list = engine->ElementList();
	std::vector<Visual_Element*> range;
	for (unsigned long index = first; index <= last; index++)
		range.push_back((*list)[index].element);
	std::set<const Visual_Element*> gone;
	for (Visual_Element* element : range) {
		if (gone.count(element) != 0)
			continue;
		Page_Element* pageElement = dynamic_cast<Page_Element*>(element);
		if (pageElement != nullptr) {
			if (dynamic_cast<UnsupportedTag*>(pageElement) != nullptr)
				continue;
			if (pageElement->HasText() && pageElement->HTMLType() != tag_p)
				continue;
			Page_Element* partner = pageElement->PairTag()
				? pageElement->FindOpeningClosing() : nullptr;
			if (partner != nullptr && gone.count(partner) == 0) {
				long partnerOffset = partner->ThisOffset();
				int32 removed = static_cast<int32>(engine->Delete(partner));
				gone.insert(partner);
				if (partnerOffset < *start)
					*start -= removed;
				if (partnerOffset < *finish)
					*finish -= removed;
			}
		}
		*finish -= static_cast<int32>(engine->Delete(element));
		gone.insert(element);
	}
}

void Visual_View::DeleteText(int32 start, int32 finish)
{
	if (start >= finish)
		return;
	Element_List* list = engine->ElementList();
	engine->Lock();
	start = std::max(start, 0);
	finish = std::min(finish, TextLength());
	long holder = list->InNullCharactersAt(start);
	if (holder > 0)
		start = (*list)[holder].offset;
	holder = list->InNullCharactersAt(finish);
	if (holder > 0 && (*list)[holder].offset < finish)
		finish = (*list)[holder].offset + (*list)[holder].spaceTo;
	unsigned long first = list->NextOrAtIndex(start);
	if (first >= 1 && (first > list->LastIndex() || (*list)[first].offset < start))
		first = 0;
	unsigned long last = list->PreviousIndex(finish);
	if (first < 1 || last < 1 || last < first) {
		BDeleteText(start, finish);
	} else {
		DeleteBetweenElements(start, &finish, first, last);
		RemoveElements(&start, &finish, first, last);
	}
	engine->Unlock();
	if (IsPlainSpace(start - 1) && IsPlainSpace(start))
		DeleteText(start, start + 1);
}

void Visual_View::Clear()
{
	engine->Empty();
}

// The offset of the first element after offset; beyond the text when
// there is none.
long Visual_View::NextElementOffset(const Element_List* list, long offset) const
{
	unsigned long next = list->NextIndex(offset);
	if (next < 1 || next > list->LastIndex() || (*list)[next].offset <= offset)
		return TextLength() + 1;
	return (*list)[next].offset;
}

long Visual_View::TextHTML(int32 from, int32 to) const
{
	from = std::max(from, 0);
	to = std::min(to, TextLength());
	Page* page = engine->MyPage();
	if (from >= to || page == nullptr)
		return 0;
	std::string html;
	bool bytesAsRead = page->Encoding().DeclaresSingleByteOverUtf8();
	engine->Lock();
	Element_List* list = engine->ElementList();
	const char* text = Text();
	// Past an element's space no space starts before the next element, so
	// the characters up to it are written without asking the list again.
	int32 plainUntil = from;
	for (int32 offset = from; offset < to;) {
		if (offset >= plainUntil) {
			long space = list->SpaceLengthAt(offset);
			if (space > 0) {
				offset += static_cast<int32>(space);
				continue;
			}
			plainUntil = static_cast<int32>(std::min<long>(NextElementOffset(list, offset), to));
		}
		uint8 character = static_cast<uint8>(text[offset]);
		if (character == '\n') {
			// Line feeds of the page's text (in preformatted text) are
			// written; those of line breaks are the breaks' own.
			if (!IsLineBreakOfElement(offset))
				html += "\r\n";
			offset++;
			continue;
		}
		// Outside preformatted text a tab can only come from a reference:
		// written as it stands, it would read back as a space.
		if (character == '\t' && !page->InPreformatted()) {
			html += "&#9;";
			offset++;
			continue;
		}
		uint32 code = character;
		int32 length = 1;
		if (character > 127)
			length = std::max<int32>(GetUTF8(text + offset, to - offset, &code), 1);
		CharacterWriting::Append(html, code, std::string_view(text + offset, length),
			bytesAsRead);
		offset += length;
	}
	engine->Unlock();
	return page->InsertHTML(html.c_str(), false, false, 0, nullptr);
}

long Visual_View::ReadText(const char* text)
{
	if (text == nullptr || text[0] == '\0')
		return 0;
	std::string converted;
	for (const char* c = text; *c != '\0'; c++) {
		const ShownEntity* shown = nullptr;
		if (*c == '&') {
			for (const ShownEntity& entity : kShownEntities) {
				if (strncasecmp(c + 1, entity.name, strlen(entity.name)) == 0)
					shown = &entity;
			}
		}
		if (shown == nullptr) {
			converted += *c;
			continue;
		}
		converted += shown->bytes;
		c += strlen(shown->name);
	}
	if (!LockLooper())
		return 0;
	InsertBaseText(converted.c_str(), static_cast<int32>(converted.size()), TextLength(),
		nullptr);
	UnlockLooper();
	return static_cast<long>(converted.size());
}

void Visual_View::BlockRefresh()
{
	refreshBlockCount++;
}

void Visual_View::UnblockRefresh()
{
	int32 count = refreshBlockCount.load();
	while (count > 0 && !refreshBlockCount.compare_exchange_weak(count, count - 1)) {
	}
}

void Visual_View::PostRefresh(int32 start, int32 finish, bool withFinish) const
{
	BMessage request('rfrs');
	request.AddInt32("start", start);
	if (withFinish)
		request.AddInt32("finish", finish);
	engine->PostMessage(&request);
}

void Visual_View::Refresh(int32 start, int32 finish) const
{
	if (start >= 0 && finish >= start && !IsRefreshBlocked())
		PostRefresh(start, finish, true);
}

void Visual_View::Refresh(int32 start) const
{
	if (start >= 0 && !IsRefreshBlocked())
		PostRefresh(start, 0, false);
}

void Visual_View::Refresh(const Visual_Element* element) const
{
	if (!IsRefreshBlocked())
		PostRefresh(element != nullptr ? static_cast<int32>(element->ThisOffset()) : 0, 0, false);
}

// A refresh from the start rebuilds the page's look: the view stays hidden
// until it is done. Progress goes to the window's status bar.
void Visual_View::_Refresh(int32 start, int32 finish)
{
	Page* page = engine->MyPage();
	if (start < 0 || IsRefreshBlocked() || page == nullptr || page->IsStopProcessing())
		return;
	if (!page->Processing())
		return;
	VWindow* window = engine->Window();
	if (!engine->Lock()) {
		page->NotProcessing();
		return;
	}
	int32 length = TextLength();
	if (finish < 1 || finish > length)
		finish = length;
	start = std::clamp(start, 0, length);
	const char* label = start == 0 ? "Constructing page…" : "Reconstructing…";
	window->ResetProgress();
	window->BeginViewTransaction();
	bool hidden = start == 0;
	if (hidden)
		Hide();

	RefreshWalk walk(this,
		[window, label](int32 percent) { window->ShowProgress(percent, label); },
		[page]() { return page->IsStopProcessing(); });
	bool finished = walk.Run(start, finish);
	page->NotProcessing();
	if (finished) {
		engine->ElementList()->Adjust(0, 0);
		rgb_color background = *page->BackgroundColor();
		if (ViewColor() != background)
			SetViewColor(background);
		if (LowColor() != background)
			SetLowColor(background);
	}
	window->EndViewTransaction();
	if (hidden)
		Show();
	Invalidate();
	if (finished)
		window->ShowProgress(100, "Finished");
	engine->Unlock();
}

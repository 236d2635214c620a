#include "Visual_Text.h"

#include <strings.h>

#include <algorithm>
#include <cassert>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include <Autolock.h>
#include <Message.h>
#include <Window.h>

#include "Element_List.h"
#include "EndLine.h"
#include "EnginePage.h"
#include "Environment.h"
#include "EntityTable.h"
#include "NodeTree.h"
#include "Page_Element.h"
#include "UnsupportedTag.h"
#include "Visual_Element.h"
#include "Visual_Engine.h"
#include "engine_support/PairWalk.h"
#include "engine_support/RefreshWalk.h"
#include "engine_support/RunArchive.h"
#include "writer_support/CharacterWriting.h"

namespace {

const rgb_color kBlack = {0, 0, 0, 255};

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

class Visual_Text::RecordedEdit {
public:
	explicit RecordedEdit(Visual_Text* text)
		:
		fText(text)
	{
		fText->recordedEditDepth++;
	}

	~RecordedEdit() { fText->recordedEditDepth--; }

	RecordedEdit(const RecordedEdit&) = delete;
	RecordedEdit& operator=(const RecordedEdit&) = delete;

	// The edit that began first, whose recording counts.
	bool IsOutermost() const { return fText->recordedEditDepth == 1; }

private:
	Visual_Text* fText;
};

Visual_Text::Visual_Text(BRect frame, Visual_Engine* engine)
	:
	BTextView(frame, nullptr, TextRectFor(frame.Width(), frame.Height()), B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_NAVIGABLE),
	undoSuppression(false),
	undoMessage(std::make_unique<BMessage>()),
	spareUndoMessage(std::make_unique<BMessage>()),
	typedRecord(false),
	recordedEditDepth(0),
	undoGroupDepth(0),
	undoGroupSuppression(false),
	pendingFrom(0),
	pendingTail(0),
	pendingElements(0),
	pendingLast(0),
	editCount(0),
	engine(engine),
	refreshBlockCount(1),
	insertionShift(0),
	insertMode(INSERT_EDIT)
{
	SetStylable(true);
	// The element list keeps the page's one undo: the base view's own,
	// which knows only characters, would put the two out of step.
	SetDoesUndo(false);
	SetWordWrap(true);
	refreshBlockCount = 0;
}

Visual_Text::~Visual_Text()
{
}

void Visual_Text::FrameResized(float width, float height)
{
	BTextView::FrameResized(width, height);
	SetTextRect(TextRectFor(width, height));
}

void Visual_Text::Show()
{
	BAutolock lock(Window());
	if (IsHidden(this))
		BTextView::Show();
}

void Visual_Text::Hide()
{
	BAutolock lock(Window());
	if (!IsHidden(this))
		BTextView::Hide();
}

bool Visual_Text::CanEndLine(int32 offset)
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

void Visual_Text::SetInsertMode(insert_mode mode)
{
	if (mode != INSERT_EDIT && mode != INSERT_BUILD)
		return;
	insertMode = mode;
	insertionShift = mode == INSERT_BUILD ? 1 : 0;
}

bool Visual_Text::IsEngineLocked() const
{
	return engine != nullptr && engine->IsLocked();
}

// #pragma mark - Changes of the text

void Visual_Text::InsertBaseText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	BTextView::InsertText(text, length, offset, runs);
}

void Visual_Text::DeleteBaseText(int32 start, int32 finish)
{
	BTextView::DeleteText(start, finish);
}

// Elements behind the insertion move first, so that the layout of the new
// text already sees them where they end up; their views follow the text.
void Visual_Text::BInsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	if (text == nullptr || length <= 0)
		return;
	BAutolock lock(engine);
	offset = std::clamp(offset, 0, TextLength());
	engine->ElementList()->Adjust(offset + insertionShift, length);
	uint32 generation = LayoutGeneration();
	InsertBaseText(text, length, offset, runs);
	editCount++;
	ClearUnlessRecorded();
	engine->PlaceAfterEdit(offset, offset + length, generation);
}

void Visual_Text::BDeleteText(int32 start, int32 finish)
{
	if (start >= finish)
		return;
	BAutolock lock(engine);
	uint32 generation = LayoutGeneration();
	DeleteBaseText(start, finish);
	editCount++;
	ClearUnlessRecorded();
	engine->ElementList()->Adjust(finish, start - finish);
	engine->PlaceAfterEdit(start, start, generation);
}

void Visual_Text::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	assert(IsEngineLocked());
	if (text == nullptr || length <= 0)
		return;
	int32 textLength = TextLength();
	int32 selectionStart = 0;
	int32 selectionEnd = 0;
	GetSelection(&selectionStart, &selectionEnd);
	if (selectionEnd > textLength)
		BTextView::Select(textLength, textLength);
	offset = std::clamp(offset, 0, textLength);
	RecordedEdit recorded(this);
	if (insertMode == INSERT_BUILD) {
		BInsertText(text, length, offset, runs);
		return;
	}
	offset = OutsideElementRoom(offset);
	text_run_array* style = AllocRunArray(1);
	style->runs[0].offset = 0;
	if (!TakeStyleOfTextBefore(offset, &style->runs[0])) {
		// The elements at offset move behind the new text: it takes the
		// formatting in force before them, as it will be written.
		std::unique_ptr<Environment> environment = offset > 0
			? engine->EnvironmentAt(offset - 1) : std::make_unique<Environment>();
		if (environment->Font() != nullptr)
			style->runs[0].font = *environment->Font();
		style->runs[0].color = environment->Color() != nullptr ? *environment->Color() : kBlack;
	}
	BInsertText(text, length, offset, style);
	FreeRunArray(style);
	if (recorded.IsOutermost() && !undoSuppression)
		RecordTyping(offset, offset + length);
}

// Where no element stands at offset, the formatting there is that of the
// page text just before it, which a refresh gave its style: typing in a
// long page need not walk the elements from its start.
bool Visual_Text::TakeStyleOfTextBefore(int32 offset, text_run* run) const
{
	const Element_List* list = engine->ElementList();
	long counter = 0;
	if (offset < 1 || list->IndexOfAt(offset, &counter) >= 0
			|| list->InElementSpaceAt(offset - 1) > 0)
		return false;
	counter = 0;
	if (list->IndexOfAt(offset - 1, &counter) >= 0)
		return false;
	GetFontAndColor(offset - 1, &run->font, &run->color);
	return true;
}

bool Visual_Text::IsPlainSpace(int32 offset) const
{
	return offset >= 0 && offset < TextLength() && ByteAt(offset) == ' '
		&& engine->InNullCharactersAt(offset) <= 0;
}

int32 Visual_Text::OutsideElementRoom(int32 offset) const
{
	const Element_List* list = engine->ElementList();
	long holder = list->InElementSpaceAt(offset);
	if (holder <= 0)
		return offset;
	Element_List_Item item = (*list)[holder];
	int32 back = item.offset + item.spaceTo;
	if (item.offset >= offset)
		return offset;
	return offset - item.offset < back - offset ? item.offset : back;
}

// A line feed at a line break's offset is the break's own character.
bool Visual_Text::IsLineBreakOfElement(int32 offset) const
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
long Visual_Text::OwnedLength(unsigned long index) const
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
void Visual_Text::DeleteBetweenElements(int32 start, int32* finish, unsigned long first,
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
void Visual_Text::RemoveElements(int32* start, int32* finish, unsigned long first,
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

void Visual_Text::DeleteText(int32 start, int32 finish)
{
	assert(IsEngineLocked());
	if (start >= finish)
		return;
	RecordedEdit recorded(this);
	Element_List* list = engine->ElementList();
	start = std::max(start, 0);
	finish = std::min(finish, TextLength());
	long holder = list->InNullCharactersAt(start);
	if (holder > 0)
		start = (*list)[holder].offset;
	holder = list->InNullCharactersAt(finish);
	if (holder > 0 && (*list)[holder].offset < finish)
		finish = (*list)[holder].offset + (*list)[holder].spaceTo;
	// Every element at start belongs to the range; the sentinel at offset
	// 0 does not.
	unsigned long first = list->NextOrAtIndex(start);
	while (first > 1 && (*list)[first - 1].offset >= start)
		first--;
	first = std::max<unsigned long>(first, 1);
	if (first > list->LastIndex() || (*list)[first].offset < start)
		first = 0;
	unsigned long last = list->PreviousIndex(finish);
	bool records = recorded.IsOutermost() && !undoSuppression;
	if (records)
		BeginDeletionStep(start, finish);
	if (first < 1 || last < 1 || last < first) {
		BDeleteText(start, finish);
	} else {
		DeleteBetweenElements(start, &finish, first, last);
		RemoveElements(&start, &finish, first, last);
	}
	// The formatting left around start (an emptied run, two runs of one
	// kind meeting) is tidied when the page's code is cleared (ClearCode)
	// before its HTML is written.
	if (IsPlainSpace(start - 1) && IsPlainSpace(start))
		DeleteText(start, start + 1);
	if (records) {
		FinishStep(UNDO_DELETE);
		typedRecord = true;
	}
}

// #pragma mark - Run archives

status_t Visual_Text::ArchiveRun(BMessage* archive, int32 start, int32 finish) const
{
	if (archive == nullptr || start < 0 || finish > TextLength() || finish < start)
		return B_ERROR;
	BAutolock lock(engine);
	return RunArchive(*engine, RunArchive::SELF_CONTAINED).Write(archive, start, finish);
}

// The run's formatting is tidied with the text on either side of it (a
// pasted bold run next to bold text makes one run) and its look comes
// from the refresh.
int32 Visual_Text::UnarchiveRun(const BMessage* archive, int32 offset)
{
	if (archive == nullptr || !RunArchive::IsRestorable(archive))
		return -1;
	BAutolock lock(engine);
	RecordedEdit recorded(this);
	int32 start = std::clamp(offset, 0, TextLength());
	int32 end = RunArchive(*engine, RunArchive::SELF_CONTAINED).Read(archive, start);
	int32 length = TextLength();
	engine->ClearCode(std::max(start - 1, 0), end + 1, nullptr, nullptr);
	end += TextLength() - length;
	if (!undoSuppression)
		SetUndo(UNDO_INSERT, start, end);
	Refresh(start, end + 1);
	Invalidate();
	return end;
}

// #pragma mark - Undo

// A deletion keeps the run exactly as it stood, so that undo gives back
// the very elements, unsupported markup included.
void Visual_Text::SetUndo(undo_action action, int32 from, int32 to)
{
	undoMessage->MakeEmpty();
	typedRecord = false;
	undoMessage->AddInt32("action", action);
	if (action == UNDO_DELETE) {
		BAutolock lock(engine);
		if (from < 0 || to < from || to > TextLength()
				|| RunArchive(*engine, RunArchive::EXACT).Write(undoMessage.get(), from, to)
					!= B_OK) {
			// A step that cannot be taken back whole is no step.
			undoMessage->MakeEmpty();
			return;
		}
		undoMessage->AddInt32("base_offset", from);
	} else if (action == UNDO_INSERT) {
		undoMessage->AddInt32("from_offset", from);
		undoMessage->AddInt32("to_offset", to);
	} else if (action != UNDO_ELEMENT) {
		undoMessage->MakeEmpty();
	}
}

void Visual_Text::SetUndo(undo_action action, Visual_Element* element)
{
	if (action != UNDO_ELEMENT)
		return;
	undoMessage->MakeEmpty();
	typedRecord = false;
	undoMessage->AddInt32("action", action);
	undoMessage->AddPointer("element", element);
}

void Visual_Text::ClearUndo()
{
	undoMessage->MakeEmpty();
	typedRecord = false;
}

void Visual_Text::ClearUnlessRecorded()
{
	if (!undoSuppression && recordedEditDepth == 0)
		ClearUndo();
}

// The list entries whose offsets lie in [from, to); the sentinel is none.
long Visual_Text::ElementsIn(int32 from, int32 to) const
{
	const Element_List* list = engine->ElementList();
	unsigned long first = std::max<unsigned long>(list->FirstIndexAtOrAbove(from), 1);
	unsigned long end = std::max<unsigned long>(list->FirstIndexAtOrAbove(to), 1);
	return end > first ? static_cast<long>(end - first) : 0;
}

long Visual_Text::ElementsAt(int32 offset) const
{
	return ElementsIn(offset, offset + 1);
}

// What a change of [from, to) will rewrite, taken before it: the exact
// run, and what tells afterwards where the rewritten range ends and which
// of the elements at its end are its own.
void Visual_Text::BeginStep(int32 from, int32 to)
{
	WholeElements(&from, &to);
	// At the text's end the elements there belong to the range: nothing
	// can stand behind it.
	long atEnd = to == TextLength() ? ElementsAt(to) : 0;
	pendingStep = std::make_unique<BMessage>();
	pendingFrom = from;
	pendingTail = TextLength() - to;
	pendingElements = ElementsIn(from, to) + atEnd;
	pendingLast = engine->ElementList()->LastIndex();
	if (RunArchive(*engine, RunArchive::EXACT).Write(pendingStep.get(), from, to,
			static_cast<unsigned long>(atEnd)) != B_OK)
		pendingStep.reset();
}

// A range that ends inside the characters an element owns, or starts
// inside its space, would take out part of them.
void Visual_Text::WholeElements(int32* from, int32* to) const
{
	// Whole characters too: the base view never takes part of one.
	while (*from > 0 && (ByteAt(*from) & 0xC0) == 0x80)
		(*from)--;
	while (*to < TextLength() && (ByteAt(*to) & 0xC0) == 0x80)
		(*to)++;
	Element_List* list = engine->ElementList();
	long holder = list->InNullCharactersAt(*from);
	if (holder > 0)
		*from = std::min(*from, (*list)[holder].offset);
	for (unsigned long index = std::max<unsigned long>(list->FirstIndexAtOrAbove(*from), 1);
			index <= list->LastIndex() && (*list)[index].offset < *to; index++)
		*to = std::max(*to, (*list)[index].offset + static_cast<int32>(OwnedLength(index)));
	*to = std::min(*to, TextLength());
}

// The text behind the range is as it was, so the range ends as far from
// the text's end as before. The range's elements that are left and do not
// stand inside it stand at its end, in front of the others there.
void Visual_Text::FinishStep(undo_action action)
{
	std::unique_ptr<BMessage> run = std::move(pendingStep);
	int32 to = TextLength() - pendingTail;
	long left = pendingElements
		+ static_cast<long>(engine->ElementList()->LastIndex())
		- static_cast<long>(pendingLast);
	long kept = to >= pendingFrom ? left - ElementsIn(pendingFrom, to) : -1;
	if (run == nullptr || kept < 0 || kept > ElementsAt(to)) {
		ClearUndo();
		return;
	}
	*undoMessage = *run;
	typedRecord = false;
	undoMessage->AddInt32("action", action);
	undoMessage->AddInt32("base_offset", pendingFrom);
	undoMessage->AddInt32("to_offset", to);
	undoMessage->AddInt32("kept", static_cast<int32>(kept));
}

// The deletion may take more than the range: the partners of paired
// elements that go, and the spaces behind it (DeleteText). The step takes
// in those and the character behind them.
void Visual_Text::BeginDeletionStep(int32 start, int32 finish)
{
	Element_List* list = engine->ElementList();
	int32 from = start;
	int32 to = finish;
	while (IsPlainSpace(to))
		to++;
	to = std::min(to + 1, TextLength());
	for (unsigned long index = std::max<unsigned long>(list->FirstIndexAtOrAbove(start), 1);
			index <= list->LastIndex() && (*list)[index].offset < finish; index++) {
		const Page_Element* element = dynamic_cast<const Page_Element*>((*list)[index].element);
		if (element == nullptr || !element->PairTag())
			continue;
		const Page_Element* partner = element->FindOpeningClosing();
		if (partner == nullptr)
			continue;
		int32 offset = static_cast<int32>(partner->ThisOffset());
		from = std::min(from, offset);
		to = std::max(to, std::min(offset + 1, TextLength()));
	}
	BeginStep(from, to);
	typedRecord = true;
}

// Key presses that follow each other make one step: typing inside or at
// the end of what the step covers extends it (a word typed goes back as
// one, typing over a selection rewrites the selected run).
void Visual_Text::RecordTyping(int32 from, int32 to)
{
	int32 action = -1;
	int32 base = 0;
	int32 end = 0;
	bool follows = typedRecord && undoMessage->FindInt32("action", &action) == B_OK
		&& undoMessage->FindInt32(action == UNDO_INSERT ? "from_offset" : "base_offset", &base)
			== B_OK
		&& undoMessage->FindInt32("to_offset", &end) == B_OK;
	if (follows && action != UNDO_ELEMENT && base <= from && from <= end) {
		undoMessage->ReplaceInt32("to_offset", end + to - from);
		if (action == UNDO_DELETE)
			undoMessage->ReplaceInt32("action", UNDO_REWRITE);
		return;
	}
	SetUndo(UNDO_INSERT, from, to);
	typedRecord = true;
}

void Visual_Text::WidenToWholePairs(int32* from, int32* to) const
{
	const char* text = Text();
	while (*from > 0 && text[*from - 1] != '\n')
		(*from)--;
	while (*to < TextLength() && text[*to] != '\n')
		(*to)++;
	const Element_List* list = engine->ElementList();
	std::vector<unsigned long> partners = PairWalk::Partners(*list);
	for (int32 round = 0; round < 8; round++) {
		int32 oldFrom = *from;
		int32 oldTo = *to;
		for (const PairWalk::Open& pair
				: PairWalk::OpenBefore(*list, list->FirstIndexAtOrAbove(*from))) {
			if (dynamic_cast<const UnsupportedTag*>(pair.element) == nullptr)
				*from = std::min(*from, (*list)[pair.index].offset);
		}
		for (const PairWalk::Open& pair
				: PairWalk::OpenBefore(*list, list->FirstIndexAbove(*to))) {
			unsigned long partner = pair.index < partners.size() ? partners[pair.index] : 0;
			if (partner > pair.index && dynamic_cast<const UnsupportedTag*>(pair.element) == nullptr)
				*to = std::max(*to, (*list)[partner].offset);
		}
		unsigned long before = list->PreviousIndex(*from);
		if (before > 0)
			*from = (*list)[before].offset;
		unsigned long behind = list->FirstIndexAbove(*to);
		*to = behind <= list->LastIndex() ? (*list)[behind].offset + 1 : TextLength();
		*to = std::min(*to, TextLength());
		if (*from == oldFrom && *to == oldTo)
			break;
	}
}

void Visual_Text::BeginUndoGroup(int32 from, int32 to)
{
	BAutolock lock(engine);
	if (undoGroupDepth++ > 0)
		return;
	undoGroupSuppression = undoSuppression;
	undoSuppression = true;
	if (undoGroupSuppression)
		return;
	from = std::clamp(from, 0, TextLength());
	to = std::clamp(to, from, TextLength());
	WidenToWholePairs(&from, &to);
	BeginStep(from, to);
}

void Visual_Text::EndUndoGroup()
{
	BAutolock lock(engine);
	if (undoGroupDepth == 0 || --undoGroupDepth > 0)
		return;
	undoSuppression = undoGroupSuppression;
	if (!undoSuppression)
		FinishStep(UNDO_REWRITE);
}

void Visual_Text::Undo(BClipboard*)
{
	UndoLastStep();
}

undo_outcome Visual_Text::UndoLastStep()
{
	BAutolock lock(engine);
	int32 action = 0;
	if (undoMessage->FindInt32("action", &action) != B_OK)
		return UNDO_NOTHING_RECORDED;
	if (action == UNDO_ELEMENT)
		return UndoElement();
	int32 from = 0;
	int32 to = 0;
	int32 kept = 0;
	if (action == UNDO_INSERT) {
		if (undoMessage->FindInt32("from_offset", &from) != B_OK
				|| undoMessage->FindInt32("to_offset", &to) != B_OK)
			return UNDO_NOTHING_RECORDED;
		return ReplaceRange(from, to, 0, false);
	}
	if (action != UNDO_DELETE && action != UNDO_REWRITE)
		return UNDO_NOTHING_RECORDED;
	if (undoMessage->FindInt32("base_offset", &from) != B_OK)
		return UNDO_NOTHING_RECORDED;
	if (undoMessage->FindInt32("to_offset", &to) != B_OK)
		to = from;
	undoMessage->FindInt32("kept", &kept);
	return ReplaceRange(from, to, kept, true);
}

// What stands in the range now (with the elements at its end that are
// its own) is kept for the redo, taken out, and the step's run made again
// in its place. The record's run moves to the spare message, the record
// takes the redo.
undo_outcome Visual_Text::ReplaceRange(int32 from, int32 to, int32 kept, bool withRun)
{
	if (from < 0 || to < from || to > TextLength() || kept < 0 || kept > ElementsAt(to)
			|| (withRun && !RunArchive::IsRestorable(undoMessage.get())))
		return UNDO_NOT_POSSIBLE;
	RecordedEdit recorded(this);
	BMessage current;
	if (RunArchive(*engine, RunArchive::EXACT).Write(&current, from, to,
			static_cast<unsigned long>(kept)) != B_OK)
		return UNDO_NOT_POSSIBLE;
	spareUndoMessage->MakeEmpty();
	std::swap(undoMessage, spareUndoMessage);
	TakeOut(from, to, kept);
	int32 end = from;
	unsigned long last = engine->ElementList()->LastIndex();
	if (withRun)
		end = RunArchive(*engine, RunArchive::EXACT).Read(spareUndoMessage.get(), from);
	// Elements of the run that stand at its end (at the text's end) are
	// the redo's to take out as well.
	long madeAtEnd = static_cast<long>(engine->ElementList()->LastIndex() - last)
		- ElementsIn(from, end);
	if (current.CountNames(B_ANY_TYPE) == 0 && madeAtEnd == 0) {
		SetUndo(UNDO_INSERT, from, end);
	} else {
		*undoMessage = current;
		undoMessage->AddInt32("action", end == from ? UNDO_DELETE : UNDO_REWRITE);
		undoMessage->AddInt32("base_offset", from);
		undoMessage->AddInt32("to_offset", end);
		undoMessage->AddInt32("kept", static_cast<int32>(std::max<long>(madeAtEnd, 0)));
	}
	typedRecord = false;
	Select(end, end);
	Refresh(from, end + 1);
	Invalidate();
	return UNDO_DONE;
}

// Every element of the range goes with its characters, then the text
// between them.
void Visual_Text::TakeOut(int32 from, int32 to, int32 kept)
{
	Element_List* list = engine->ElementList();
	std::vector<Visual_Element*> elements;
	for (unsigned long index = std::max<unsigned long>(list->FirstIndexAtOrAbove(from), 1);
			index <= list->LastIndex() && (*list)[index].offset < to; index++)
		elements.push_back((*list)[index].element);
	for (unsigned long index = std::max<unsigned long>(list->FirstIndexAtOrAbove(to), 1);
			kept > 0 && index <= list->LastIndex() && (*list)[index].offset == to; index++, kept--)
		elements.push_back((*list)[index].element);
	int32 length = TextLength();
	for (Visual_Element* element : elements) {
		if (list->Contains(element))
			engine->Delete(element);
	}
	int32 end = to - (length - TextLength());
	if (end > from)
		BDeleteText(from, end);
}

// An element the record names may have gone since (another edit deleted
// it): the list says whether it is still there before it is touched.
undo_outcome Visual_Text::UndoElement()
{
	void* pointer = nullptr;
	if (undoMessage->FindPointer("element", &pointer) != B_OK)
		return UNDO_NOTHING_RECORDED;
	Visual_Element* element = static_cast<Visual_Element*>(pointer);
	Element_List* list = engine->ElementList();
	if (!list->Contains(element))
		return UNDO_NOT_POSSIBLE;
	int32 offset = static_cast<int32>(element->ThisOffset());
	BMessage archive;
	element->Archive(&archive);
	undoMessage->MakeEmpty();
	typedRecord = false;
	undoMessage->AddInt32("action", UNDO_DELETE);
	undoMessage->AddMessage("0", &archive);
	undoMessage->AddInt32("base_offset", offset);
	RecordedEdit recorded(this);
	engine->Delete(element);
	Refresh(offset, offset + 1);
	return UNDO_DONE;
}

bool Visual_Text::AddToClipboard(int32, BMessage*)
{
	return true;
}

bool Visual_Text::ReadClipboard(int32, BMessage**, int32)
{
	return true;
}

void Visual_Text::PurgeClipboard(int32)
{
}

void Visual_Text::Clear()
{
	engine->Empty();
}

// #pragma mark - HTML text

// The offset of the first element after offset; beyond the text when
// there is none.
long Visual_Text::NextElementOffset(const Element_List* list, long offset) const
{
	unsigned long next = list->NextIndex(offset);
	if (next < 1 || next > list->LastIndex() || (*list)[next].offset <= offset)
		return TextLength() + 1;
	return (*list)[next].offset;
}

// The characters of [from, to), which holds no element's space: line
// feeds of the page's text (in preformatted text) are written, those of
// line breaks are the breaks' own. Outside preformatted text a tab can
// only come from a reference: written as it stands, it would read back as
// a space.
void Visual_Text::AppendHTML(std::string& html, int32 from, int32 to) const
{
	EnginePage* page = engine->MyPage();
	bool bytesAsRead = page->Encoding().DeclaresSingleByteOverUtf8();
	const char* text = Text();
	for (int32 offset = from; offset < to;) {
		uint8 character = static_cast<uint8>(text[offset]);
		if (character == '\n') {
			if (!IsLineBreakOfElement(offset))
				html += "\r\n";
			offset++;
			continue;
		}
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
}

long Visual_Text::TextHTML(int32 from, int32 to) const
{
	from = std::max(from, 0);
	to = std::min(to, TextLength());
	EnginePage* page = engine->MyPage();
	if (from >= to || page == nullptr)
		return 0;
	std::string html;
	{
		BAutolock lock(engine);
		Element_List* list = engine->ElementList();
		// Past an element's space no space starts before the next element,
		// so the characters up to it are written without asking the list
		// again.
		for (int32 offset = from; offset < to;) {
			long space = list->SpaceLengthAt(offset);
			if (space > 0) {
				offset += static_cast<int32>(space);
				continue;
			}
			int32 plainUntil = static_cast<int32>(
				std::min<long>(NextElementOffset(list, offset), to));
			AppendHTML(html, offset, plainUntil);
			offset = plainUntil;
		}
	}
	return page->InsertHTML(html.c_str(), false, false, 0, nullptr);
}

long Visual_Text::ReadText(const char* text)
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
	BAutolock lock(engine);
	InsertBaseText(converted.c_str(), static_cast<int32>(converted.size()), TextLength(),
		nullptr);
	return static_cast<long>(converted.size());
}

// #pragma mark - Refresh

void Visual_Text::BlockRefresh()
{
	refreshBlockCount++;
}

void Visual_Text::UnblockRefresh()
{
	int32 count = refreshBlockCount.load();
	while (count > 0 && !refreshBlockCount.compare_exchange_weak(count, count - 1)) {
	}
}

void Visual_Text::PostRefresh(int32 start, int32 finish, bool withFinish) const
{
	BMessage request('rfrs');
	request.AddInt32("start", start);
	if (withFinish)
		request.AddInt32("finish", finish);
	engine->PostMessage(&request);
}

void Visual_Text::Refresh(int32 start, int32 finish) const
{
	if (start >= 0 && finish >= start && !IsRefreshBlocked())
		PostRefresh(start, finish, true);
}

void Visual_Text::Refresh(int32 start) const
{
	if (start >= 0 && !IsRefreshBlocked())
		PostRefresh(start, 0, false);
}

void Visual_Text::Refresh(const Visual_Element* element) const
{
	if (!IsRefreshBlocked())
		PostRefresh(element != nullptr ? static_cast<int32>(element->ThisOffset()) : 0, 0, false);
}

void Visual_Text::_Refresh(int32 start, int32 finish)
{
	if (!IsRefreshBlocked())
		Restyle(start, finish);
}

// A refresh from the start rebuilds the page's look: the view stays hidden
// until it is done. Progress goes to where the page shows it.
void Visual_Text::Restyle(int32 start, int32 finish)
{
	EnginePage* page = engine->MyPage();
	if (start < 0 || page == nullptr || page->IsStopProcessing())
		return;
	if (!page->Processing())
		return;
	BAutolock lock(engine);
	if (!lock.IsLocked()) {
		page->NotProcessing();
		return;
	}
	BWindow* window = Window();
	int32 length = TextLength();
	if (finish < 1 || finish > length)
		finish = length;
	start = std::clamp(start, 0, length);
	const char* label = start == 0 ? "Constructing page…" : "Reconstructing…";
	page->ResetProgress(nullptr);
	if (window != nullptr)
		window->BeginViewTransaction();
	bool hidden = start == 0;
	if (hidden)
		Hide();

	engine->FormattingChanged(start);
	RefreshWalk walk(this,
		[page, label](int32 percent) { page->ShowProgress(percent, label); },
		[page]() { return page->IsStopProcessing(); });
	bool finished = walk.Run(start, finish);
	page->NotProcessing();
	if (finished && !page->KeepsWindowsHidden()) {
		// Restyling moves no view in front of the line before start's own
		// (whose end may take a word from it): placing starts there, so that
		// each part of a page built in parts places only its own views.
		engine->Place(OffsetAt(std::max(LineAt(start) - 1, 0)), 0);
	}
	if (finished) {
		rgb_color background = *page->BackgroundColor();
		if (ViewColor() != background)
			SetViewColor(background);
		if (LowColor() != background)
			SetLowColor(background);
	}
	if (window != nullptr)
		window->EndViewTransaction();
	if (hidden)
		Show();
	Invalidate();
	if (finished)
		page->ShowProgress(100, "Finished");
}

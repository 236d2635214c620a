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
	undoGroupFrom(0),
	undoGroupSuppression(false),
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
	InsertBaseText(text, length, offset, runs);
	editCount++;
	ClearUnlessRecorded();
	engine->Place(offset, 0);
}

void Visual_Text::BDeleteText(int32 start, int32 finish)
{
	if (start >= finish)
		return;
	BAutolock lock(engine);
	DeleteBaseText(start, finish);
	editCount++;
	ClearUnlessRecorded();
	engine->ElementList()->Adjust(finish, start - finish);
	engine->Place(start, 0);
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
	if (recorded.IsOutermost() && !undoSuppression) {
		// The space behind the range goes too when one stays in front of
		// it (below): the step keeps it, so that undo gives it back.
		bool doubleSpace = IsPlainSpace(start - 1) && IsPlainSpace(finish);
		RecordDeletion(start, doubleSpace ? finish + 1 : finish);
	}
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
}

// #pragma mark - Run archives

status_t Visual_Text::ArchiveRun(BMessage* archive, int32 start, int32 finish) const
{
	if (archive == nullptr || start < 0 || finish > TextLength() || finish < start)
		return B_ERROR;
	BAutolock lock(engine);
	return RunArchive(*engine).Write(archive, start, finish);
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
	int32 end = RunArchive(*engine).Read(archive, start);
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

void Visual_Text::SetUndo(undo_action action, int32 from, int32 to)
{
	undoMessage->MakeEmpty();
	typedRecord = false;
	undoMessage->AddInt32("action", action);
	if (action == UNDO_DELETE) {
		if (ArchiveRun(undoMessage.get(), from, to) != B_OK) {
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

// Key presses that follow each other make one step: typing behind what
// was typed extends it, and typing where a press deleted (over a
// selection) rewrites the deleted run.
void Visual_Text::RecordTyping(int32 from, int32 to)
{
	int32 action = -1;
	int32 recordedEnd = -1;
	bool follows = typedRecord && undoMessage->FindInt32("action", &action) == B_OK;
	if (follows && (action == UNDO_INSERT || action == UNDO_REWRITE)
			&& undoMessage->FindInt32("to_offset", &recordedEnd) == B_OK && recordedEnd == from) {
		undoMessage->ReplaceInt32("to_offset", to);
		return;
	}
	int32 base = -1;
	if (follows && action == UNDO_DELETE && undoMessage->FindInt32("base_offset", &base) == B_OK
			&& base == from) {
		undoMessage->ReplaceInt32("action", UNDO_REWRITE);
		undoMessage->AddInt32("to_offset", to);
		return;
	}
	SetUndo(UNDO_INSERT, from, to);
	typedRecord = true;
}

void Visual_Text::RecordDeletion(int32 start, int32 finish)
{
	SetUndo(UNDO_DELETE, start, std::min(finish, TextLength()));
	typedRecord = true;
}

void Visual_Text::RecordRewrite(int32 from, int32 to, const BMessage& oldRun)
{
	*undoMessage = oldRun;
	typedRecord = false;
	undoMessage->RemoveName("action");
	undoMessage->RemoveName("base_offset");
	undoMessage->RemoveName("to_offset");
	undoMessage->AddInt32("action", UNDO_REWRITE);
	undoMessage->AddInt32("base_offset", from);
	undoMessage->AddInt32("to_offset", to);
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
				: PairWalk::OpenBefore(*list, list->FirstIndexAtOrAbove(*from)))
			*from = std::min(*from, (*list)[pair.index].offset);
		for (const PairWalk::Open& pair
				: PairWalk::OpenBefore(*list, list->FirstIndexAbove(*to))) {
			unsigned long partner = pair.index < partners.size() ? partners[pair.index] : 0;
			if (partner > pair.index)
				*to = std::max(*to, (*list)[partner].offset);
		}
		unsigned long before = list->PreviousIndex(*from);
		if (before > 0)
			*from = (*list)[before].offset;
		unsigned long behind = list->FirstIndexAbove(*to);
		*to = behind <= list->LastIndex() ? (*list)[behind].offset : TextLength();
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
	from = std::clamp(from, 0, TextLength());
	to = std::clamp(to, from, TextLength());
	int32 length = TextLength();
	WidenToWholePairs(&from, &to);
	undoGroupFrom = from;
	undoGroupRun = std::make_unique<BMessage>();
	// The part behind the range is counted from the text's end, which
	// stays where it is whatever the command changes in front of it.
	undoGroupRun->AddInt32("tail", length - to);
	if (ArchiveRun(undoGroupRun.get(), from, to) != B_OK)
		undoGroupRun.reset();
}

void Visual_Text::EndUndoGroup()
{
	BAutolock lock(engine);
	if (undoGroupDepth == 0 || --undoGroupDepth > 0)
		return;
	undoSuppression = undoGroupSuppression;
	std::unique_ptr<BMessage> run = std::move(undoGroupRun);
	if (undoSuppression)
		return;
	int32 tail = 0;
	if (run == nullptr || run->FindInt32("tail", &tail) != B_OK
			|| TextLength() - tail < undoGroupFrom) {
		ClearUndo();
		return;
	}
	run->RemoveName("tail");
	RecordRewrite(undoGroupFrom, TextLength() - tail, *run);
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
	switch (action) {
		case UNDO_DELETE:
			return UndoDeletion();
		case UNDO_INSERT:
			return UndoInsertion();
		case UNDO_ELEMENT:
			return UndoElement();
		case UNDO_REWRITE:
			return UndoRewrite();
		default:
			return UNDO_NOTHING_RECORDED;
	}
}

// The step's run moves to the spare message, and making it again records
// the insertion in the emptied record.
undo_outcome Visual_Text::UndoDeletion()
{
	int32 base = 0;
	if (undoMessage->FindInt32("base_offset", &base) != B_OK)
		return UNDO_NOTHING_RECORDED;
	if (base < 0 || base > TextLength() || !RunArchive::IsRestorable(undoMessage.get()))
		return UNDO_NOT_POSSIBLE;
	spareUndoMessage->MakeEmpty();
	std::swap(undoMessage, spareUndoMessage);
	int32 end = UnarchiveRun(spareUndoMessage.get(), base);
	Select(end, end);
	return UNDO_DONE;
}

undo_outcome Visual_Text::UndoInsertion()
{
	int32 from = 0;
	int32 to = 0;
	if (undoMessage->FindInt32("from_offset", &from) != B_OK
			|| undoMessage->FindInt32("to_offset", &to) != B_OK)
		return UNDO_NOTHING_RECORDED;
	if (from < 0 || to < from || to > TextLength())
		return UNDO_NOT_POSSIBLE;
	// The deletion records the run it takes, the redo.
	DeleteText(from, to);
	typedRecord = false;
	Select(from, from);
	return UNDO_DONE;
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

// The range as it is now is kept for the redo before the old run takes
// its place.
undo_outcome Visual_Text::UndoRewrite()
{
	int32 from = 0;
	int32 to = 0;
	if (undoMessage->FindInt32("base_offset", &from) != B_OK
			|| undoMessage->FindInt32("to_offset", &to) != B_OK)
		return UNDO_NOTHING_RECORDED;
	if (from < 0 || to < from || to > TextLength()
			|| !RunArchive::IsRestorable(undoMessage.get()))
		return UNDO_NOT_POSSIBLE;
	BMessage current;
	if (ArchiveRun(&current, from, to) != B_OK)
		return UNDO_NOT_POSSIBLE;
	spareUndoMessage->MakeEmpty();
	std::swap(undoMessage, spareUndoMessage);
	bool suppressed = undoSuppression;
	undoSuppression = true;
	DeleteText(from, to);
	int32 end = UnarchiveRun(spareUndoMessage.get(), from);
	undoSuppression = suppressed;
	end = std::max(end, from);
	RecordRewrite(from, end, current);
	Select(end, end);
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

// A refresh from the start rebuilds the page's look: the view stays hidden
// until it is done. Progress goes to where the page shows it.
void Visual_Text::_Refresh(int32 start, int32 finish)
{
	EnginePage* page = engine->MyPage();
	if (start < 0 || IsRefreshBlocked() || page == nullptr || page->IsStopProcessing())
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
	if (finished) {
		engine->Place(0, 0);
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

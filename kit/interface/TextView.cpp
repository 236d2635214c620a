#include <TextView.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <string>
#include <typeinfo>

#include <Clipboard.h>
#include <File.h>
#include <Message.h>
#include <Region.h>
#include <ScrollView.h>
#include <TypeConstants.h>
#include <UTF8.h>
#include <Window.h>

#include "textview_support/FontMeasurer.h"
#include "textview_support/StyledText.h"
#include "textview_support/TextDrawer.h"
#include "textview_support/TextGeometry.h"
#include "textview_support/TextInput.h"
#include "textview_support/TextMouse.h"
#include "textview_support/TextNavigation.h"
#include "textview_support/TextTransfer.h"
#include "textview_support/UndoBuffer.h"

using BPrivate::LayoutChange;
using BPrivate::RunArrayPointer;
using BPrivate::StyledPiece;

namespace {

const rgb_color kBlack = {0, 0, 0, 255};
const rgb_color kActiveHighlight = {176, 204, 240, 255};
const rgb_color kInactiveHighlight = {216, 216, 216, 255};
// Wider than any text, for the text's whole region.
const BRect kEverywhere(-1e9f, -1e9f, 1e9f, 1e9f);

// A text_run_array of runs kept in a vector.
RunArrayPointer MakeRunArray(const std::vector<text_run>& runs)
{
	if (runs.empty())
		return nullptr;
	RunArrayPointer array(BPrivate::AllocRunArray(static_cast<int32>(runs.size())));
	if (array)
		std::copy(runs.begin(), runs.end(), array->runs);
	return array;
}

std::vector<text_run> RunVector(const text_run_array* array)
{
	if (array == nullptr)
		return {};
	return std::vector<text_run>(array->runs, array->runs + array->count);
}

} // namespace

BTextView::BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
	uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS | B_PULSE_NEEDED)
{
	_Init(textRect, nullptr, nullptr);
}

BTextView::BTextView(BRect frame, const char* name, BRect textRect, const BFont* initialFont,
	const rgb_color* initialColor, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS | B_PULSE_NEEDED)
{
	_Init(textRect, initialFont, initialColor);
}

BTextView::~BTextView()
{
	// Bars elsewhere must not scroll a view that is gone.
	for (orientation direction : {B_VERTICAL, B_HORIZONTAL}) {
		if (BScrollBar* bar = ScrollBar(direction))
			bar->SetTarget(static_cast<BView*>(nullptr));
	}
}

void BTextView::_Init(BRect textRect, const BFont* font, const rgb_color* color)
{
	BFont initialFont(font != nullptr ? *font : *be_plain_font);
	rgb_color initialColor = color != nullptr ? *color : ui_color(B_DOCUMENT_TEXT_COLOR);
	SetFont(&initialFont);
	SetHighColor(initialColor);
	fMeasurer = std::make_unique<BPrivate::FontMeasurer>();
	fText = std::make_unique<BPrivate::StyledText>(*fMeasurer, initialFont, initialColor);
	fGeometry = std::make_unique<BPrivate::TextGeometry>(fText->Layout());
	fNavigation = std::make_unique<BPrivate::TextNavigation>(*fText, *fGeometry);
	fDrawer = std::make_unique<BPrivate::TextDrawer>(*fText, *fGeometry, *fMeasurer);
	fUndo = std::make_unique<BPrivate::UndoBuffer>();
	fInput = std::make_unique<BPrivate::TextInput>(*this);
	fMouse = std::make_unique<BPrivate::TextMouse>(*this);
	fGeometry->SetTextRect(textRect);
	fText->Layout().Breaker().SetWidth(textRect.Width());
	fText->Layout().Layout();
	// A view nobody sees (a page being built behind a hidden view), or one
	// whose layout is held, wraps its lines once, when they are asked for
	// or drawn, not at every edit.
	fText->Layout().SetDeferTest([this] { return _DefersLayout(); });
}

// The view is used under its window's lock, by whichever thread holds it.
bool BTextView::_AssertLocked() const
{
	BWindow* window = Window();
	return window == nullptr || window->IsLocked();
}

// #pragma mark - Hooks of the view

void BTextView::AttachedToWindow()
{
	BView::AttachedToWindow();
	SetLowColor(ViewColor());
	fCaretVisible = true;
	_UpdateScrollBars();
}

void BTextView::DetachedFromWindow()
{
	fMouse->Cancel();
	BView::DetachedFromWindow();
}

void BTextView::Draw(BRect updateRect)
{
	_ApplySettledLayout();
	BPrivate::TextMarks marks;
	marks.selectionStart = fSelStart;
	marks.selectionEnd = fSelEnd;
	marks.highlight = _HighlightColor();
	if (_ShowsCaret() && fCaretVisible)
		marks.caret = fSelStart;
	if (fMouse->DropOffset() >= 0)
		marks.caret = fMouse->DropOffset();
	marks.caretColor = kBlack;
	fDrawer->Draw(this, updateRect, marks);
}

// Edits made while the view was hidden are wrapped as it is shown, by the
// thread that shows it: that thread holds what the edits held (a subclass's
// line-end rule may read its own model), the window's drawing thread may not.
void BTextView::Show()
{
	BView::Show();
	if (!IsHidden())
		_ApplySettledLayout();
}

void BTextView::MouseDown(BPoint where)
{
	fMouse->MouseDown(where);
}

void BTextView::MouseUp(BPoint where)
{
	fMouse->MouseUp(where);
}

void BTextView::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	fMouse->MouseMoved(where, transit, dragMessage);
}

void BTextView::WindowActivated(bool active)
{
	BView::WindowActivated(active);
	fCaretVisible = true;
	_InvalidateRange(fSelStart, fSelEnd);
}

void BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	fInput->KeyDown(bytes, numBytes);
}

// The caret blinks at the window's pulse rate.
void BTextView::Pulse()
{
	if (!_ShowsCaret())
		return;
	fCaretVisible = !fCaretVisible;
	_InvalidateCaret();
}

void BTextView::FrameResized(float width, float height)
{
	BView::FrameResized(width, height);
	_UpdateScrollBars();
}

void BTextView::MakeFocus(bool focus)
{
	bool wasFocus = IsFocus();
	BView::MakeFocus(focus);
	if (IsFocus() == wasFocus)
		return;
	fCaretVisible = true;
	_InvalidateRange(fSelStart, fSelEnd);
	if (BScrollView* scrollView = dynamic_cast<BScrollView*>(Parent()))
		scrollView->SetBorderHighlighted(IsFocus());
}

void BTextView::MessageReceived(BMessage* message)
{
	if (message->WasDropped() && fMouse->Drop(message))
		return;
	bool redo = false;
	switch (message->what) {
		case B_CUT:
			Cut(be_clipboard);
			break;
		case B_COPY:
			Copy(be_clipboard);
			break;
		case B_PASTE:
			Paste(be_clipboard);
			break;
		case B_SELECT_ALL:
			SelectAll();
			break;
		case B_UNDO:
			Undo(be_clipboard);
			break;
		case B_REDO:
			if (UndoState(&redo) != B_UNDO_UNAVAILABLE && redo)
				Undo(be_clipboard);
			break;
		case B_MOUSE_WHEEL_CHANGED:
			fMouse->Wheel(message);
			break;
		default:
			if (!fMouse->HandleMessage(message))
				BView::MessageReceived(message);
			break;
	}
}

// #pragma mark - Text

void BTextView::SetText(const char* text, const text_run_array* runs)
{
	SetText(text, text != nullptr ? static_cast<int32>(strlen(text)) : 0, runs);
}

void BTextView::SetText(const char* text, int32 length, const text_run_array* runs)
{
	if (TextLength() > 0)
		DeleteText(0, TextLength());
	if (text != nullptr && length > 0)
		InsertText(text, length, 0, runs);
	Select(0, 0);
	ScrollTo(B_ORIGIN);
}

void BTextView::SetTextAdopting(BPrivate::MallocBlock block, int32 length, size_t size)
{
	fAdoptable = std::move(block);
	fAdoptableSize = size;
	SetText(fAdoptable.get(), length);
	fAdoptable.reset();
}

void BTextView::SetText(BFile* file, int32 offset, int32 length, const text_run_array* runs)
{
	if (file == nullptr || offset < 0 || length < 0)
		return;
	std::string bytes(static_cast<size_t>(length), '\0');
	ssize_t read = file->ReadAt(offset, bytes.data(), bytes.size());
	if (read < 0)
		return;
	SetText(bytes.data(), static_cast<int32>(read), runs);
}

void BTextView::Insert(const char* text, const text_run_array* runs)
{
	if (text != nullptr)
		Insert(text, static_cast<int32>(strlen(text)), runs);
}

void BTextView::Insert(const char* text, int32 length, const text_run_array* runs)
{
	int32 offset = fSelStart;
	int32 end = offset + _InsertAt(offset, text, length, runs);
	Select(end, end);
}

void BTextView::Insert(int32 offset, const char* text, int32 length, const text_run_array* runs)
{
	_InsertAt(offset, text, length, runs);
}

void BTextView::Delete()
{
	Delete(fSelStart, fSelEnd);
	Select(fSelStart, fSelStart);
}

void BTextView::Delete(int32 start, int32 finish)
{
	fText->CharRange(&start, &finish);
	if (start < finish)
		DeleteText(start, finish);
}

const char* BTextView::Text() const
{
	return fText->RealText();
}

int32 BTextView::TextLength() const
{
	return fText->Length();
}

void BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == nullptr)
		return;
	offset = std::clamp(offset, 0, TextLength());
	length = std::clamp(length, 0, TextLength() - offset);
	std::string scratch;
	std::string_view bytes = fText->Text().Range(offset, offset + length, scratch);
	memcpy(buffer, bytes.data(), bytes.size());
	buffer[bytes.size()] = '\0';
}

std::string_view BTextView::TextRange(int32 startOffset, int32 endOffset,
	std::string& scratch) const
{
	return fText->Text().Range(startOffset, endOffset, scratch);
}

uint8 BTextView::ByteAt(int32 offset) const
{
	return static_cast<uint8>(fText->Text().RealCharAt(offset));
}

// #pragma mark - The hooks every change passes through

void BTextView::InsertText(const char* text, int32 length, int32 offset,
	const text_run_array* runs)
{
	assert(_AssertLocked());
	if (text == nullptr || length <= 0)
		return;
	if (_UpdateLineEndTest())
		_Relayout();
	offset = fText->Text().CharBoundary(std::clamp(offset, 0, TextLength()));
	if (fUndo->IsOpen())
		fUndo->RecordInsert(offset, length);
	else
		fUndo->Forget();
	bool adopts = text == fAdoptable.get() && TextLength() == 0;
	LayoutChange change = adopts
		? fText->InsertAdopted(std::move(fAdoptable), length, fAdoptableSize, runs)
		: fText->Insert(text, length, offset, runs);
	// The selection stays on the text it covered; a caret at the offset
	// stays in front of the new text.
	bool covers = fSelStart < fSelEnd;
	if (fSelStart > offset || (fSelStart == offset && covers))
		fSelStart += length;
	if (fSelEnd > offset)
		fSelEnd += length;
	fChangeStamp++;
	_Changed(change);
}

void BTextView::DeleteText(int32 fromOffset, int32 toOffset)
{
	assert(_AssertLocked());
	if (_UpdateLineEndTest())
		_Relayout();
	fText->CharRange(&fromOffset, &toOffset);
	if (fromOffset >= toOffset)
		return;
	if (fUndo->IsOpen()) {
		RunArrayPointer runs = fText->Styles().GetRunArray(fromOffset, toOffset);
		fUndo->RecordDelete(fromOffset, StyledPiece{fText->Text().Copy(fromOffset, toOffset),
			RunVector(runs.get())});
	} else {
		fUndo->Forget();
	}
	LayoutChange change = fText->Remove(fromOffset, toOffset);
	auto follow = [fromOffset, toOffset](int32 position) {
		if (position >= toOffset)
			return position - (toOffset - fromOffset);
		return std::min(position, fromOffset);
	};
	fSelStart = follow(fSelStart);
	fSelEnd = follow(fSelEnd);
	fChangeStamp++;
	_Changed(change);
}

// #pragma mark - Lines and points

int32 BTextView::CountLines() const
{
	return fText->Layout().CountLines();
}

int32 BTextView::CurrentLine() const
{
	return LineAt(fSelStart);
}

void BTextView::GoToLine(int32 lineNumber)
{
	int32 offset = OffsetAt(std::clamp(lineNumber, 0, CountLines() - 1));
	Select(offset, offset);
}

int32 BTextView::LineAt(int32 offset) const
{
	return fText->Layout().LineAt(offset);
}

int32 BTextView::LineAt(BPoint point) const
{
	return fGeometry->LineAt(point);
}

BPoint BTextView::PointAt(int32 offset, float* height) const
{
	return fGeometry->PointAt(offset, height);
}

int32 BTextView::OffsetAt(BPoint point) const
{
	return fGeometry->OffsetAt(point);
}

int32 BTextView::OffsetAt(int32 line) const
{
	return fText->Layout().OffsetAt(line);
}

float BTextView::LineWidth(int32 lineNumber) const
{
	return fText->Layout().LineWidth(lineNumber);
}

float BTextView::LineHeight(int32 lineNumber) const
{
	return fText->Layout().LineHeight(lineNumber);
}

float BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	return fText->Layout().TextHeight(startLine, endLine);
}

uint32 BTextView::LayoutGeneration() const
{
	return fText->Layout().Generation();
}

bool BTextView::LinesKeptSince(uint32 generation, int32* offset, float* heightDelta) const
{
	return fText->Layout().KeptSince(generation, offset, heightDelta);
}

void BTextView::GetTextRegion(int32 start, int32 finish, BRegion* region) const
{
	if (region == nullptr)
		return;
	fText->CharRange(&start, &finish);
	fGeometry->GetRangeRegion(start, finish, kEverywhere, region);
}

void BTextView::FindWord(int32 offset, int32* fromOffset, int32* toOffset)
{
	int32 from = 0;
	int32 to = 0;
	fNavigation->FindWord(offset, &from, &to);
	if (fromOffset != nullptr)
		*fromOffset = from;
	if (toOffset != nullptr)
		*toOffset = to;
}

bool BTextView::CanEndLine(int32 offset)
{
	return BPrivate::LineBreaker::DefaultCanEndLine(fText->Text(), offset);
}

// Line breaking asks CanEndLine() of every character. A plain BTextView
// answers with the default rule, which the layout then applies itself
// without a call per character; a subclass may have its own rule.
bool BTextView::_UpdateLineEndTest()
{
	bool subclassed = typeid(*this) != typeid(BTextView);
	if (subclassed == fHasLineEndTest)
		return false;
	fHasLineEndTest = subclassed;
	if (subclassed)
		fText->Layout().Breaker().SetLineEndTest([this](int32 offset) { return CanEndLine(offset); });
	else
		fText->Layout().Breaker().SetLineEndTest(nullptr);
	return true;
}

// #pragma mark - Clipboard and undo

void BTextView::Cut(BClipboard* clipboard)
{
	if (!fEditable || fSelStart == fSelEnd)
		return;
	Copy(clipboard);
	_BeginUndo(B_UNDO_CUT);
	Delete();
	_EndUndo();
	ScrollToSelection();
}

void BTextView::Copy(BClipboard* clipboard)
{
	if (clipboard == nullptr || fSelStart == fSelEnd || !clipboard->Lock())
		return;
	clipboard->Clear();
	RunArrayPointer runs;
	if (IsStylable())
		runs = fText->Styles().GetRunArray(fSelStart, fSelEnd);
	if (BPrivate::AddTextData(clipboard->Data(), fText->Text().Copy(fSelStart, fSelEnd),
			runs.get()) == B_OK)
		clipboard->Commit();
	clipboard->Unlock();
}

void BTextView::Paste(BClipboard* clipboard)
{
	if (clipboard == nullptr || !fEditable || !clipboard->Lock())
		return;
	std::string text;
	RunArrayPointer runs;
	bool found = BPrivate::FindTextData(clipboard->Data(), &text, &runs);
	clipboard->Unlock();
	if (!found || text.empty())
		return;
	_BeginUndo(B_UNDO_PASTE);
	_ReplaceSelection(text.data(), static_cast<int32>(text.size()), runs.get());
	_EndUndo();
	ScrollToSelection();
}

void BTextView::Clear()
{
	if (!fEditable || fSelStart == fSelEnd)
		return;
	_BeginUndo(B_UNDO_CLEAR);
	Delete();
	_EndUndo();
}

bool BTextView::AcceptsPaste(BClipboard* clipboard)
{
	if (!fEditable || clipboard == nullptr || !clipboard->Lock())
		return false;
	BMessage* data = clipboard->Data();
	bool accepts = data != nullptr && data->HasData(BPrivate::kPlainTextType, B_MIME_TYPE);
	clipboard->Unlock();
	return accepts;
}

bool BTextView::AcceptsDrop(const BMessage* message)
{
	return fEditable && message != nullptr
		&& message->HasData(BPrivate::kPlainTextType, B_MIME_TYPE);
}

// Undoing takes every edit of the step back, last first, through the hooks,
// and records that as the step that redoes it.
void BTextView::Undo(BClipboard*)
{
	int32 kind = 0;
	bool redo = false;
	std::vector<BPrivate::UndoEdit> edits;
	if (!fEditable || !fUndo->Take(&kind, &redo, &edits))
		return;
	fUndo->Begin(kind, !redo);
	int32 selectFrom = fSelStart;
	int32 selectTo = fSelEnd;
	for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
		if (edit->insertedLength > 0)
			DeleteText(edit->offset, edit->offset + edit->insertedLength);
		StyledPiece removed = edit->JoinedRemoved();
		RunArrayPointer runs = MakeRunArray(removed.runs);
		InsertText(removed.text.data(), static_cast<int32>(removed.text.size()), edit->offset,
			runs.get());
		selectFrom = edit->offset;
		selectTo = edit->offset + static_cast<int32>(removed.text.size());
	}
	Select(selectFrom, selectTo);
	fUndo->End(fChangeStamp);
	ScrollToSelection();
}

undo_state BTextView::UndoState(bool* isRedo) const
{
	bool redo = false;
	int32 kind = fDoesUndo ? fUndo->Kind(&redo) : B_UNDO_UNAVAILABLE;
	if (isRedo != nullptr)
		*isRedo = kind != B_UNDO_UNAVAILABLE && redo;
	return static_cast<undo_state>(kind);
}

void BTextView::SetDoesUndo(bool undo)
{
	fDoesUndo = undo;
	if (!undo)
		fUndo->Forget();
}

bool BTextView::DoesUndo() const
{
	return fDoesUndo;
}

void BTextView::BeginUndoStep(undo_state kind)
{
	assert(_AssertLocked());
	_BeginUndo(kind);
}

void BTextView::EndUndoStep()
{
	assert(_AssertLocked());
	_EndUndo();
}

void BTextView::_BeginUndo(undo_state kind)
{
	if (!fDoesUndo)
		return;
	if (kind != B_UNDO_TYPING || !fUndo->Continue(kind, fChangeStamp))
		fUndo->Begin(kind, false);
}

void BTextView::_EndUndo()
{
	if (fDoesUndo)
		fUndo->End(fChangeStamp);
}

// #pragma mark - Editing as the user does

int32 BTextView::_FitToMaxBytes(const char* text, int32 length) const
{
	int32 room = std::max(0, fMaxBytes - TextLength());
	if (length <= room)
		return length;
	return static_cast<int32>(BPrivate::UTF8::Boundary(std::string_view(text, length), room));
}

// Inserts what fits under the byte limit; returns how much the text grew.
int32 BTextView::_InsertAt(int32 offset, const char* text, int32 length,
	const text_run_array* runs)
{
	if (text == nullptr || length <= 0)
		return 0;
	length = _FitToMaxBytes(text, length);
	if (length <= 0)
		return 0;
	offset = fText->Text().CharBoundary(std::clamp(offset, 0, TextLength()));
	int32 before = TextLength();
	InsertText(text, length, offset, runs);
	return std::max(0, TextLength() - before);
}

void BTextView::_ReplaceSelection(const char* text, int32 length, const text_run_array* runs)
{
	if (fSelStart < fSelEnd)
		DeleteText(fSelStart, fSelEnd);
	int32 offset = fSelStart;
	int32 end = offset + _InsertAt(offset, text, length, runs);
	Select(end, end);
}

bool BTextView::_IsAllowed(const char* bytes, int32 numBytes) const
{
	if (fDisallowed.empty())
		return true;
	std::string_view text(bytes, numBytes);
	for (size_t offset = 0; offset < text.size();) {
		size_t length = 0;
		uint32 code = BPrivate::UTF8::Decode(text, offset, &length);
		if (std::find(fDisallowed.begin(), fDisallowed.end(), code) != fDisallowed.end())
			return false;
		offset += length;
	}
	return true;
}

// #pragma mark - Selection

void BTextView::Select(int32 startOffset, int32 endOffset)
{
	assert(_AssertLocked());
	int32 length = TextLength();
	int32 start = std::clamp(std::min(startOffset, endOffset), 0, length);
	int32 end = std::clamp(std::max(startOffset, endOffset), 0, length);
	if (start == end)
		start = end = fText->Text().CharBoundary(start);
	else
		fText->CharRange(&start, &end);
	bool caretAtStart = fPendingCaretAtStart.value_or(false);
	fPendingCaretAtStart.reset();
	if (start == fSelStart && end == fSelEnd) {
		fCaretAtStart = caretAtStart;
		return;
	}
	// What changed lies between the old and the new position of each end.
	if (fSelStart == fSelEnd)
		_InvalidateCaret();
	if (start != fSelStart)
		_InvalidateRange(std::min(fSelStart, start), std::max(fSelStart, start));
	if (end != fSelEnd)
		_InvalidateRange(std::min(fSelEnd, end), std::max(fSelEnd, end));
	fSelStart = start;
	fSelEnd = end;
	fCaretAtStart = caretAtStart;
	fCaretVisible = true;
	fChangeStamp++;
	// What is typed next takes the style of the text it goes into.
	fText->Styles().InvalidateNullStyle();
	if (start == end)
		_InvalidateCaret();
}

void BTextView::SelectAll()
{
	Select(0, TextLength());
}

void BTextView::GetSelection(int32* startOffset, int32* endOffset) const
{
	if (startOffset != nullptr)
		*startOffset = fSelStart;
	if (endOffset != nullptr)
		*endOffset = fSelEnd;
}

void BTextView::Highlight(int32 startOffset, int32 endOffset)
{
	if (Window() == nullptr)
		return;
	fText->CharRange(&startOffset, &endOffset);
	BRegion region;
	fGeometry->GetRangeRegion(startOffset, endOffset, Bounds(), &region);
	for (int32 i = 0; i < region.CountRects(); i++)
		InvertRect(region.RectAt(i));
}

void BTextView::_SelectWithCaret(int32 anchor, int32 caret)
{
	fPendingCaretAtStart = caret < anchor;
	Select(std::min(anchor, caret), std::max(anchor, caret));
	fPendingCaretAtStart.reset();
}

int32 BTextView::_Caret() const
{
	return fCaretAtStart ? fSelStart : fSelEnd;
}

int32 BTextView::_Anchor() const
{
	return fCaretAtStart ? fSelEnd : fSelStart;
}

bool BTextView::_ShowsCaret() const
{
	BWindow* window = Window();
	return fEditable && fSelStart == fSelEnd && window != nullptr && window->IsActive()
		&& IsFocus();
}

rgb_color BTextView::_HighlightColor() const
{
	BWindow* window = Window();
	bool active = window != nullptr && window->IsActive() && IsFocus();
	return active ? kActiveHighlight : kInactiveHighlight;
}

// #pragma mark - Scrolling

void BTextView::ScrollToOffset(int32 offset)
{
	BRect bounds = Bounds();
	float height = 0;
	BPoint point = PointAt(offset, &height);
	float dy = 0;
	if (point.y < bounds.top || height > bounds.Height())
		dy = point.y - bounds.top;
	else if (point.y + height > bounds.bottom + 1)
		dy = point.y + height - bounds.bottom - 1;
	// Sideways the view jumps a quarter of its width, so that typing at
	// the edge does not scroll at every key.
	float dx = 0;
	float jump = std::floor(bounds.Width() / 4);
	if (point.x < bounds.left)
		dx = point.x - bounds.left - jump;
	else if (point.x >= bounds.right)
		dx = point.x - bounds.right + jump;
	_ScrollBy(dx, dy);
}

void BTextView::ScrollToSelection()
{
	ScrollToOffset(_Caret());
}

// How far the view can scroll: until the text's bottom (plus a margin as
// wide as the text rectangle's top) and its widest line come into view.
BPoint BTextView::_ScrollLimit() const
{
	BRect bounds = Bounds();
	BRect textRect = fGeometry->TextRect();
	float margin = std::max(0.0f, textRect.top);
	float height = std::ceil(fGeometry->TextBottom() + margin);
	float sideMargin = std::max(0.0f, textRect.left);
	float width = std::ceil(textRect.left + std::max(textRect.Width(), fMaxLineWidth) + sideMargin);
	return BPoint(std::max(0.0f, width - bounds.Width() - 1),
		std::max(0.0f, height - bounds.Height() - 1));
}

void BTextView::_ScrollBy(float dx, float dy)
{
	if (dx == 0 && dy == 0)
		return;
	BPoint origin = Bounds().LeftTop();
	BPoint limit = _ScrollLimit();
	BPoint target(std::round(std::clamp(origin.x + dx, 0.0f, std::max(limit.x, origin.x))),
		std::round(std::clamp(origin.y + dy, 0.0f, std::max(limit.y, origin.y))));
	if (target != origin)
		ScrollTo(target);
}

// The bars show the text's height (and width) against the view's.
void BTextView::_UpdateScrollBars()
{
	BRect bounds = Bounds();
	BPoint limit = _ScrollLimit();
	if (BScrollBar* bar = ScrollBar(B_VERTICAL)) {
		float visible = bounds.Height() + 1;
		float lineHeight = std::max(1.0f, LineHeight(0));
		bar->SetRange(0, limit.y);
		bar->SetProportion(visible / (visible + limit.y));
		bar->SetSteps(lineHeight, std::max(lineHeight, visible - lineHeight));
	}
	if (BScrollBar* bar = ScrollBar(B_HORIZONTAL)) {
		float visible = bounds.Width() + 1;
		bar->SetRange(0, limit.x);
		bar->SetProportion(visible / (visible + limit.x));
		bar->SetSteps(std::max(1.0f, std::floor(visible / 16)), std::max(1.0f, visible * 3 / 4));
	}
}

// #pragma mark - Redrawing what changed

// The lines the layout re-wrapped are drawn again; when their height
// changed, everything below them moved and is drawn again too.
void BTextView::_Changed(const LayoutChange& change)
{
	if (change.fromLine > change.toLine)
		return;
	// The widest line only grows here; a whole layout measures it again.
	const BPrivate::TextLayout& layout = fText->Layout();
	float widest = fMaxLineWidth;
	for (int32 line = change.fromLine; line <= change.toLine; line++)
		fMaxLineWidth = std::max(fMaxLineWidth, layout.LineWidth(line));
	BRect bounds = Bounds();
	float bottom = change.heightDelta != 0 ? bounds.bottom : fGeometry->LineBottom(change.toLine);
	BRect dirty = BRect(bounds.left, fGeometry->LineTop(change.fromLine), bounds.right, bottom)
		& bounds;
	if (dirty.IsValid())
		Invalidate(dirty);
	if (change.heightDelta != 0 || fMaxLineWidth != widest)
		_UpdateScrollBars();
}

void BTextView::_Relayout()
{
	fText->Layout().Layout();
	_RemeasureAll();
}

// Lines wrapped late, for edits made while the view was hidden, may have
// moved anywhere: the whole view is measured and drawn again.
void BTextView::_ApplySettledLayout()
{
	if (fText->Layout().Settle())
		_RemeasureAll();
}

void BTextView::_RemeasureAll()
{
	const BPrivate::TextLayout& layout = fText->Layout();
	fMaxLineWidth = 0;
	for (int32 line = 0; line < layout.CountLines(); line++)
		fMaxLineWidth = std::max(fMaxLineWidth, layout.LineWidth(line));
	Invalidate();
	_UpdateScrollBars();
}

// Hidden in its window: showing it again draws all of it.
bool BTextView::_IsUnseen() const
{
	return Window() != nullptr && IsHidden();
}

bool BTextView::_DefersLayout() const
{
	return fLayoutHolds > 0 || _IsUnseen();
}

BTextView::LayoutHold::LayoutHold(BTextView& view)
	:
	fView(view)
{
	assert(fView._AssertLocked());
	fView.fLayoutHolds++;
}

BTextView::LayoutHold::~LayoutHold()
{
	assert(fView._AssertLocked());
	if (--fView.fLayoutHolds == 0 && !fView._IsUnseen())
		fView._ApplySettledLayout();
}

void BTextView::_InvalidateRange(int32 start, int32 finish)
{
	if (Window() == nullptr || _IsUnseen())
		return;
	BRect bounds = Bounds();
	BRect dirty = fGeometry->LinesFrame(LineAt(start), LineAt(finish), bounds.left, bounds.right)
		& bounds;
	if (dirty.IsValid())
		Invalidate(dirty);
}

void BTextView::_InvalidateCaret()
{
	if (Window() != nullptr && !_IsUnseen())
		Invalidate(fGeometry->CaretFrame(fSelStart).InsetByCopy(-1, 0));
}

// #pragma mark - Styles

void BTextView::SetStylable(bool stylable)
{
	_Changed(fText->SetStylable(stylable));
}

bool BTextView::IsStylable() const
{
	return fText->Styles().IsStylable();
}

void BTextView::SetFontAndColor(const BFont* font, uint32 mode, const rgb_color* color)
{
	if (fSelStart == fSelEnd)
		_Changed(fText->SetNullStyle(fSelStart, mode, font, color));
	else
		SetFontAndColor(fSelStart, fSelEnd, font, mode, color);
}

void BTextView::SetFontAndColor(int32 startOffset, int32 endOffset, const BFont* font,
	uint32 mode, const rgb_color* color)
{
	assert(_AssertLocked());
	if (_UpdateLineEndTest())
		_Relayout();
	_Changed(fText->SetStyle(startOffset, endOffset, mode, font, color));
}

void BTextView::GetFontAndColor(int32 offset, BFont* font, rgb_color* color) const
{
	const BPrivate::TextStyle& style = fText->Styles().StyleAt(offset);
	if (font != nullptr)
		*font = style.font;
	if (color != nullptr)
		*color = style.color;
}

void BTextView::GetFontAndColor(BFont* font, uint32* mode, rgb_color* color,
	bool* sameColor) const
{
	BPrivate::TextStyle style;
	fText->Styles().ContinuousGetStyle(fSelStart, fSelEnd, &style, mode, sameColor);
	if (font != nullptr)
		*font = style.font;
	if (color != nullptr)
		*color = style.color;
}

void BTextView::SetRunArray(int32 startOffset, int32 endOffset, const text_run_array* runs)
{
	assert(_AssertLocked());
	if (_UpdateLineEndTest())
		_Relayout();
	_Changed(fText->SetRunArray(startOffset, endOffset, runs));
}

void BTextView::SetColorRuns(int32 startOffset, int32 endOffset, const color_run* runs,
	int32 count)
{
	assert(_AssertLocked());
	_Changed(fText->SetColorRuns(startOffset, endOffset, runs, count));
}

text_run_array* BTextView::RunArray(int32 startOffset, int32 endOffset, int32* outSize) const
{
	fText->CharRange(&startOffset, &endOffset);
	text_run_array* runs = fText->Styles().GetRunArray(startOffset, endOffset).release();
	if (outSize != nullptr && runs != nullptr) {
		*outSize = static_cast<int32>(sizeof(text_run_array)
			+ (std::max(runs->count, 1) - 1) * sizeof(text_run));
	}
	return runs;
}

// #pragma mark - Behaviour and look

void BTextView::SetTextRect(BRect rect)
{
	BRect old = fGeometry->TextRect();
	fGeometry->SetTextRect(rect);
	if (rect.Width() != old.Width()) {
		fText->Layout().Breaker().SetWidth(rect.Width());
		_Relayout();
		return;
	}
	if (rect != old) {
		Invalidate();
		_UpdateScrollBars();
	}
}

BRect BTextView::TextRect() const
{
	return fGeometry->TextRect();
}

void BTextView::SetTabWidth(float width)
{
	fText->Layout().Breaker().SetTabWidth(width);
	_Relayout();
}

float BTextView::TabWidth() const
{
	return fText->Layout().Breaker().TabWidth();
}

void BTextView::MakeSelectable(bool selectable)
{
	if (selectable == fSelectable)
		return;
	fSelectable = selectable;
	_InvalidateRange(fSelStart, fSelEnd);
}

bool BTextView::IsSelectable() const
{
	return fSelectable;
}

void BTextView::MakeEditable(bool editable)
{
	if (editable == fEditable)
		return;
	fEditable = editable;
	_InvalidateCaret();
}

bool BTextView::IsEditable() const
{
	return fEditable;
}

void BTextView::SetWordWrap(bool wrap)
{
	if (wrap == DoesWordWrap())
		return;
	fText->Layout().Breaker().SetWordWrap(wrap);
	_Relayout();
}

bool BTextView::DoesWordWrap() const
{
	return fText->Layout().Breaker().DoesWordWrap();
}

// The limit holds back what the user and Insert() add; text already there
// is kept.
void BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = std::max(max, 0);
}

int32 BTextView::MaxBytes() const
{
	return fMaxBytes;
}

void BTextView::DisallowChar(uint32 character)
{
	if (std::find(fDisallowed.begin(), fDisallowed.end(), character) == fDisallowed.end())
		fDisallowed.push_back(character);
}

void BTextView::AllowChar(uint32 character)
{
	fDisallowed.erase(std::remove(fDisallowed.begin(), fDisallowed.end(), character),
		fDisallowed.end());
}

void BTextView::SetAlignment(alignment flag)
{
	if (flag == fGeometry->Alignment())
		return;
	fGeometry->SetAlignment(flag);
	Invalidate();
}

alignment BTextView::Alignment() const
{
	return fGeometry->Alignment();
}

void BTextView::SetAutoindent(bool state)
{
	fAutoindent = state;
}

bool BTextView::DoesAutoindent() const
{
	return fAutoindent;
}

text_run_array* BTextView::AllocRunArray(int32 entryCount, int32* outSize)
{
	return BPrivate::AllocRunArray(entryCount, outSize);
}

text_run_array* BTextView::CopyRunArray(const text_run_array* orig, int32 countDelta)
{
	return BPrivate::CopyRunArray(orig, countDelta);
}

void BTextView::FreeRunArray(text_run_array* array)
{
	BPrivate::FreeRunArray(array);
}

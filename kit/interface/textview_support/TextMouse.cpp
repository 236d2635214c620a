#include "TextMouse.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <Region.h>
#include <ScrollBar.h>
#include <TextView.h>
#include <Window.h>

#include "StyledText.h"
#include "TextGeometry.h"
#include "TextNavigation.h"
#include "TextTransfer.h"

namespace BPrivate {

namespace {

const uint32 kAutoScrollMessage = '_TAS';
const bigtime_t kAutoScrollInterval = 40000;
// How far the pointer moves on the selection before it drags the text.
const float kDragDistance = 3;
const float kWheelLines = 3;

} // namespace

TextMouse::TextMouse(BTextView& view)
	:
	fView(view)
{
}

TextMouse::~TextMouse() = default;

void TextMouse::MouseDown(BPoint where)
{
	if (!fView.fSelectable)
		return;
	if (!fView.IsFocus())
		fView.MakeFocus(true);
	BMessage* message = fView.Window() != nullptr ? fView.Window()->CurrentMessage() : nullptr;
	int32 clicks = 1;
	int32 modifiers = 0;
	if (message != nullptr) {
		message->FindInt32("clicks", &clicks);
		message->FindInt32("modifiers", &modifiers);
	}
	fDragSource = false;
	fLastPoint = where;
	bool extend = (modifiers & B_SHIFT_KEY) != 0;
	if (clicks <= 1 && !extend && _InSelection(where)) {
		fMode = kDragPending;
		fDownPoint = where;
		fView.SetMouseEventMask(B_POINTER_EVENTS);
		return;
	}
	fMode = clicks >= 3 ? kLines : clicks == 2 ? kWords : kCharacters;
	int32 offset = fView.OffsetAt(where);
	_UnitAt(offset, &fAnchorStart, &fAnchorEnd);
	if (extend) {
		// The end of the selection farther from the click stays.
		int32 anchor = offset < fView.fSelStart ? fView.fSelEnd : fView.fSelStart;
		fAnchorStart = fAnchorEnd = anchor;
	}
	_Extend(where);
	fView.SetMouseEventMask(B_POINTER_EVENTS);
}

void TextMouse::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	fLastPoint = where;
	switch (fMode) {
		case kIdle:
		case kDragging:
		{
			bool over = transit == B_ENTERED_VIEW || transit == B_INSIDE_VIEW;
			bool accepted = dragMessage != nullptr && over && fView.AcceptsDrop(dragMessage);
			_ShowDropCaret(accepted ? fView.OffsetAt(where) : -1);
			break;
		}
		case kDragPending:
			if (std::fabs(where.x - fDownPoint.x) > kDragDistance
				|| std::fabs(where.y - fDownPoint.y) > kDragDistance)
				_StartDrag();
			break;
		default:
			_Extend(where);
			_AutoScroll();
			break;
	}
}

void TextMouse::MouseUp(BPoint where)
{
	if (fMode == kDragPending) {
		int32 offset = fView.OffsetAt(where);
		fView._SelectWithCaret(offset, offset);
	}
	// The drop, if the text lands anywhere, comes as a message of its own.
	if (fMode == kDragging)
		_ShowDropCaret(-1);
	fMode = kIdle;
	_StopAutoScroll();
}

void TextMouse::Cancel()
{
	fMode = kIdle;
	fDragSource = false;
	_StopAutoScroll();
	_ShowDropCaret(-1);
}

// #pragma mark - Selecting

void TextMouse::_UnitAt(int32 offset, int32* from, int32* to) const
{
	switch (fMode) {
		case kWords:
			fView.FindWord(offset, from, to);
			break;
		case kLines:
			fView.fNavigation->LineRange(offset, from, to);
			break;
		default:
			*from = *to = offset;
			break;
	}
}

bool TextMouse::_InSelection(BPoint where) const
{
	if (fView.fSelStart >= fView.fSelEnd)
		return false;
	BRegion region;
	fView.fGeometry->GetRangeRegion(fView.fSelStart, fView.fSelEnd,
		BRect(where.x - 1, where.y - 1, where.x + 1, where.y + 1), &region);
	return region.Contains(where);
}

// From the unit first pressed to the one under the pointer.
void TextMouse::_Extend(BPoint where)
{
	int32 from = 0;
	int32 to = 0;
	_UnitAt(fView.OffsetAt(where), &from, &to);
	if (from < fAnchorStart)
		fView._SelectWithCaret(fAnchorEnd, from);
	else
		fView._SelectWithCaret(fAnchorStart, std::max(to, fAnchorEnd));
}

// While the pointer is outside the view the text scrolls towards it, by
// as far as it is out, and goes on doing so while the pointer rests there.
void TextMouse::_AutoScroll()
{
	if (fMode != kCharacters && fMode != kWords && fMode != kLines) {
		_StopAutoScroll();
		return;
	}
	BRect bounds = fView.Bounds();
	float dx = 0;
	float dy = 0;
	if (fLastPoint.x < bounds.left)
		dx = fLastPoint.x - bounds.left;
	else if (fLastPoint.x > bounds.right)
		dx = fLastPoint.x - bounds.right;
	if (fLastPoint.y < bounds.top)
		dy = fLastPoint.y - bounds.top;
	else if (fLastPoint.y > bounds.bottom)
		dy = fLastPoint.y - bounds.bottom;
	if (dx == 0 && dy == 0) {
		_StopAutoScroll();
		return;
	}
	BPoint before = fView.Bounds().LeftTop();
	fView._ScrollBy(dx, dy);
	// The pointer stays where it is on the screen: in the view it moved
	// with the text.
	fLastPoint += fView.Bounds().LeftTop() - before;
	_Extend(fLastPoint);
	if (fAutoScroller == nullptr && fView.Window() != nullptr) {
		BMessage tick(kAutoScrollMessage);
		fAutoScroller = std::make_unique<BMessageRunner>(BMessenger(&fView), &tick,
			kAutoScrollInterval);
	}
}

void TextMouse::_StopAutoScroll()
{
	fAutoScroller.reset();
}

bool TextMouse::HandleMessage(BMessage* message)
{
	if (message->what != kAutoScrollMessage)
		return false;
	_AutoScroll();
	return true;
}

void TextMouse::Wheel(const BMessage* message)
{
	if (ScrollWithWheel(&fView, message))
		return;
	float deltaX = 0;
	float deltaY = 0;
	message->FindFloat("be:wheel_delta_x", &deltaX);
	message->FindFloat("be:wheel_delta_y", &deltaY);
	float step = std::max(1.0f, fView.LineHeight(0)) * kWheelLines;
	fView._ScrollBy(deltaX * step, deltaY * step);
}

// #pragma mark - Dragging and dropping

void TextMouse::_StartDrag()
{
	fMode = kDragging;
	fDragSource = true;
	int32 start = fView.fSelStart;
	int32 end = fView.fSelEnd;
	BMessage drag(B_MIME_DATA);
	RunArrayPointer runs;
	if (fView.IsStylable())
		runs = fView.fText->Styles().GetRunArray(start, end);
	AddTextData(&drag, fView.fText->Text().Copy(start, end), runs.get());
	drag.AddPointer("be:originator", &fView);
	BRegion region;
	fView.fGeometry->GetRangeRegion(start, end, fView.Bounds(), &region);
	BRect frame = region.CountRects() > 0 ? region.Frame()
		: BRect(fDownPoint, fDownPoint);
	fView.DragMessage(&drag, frame);
}

void TextMouse::_ShowDropCaret(int32 offset)
{
	if (offset == fDropOffset)
		return;
	if (fDropOffset >= 0)
		fView.Invalidate(fView.fGeometry->CaretFrame(fDropOffset).InsetByCopy(-1, 0));
	fDropOffset = offset;
	if (offset >= 0)
		fView.Invalidate(fView.fGeometry->CaretFrame(offset).InsetByCopy(-1, 0));
}

bool TextMouse::Drop(BMessage* message)
{
	std::string text;
	RunArrayPointer runs;
	if (!FindTextData(message, &text, &runs))
		return false;
	_ShowDropCaret(-1);
	void* originator = nullptr;
	message->FindPointer("be:originator", &originator);
	bool fromHere = fDragSource && originator == &fView;
	fDragSource = false;
	if (!fView.AcceptsDrop(message) || text.empty())
		return true;
	int32 offset = fView.OffsetAt(fView.ConvertFromScreen(message->DropPoint()));
	int32 start = fView.fSelStart;
	int32 end = fView.fSelEnd;
	if (fromHere && offset >= start && offset <= end)
		return true;
	fView._BeginUndo(B_UNDO_DROP);
	if (fromHere && (modifiers() & B_CONTROL_KEY) == 0) {
		int32 before = fView.TextLength();
		fView.DeleteText(start, end);
		if (offset >= end)
			offset -= before - fView.TextLength();
	}
	int32 inserted = fView._InsertAt(offset, text.data(), static_cast<int32>(text.size()),
		runs.get());
	fView.Select(offset, offset + inserted);
	fView._EndUndo();
	return true;
}

} // namespace BPrivate

#include <ScrollBar.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include <Message.h>
#include <MessageRunner.h>
#include <Messenger.h>
#include <Window.h>

namespace {

// The private message that repeats an arrow or a page while the button is
// held: every kRepeatInterval, after kRepeatDelay ticks.
const uint32 kRepeatMessage = '_SBR';
const bigtime_t kRepeatInterval = 50000;
const int32 kRepeatDelay = 6;
const float kMinThumbLength = 14;
const float kWheelSteps = 3;

// The shared light grey look: a darker track, light knobs and arrow
// buttons with white and shadowed edges.
rgb_color Panel() { return ui_color(B_PANEL_BACKGROUND_COLOR); }
rgb_color FrameColor() { return tint_color(Panel(), B_DARKEN_2_TINT); }
rgb_color TrackColor() { return tint_color(Panel(), B_DARKEN_1_TINT); }
rgb_color TrackShadow() { return tint_color(Panel(), B_DARKEN_2_TINT); }
rgb_color FaceColor() { return ui_color(B_SCROLL_BAR_THUMB_COLOR); }
rgb_color PressedFace() { return tint_color(FaceColor(), B_DARKEN_1_TINT); }
rgb_color LightEdge() { return ui_color(B_SHINE_COLOR); }
rgb_color DarkEdge() { return tint_color(Panel(), B_DARKEN_2_TINT); }
rgb_color ArrowColor() { return tint_color(Panel(), B_DARKEN_4_TINT); }
rgb_color DisabledArrow() { return tint_color(Panel(), B_DISABLED_MARK_TINT); }

// Every bar with a target, so that a view can find the bars that scroll it.
// Bars live in windows of their own threads, hence the lock.
std::mutex sRegistryLock;
std::vector<BScrollBar*> sRegistry;

// The wheel's turn along a direction, in notches; with fallBack, a
// horizontal direction takes the vertical wheel when there is no other.
float WheelDelta(const BMessage* wheel, orientation direction, bool fallBack)
{
	float deltaX = 0;
	float deltaY = 0;
	wheel->FindFloat("be:wheel_delta_x", &deltaX);
	wheel->FindFloat("be:wheel_delta_y", &deltaY);
	if (direction == B_VERTICAL)
		return deltaY;
	return deltaX != 0 || !fallBack ? deltaX : deltaY;
}

void TurnWheel(BScrollBar* bar, float notches)
{
	float smallStep = 0;
	bar->GetSteps(&smallStep, nullptr);
	if (notches != 0)
		bar->SetValue(bar->Value() + notches * smallStep * kWheelSteps);
}

void Register(BScrollBar* bar)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	if (std::find(sRegistry.begin(), sRegistry.end(), bar) == sRegistry.end())
		sRegistry.push_back(bar);
}

void Unregister(BScrollBar* bar)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	sRegistry.erase(std::remove(sRegistry.begin(), sRegistry.end(), bar), sRegistry.end());
}

// A raised box: light top and left edges, dark bottom and right ones.
void DrawBevel(BView* view, BRect frame, rgb_color face)
{
	view->SetHighColor(face);
	view->FillRect(frame.InsetByCopy(1, 1));
	BPrivate::StrokeFrame(view, frame, LightEdge(), DarkEdge());
}

} // namespace

BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
	orientation direction)
	:
	BView(frame, name,
		direction == B_VERTICAL ? B_FOLLOW_TOP_BOTTOM | B_FOLLOW_RIGHT
			: B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW | B_FRAME_EVENTS),
	fOrientation(direction),
	fMin(min),
	fMax(std::max(min, max)),
	fValue(min)
{
	SetViewColor(TrackColor());
	SetTarget(target);
}

BScrollBar::~BScrollBar()
{
	Unregister(this);
}

void BScrollBar::DetachedFromWindow()
{
	_StopRepeating();
	fPressed = kNoPart;
}

// #pragma mark - Value and range

void BScrollBar::SetValue(float value)
{
	value = std::clamp(std::round(value), fMin, fMax);
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
	ValueChanged(value);
}

float BScrollBar::Value() const
{
	return fValue;
}

void BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == nullptr)
		return;
	BPoint origin = fTarget->Bounds().LeftTop();
	if (fOrientation == B_VERTICAL)
		origin.y = newValue;
	else
		origin.x = newValue;
	fTarget->ScrollTo(origin);
}

void BScrollBar::SetProportion(float proportion)
{
	proportion = std::clamp(proportion, 0.0f, 1.0f);
	if (proportion == fProportion)
		return;
	fProportion = proportion;
	Invalidate();
}

float BScrollBar::Proportion() const
{
	return fProportion;
}

void BScrollBar::SetRange(float min, float max)
{
	max = std::max(min, max);
	if (min == fMin && max == fMax)
		return;
	fMin = min;
	fMax = max;
	Invalidate();
	SetValue(fValue);
}

void BScrollBar::GetRange(float* min, float* max) const
{
	if (min != nullptr)
		*min = fMin;
	if (max != nullptr)
		*max = fMax;
}

void BScrollBar::SetSteps(float smallStep, float largeStep)
{
	fSmallStep = std::max(smallStep, 0.0f);
	fLargeStep = std::max(largeStep, 0.0f);
}

void BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != nullptr)
		*smallStep = fSmallStep;
	if (largeStep != nullptr)
		*largeStep = fLargeStep;
}

void BScrollBar::SetTarget(BView* target)
{
	fTarget = target;
	if (target != nullptr)
		Register(this);
	else
		Unregister(this);
}

void BScrollBar::SetTarget(const char* targetName)
{
	BWindow* window = Window();
	SetTarget(window != nullptr ? window->FindView(targetName) : nullptr);
}

BView* BScrollBar::Target() const
{
	return fTarget;
}

orientation BScrollBar::Orientation() const
{
	return fOrientation;
}

// #pragma mark - Geometry

// Along the bar: y for a vertical bar, x for a horizontal one. The arrows
// are squares at both ends; the track lies between them.
float BScrollBar::_Along(BPoint point) const
{
	return fOrientation == B_VERTICAL ? point.y : point.x;
}

float BScrollBar::_TrackStart() const
{
	BRect bounds = Bounds();
	float thickness = (fOrientation == B_VERTICAL ? bounds.Width() : bounds.Height()) + 1;
	float length = (fOrientation == B_VERTICAL ? bounds.Height() : bounds.Width()) + 1;
	return std::min(thickness, std::floor(length / 2));
}

float BScrollBar::_TrackLength() const
{
	BRect bounds = Bounds();
	float length = (fOrientation == B_VERTICAL ? bounds.Height() : bounds.Width()) + 1;
	return std::max(0.0f, length - 2 * _TrackStart());
}

float BScrollBar::_ThumbLength() const
{
	float track = _TrackLength();
	float length = std::max(kMinThumbLength, std::round(track * fProportion));
	return std::min(length, track);
}

BRect BScrollBar::_ThumbFrame() const
{
	float room = _TrackLength() - _ThumbLength();
	float fraction = fMax > fMin ? (fValue - fMin) / (fMax - fMin) : 0;
	float start = _TrackStart() + std::round(room * fraction);
	float end = start + _ThumbLength() - 1;
	BRect bounds = Bounds();
	if (fOrientation == B_VERTICAL)
		return BRect(bounds.left, start, bounds.right, end);
	return BRect(start, bounds.top, end, bounds.bottom);
}

BRect BScrollBar::_ArrowFrame(Part arrow) const
{
	BRect bounds = Bounds();
	float size = _TrackStart();
	if (fOrientation == B_VERTICAL) {
		if (arrow == kDecrementArrow)
			return BRect(bounds.left, bounds.top, bounds.right, bounds.top + size - 1);
		return BRect(bounds.left, bounds.bottom - size + 1, bounds.right, bounds.bottom);
	}
	if (arrow == kDecrementArrow)
		return BRect(bounds.left, bounds.top, bounds.left + size - 1, bounds.bottom);
	return BRect(bounds.right - size + 1, bounds.top, bounds.right, bounds.bottom);
}

BScrollBar::Part BScrollBar::_PartAt(BPoint where) const
{
	if (_ArrowFrame(kDecrementArrow).Contains(where))
		return kDecrementArrow;
	if (_ArrowFrame(kIncrementArrow).Contains(where))
		return kIncrementArrow;
	if (!_IsEnabled())
		return kNoPart;
	BRect thumb = _ThumbFrame();
	if (thumb.Contains(where))
		return kThumb;
	return _Along(where) < _Along(thumb.LeftTop()) ? kPageUp : kPageDown;
}

bool BScrollBar::_IsEnabled() const
{
	return fMax > fMin && _TrackLength() > 0;
}

// #pragma mark - Mouse

void BScrollBar::MouseDown(BPoint where)
{
	fPointer = where;
	fPressed = _PartAt(where);
	if (fPressed == kNoPart)
		return;
	SetMouseEventMask(B_POINTER_EVENTS);
	if (fPressed == kThumb) {
		fGrab = _Along(where) - _Along(_ThumbFrame().LeftTop());
		return;
	}
	_Step(fPressed);
	_StartRepeating();
	Invalidate();
}

void BScrollBar::MouseMoved(BPoint where, uint32, const BMessage*)
{
	fPointer = where;
	if (fPressed != kThumb)
		return;
	float room = _TrackLength() - _ThumbLength();
	if (room <= 0)
		return;
	float start = _Along(where) - fGrab - _TrackStart();
	SetValue(fMin + start / room * (fMax - fMin));
}

void BScrollBar::MouseUp(BPoint)
{
	_StopRepeating();
	if (fPressed != kNoPart)
		Invalidate();
	fPressed = kNoPart;
}

void BScrollBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kRepeatMessage:
			if (++fRepeatTicks > kRepeatDelay && _Repeats())
				_Step(fPressed);
			break;
		case B_MOUSE_WHEEL_CHANGED:
			// A vertical wheel over a horizontal bar scrolls along it.
			TurnWheel(this, WheelDelta(message, fOrientation, true));
			break;
		default:
			BView::MessageReceived(message);
			break;
	}
}

bool BScrollBar::_Repeats() const
{
	switch (fPressed) {
		case kDecrementArrow:
		case kIncrementArrow:
			return true;
		case kPageUp:
		case kPageDown:
			// Paging stops once the thumb has reached the pointer.
			return _PartAt(fPointer) == fPressed;
		default:
			return false;
	}
}

void BScrollBar::_Step(Part part)
{
	switch (part) {
		case kDecrementArrow: SetValue(fValue - fSmallStep); break;
		case kIncrementArrow: SetValue(fValue + fSmallStep); break;
		case kPageUp: SetValue(fValue - fLargeStep); break;
		case kPageDown: SetValue(fValue + fLargeStep); break;
		default: break;
	}
}

void BScrollBar::_StartRepeating()
{
	fRepeatTicks = 0;
	BMessage repeat(kRepeatMessage);
	fRepeater = std::make_unique<BMessageRunner>(BMessenger(this), &repeat, kRepeatInterval);
}

void BScrollBar::_StopRepeating()
{
	fRepeater.reset();
}

// #pragma mark - Drawing

void BScrollBar::FrameResized(float, float)
{
	Invalidate();
}

void BScrollBar::Draw(BRect)
{
	BRect bounds = Bounds();
	SetHighColor(TrackShadow());
	if (fOrientation == B_VERTICAL)
		StrokeLine(BPoint(bounds.left + 1, bounds.top), BPoint(bounds.left + 1, bounds.bottom));
	else
		StrokeLine(BPoint(bounds.left, bounds.top + 1), BPoint(bounds.right, bounds.top + 1));
	_DrawArrow(kDecrementArrow);
	_DrawArrow(kIncrementArrow);
	if (_IsEnabled())
		_DrawThumb();
	SetHighColor(FrameColor());
	StrokeRect(bounds);
}

void BScrollBar::_DrawArrow(Part arrow)
{
	BRect frame = _ArrowFrame(arrow);
	DrawBevel(this, frame, fPressed == arrow ? PressedFace() : FaceColor());
	BPoint center(std::floor((frame.left + frame.right) / 2),
		std::floor((frame.top + frame.bottom) / 2));
	float size = std::max(2.0f, std::floor(frame.Width() / 4));
	float tip = arrow == kDecrementArrow ? -size : size;
	SetHighColor(_IsEnabled() ? ArrowColor() : DisabledArrow());
	if (fOrientation == B_VERTICAL) {
		FillTriangle(BPoint(center.x, center.y + tip / 2),
			BPoint(center.x - size, center.y - tip / 2),
			BPoint(center.x + size, center.y - tip / 2));
	} else {
		FillTriangle(BPoint(center.x + tip / 2, center.y),
			BPoint(center.x - tip / 2, center.y - size),
			BPoint(center.x - tip / 2, center.y + size));
	}
}

// A raised knob with three grip lines across its middle when it has room.
void BScrollBar::_DrawThumb()
{
	BRect thumb = _ThumbFrame();
	DrawBevel(this, thumb, fPressed == kThumb ? PressedFace() : FaceColor());
	if (_ThumbLength() < 16)
		return;
	BPoint center(std::floor((thumb.left + thumb.right) / 2),
		std::floor((thumb.top + thumb.bottom) / 2));
	BeginLineArray(6);
	for (int32 i = -1; i <= 1; i++) {
		float at = 3 * i;
		if (fOrientation == B_VERTICAL) {
			AddLine(BPoint(thumb.left + 4, center.y + at), BPoint(thumb.right - 4, center.y + at),
				DarkEdge());
			AddLine(BPoint(thumb.left + 4, center.y + at + 1),
				BPoint(thumb.right - 4, center.y + at + 1), LightEdge());
		} else {
			AddLine(BPoint(center.x + at, thumb.top + 4), BPoint(center.x + at, thumb.bottom - 4),
				DarkEdge());
			AddLine(BPoint(center.x + at + 1, thumb.top + 4),
				BPoint(center.x + at + 1, thumb.bottom - 4), LightEdge());
		}
	}
	EndLineArray();
}

// #pragma mark - Helpers for views that scroll

void BPrivate::StrokeFrame(BView* view, BRect frame, rgb_color topLeft, rgb_color bottomRight)
{
	view->BeginLineArray(4);
	view->AddLine(frame.LeftBottom(), frame.LeftTop(), topLeft);
	view->AddLine(frame.LeftTop(), frame.RightTop(), topLeft);
	view->AddLine(frame.RightTop(), frame.RightBottom(), bottomRight);
	view->AddLine(frame.RightBottom(), frame.LeftBottom(), bottomRight);
	view->EndLineArray();
}

BScrollBar* BPrivate::ScrollBarFor(const BView* target, orientation direction)
{
	if (target == nullptr)
		return nullptr;
	std::lock_guard<std::mutex> guard(sRegistryLock);
	for (BScrollBar* bar : sRegistry) {
		if (bar->Target() == target && bar->Orientation() == direction)
			return bar;
	}
	return nullptr;
}

bool BPrivate::ScrollWithWheel(const BView* target, const BMessage* wheel)
{
	bool scrolled = false;
	for (orientation direction : {B_VERTICAL, B_HORIZONTAL}) {
		if (BScrollBar* bar = ScrollBarFor(target, direction)) {
			TurnWheel(bar, WheelDelta(wheel, direction, false));
			scrolled = true;
		}
	}
	return scrolled;
}

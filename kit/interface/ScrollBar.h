#ifndef _SCROLL_BAR_H
#define _SCROLL_BAR_H

#include <memory>

#include <View.h>

class BMessageRunner;

const float B_V_SCROLL_BAR_WIDTH = 14.0f;
const float B_H_SCROLL_BAR_HEIGHT = 14.0f;

// A bar that scrolls its target view: its value is the target's left (or
// top) edge, between the range's ends; the proportion (0 .. 1) is how much
// of the content the target shows, and sizes the thumb. The arrows move by
// the small step, a click in the track pages by the large step, both
// repeating while the button is held; the thumb follows the pointer, and
// the wheel moves three small steps a notch.
//
// A view that scrolls itself moves its bars with SetValue(); a bar whose
// value changes scrolls its target (ValueChanged()), so either side may
// start and the other follows. With a range of 0 the bar shows no thumb.
class BScrollBar : public BView {
public:
	BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
		orientation direction);
	~BScrollBar() override;

	void DetachedFromWindow() override;
	void Draw(BRect updateRect) override;
	void FrameResized(float width, float height) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void MessageReceived(BMessage* message) override;

	// Rounded to whole pixels and kept within the range; ValueChanged()
	// follows when the value changes.
	void SetValue(float value);
	float Value() const;
	// Scrolls the target to the value.
	virtual void ValueChanged(float newValue);
	void SetProportion(float proportion);
	float Proportion() const;
	void SetRange(float min, float max);
	void GetRange(float* min, float* max) const;
	void SetSteps(float smallStep, float largeStep);
	void GetSteps(float* smallStep, float* largeStep) const;
	void SetTarget(BView* target);
	void SetTarget(const char* targetName);
	BView* Target() const;
	orientation Orientation() const;

private:
	enum Part { kNoPart, kDecrementArrow, kIncrementArrow, kPageUp, kPageDown, kThumb };

	float _Along(BPoint point) const;
	float _TrackStart() const;
	float _TrackLength() const;
	float _ThumbLength() const;
	BRect _ThumbFrame() const;
	BRect _ArrowFrame(Part arrow) const;
	Part _PartAt(BPoint where) const;
	bool _IsEnabled() const;
	bool _Repeats() const;
	void _Step(Part part);
	void _StartRepeating();
	void _StopRepeating();
	void _DrawArrow(Part arrow);
	void _DrawThumb();

	BView* fTarget = nullptr;  // not owned
	orientation fOrientation;
	float fMin;
	float fMax;
	float fValue;
	float fProportion = 0;
	float fSmallStep = 1;
	float fLargeStep = 10;
	Part fPressed = kNoPart;
	float fGrab = 0;           // where the thumb was taken, from its start
	BPoint fPointer;           // the pointer while a button is held
	int32 fRepeatTicks = 0;
	std::unique_ptr<BMessageRunner> fRepeater;
};

namespace BPrivate {

// The bar that scrolls target in that direction, or null: what BView's
// ScrollBar() answers on BeOS.
BScrollBar* ScrollBarFor(const BView* target, orientation direction);
// Scrolls target by a B_MOUSE_WHEEL_CHANGED message through its bars, as a
// view under the pointer does with the wheel. False when it has no bar.
bool ScrollWithWheel(const BView* target, const BMessage* wheel);
// A frame one pixel wide: top and left edges in one colour, bottom and
// right in another (raised or sunken, as the colours say). The scroll
// bars and scroll views draw their look with it.
void StrokeFrame(BView* view, BRect frame, rgb_color topLeft, rgb_color bottomRight);

} // namespace BPrivate

#endif

#include <ColorControl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <Message.h>
#include <Window.h>

#include "control_support/ControlLook.h"

using BPrivate::ControlLook;

namespace {

// Room between the ramps and the sample, and the sample's inset.
const float kReadoutGap = 6;
const float kFieldInset = 2;
const char* const kChannelNames[] = {"", "R: ", "G: ", "B: "};

float ReadoutWidth(const BFont& font)
{
	return std::ceil(font.StringWidth("G: 255")) + 10;
}

int32 PackColor(rgb_color color)
{
	uint32 packed = (uint32(color.red) << 24) | (uint32(color.green) << 16)
		| (uint32(color.blue) << 8) | 0xFF;
	return static_cast<int32>(packed);
}

rgb_color Blend(rgb_color a, rgb_color b)
{
	return make_color((a.red + b.red) / 2, (a.green + b.green) / 2, (a.blue + b.blue) / 2);
}

} // namespace

BColorControl::BColorControl(BPoint leftTop, color_control_layout layout, float cellSize,
	const char* name, BMessage* message, bool)
	: BControl(BRect(leftTop, leftTop), name, nullptr, message, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE),
	  fLayout(layout),
	  fCellSize(std::max(cellSize, 1.0f))
{
	SetValueNoUpdate(PackColor(make_color(0, 0, 0)));
	ResizeToPreferred();
}

BColorControl::~BColorControl() = default;

// Geometry.

BRect BColorControl::_FieldFrame() const
{
	float columns = static_cast<float>(fLayout);
	float rows = 256.0f / columns;
	return BRect(0, 0, columns * fCellSize + 2 * kFieldInset - 1,
		rows * fCellSize + 2 * kFieldInset - 1);
}

BRect BColorControl::_RampFrame(int32 ramp) const
{
	BRect inside = _FieldFrame().InsetByCopy(kFieldInset, kFieldInset);
	float height = inside.Height() + 1;
	float top = inside.top + std::floor(height * ramp / kRampCount);
	float bottom = inside.top + std::floor(height * (ramp + 1) / kRampCount) - 1;
	return BRect(inside.left, top, inside.right, bottom);
}

BRect BColorControl::_SampleFrame() const
{
	BFont font;
	GetFont(&font);
	BRect field = _FieldFrame();
	float left = field.right + 1 + kReadoutGap;
	BRect grey = _RampFrame(kGrey);
	return BRect(left, field.top, left + ReadoutWidth(font) - 1, grey.bottom + kFieldInset);
}

int32 BColorControl::_RampAt(BPoint where) const
{
	if (!_FieldFrame().Contains(where))
		return -1;
	// The field's edge belongs to the ramp next to it.
	for (int32 ramp = kGrey; ramp < kBlue; ramp++) {
		if (where.y <= _RampFrame(ramp).bottom)
			return ramp;
	}
	return kBlue;
}

uint8 BColorControl::_LevelAt(int32 ramp, float x) const
{
	BRect frame = _RampFrame(ramp);
	float share = frame.Width() > 0 ? (x - frame.left) / frame.Width() : 0;
	return static_cast<uint8>(std::round(std::clamp(share, 0.0f, 1.0f) * 255));
}

void BColorControl::GetPreferredSize(float* width, float* height)
{
	BFont font;
	GetFont(&font);
	BRect field = _FieldFrame();
	if (width != nullptr)
		*width = field.Width() + 1 + kReadoutGap + ReadoutWidth(font) - 1;
	if (height != nullptr)
		*height = field.Height();
}

// Drawing.

void BColorControl::Draw(BRect)
{
	uint32 flags = LookFlags();
	ControlLook::DrawSunkenField(this, _FieldFrame(), ControlLook::PanelColor(),
		flags & ~ControlLook::kFocused);
	for (int32 ramp = kGrey; ramp < kRampCount; ramp++)
		_DrawRamp(ramp, flags);
	if (flags & ControlLook::kFocused) {
		SetHighColor(ControlLook::FocusColor());
		StrokeRect(_RampFrame(fFocusedRamp));
	}
	_DrawReadouts(flags);
}

void BColorControl::_DrawRamp(int32 ramp, uint32 flags)
{
	BRect frame = _RampFrame(ramp);
	int32 steps = static_cast<int32>(frame.Width()) + 1;
	rgb_color panel = ControlLook::PanelColor();
	BeginLineArray(steps);
	for (int32 step = 0; step < steps; step++) {
		uint8 level = _LevelAt(ramp, frame.left + step);
		rgb_color color = make_color(ramp == kGrey || ramp == kRed ? level : 0,
			ramp == kGrey || ramp == kGreen ? level : 0, ramp == kGrey || ramp == kBlue ? level : 0);
		if (flags & ControlLook::kDisabled)
			color = Blend(color, panel);
		float x = frame.left + step;
		AddLine(BPoint(x, frame.top), BPoint(x, frame.bottom), color);
	}
	EndLineArray();

	rgb_color value = ValueAsColor();
	if (ramp == kRed)
		_DrawMarker(ramp, value.red);
	else if (ramp == kGreen)
		_DrawMarker(ramp, value.green);
	else if (ramp == kBlue)
		_DrawMarker(ramp, value.blue);
	else if (value.red == value.green && value.green == value.blue)
		_DrawMarker(ramp, value.red);
}

void BColorControl::_DrawMarker(int32 ramp, uint8 level)
{
	BRect frame = _RampFrame(ramp);
	float x = frame.left + std::round(level * frame.Width() / 255);
	// White between two black lines shows on every part of every ramp.
	BeginLineArray(3);
	for (float dx = -1; dx <= 1; dx++) {
		float at = std::clamp(x + dx, frame.left, frame.right);
		rgb_color color = dx == 0 ? make_color(255, 255, 255) : make_color(0, 0, 0);
		AddLine(BPoint(at, frame.top), BPoint(at, frame.bottom), color);
	}
	EndLineArray();
}

void BColorControl::_DrawReadouts(uint32 flags)
{
	rgb_color value = ValueAsColor();
	BRect sample = _SampleFrame();
	BRect inside = ControlLook::DrawSunkenField(this, sample, value, flags & ~ControlLook::kFocused);
	if (flags & ControlLook::kDisabled) {
		SetHighColor(Blend(value, ControlLook::PanelColor()));
		FillRect(inside);
	}
	const uint8 levels[] = {0, value.red, value.green, value.blue};
	for (int32 ramp = kRed; ramp < kRampCount; ramp++) {
		BRect row = _RampFrame(ramp);
		BRect line(sample.left + 2, row.top, sample.right, row.bottom);
		char text[16];
		snprintf(text, sizeof(text), "%s%d", kChannelNames[ramp], levels[ramp]);
		ControlLook::DrawLabel(this, text, line, B_ALIGN_LEFT, flags);
	}
}

// Input.

void BColorControl::MouseDown(BPoint where)
{
	if (!IsEnabled())
		return;
	int32 ramp = _RampAt(where);
	if (ramp < 0)
		return;
	if (Flags() & B_NAVIGABLE)
		MakeFocus(true);
	fFocusedRamp = ramp;
	fTrackedRamp = ramp;
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
	Invalidate();
	_SetLevel(ramp, _LevelAt(ramp, where.x));
}

void BColorControl::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (fTrackedRamp >= 0)
		_SetLevel(fTrackedRamp, _LevelAt(fTrackedRamp, where.x));
}

void BColorControl::MouseUp(BPoint)
{
	fTrackedRamp = -1;
}

void BColorControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1 || !IsEnabled()) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 modifiers = 0;
	if (Window() != nullptr && Window()->CurrentMessage() != nullptr)
		Window()->CurrentMessage()->FindInt32("modifiers", &modifiers);
	int32 step = (modifiers & B_SHIFT_KEY) != 0 ? 16 : 1;
	rgb_color value = ValueAsColor();
	const int32 levels[] = {(value.red + value.green + value.blue + 1) / 3, value.red, value.green,
		value.blue};
	int32 level = levels[fFocusedRamp];
	switch (bytes[0]) {
		case B_UP_ARROW:
		case B_DOWN_ARROW:
			fFocusedRamp = std::clamp(fFocusedRamp + (bytes[0] == B_UP_ARROW ? -1 : 1), kGrey,
				kBlue);
			Invalidate();
			break;
		case B_LEFT_ARROW:
			_SetLevel(fFocusedRamp, level - step);
			break;
		case B_RIGHT_ARROW:
			_SetLevel(fFocusedRamp, level + step);
			break;
		case B_HOME:
			_SetLevel(fFocusedRamp, 0);
			break;
		case B_END:
			_SetLevel(fFocusedRamp, 255);
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}

void BColorControl::_SetLevel(int32 ramp, int32 level)
{
	uint8 clamped = static_cast<uint8>(std::clamp(level, 0, 255));
	rgb_color color = ValueAsColor();
	if (ramp == kGrey || ramp == kRed)
		color.red = clamped;
	if (ramp == kGrey || ramp == kGreen)
		color.green = clamped;
	if (ramp == kGrey || ramp == kBlue)
		color.blue = clamped;
	if (color == ValueAsColor())
		return;
	SetValue(color);
	Invoke();
}

// Value and layout.

void BColorControl::SetValue(int32 value)
{
	// Only the colour counts: every alpha byte means the same opaque colour.
	BControl::SetValue(static_cast<int32>(static_cast<uint32>(value) | 0xFF));
}

void BColorControl::SetValue(rgb_color color)
{
	SetValue(PackColor(color));
}

rgb_color BColorControl::ValueAsColor()
{
	uint32 value = static_cast<uint32>(Value());
	return make_color(value >> 24, (value >> 16) & 0xFF, (value >> 8) & 0xFF, 255);
}

void BColorControl::SetLayout(color_control_layout layout)
{
	if (layout == fLayout)
		return;
	fLayout = layout;
	ResizeToPreferred();
	Invalidate();
}

void BColorControl::SetCellSize(float size)
{
	size = std::max(size, 1.0f);
	if (size == fCellSize)
		return;
	fCellSize = size;
	ResizeToPreferred();
	Invalidate();
}

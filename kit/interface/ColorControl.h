#ifndef _COLOR_CONTROL_H
#define _COLOR_CONTROL_H

#include <Control.h>

enum color_control_layout {
	B_CELLS_4x64 = 4,
	B_CELLS_8x32 = 8,
	B_CELLS_16x16 = 16,
	B_CELLS_32x8 = 32,
	B_CELLS_64x4 = 64
};

// Picks an rgb_color. It shows four ramps, grey, red, green and blue, in a
// field of columns x rows cells of the layout (B_CELLS_32x8 with 8-point
// cells is 256 x 64 points), and beside them a sample of the colour with
// its red, green and blue values.
//
// Clicking or dragging on a ramp sets that channel (the grey ramp sets all
// three); with the focus, Up and Down choose a ramp and Left and Right move
// its value by 1 (by 16 with Shift), Home and End to 0 and 255. Every
// change made by the user sends the message; SetValue() sends nothing.
//
// The value packs the colour as red << 24 | green << 16 | blue << 8 | 255.
class BColorControl : public BControl {
public:
	BColorControl(BPoint leftTop, color_control_layout layout, float cellSize,
		const char* name, BMessage* message = NULL, bool useOffscreen = false);
	~BColorControl() override;

	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void GetPreferredSize(float* width, float* height) override;

	void SetValue(int32 value) override;
	void SetValue(rgb_color color);
	rgb_color ValueAsColor();

	virtual void SetLayout(color_control_layout layout);
	color_control_layout Layout() const { return fLayout; }
	virtual void SetCellSize(float size);
	float CellSize() const { return fCellSize; }

private:
	// The ramps from top to bottom.
	static constexpr int32 kGrey = 0;
	static constexpr int32 kRed = 1;
	static constexpr int32 kGreen = 2;
	static constexpr int32 kBlue = 3;
	static constexpr int32 kRampCount = 4;

	BRect _FieldFrame() const;
	BRect _RampFrame(int32 ramp) const;
	BRect _SampleFrame() const;
	int32 _RampAt(BPoint where) const;
	uint8 _LevelAt(int32 ramp, float x) const;
	void _DrawRamp(int32 ramp, uint32 flags);
	void _DrawMarker(int32 ramp, uint8 level);
	void _DrawReadouts(uint32 flags);
	// Sets the ramp's channel (every channel for grey) and tells the
	// target when the colour changed.
	void _SetLevel(int32 ramp, int32 level);

	color_control_layout fLayout;
	float fCellSize;
	int32 fFocusedRamp = kRed;
	int32 fTrackedRamp = -1;
};

#endif

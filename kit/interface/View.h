#ifndef _VIEW_H
#define _VIEW_H

#include <memory>

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <Rect.h>

class BBitmap;
class BMessage;
class BPolygon;
class BRegion;
class BScrollBar;
class BWindow;

namespace BPrivate {
class Painter;
struct ViewData;
class WindowAccess;
}

// Resizing modes: how each edge follows its parent's when the parent is
// resized. Bits 12-15 rule the top edge, 8-11 the left, 4-7 the bottom and
// 0-3 the right.
#define _rule_(top, left, bottom, right) \
	(((top) << 12) | ((left) << 8) | ((bottom) << 4) | (right))
enum {
	_VIEW_TOP_ = 1,
	_VIEW_LEFT_ = 2,
	_VIEW_BOTTOM_ = 3,
	_VIEW_RIGHT_ = 4,
	_VIEW_CENTER_ = 5
};
enum {
	B_FOLLOW_NONE = 0,
	B_FOLLOW_ALL_SIDES = _rule_(_VIEW_TOP_, _VIEW_LEFT_, _VIEW_BOTTOM_, _VIEW_RIGHT_),
	B_FOLLOW_ALL = B_FOLLOW_ALL_SIDES,
	B_FOLLOW_LEFT = _rule_(0, _VIEW_LEFT_, 0, _VIEW_LEFT_),
	B_FOLLOW_RIGHT = _rule_(0, _VIEW_RIGHT_, 0, _VIEW_RIGHT_),
	B_FOLLOW_LEFT_RIGHT = _rule_(0, _VIEW_LEFT_, 0, _VIEW_RIGHT_),
	B_FOLLOW_H_CENTER = _rule_(0, _VIEW_CENTER_, 0, _VIEW_CENTER_),
	B_FOLLOW_TOP = _rule_(_VIEW_TOP_, 0, _VIEW_TOP_, 0),
	B_FOLLOW_BOTTOM = _rule_(_VIEW_BOTTOM_, 0, _VIEW_BOTTOM_, 0),
	B_FOLLOW_TOP_BOTTOM = _rule_(_VIEW_TOP_, 0, _VIEW_BOTTOM_, 0),
	B_FOLLOW_V_CENTER = _rule_(_VIEW_CENTER_, 0, _VIEW_CENTER_, 0)
};

// View flags.
enum {
	B_FULL_UPDATE_ON_RESIZE = 0x80000000UL,
	B_WILL_DRAW = 0x20000000UL,
	B_PULSE_NEEDED = 0x10000000UL,
	B_NAVIGABLE_JUMP = 0x08000000UL,
	B_FRAME_EVENTS = 0x04000000UL,
	B_NAVIGABLE = 0x02000000UL,
	B_SUBPIXEL_PRECISE = 0x01000000UL,
	B_DRAW_ON_CHILDREN = 0x00800000UL,
	B_INPUT_METHOD_AWARE = 0x00400000UL
};

// A rectangle of a window that draws and takes input. Its frame is in its
// parent's coordinates, its bounds in its own (scrolled by ScrollTo).
// Drawing state (colours, pen, font, mode) may be set before it is
// attached; drawing needs a window and its lock. A view draws only inside
// its visible part: its bounds, within its parents', less its shown
// children. During Draw() it is limited further to the update region.
class BView : public BHandler {
public:
	BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	~BView() override;

	virtual void AttachedToWindow();
	virtual void AllAttached();
	virtual void DetachedFromWindow();
	virtual void AllDetached();
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	virtual void MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage);
	// The default moves the focus on Tab (backwards with Shift) among
	// B_NAVIGABLE views.
	virtual void KeyDown(const char* bytes, int32 numBytes);
	virtual void KeyUp(const char* bytes, int32 numBytes);
	virtual void MakeFocus(bool focus = true);
	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void Pulse();
	virtual void WindowActivated(bool active);
	virtual void ScrollTo(BPoint where);
	virtual void Show();
	virtual void Hide();
	virtual void GetPreferredSize(float* width, float* height);
	virtual void ResizeToPreferred();
	void MessageReceived(BMessage* message) override;

	void AddChild(BView* child, BView* before = NULL);
	bool RemoveChild(BView* child);
	bool RemoveSelf();
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	// Changes whenever a child is added or removed: what was learnt of
	// the children at one value still holds while the value stays.
	uint32 ChildrenGeneration() const;
	BView* NextSibling() const;
	BView* PreviousSibling() const;
	BView* Parent() const;
	BView* FindView(const char* name) const;
	BWindow* Window() const;

	BRect Bounds() const;
	BRect Frame() const;
	void MoveBy(float dx, float dy);
	void MoveTo(BPoint where);
	void MoveTo(float x, float y);
	void ResizeBy(float dx, float dy);
	void ResizeTo(float width, float height);
	void ScrollTo(float x, float y);
	void ScrollBy(float dx, float dy);
	// The bar of a BScrollView (or any bar) whose target is this view.
	BScrollBar* ScrollBar(orientation direction) const;
	uint32 ResizingMode() const;
	virtual void SetResizingMode(uint32 mode);
	uint32 Flags() const;
	virtual void SetFlags(uint32 flags);
	// Hidden by Hide() (nested), by a hidden parent, or in a hidden window.
	bool IsHidden() const;
	bool IsHidden(const BView* lookingFrom) const;
	bool IsFocus() const;

	void ConvertToParent(BPoint* point) const;
	BPoint ConvertToParent(BPoint point) const;
	void ConvertFromParent(BPoint* point) const;
	BPoint ConvertFromParent(BPoint point) const;
	void ConvertToParent(BRect* rect) const;
	BRect ConvertToParent(BRect rect) const;
	void ConvertFromParent(BRect* rect) const;
	BRect ConvertFromParent(BRect rect) const;
	void ConvertToScreen(BPoint* point) const;
	BPoint ConvertToScreen(BPoint point) const;
	void ConvertFromScreen(BPoint* point) const;
	BPoint ConvertFromScreen(BPoint point) const;
	void ConvertToScreen(BRect* rect) const;
	BRect ConvertToScreen(BRect rect) const;
	void ConvertFromScreen(BRect* rect) const;
	BRect ConvertFromScreen(BRect rect) const;

	// The pointer in this view's coordinates and the buttons held.
	void GetMouse(BPoint* location, uint32* buttons, bool checkMessageQueue = true);
	// While a button is held, every mouse message goes to this view.
	status_t SetMouseEventMask(uint32 mask, uint32 options = 0);
	// Starts dragging a copy of the message (from MouseDown, with a button
	// held); it is dropped where the button is released.
	void DragMessage(BMessage* message, BRect dragRect, BHandler* replyTo = NULL);
	void DragMessage(BMessage* message, BBitmap* bitmap, BPoint offset,
		BHandler* replyTo = NULL);
	void DragMessage(BMessage* message, BBitmap* bitmap, drawing_mode dragMode, BPoint offset,
		BHandler* replyTo = NULL);

	// B_TRANSPARENT_COLOR: the background is not filled before Draw().
	virtual void SetViewColor(rgb_color color);
	void SetViewColor(uint8 r, uint8 g, uint8 b, uint8 a = 255);
	rgb_color ViewColor() const;
	// A copy of the bitmap's part source fills destination behind the
	// view's drawing, repeated across the view with B_TILE_BITMAP options.
	void SetViewBitmap(const BBitmap* bitmap, BRect source, BRect destination,
		uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT, uint32 options = B_TILE_BITMAP);
	void SetViewBitmap(const BBitmap* bitmap, uint32 followFlags = B_FOLLOW_TOP | B_FOLLOW_LEFT,
		uint32 options = B_TILE_BITMAP);
	void ClearViewBitmap();

	virtual void SetHighColor(rgb_color color);
	void SetHighColor(uint8 r, uint8 g, uint8 b, uint8 a = 255);
	rgb_color HighColor() const;
	virtual void SetLowColor(rgb_color color);
	void SetLowColor(uint8 r, uint8 g, uint8 b, uint8 a = 255);
	rgb_color LowColor() const;
	virtual void SetFont(const BFont* font, uint32 mask = B_FONT_ALL);
	void GetFont(BFont* font) const;
	void SetFontSize(float size);
	void GetFontHeight(font_height* height) const;
	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	virtual void SetPenSize(float size);
	float PenSize() const;
	virtual void SetDrawingMode(drawing_mode mode);
	drawing_mode DrawingMode() const;
	void MovePenTo(BPoint point);
	void MovePenTo(float x, float y);
	void MovePenBy(float x, float y);
	BPoint PenLocation() const;
	void PushState();
	void PopState();
	virtual void ConstrainClippingRegion(BRegion* region);
	void GetClippingRegion(BRegion* region) const;

	void StrokeLine(BPoint toPoint, pattern p = B_SOLID_HIGH);
	void StrokeLine(BPoint start, BPoint end, pattern p = B_SOLID_HIGH);
	void BeginLineArray(int32 count);
	void AddLine(BPoint start, BPoint end, rgb_color color);
	void EndLineArray();
	void StrokeRect(BRect rect, pattern p = B_SOLID_HIGH);
	void FillRect(BRect rect, pattern p = B_SOLID_HIGH);
	void FillRegion(BRegion* region, pattern p = B_SOLID_HIGH);
	void InvertRect(BRect rect);
	void StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void FillRoundRect(BRect rect, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void StrokeEllipse(BRect rect, pattern p = B_SOLID_HIGH);
	void FillEllipse(BPoint center, float xRadius, float yRadius, pattern p = B_SOLID_HIGH);
	void FillEllipse(BRect rect, pattern p = B_SOLID_HIGH);
	void StrokeArc(BRect rect, float startAngle, float arcAngle, pattern p = B_SOLID_HIGH);
	void FillArc(BRect rect, float startAngle, float arcAngle, pattern p = B_SOLID_HIGH);
	void StrokePolygon(const BPolygon* polygon, bool closed = true, pattern p = B_SOLID_HIGH);
	void StrokePolygon(const BPoint* points, int32 count, bool closed = true,
		pattern p = B_SOLID_HIGH);
	void FillPolygon(const BPolygon* polygon, pattern p = B_SOLID_HIGH);
	void FillPolygon(const BPoint* points, int32 count, pattern p = B_SOLID_HIGH);
	void StrokeTriangle(BPoint a, BPoint b, BPoint c, pattern p = B_SOLID_HIGH);
	void FillTriangle(BPoint a, BPoint b, BPoint c, pattern p = B_SOLID_HIGH);
	void DrawString(const char* string);
	void DrawString(const char* string, int32 length);
	void DrawString(const char* string, BPoint location);
	void DrawString(const char* string, int32 length, BPoint location);
	void DrawBitmap(const BBitmap* bitmap);
	void DrawBitmap(const BBitmap* bitmap, BPoint where);
	void DrawBitmap(const BBitmap* bitmap, BRect destination);
	void DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination);
	void DrawBitmapAsync(const BBitmap* bitmap, BPoint where);
	void DrawBitmapAsync(const BBitmap* bitmap, BRect source, BRect destination);
	void CopyBits(BRect source, BRect destination);

	// Queues an update of the rectangle (all of the bounds by default),
	// which the window thread draws by calling Draw().
	void Invalidate();
	void Invalidate(BRect rect);
	void Invalidate(const BRegion* region);
	void Flush() const;
	void Sync() const;

private:
	friend class BWindow;
	friend class BPrivate::WindowAccess;

	// The painter, readied to draw on the window; null without a window.
	BPrivate::Painter* _Painter();

	std::unique_ptr<BPrivate::ViewData> fData;
};

#endif

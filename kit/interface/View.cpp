#include <View.h>

#include <algorithm>
#include <cstring>

#include <Bitmap.h>
#include <DisplayServer.h>
#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

#include "window_support/UpdateDrawing.h"
#include "window_support/ViewAttachment.h"
#include "window_support/ViewTree.h"
#include "window_support/WindowAccess.h"

using BPrivate::ViewData;
using BPrivate::WindowAccess;

namespace {

// A region in window coordinates of a rectangle in a view's parent's.
BRegion ParentAreaInWindow(const ViewData& data, BRect rect)
{
	if (data.parent == nullptr)
		return BRegion(rect);
	return BRegion(BPrivate::ToWindow(data.parent, rect));
}

} // namespace

BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	: BHandler(name),
	  fData(std::make_unique<ViewData>())
{
	fData->frame = frame;
	fData->resizingMode = resizingMode;
	fData->flags = flags;
	BFont plain(be_plain_font);
	fData->painter.SetFont(&plain);
}

BView::~BView()
{
	RemoveSelf();
	while (!fData->children.empty()) {
		BView* child = fData->children.back();
		RemoveChild(child);
		delete child;
	}
}

// Hooks: a view that does not override them does nothing.
void BView::AttachedToWindow() {}
void BView::AllAttached() {}
void BView::DetachedFromWindow() {}
void BView::AllDetached() {}
void BView::Draw(BRect) {}
void BView::MouseDown(BPoint) {}
void BView::MouseUp(BPoint) {}
void BView::MouseMoved(BPoint, uint32, const BMessage*) {}
void BView::KeyUp(const char*, int32) {}
void BView::FrameMoved(BPoint) {}
void BView::FrameResized(float, float) {}
void BView::Pulse() {}
void BView::WindowActivated(bool) {}

void BView::KeyDown(const char* bytes, int32 numBytes)
{
	if (fData->window == nullptr || bytes == nullptr || numBytes != 1 || bytes[0] != B_TAB)
		return;
	BMessage* message = fData->window->CurrentMessage();
	int32 modifiers = 0;
	if (message != nullptr)
		message->FindInt32("modifiers", &modifiers);
	if ((modifiers & (B_COMMAND_KEY | B_OPTION_KEY)) != 0)
		return;
	BView* top = WindowAccess::Of(fData->window).topView.get();
	if (BView* next = BPrivate::NextNavigable(top, this, (modifiers & B_SHIFT_KEY) == 0))
		next->MakeFocus(true);
}

void BView::MakeFocus(bool focus)
{
	BWindow* window = fData->window;
	if (window == nullptr)
		return;
	BPrivate::WindowData& windowData = WindowAccess::Of(window);
	BView* current = windowData.focus;
	if (focus) {
		if (current == this)
			return;
		if (current != nullptr)
			current->MakeFocus(false);
		windowData.focus = this;
		window->SetPreferredHandler(this);
	} else if (current == this) {
		windowData.focus = nullptr;
		window->SetPreferredHandler(nullptr);
	}
}

void BView::MessageReceived(BMessage* message)
{
	if (message->what == B_MOUSE_WHEEL_CHANGED && BPrivate::ScrollWithWheel(this, message))
		return;
	BHandler::MessageReceived(message);
}

void BView::GetPreferredSize(float* width, float* height)
{
	if (width != nullptr)
		*width = fData->frame.Width();
	if (height != nullptr)
		*height = fData->frame.Height();
}

void BView::ResizeToPreferred()
{
	float width = 0;
	float height = 0;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}

// Hierarchy.

void BView::AddChild(BView* child, BView* before)
{
	if (child == nullptr || child == this || child->fData->parent != nullptr
		|| child->fData->window != nullptr)
		return;
	std::vector<BView*>& children = fData->children;
	auto position = std::find(children.begin(), children.end(), before);
	children.insert(position, child);
	fData->childrenChanges++;
	child->fData->parent = this;
	if (BWindow* window = fData->window) {
		BPrivate::GeometryChanged(window);
		BPrivate::AttachTree(child, window);
		if (child->fData->parent == this)
			BPrivate::AddDirty(window, BPrivate::ClipOf(child));
	}
}

bool BView::RemoveChild(BView* child)
{
	if (child == nullptr || child->fData->parent != this)
		return false;
	if (BWindow* window = fData->window) {
		BPrivate::AddDirty(window, BPrivate::ClipOf(child));
		BPrivate::DetachTree(child);
		BPrivate::GeometryChanged(window);
	}
	std::vector<BView*>& children = fData->children;
	children.erase(std::remove(children.begin(), children.end(), child), children.end());
	fData->childrenChanges++;
	child->fData->parent = nullptr;
	return true;
}

bool BView::RemoveSelf()
{
	if (fData->parent != nullptr)
		return fData->parent->RemoveChild(this);
	if (fData->window != nullptr)
		return fData->window->RemoveChild(this);
	return false;
}

int32 BView::CountChildren() const
{
	return static_cast<int32>(fData->children.size());
}

uint32 BView::ChildrenGeneration() const
{
	return fData->childrenChanges;
}

BView* BView::ChildAt(int32 index) const
{
	if (index < 0 || index >= CountChildren())
		return nullptr;
	return fData->children[index];
}

BView* BView::NextSibling() const
{
	if (fData->parent == nullptr)
		return nullptr;
	const std::vector<BView*>& siblings = fData->parent->fData->children;
	auto self = std::find(siblings.begin(), siblings.end(), this);
	return self == siblings.end() || self + 1 == siblings.end() ? nullptr : *(self + 1);
}

BView* BView::PreviousSibling() const
{
	if (fData->parent == nullptr)
		return nullptr;
	const std::vector<BView*>& siblings = fData->parent->fData->children;
	auto self = std::find(siblings.begin(), siblings.end(), this);
	return self == siblings.begin() || self == siblings.end() ? nullptr : *(self - 1);
}

BView* BView::Parent() const
{
	BView* parent = fData->parent;
	// The window's own top view is nobody's business.
	if (parent != nullptr && parent->fData->parent == nullptr && fData->window != nullptr
		&& WindowAccess::Of(fData->window).topView.get() == parent)
		return nullptr;
	return parent;
}

BView* BView::FindView(const char* name) const
{
	if (name == nullptr)
		return nullptr;
	for (BView* child : fData->children) {
		if (child->Name() != nullptr && strcmp(child->Name(), name) == 0)
			return child;
		if (BView* found = child->FindView(name))
			return found;
	}
	return nullptr;
}

BWindow* BView::Window() const
{
	return fData->window;
}

// Geometry.

BRect BView::Bounds() const
{
	const BRect& frame = fData->frame;
	return BRect(fData->scrollOrigin,
		fData->scrollOrigin + BPoint(frame.Width(), frame.Height()));
}

BRect BView::Frame() const
{
	return fData->frame;
}

void BView::MoveBy(float dx, float dy)
{
	if (dx == 0 && dy == 0)
		return;
	BWindow* window = fData->window;
	if (window != nullptr)
		BPrivate::AddDirty(window, BPrivate::ClipOf(this));
	fData->frame.OffsetBy(dx, dy);
	if (window == nullptr)
		return;
	BPrivate::ViewMoved(this);
	BPrivate::AddDirty(window, BPrivate::ClipOf(this));
	if (fData->flags & B_FRAME_EVENTS)
		FrameMoved(fData->frame.LeftTop());
}

void BView::MoveTo(BPoint where)
{
	MoveBy(where.x - fData->frame.left, where.y - fData->frame.top);
}

void BView::MoveTo(float x, float y)
{
	MoveTo(BPoint(x, y));
}

void BView::ResizeBy(float dx, float dy)
{
	if (dx == 0 && dy == 0)
		return;
	BRect before = fData->frame;
	fData->frame.right += dx;
	fData->frame.bottom += dy;
	for (BView* child : std::vector<BView*>(fData->children)) {
		BRect moved = BPrivate::FollowResize(child->Frame(), child->ResizingMode(), dx, dy);
		child->MoveTo(moved.LeftTop());
		child->ResizeTo(moved.Width(), moved.Height());
	}
	BWindow* window = fData->window;
	if (window != nullptr) {
		// The area the view gained or gave up, or all of it when it asks.
		BRegion changed = ParentAreaInWindow(*fData, before | fData->frame);
		if ((fData->flags & B_FULL_UPDATE_ON_RESIZE) == 0) {
			BRegion kept = ParentAreaInWindow(*fData, before & fData->frame);
			changed.Exclude(&kept);
		}
		BPrivate::GeometryChanged(window);
		BRegion clip = BPrivate::ClipOf(fData->parent != nullptr ? fData->parent : this);
		changed.IntersectWith(&clip);
		BPrivate::AddDirty(window, changed);
	}
	if (fData->flags & B_FRAME_EVENTS)
		FrameResized(fData->frame.Width(), fData->frame.Height());
}

void BView::ResizeTo(float width, float height)
{
	ResizeBy(width - fData->frame.Width(), height - fData->frame.Height());
}

void BView::ScrollTo(BPoint where)
{
	if (where == fData->scrollOrigin)
		return;
	fData->scrollOrigin = where;
	if (BWindow* window = fData->window) {
		BPrivate::GeometryChanged(window);
		BPrivate::AddDirty(window, BPrivate::ClipOf(this));
	}
	// The bars follow; a bar whose value changes scrolls back here with the
	// same origin, which ends the exchange.
	if (BScrollBar* bar = ScrollBar(B_VERTICAL))
		bar->SetValue(where.y);
	if (BScrollBar* bar = ScrollBar(B_HORIZONTAL))
		bar->SetValue(where.x);
}

BScrollBar* BView::ScrollBar(orientation direction) const
{
	return BPrivate::ScrollBarFor(this, direction);
}

void BView::ScrollTo(float x, float y)
{
	ScrollTo(BPoint(x, y));
}

void BView::ScrollBy(float dx, float dy)
{
	ScrollTo(fData->scrollOrigin + BPoint(dx, dy));
}

uint32 BView::ResizingMode() const
{
	return fData->resizingMode;
}

void BView::SetResizingMode(uint32 mode)
{
	fData->resizingMode = mode;
}

uint32 BView::Flags() const
{
	return fData->flags;
}

void BView::SetFlags(uint32 flags)
{
	uint32 before = fData->flags;
	fData->flags = flags;
	BWindow* window = fData->window;
	if (window == nullptr)
		return;
	if ((before ^ flags) & B_DRAW_ON_CHILDREN)
		BPrivate::GeometryChanged(window);
	if ((before ^ flags) & B_PULSE_NEEDED)
		window->SetPulseRate(window->PulseRate());
}

void BView::Show()
{
	if (--fData->showLevel != 0 || fData->window == nullptr)
		return;
	BPrivate::GeometryChanged(fData->window);
	BPrivate::AddDirty(fData->window, BPrivate::ClipOf(this));
}

void BView::Hide()
{
	if (++fData->showLevel != 1 || fData->window == nullptr)
		return;
	BPrivate::AddDirty(fData->window, BPrivate::ClipOf(this));
	BPrivate::GeometryChanged(fData->window);
}

bool BView::IsHidden() const
{
	return IsHidden(nullptr);
}

bool BView::IsHidden(const BView* lookingFrom) const
{
	if (fData->showLevel > 0)
		return true;
	if (lookingFrom == this)
		return false;
	if (fData->parent != nullptr)
		return fData->parent->IsHidden(lookingFrom);
	if (fData->window != nullptr && lookingFrom == nullptr)
		return fData->window->IsHidden();
	return false;
}

bool BView::IsFocus() const
{
	return fData->window != nullptr && WindowAccess::Of(fData->window).focus == this;
}

// Coordinates.

void BView::ConvertToParent(BPoint* point) const
{
	*point = ConvertToParent(*point);
}

BPoint BView::ConvertToParent(BPoint point) const
{
	return point - fData->scrollOrigin + fData->frame.LeftTop();
}

void BView::ConvertFromParent(BPoint* point) const
{
	*point = ConvertFromParent(*point);
}

BPoint BView::ConvertFromParent(BPoint point) const
{
	return point - fData->frame.LeftTop() + fData->scrollOrigin;
}

void BView::ConvertToParent(BRect* rect) const
{
	*rect = ConvertToParent(*rect);
}

BRect BView::ConvertToParent(BRect rect) const
{
	return BRect(ConvertToParent(rect.LeftTop()), ConvertToParent(rect.RightBottom()));
}

void BView::ConvertFromParent(BRect* rect) const
{
	*rect = ConvertFromParent(*rect);
}

BRect BView::ConvertFromParent(BRect rect) const
{
	return BRect(ConvertFromParent(rect.LeftTop()), ConvertFromParent(rect.RightBottom()));
}

void BView::ConvertToScreen(BPoint* point) const
{
	*point = ConvertToScreen(*point);
}

BPoint BView::ConvertToScreen(BPoint point) const
{
	BPoint inWindow = BPrivate::ToWindow(this, point);
	return fData->window != nullptr ? fData->window->ConvertToScreen(inWindow) : inWindow;
}

void BView::ConvertFromScreen(BPoint* point) const
{
	*point = ConvertFromScreen(*point);
}

BPoint BView::ConvertFromScreen(BPoint point) const
{
	if (fData->window != nullptr)
		point = fData->window->ConvertFromScreen(point);
	return BPrivate::FromWindow(this, point);
}

void BView::ConvertToScreen(BRect* rect) const
{
	*rect = ConvertToScreen(*rect);
}

BRect BView::ConvertToScreen(BRect rect) const
{
	return BRect(ConvertToScreen(rect.LeftTop()), ConvertToScreen(rect.RightBottom()));
}

void BView::ConvertFromScreen(BRect* rect) const
{
	*rect = ConvertFromScreen(*rect);
}

BRect BView::ConvertFromScreen(BRect rect) const
{
	return BRect(ConvertFromScreen(rect.LeftTop()), ConvertFromScreen(rect.RightBottom()));
}

// Input.

void BView::GetMouse(BPoint* location, uint32* buttons, bool)
{
	BPoint screen;
	uint32 held = 0;
	BPrivate::DisplayServer::Default()->GetMouse(&screen, &held);
	if (location != nullptr)
		*location = ConvertFromScreen(screen);
	if (buttons != nullptr)
		*buttons = held;
}

status_t BView::SetMouseEventMask(uint32 mask, uint32)
{
	BWindow* window = fData->window;
	if (window == nullptr)
		return B_ERROR;
	fData->mouseEventMask = mask;
	if (mask & B_POINTER_EVENTS)
		WindowAccess::Of(window).pointerView = this;
	return B_OK;
}

void BView::DragMessage(BMessage* message, BRect dragRect, BHandler* replyTo)
{
	BWindow* window = fData->window;
	if (message == nullptr || window == nullptr)
		return;
	BPrivate::WindowData& windowData = WindowAccess::Of(window);
	auto drag = std::make_unique<BPrivate::DragState>();
	drag->message = *message;
	drag->offset = BPrivate::FromWindow(this, windowData.mouseWhere) - dragRect.LeftTop();
	drag->replyTo = replyTo != nullptr ? BMessenger(replyTo) : BMessenger(this);
	windowData.drag = std::move(drag);
}

void BView::DragMessage(BMessage* message, BBitmap* bitmap, BPoint offset, BHandler* replyTo)
{
	DragMessage(message, bitmap, B_OP_COPY, offset, replyTo);
}

void BView::DragMessage(BMessage* message, BBitmap* bitmap, drawing_mode, BPoint offset,
	BHandler* replyTo)
{
	// The dragged picture is the caller's gift, as on BeOS.
	std::unique_ptr<BBitmap> picture(bitmap);
	BPoint pointer = fData->window != nullptr
		? BPrivate::FromWindow(this, WindowAccess::Of(fData->window).mouseWhere) : B_ORIGIN;
	BPoint topLeft = pointer - offset;
	BRect area = picture != nullptr ? picture->Bounds().OffsetToCopy(topLeft)
		: BRect(topLeft, topLeft);
	DragMessage(message, area, replyTo);
}

// Drawing state.

void BView::SetViewColor(rgb_color color)
{
	if (fData->viewColor == color)
		return;
	fData->viewColor = color;
	if (fData->window != nullptr)
		Invalidate();
}

void BView::SetViewColor(uint8 r, uint8 g, uint8 b, uint8 a)
{
	SetViewColor(make_color(r, g, b, a));
}

rgb_color BView::ViewColor() const
{
	return fData->viewColor;
}

void BView::SetViewBitmap(const BBitmap* bitmap, BRect source, BRect destination, uint32,
	uint32 options)
{
	if (bitmap == nullptr || !bitmap->IsValid()) {
		ClearViewBitmap();
		return;
	}
	// The view keeps its own copy of the part it shows, so the caller may
	// delete the bitmap, as on BeOS.
	BRect area = source & bitmap->Bounds();
	if (!area.IsValid())
		return;
	auto copy = std::make_unique<BBitmap>(area.OffsetToCopy(B_ORIGIN), B_RGBA32);
	if (!copy->IsValid())
		return;
	int32 left = static_cast<int32>(area.left);
	int32 top = static_cast<int32>(area.top);
	const uint8* bits = static_cast<const uint8*>(bitmap->Bits());
	uint8* target = static_cast<uint8*>(copy->Bits());
	for (int32 y = 0; y <= static_cast<int32>(area.Height()); y++) {
		memcpy(target + y * copy->BytesPerRow(),
			bits + (top + y) * bitmap->BytesPerRow() + left * 4, copy->BytesPerRow());
	}
	fData->viewBitmap = std::move(copy);
	fData->bitmapDestination = destination;
	fData->bitmapOptions = options;
	if (fData->window != nullptr)
		Invalidate();
}

void BView::SetViewBitmap(const BBitmap* bitmap, uint32 followFlags, uint32 options)
{
	if (bitmap == nullptr) {
		ClearViewBitmap();
		return;
	}
	SetViewBitmap(bitmap, bitmap->Bounds(), bitmap->Bounds(), followFlags, options);
}

void BView::ClearViewBitmap()
{
	if (fData->viewBitmap == nullptr)
		return;
	fData->viewBitmap.reset();
	if (fData->window != nullptr)
		Invalidate();
}

void BView::SetHighColor(rgb_color color)
{
	fData->painter.SetHighColor(color);
}

void BView::SetHighColor(uint8 r, uint8 g, uint8 b, uint8 a)
{
	SetHighColor(make_color(r, g, b, a));
}

rgb_color BView::HighColor() const
{
	return fData->painter.HighColor();
}

void BView::SetLowColor(rgb_color color)
{
	fData->painter.SetLowColor(color);
}

void BView::SetLowColor(uint8 r, uint8 g, uint8 b, uint8 a)
{
	SetLowColor(make_color(r, g, b, a));
}

rgb_color BView::LowColor() const
{
	return fData->painter.LowColor();
}

void BView::SetFont(const BFont* font, uint32 mask)
{
	fData->painter.SetFont(font, mask);
}

void BView::GetFont(BFont* font) const
{
	if (font != nullptr)
		fData->painter.GetFont(font);
}

void BView::SetFontSize(float size)
{
	BFont font;
	font.SetSize(size);
	SetFont(&font, B_FONT_SIZE);
}

void BView::GetFontHeight(font_height* height) const
{
	if (height != nullptr)
		fData->painter.Font().GetHeight(height);
}

float BView::StringWidth(const char* string) const
{
	return fData->painter.Font().StringWidth(string);
}

float BView::StringWidth(const char* string, int32 length) const
{
	return fData->painter.Font().StringWidth(string, length);
}

void BView::SetPenSize(float size)
{
	fData->painter.SetPenSize(size);
}

float BView::PenSize() const
{
	return fData->painter.PenSize();
}

void BView::SetDrawingMode(drawing_mode mode)
{
	fData->painter.SetDrawingMode(mode);
}

drawing_mode BView::DrawingMode() const
{
	return fData->painter.DrawingMode();
}

void BView::MovePenTo(BPoint point)
{
	fData->painter.MovePenTo(point);
}

void BView::MovePenTo(float x, float y)
{
	fData->painter.MovePenTo(x, y);
}

void BView::MovePenBy(float x, float y)
{
	fData->painter.MovePenBy(x, y);
}

BPoint BView::PenLocation() const
{
	return fData->painter.PenLocation();
}

void BView::PushState()
{
	fData->painter.PushState();
}

void BView::PopState()
{
	fData->painter.PopState();
}

void BView::ConstrainClippingRegion(BRegion* region)
{
	fData->painter.ConstrainClippingRegion(region);
}

void BView::GetClippingRegion(BRegion* region) const
{
	if (region == nullptr)
		return;
	if (fData->window == nullptr) {
		region->MakeEmpty();
		return;
	}
	const_cast<BView*>(this)->_Painter();
	fData->painter.GetClippingRegion(region);
}

// Drawing.

BPrivate::Painter* BView::_Painter()
{
	BWindow* window = fData->window;
	if (window == nullptr)
		return nullptr;
	if (fData->drawingUpdate)
		return &fData->painter;
	BPrivate::PreparePainter(this);
	// Drawn outside an update: the visible part may have changed.
	BRegion visible = BPrivate::VisibleOf(this);
	WindowAccess::Of(window).changed.Include(visible.Frame());
	return &fData->painter;
}

#define DRAW(call) \
	do { \
		if (BPrivate::Painter* painter = _Painter()) \
			painter->call; \
	} while (false)

void BView::StrokeLine(BPoint toPoint, pattern p) { DRAW(StrokeLine(toPoint, p)); }
void BView::StrokeLine(BPoint start, BPoint end, pattern p) { DRAW(StrokeLine(start, end, p)); }
void BView::BeginLineArray(int32 count) { fData->painter.BeginLineArray(count); }
void BView::AddLine(BPoint start, BPoint end, rgb_color color)
{
	fData->painter.AddLine(start, end, color);
}
void BView::EndLineArray() { DRAW(EndLineArray()); }
void BView::StrokeRect(BRect rect, pattern p) { DRAW(StrokeRect(rect, p)); }
void BView::FillRect(BRect rect, pattern p) { DRAW(FillRect(rect, p)); }
void BView::FillRegion(BRegion* region, pattern p) { DRAW(FillRegion(region, p)); }
void BView::InvertRect(BRect rect) { DRAW(InvertRect(rect)); }
void BView::StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern p)
{
	DRAW(StrokeRoundRect(rect, xRadius, yRadius, p));
}
void BView::FillRoundRect(BRect rect, float xRadius, float yRadius, pattern p)
{
	DRAW(FillRoundRect(rect, xRadius, yRadius, p));
}
void BView::StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern p)
{
	DRAW(StrokeEllipse(center, xRadius, yRadius, p));
}
void BView::StrokeEllipse(BRect rect, pattern p) { DRAW(StrokeEllipse(rect, p)); }
void BView::FillEllipse(BPoint center, float xRadius, float yRadius, pattern p)
{
	DRAW(FillEllipse(center, xRadius, yRadius, p));
}
void BView::FillEllipse(BRect rect, pattern p) { DRAW(FillEllipse(rect, p)); }
void BView::StrokeArc(BRect rect, float startAngle, float arcAngle, pattern p)
{
	DRAW(StrokeArc(rect, startAngle, arcAngle, p));
}
void BView::FillArc(BRect rect, float startAngle, float arcAngle, pattern p)
{
	DRAW(FillArc(rect, startAngle, arcAngle, p));
}
void BView::StrokePolygon(const BPolygon* polygon, bool closed, pattern p)
{
	DRAW(StrokePolygon(polygon, closed, p));
}
void BView::StrokePolygon(const BPoint* points, int32 count, bool closed, pattern p)
{
	DRAW(StrokePolygon(points, count, closed, p));
}
void BView::FillPolygon(const BPolygon* polygon, pattern p) { DRAW(FillPolygon(polygon, p)); }
void BView::FillPolygon(const BPoint* points, int32 count, pattern p)
{
	DRAW(FillPolygon(points, count, p));
}
void BView::StrokeTriangle(BPoint a, BPoint b, BPoint c, pattern p)
{
	DRAW(StrokeTriangle(a, b, c, p));
}
void BView::FillTriangle(BPoint a, BPoint b, BPoint c, pattern p)
{
	DRAW(FillTriangle(a, b, c, p));
}
void BView::DrawString(const char* string) { DRAW(DrawString(string)); }
void BView::DrawString(const char* string, int32 length) { DRAW(DrawString(string, length)); }
void BView::DrawString(const char* string, BPoint location) { DRAW(DrawString(string, location)); }
void BView::DrawString(const char* string, int32 length, BPoint location)
{
	DRAW(DrawString(string, length, location));
}
void BView::DrawBitmap(const BBitmap* bitmap) { DRAW(DrawBitmap(bitmap)); }
void BView::DrawBitmap(const BBitmap* bitmap, BPoint where) { DRAW(DrawBitmap(bitmap, where)); }
void BView::DrawBitmap(const BBitmap* bitmap, BRect destination)
{
	DRAW(DrawBitmap(bitmap, destination));
}
void BView::DrawBitmap(const BBitmap* bitmap, BRect source, BRect destination)
{
	DRAW(DrawBitmap(bitmap, source, destination));
}
void BView::DrawBitmapAsync(const BBitmap* bitmap, BPoint where) { DrawBitmap(bitmap, where); }
void BView::DrawBitmapAsync(const BBitmap* bitmap, BRect source, BRect destination)
{
	DrawBitmap(bitmap, source, destination);
}
void BView::CopyBits(BRect source, BRect destination) { DRAW(CopyBits(source, destination)); }

#undef DRAW

void BView::Invalidate()
{
	Invalidate(Bounds());
}

void BView::Invalidate(BRect rect)
{
	BWindow* window = fData->window;
	if (window == nullptr || !rect.IsValid())
		return;
	BRegion area(BPrivate::ToWindow(this, rect));
	area.IntersectWith(&BPrivate::ClipOf(this));
	BPrivate::AddDirty(window, area);
}

void BView::Invalidate(const BRegion* region)
{
	if (region == nullptr)
		return;
	for (int32 i = 0; i < region->CountRects(); i++)
		Invalidate(region->RectAt(i));
}

void BView::Flush() const
{
	if (fData->window != nullptr)
		fData->window->Flush();
}

void BView::Sync() const
{
	if (fData->window != nullptr)
		fData->window->Sync();
}

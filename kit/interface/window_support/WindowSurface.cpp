#include "WindowSurface.h"

#include <cmath>

#include <DisplayServer.h>
#include <WindowPrivate.h>

#include "WindowAccess.h"
#include "WindowDirectory.h"

namespace BPrivate {

namespace {

int32 Pixels(float length)
{
	return std::max<int32>(static_cast<int32>(std::lround(length)) + 1, 1);
}

int32 Coordinate(float value)
{
	return static_cast<int32>(std::lround(value));
}

WindowKind KindOf(window_look look, window_feel feel)
{
	switch (feel) {
		case B_MODAL_SUBSET_WINDOW_FEEL:
		case B_MODAL_APP_WINDOW_FEEL:
		case B_MODAL_ALL_WINDOW_FEEL:
			return look == B_NO_BORDER_WINDOW_LOOK ? WindowKind::kBorderless : WindowKind::kModal;
		case B_FLOATING_ALL_WINDOW_FEEL:
			return WindowKind::kFloatingAll;
		case B_FLOATING_SUBSET_WINDOW_FEEL:
		case B_FLOATING_APP_WINDOW_FEEL:
			return WindowKind::kFloating;
		default:
			break;
	}
	if (feel == kMenuWindowFeel)
		return WindowKind::kPopUp;
	switch (look) {
		case B_NO_BORDER_WINDOW_LOOK:
		case B_BORDERED_WINDOW_LOOK:
			return WindowKind::kBorderless;
		case B_MODAL_WINDOW_LOOK:
			return WindowKind::kModal;
		case B_FLOATING_WINDOW_LOOK:
			return WindowKind::kFloating;
		default:
			return WindowKind::kTitled;
	}
}

// A white surface of that size, with the pixels of old (when given) at its
// top left.
cairo_surface_t* NewSurface(int32 width, int32 height, cairo_surface_t* old)
{
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
	cairo_t* context = cairo_create(surface);
	cairo_set_source_rgb(context, 1, 1, 1);
	cairo_paint(context);
	if (old != nullptr) {
		cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
		cairo_set_source_surface(context, old, 0, 0);
		cairo_paint(context);
	}
	cairo_destroy(context);
	return surface;
}

} // namespace

void ResizeSurface(BWindow* window, int32 width, int32 height)
{
	WindowData& data = WindowAccess::Of(window);
	if (data.surface != nullptr)
		data.surface.reset(NewSurface(width, height, data.surface.get()));
}

// Made when first drawn into: windows that are never shown (file panels,
// alerts, the windows of a batch command) hold no pixels.
cairo_surface_t* SurfaceOf(BWindow* window)
{
	WindowData& data = WindowAccess::Of(window);
	if (data.surface == nullptr) {
		data.surface.reset(NewSurface(Pixels(data.frame.Width()), Pixels(data.frame.Height()),
			nullptr));
	}
	return data.surface.get();
}

void ApplyWindowSize(BWindow* window, float width, float height)
{
	WindowData& data = WindowAccess::Of(window);
	if (width == data.frame.Width() && height == data.frame.Height())
		return;
	ResizeSurface(window, Pixels(width), Pixels(height));
	data.frame.right = data.frame.left + width;
	data.frame.bottom = data.frame.top + height;
	WindowDirectory::SetFrame(window, data.frame);
	data.geometryGeneration++;
	if (data.topView != nullptr)
		data.topView->ResizeTo(width, height);
	data.changed.Include(window->Bounds());
	data.display->SetSpec(SpecOf(window));
}

WindowSpec SpecOf(const BWindow* window)
{
	const WindowData& data = WindowAccess::Of(window);
	WindowSpec spec;
	spec.kind = KindOf(data.look, data.feel);
	spec.title = data.title;
	spec.frame = PixelRect{Coordinate(data.frame.left), Coordinate(data.frame.top),
		Pixels(data.frame.Width()), Pixels(data.frame.Height())};
	spec.resizable = (data.flags & B_NOT_RESIZABLE) == 0
		&& (data.flags & (B_NOT_H_RESIZABLE | B_NOT_V_RESIZABLE))
			!= (B_NOT_H_RESIZABLE | B_NOT_V_RESIZABLE);
	spec.movable = (data.flags & B_NOT_MOVABLE) == 0;
	spec.takesFocus = (data.flags & B_AVOID_FOCUS) == 0 && spec.kind != WindowKind::kPopUp;
	spec.minWidth = Pixels(data.minWidth);
	spec.minHeight = Pixels(data.minHeight);
	spec.maxWidth = Pixels(data.maxWidth);
	spec.maxHeight = Pixels(data.maxHeight);
	if (spec.kind == WindowKind::kFloating || spec.kind == WindowKind::kModal)
		spec.ownerID = WindowDirectory::OwnerDisplayID(window);
	return spec;
}

void PublishChanges(BWindow* window)
{
	WindowData& data = WindowAccess::Of(window);
	if (data.transactions > 0 || window->IsHidden() || data.changed.CountRects() == 0)
		return;
	std::vector<PixelRect> parts;
	for (int32 i = 0; i < data.changed.CountRects(); i++) {
		clipping_rect rect = data.changed.RectAtInt(i);
		parts.push_back(PixelRect{rect.left, rect.top, rect.right - rect.left + 1,
			rect.bottom - rect.top + 1});
	}
	data.changed.MakeEmpty();
	if (data.display->Publish(SurfaceOf(window), parts))
		DisplayServer::Default()->Present(data.display);
}

} // namespace BPrivate

#include <DisplayWindow.h>

#include <algorithm>
#include <cstring>

namespace BPrivate {

namespace {

// More parts than this are merged into their bounding rectangle: copying
// a little more is cheaper than keeping long lists.
const size_t kMaxParts = 32;

PixelRect Clipped(PixelRect rect, int32 width, int32 height)
{
	int32 left = std::max(rect.x, 0);
	int32 top = std::max(rect.y, 0);
	int32 right = std::min(rect.x + rect.width, width);
	int32 bottom = std::min(rect.y + rect.height, height);
	return PixelRect{left, top, right - left, bottom - top};
}

PixelRect Union(PixelRect a, PixelRect b)
{
	int32 left = std::min(a.x, b.x);
	int32 top = std::min(a.y, b.y);
	int32 right = std::max(a.x + a.width, b.x + b.width);
	int32 bottom = std::max(a.y + a.height, b.y + b.height);
	return PixelRect{left, top, right - left, bottom - top};
}

void AddPart(std::vector<PixelRect>& parts, PixelRect part)
{
	if (part.IsEmpty())
		return;
	parts.push_back(part);
	if (parts.size() <= kMaxParts)
		return;
	PixelRect all = parts.front();
	for (const PixelRect& each : parts)
		all = Union(all, each);
	parts.assign(1, all);
}

} // namespace

DisplayWindow::DisplayWindow(int32 id, const WindowSpec& spec, EventHandler handler)
	: fID(id),
	  fHandler(std::move(handler)),
	  fSpec(spec)
{
}

DisplayWindow::~DisplayWindow() = default;

void DisplayWindow::Deliver(const DisplayEvent& event)
{
	std::lock_guard<std::mutex> guard(fHandlerLock);
	if (fHandler)
		fHandler(event);
}

void DisplayWindow::Detach()
{
	std::lock_guard<std::mutex> guard(fHandlerLock);
	fHandler = nullptr;
}

WindowSpec DisplayWindow::Spec() const
{
	std::lock_guard<std::mutex> guard(fLock);
	return fSpec;
}

void DisplayWindow::SetSpec(const WindowSpec& spec)
{
	std::lock_guard<std::mutex> guard(fLock);
	fSpec = spec;
}

void DisplayWindow::_ResizeFront(int32 width, int32 height)
{
	if (width == fFrontWidth && height == fFrontHeight)
		return;
	std::vector<uint8> resized(static_cast<size_t>(width) * height * 4, 0xff);
	int32 rows = std::min(height, fFrontHeight);
	size_t rowBytes = static_cast<size_t>(std::min(width, fFrontWidth)) * 4;
	for (int32 y = 0; y < rows; y++)
		memcpy(&resized[static_cast<size_t>(y) * width * 4],
			&fFront[static_cast<size_t>(y) * fFrontWidth * 4], rowBytes);
	fFront.swap(resized);
	fFrontWidth = width;
	fFrontHeight = height;
}

bool DisplayWindow::Publish(cairo_surface_t* surface, const std::vector<PixelRect>& parts)
{
	if (surface == nullptr || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
		return false;
	// Everything drawn so far must be in memory before it is copied.
	cairo_surface_flush(surface);
	const uint8* source = cairo_image_surface_get_data(surface);
	int32 stride = cairo_image_surface_get_stride(surface);
	int32 width = cairo_image_surface_get_width(surface);
	int32 height = cairo_image_surface_get_height(surface);

	std::lock_guard<std::mutex> guard(fLock);
	_ResizeFront(width, height);
	for (const PixelRect& part : parts) {
		PixelRect clipped = Clipped(part, width, height);
		if (clipped.IsEmpty())
			continue;
		for (int32 y = clipped.y; y < clipped.y + clipped.height; y++) {
			memcpy(&fFront[(static_cast<size_t>(y) * width + clipped.x) * 4],
				source + static_cast<size_t>(y) * stride + clipped.x * 4,
				static_cast<size_t>(clipped.width) * 4);
		}
		AddPart(fPublished, clipped);
	}
	if (fPublished.empty() || fPresentPending)
		return false;
	fPresentPending = true;
	return true;
}

void DisplayWindow::TakePublished(const PresentFunction& present)
{
	std::lock_guard<std::mutex> guard(fLock);
	fPresentPending = false;
	if (fPublished.empty() || fFront.empty())
		return;
	std::vector<PixelRect> parts;
	parts.swap(fPublished);
	present(fFront.data(), fFrontWidth * 4, fFrontWidth, fFrontHeight, parts);
}

void DisplayWindow::RepublishAll()
{
	std::lock_guard<std::mutex> guard(fLock);
	fPublished.assign(1, PixelRect{0, 0, fFrontWidth, fFrontHeight});
}

cairo_surface_t* DisplayWindow::CopyFront() const
{
	std::lock_guard<std::mutex> guard(fLock);
	if (fFront.empty())
		return nullptr;
	cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, fFrontWidth,
		fFrontHeight);
	if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS)
		return copy;
	cairo_surface_flush(copy);
	uint8* target = cairo_image_surface_get_data(copy);
	int32 stride = cairo_image_surface_get_stride(copy);
	for (int32 y = 0; y < fFrontHeight; y++)
		memcpy(target + static_cast<size_t>(y) * stride,
			&fFront[static_cast<size_t>(y) * fFrontWidth * 4],
			static_cast<size_t>(fFrontWidth) * 4);
	cairo_surface_mark_dirty(copy);
	return copy;
}

} // namespace BPrivate

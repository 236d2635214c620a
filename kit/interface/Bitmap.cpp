#include <Bitmap.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include <Message.h>

namespace {

const int32 kBytesPerPixel = 4;
const char* kClassName = "BBitmap";

int32 SourcePixelSize(color_space space)
{
	switch (space) {
		case B_RGBA32:
		case B_RGB32:
			return 4;
		case B_RGB24:
			return 3;
		case B_GRAY8:
			return 1;
		default:
			return 0;
	}
}

// Writes one source pixel as blue, green, red, alpha.
void ConvertPixel(const uint8* source, color_space space, uint8* target)
{
	switch (space) {
		case B_RGBA32:
			memcpy(target, source, 4);
			break;
		case B_RGB32:
			memcpy(target, source, 3);
			target[3] = 255;
			break;
		case B_RGB24:
			memcpy(target, source, 3);
			target[3] = 255;
			break;
		case B_GRAY8:
			target[0] = target[1] = target[2] = source[0];
			target[3] = 255;
			break;
		default:
			break;
	}
}

} // namespace

BBitmap::BBitmap(BRect bounds, color_space colorSpace, bool, bool)
{
	_Allocate(bounds, colorSpace);
}

BBitmap::BBitmap(const BBitmap* source, bool, bool)
{
	if (source == nullptr || !source->IsValid()) {
		fStatus = B_BAD_VALUE;
		return;
	}
	_Allocate(source->Bounds(), source->ColorSpace());
	if (IsValid())
		memcpy(fBits.get(), source->fBits.get(), fBitsLength);
}

BBitmap::BBitmap(BMessage* archive)
{
	fStatus = _Unarchive(archive);
	if (fStatus != B_OK) {
		fBits.reset();
		fBytesPerRow = fBitsLength = 0;
		fBounds = BRect();
	}
}

BBitmap::~BBitmap() = default;

BBitmap* BBitmap::Instantiate(BMessage* archive)
{
	const char* className = nullptr;
	if (archive == nullptr || archive->FindString("class", &className) != B_OK
		|| strcmp(className, kClassName) != 0)
		return nullptr;
	BBitmap* bitmap = new BBitmap(archive);
	if (!bitmap->IsValid()) {
		delete bitmap;
		return nullptr;
	}
	return bitmap;
}

status_t BBitmap::Archive(BMessage* archive, bool) const
{
	if (archive == nullptr)
		return B_BAD_VALUE;
	if (!IsValid())
		return fStatus;
	status_t status = archive->AddString("class", kClassName);
	if (status == B_OK)
		status = archive->AddRect("_frame", fBounds);
	if (status == B_OK)
		status = archive->AddInt32("_cspace", fColorSpace);
	if (status == B_OK)
		status = archive->AddInt32("_bmflags", 0);
	if (status == B_OK)
		status = archive->AddInt32("_rowbytes", fBytesPerRow);
	if (status == B_OK)
		status = archive->AddData("_data", B_RAW_TYPE, fBits.get(), fBitsLength);
	return status;
}

// Archives from elsewhere may pad their rows: each row is taken at its own
// offset. Pixels that are not all there make the archive broken rather than
// a picture with garbage in it.
status_t BBitmap::_Unarchive(const BMessage* archive)
{
	BRect frame;
	int32 space;
	const void* data = nullptr;
	ssize_t size = 0;
	if (archive == nullptr || archive->FindRect("_frame", &frame) != B_OK
		|| archive->FindInt32("_cspace", &space) != B_OK
		|| archive->FindData("_data", B_RAW_TYPE, &data, &size) != B_OK)
		return B_BAD_VALUE;
	color_space source = static_cast<color_space>(space);
	int32 pixelSize = SourcePixelSize(source);
	if (pixelSize == 0)
		return B_BAD_VALUE;
	_Allocate(frame, source == B_RGB32 ? B_RGB32 : B_RGBA32);
	if (fStatus != B_OK)
		return fStatus;
	int32 width = fBytesPerRow / kBytesPerPixel;
	int32 height = fBitsLength / fBytesPerRow;
	int32 rowBytes;
	if (archive->FindInt32("_rowbytes", &rowBytes) != B_OK)
		rowBytes = (width * pixelSize + 3) & ~3;
	if (rowBytes < width * pixelSize
		|| size < static_cast<ssize_t>(rowBytes) * (height - 1) + width * pixelSize)
		return B_BAD_VALUE;
	const uint8* rows = static_cast<const uint8*>(data);
	for (int32 y = 0; y < height; y++) {
		SetBits(rows + static_cast<size_t>(y) * rowBytes, width * pixelSize, y * fBytesPerRow,
			source);
	}
	return B_OK;
}

void BBitmap::_Allocate(BRect bounds, color_space colorSpace)
{
	fColorSpace = colorSpace;
	if (!bounds.IsValid() || !std::isfinite(bounds.Width()) || !std::isfinite(bounds.Height())
		|| (colorSpace != B_RGBA32 && colorSpace != B_RGB32)) {
		fStatus = B_BAD_VALUE;
		return;
	}
	double width = std::floor(bounds.Width()) + 1;
	double height = std::floor(bounds.Height()) + 1;
	// BitsLength() is an int32: larger bitmaps cannot be described.
	if (width * height * kBytesPerPixel > INT32_MAX) {
		fStatus = B_NO_MEMORY;
		return;
	}
	fBytesPerRow = static_cast<int32>(width) * kBytesPerPixel;
	fBitsLength = fBytesPerRow * static_cast<int32>(height);
	fBits.reset(new (std::nothrow) uint8[fBitsLength]());
	if (fBits == nullptr) {
		fBytesPerRow = fBitsLength = 0;
		fStatus = B_NO_MEMORY;
		return;
	}
	fBounds = BRect(0, 0, width - 1, height - 1);
	fStatus = B_OK;
}

void BBitmap::SetBits(const void* data, int32 length, int32 offset, color_space colorSpace)
{
	int32 pixelSize = SourcePixelSize(colorSpace);
	if (!IsValid() || data == nullptr || length <= 0 || offset < 0 || pixelSize == 0)
		return;
	// The offset counts bytes of the bitmap; copying starts at that pixel.
	// Source rows of 3- and 1-byte pixels are padded to 4 bytes, as BeOS
	// lays them out.
	int32 width = fBytesPerRow / kBytesPerPixel;
	int32 pixelCount = fBitsLength / kBytesPerPixel;
	int32 rowPadding = ((width * pixelSize + 3) & ~3) - width * pixelSize;
	const uint8* source = static_cast<const uint8*>(data);
	size_t position = 0;
	for (int32 pixel = offset / kBytesPerPixel;
			pixel < pixelCount && position + pixelSize <= static_cast<size_t>(length); pixel++) {
		ConvertPixel(source + position, colorSpace, fBits.get() + static_cast<size_t>(pixel) * kBytesPerPixel);
		position += pixelSize;
		if ((pixel + 1) % width == 0)
			position += rowPadding;
	}
}

#ifndef _BITMAP_H
#define _BITMAP_H

#include <memory>

#include <GraphicsDefs.h>
#include <Rect.h>

class BMessage;

// Pixels in memory. B_RGBA32 and B_RGB32 keep the BeOS byte order: blue,
// green, red, alpha in memory, which is cairo's ARGB32 on a little-endian
// machine. Unlike cairo's, the colours are NOT premultiplied by alpha: a
// half-transparent red is FF 00 00 80 in memory order R G B A (bytes
// 00 00 FF 80). Drawing converts (see BPrivate::Painter). B_RGB32 ignores
// the fourth byte. Rows have no padding: BytesPerRow() is 4 * width.
class BBitmap {
public:
	BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews = false,
		bool needsContiguous = false);
	BBitmap(const BBitmap* source, bool acceptsViews = false, bool needsContiguous = false);
	// From an archive made by Archive(); invalid when it is not one or its
	// pixels are missing or short. B_RGB24 and B_GRAY8 archives become
	// B_RGBA32 bitmaps.
	explicit BBitmap(BMessage* archive);
	virtual ~BBitmap();

	// A new bitmap from an archive whose "class" is "BBitmap"; null
	// otherwise or when the archive is broken.
	static BBitmap* Instantiate(BMessage* archive);
	// Adds "class" ("BBitmap"), "_frame" (rect), "_cspace", "_bmflags",
	// "_rowbytes" (int32) and "_data" (B_RAW_TYPE: the rows of pixels), as
	// BeOS archives a bitmap.
	virtual status_t Archive(BMessage* archive, bool deep = true) const;
	BBitmap(const BBitmap&) = delete;
	BBitmap& operator=(const BBitmap&) = delete;

	// B_OK, B_BAD_VALUE for bad bounds or an unsupported colour space, or
	// B_NO_MEMORY.
	status_t InitCheck() const { return fStatus; }
	bool IsValid() const { return fStatus == B_OK; }

	// Always starts at (0, 0).
	BRect Bounds() const { return fBounds; }
	void* Bits() const { return fBits.get(); }
	int32 BitsLength() const { return fBitsLength; }
	int32 BytesPerRow() const { return fBytesPerRow; }
	color_space ColorSpace() const { return fColorSpace; }

	// Copies length bytes of pixels in colorSpace (B_RGBA32, B_RGB32,
	// B_RGB24 as blue, green, red, or B_GRAY8) into the bitmap from byte
	// offset on, converting them. Rows of 3- and 1-byte pixels are padded
	// to a multiple of 4 bytes.
	void SetBits(const void* data, int32 length, int32 offset, color_space colorSpace);

private:
	void _Allocate(BRect bounds, color_space colorSpace);
	status_t _Unarchive(const BMessage* archive);

	status_t fStatus = B_NO_INIT;
	BRect fBounds;
	color_space fColorSpace = B_NO_COLOR_SPACE;
	int32 fBytesPerRow = 0;
	int32 fBitsLength = 0;
	std::unique_ptr<uint8[]> fBits;
};

#endif

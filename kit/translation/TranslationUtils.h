#ifndef _TRANSLATION_UTILS_H
#define _TRANSLATION_UTILS_H

#include <cstddef>

#include <SupportDefs.h>

class BBitmap;
class BPositionIO;

// Decodes image files into bitmaps through gdk-pixbuf: GIF (its first
// frame), JPEG, PNG, BMP and every other format it has a loader for. The
// bitmap is B_RGBA32 (not premultiplied) and belongs to the caller.
//
// A missing, unreadable, unknown or broken image gives null, never a crash;
// LastError() and LastErrorText() then say why (per thread, until the next
// call on the same thread).
class BTranslationUtils {
public:
	// A file by path.
	static BBitmap* GetBitmap(const char* path);
	static BBitmap* GetBitmapFile(const char* path);
	// The bytes from the stream's position to its end (a BFile works).
	static BBitmap* GetBitmap(BPositionIO* stream);
	// Bytes in memory.
	static BBitmap* GetBitmap(const void* data, size_t length);

	// B_OK after a success; else B_ENTRY_NOT_FOUND, B_PERMISSION_DENIED,
	// B_IS_A_DIRECTORY and other file errors, B_NO_TRANSLATOR (not an image
	// format that can be read), B_ILLEGAL_DATA (a broken image),
	// B_NO_MEMORY or B_BAD_VALUE.
	static status_t LastError();
	// A sentence for the user, such as "The image is truncated."; empty
	// after a success.
	static const char* LastErrorText();

private:
	BTranslationUtils() = delete;
};

#endif

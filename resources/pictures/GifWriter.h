#ifndef _VELMORA_GIF_WRITER_H
#define _VELMORA_GIF_WRITER_H

#include <string>

#include <SupportDefs.h>

#include "IndexedImage.h"

class BBitmap;

// Writes GIF89a files: one image, a global colour table, no extensions.
// gdk-pixbuf reads GIF but cannot write it, so the program's own About
// picture is made here.
class GifWriter {
public:
	// B_BAD_VALUE for an invalid image, or one with an index beyond its
	// palette, or larger than the format's 65535 pixels a side.
	static status_t Encode(const IndexedImage& image, std::string* bytes);
	// Reduces the picture to 256 colours first (ColorQuantizer).
	static status_t Encode(const BBitmap& picture, std::string* bytes);

private:
	GifWriter() = delete;
};

#endif

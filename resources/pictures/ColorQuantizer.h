#ifndef _VELMORA_COLOR_QUANTIZER_H
#define _VELMORA_COLOR_QUANTIZER_H

#include "IndexedImage.h"

class BBitmap;

// Reduces a B_RGBA32 picture (its alpha ignored) to a palette of at most
// maxColours colours by median cut, and maps every pixel to the nearest
// palette colour. A picture with no more colours than that keeps them all,
// exactly. The same picture always gives the same palette and indices.
class ColorQuantizer {
public:
	static IndexedImage Quantize(const BBitmap& picture, int maxColours = 256);

private:
	ColorQuantizer() = delete;
};

#endif

#ifndef _VELMORA_INDEXED_IMAGE_H
#define _VELMORA_INDEXED_IMAGE_H

#include <vector>

#include <GraphicsDefs.h>

// A picture of at most 256 colours: a palette and, row after row, the
// palette index of every pixel.
struct IndexedImage {
	int width = 0;
	int height = 0;
	std::vector<rgb_color> palette;
	std::vector<uint8> pixels;

	bool IsValid() const
	{
		return width > 0 && height > 0 && !palette.empty() && palette.size() <= 256
			&& pixels.size() == static_cast<size_t>(width) * height;
	}
};

#endif

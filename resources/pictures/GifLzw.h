#ifndef _VELMORA_GIF_LZW_H
#define _VELMORA_GIF_LZW_H

#include <cstddef>
#include <vector>

#include <SupportDefs.h>

// The variable-length LZW compression of GIF image data: codes start one
// bit wider than the minimum code size and grow to 12 bits; a clear code
// starts the stream and restarts the table whenever it is full; an end
// code closes it. Codes are packed least significant bit first. The result
// still has to be cut into the file's sub-blocks.
class GifLzw {
public:
	// minimumCodeSize is 2 to 8; every index must be below
	// 1 << minimumCodeSize.
	static std::vector<uint8> Encode(const uint8* indices, size_t count, int minimumCodeSize);

private:
	GifLzw() = delete;
};

#endif

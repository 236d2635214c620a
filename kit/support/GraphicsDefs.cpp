#include <GraphicsDefs.h>

#include <cstring>

const rgb_color B_TRANSPARENT_COLOR = {0x77, 0x74, 0x77, 0x00};
const uint32 B_TRANSPARENT_MAGIC_RGBA32 = 0x00777477;

const pattern B_SOLID_HIGH = {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
const pattern B_MIXED_COLORS = {{0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55}};
const pattern B_SOLID_LOW = {{0, 0, 0, 0, 0, 0, 0, 0}};

bool pattern::operator==(const pattern& other) const
{
	return memcmp(data, other.data, sizeof(data)) == 0;
}

#ifndef VELMORA_SPACE_SIZES_H
#define VELMORA_SPACE_SIZES_H

#include <Font.h>

// The font and length of an element's space: the smallest size (1 to
// 10000) of the default font whose line height is greater than the height
// asked for, and the fewest spaces (0 to 1024) in it that are at least as
// wide as the width asked for. Both searches are remembered, since every
// paragraph and rule asks for the same sizes.
namespace SpaceSizes {

float FontSizeForHeight(float height);
// The number of space characters: one more than the spaces counted.
int32 CharactersForWidth(const BFont& font, float width);

} // namespace SpaceSizes

#endif

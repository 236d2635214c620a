#ifndef _VELMORA_MALLOC_BLOCK_H
#define _VELMORA_MALLOC_BLOCK_H

#include <cstdlib>
#include <memory>

namespace BPrivate {

// Memory from malloc, given back with free. A big text is kept in such a
// block so that it can grow in place (realloc moves a big block's pages
// instead of copying them) and change hands between a BMallocIO and a text
// view without a copy.
struct FreeBlock {
	void operator()(char* block) const { free(block); }
};

using MallocBlock = std::unique_ptr<char, FreeBlock>;

} // namespace BPrivate

#endif

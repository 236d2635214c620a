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

// Grows or shrinks the block to size bytes, keeping its bytes up to the
// smaller size. False when there is no memory: the block is left as it was.
inline bool ResizeBlock(MallocBlock& block, size_t size)
{
	char* resized = static_cast<char*>(realloc(block.get(), size));
	if (resized == nullptr)
		return false;
	static_cast<void>(block.release());
	block.reset(resized);
	return true;
}

} // namespace BPrivate

#endif

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "parser_support/LibraryAllocator.h"

// Run under the leak checker, this shows that blocks the library does not
// give back are freed with the document's allocator.
TEST(LibraryAllocator, BlocksLeftBehindAreFreedWithTheAllocator)
{
	LibraryAllocator allocator;
	TidyAllocator* base = allocator.Allocator();
	char* kept = static_cast<char*>(base->vtbl->alloc(base, 10));
	void* returned = base->vtbl->alloc(base, 100);
	void* forgotten = base->vtbl->alloc(base, 1000);
	(void)forgotten;
	strcpy(kept, "123456789");
	base->vtbl->free(base, returned);
	base->vtbl->free(base, nullptr);
	kept = static_cast<char*>(base->vtbl->realloc(base, kept, 100000));
	EXPECT_STREQ(kept, "123456789");
	void* fresh = base->vtbl->realloc(base, nullptr, 8);
	EXPECT_NE(fresh, nullptr);
	EXPECT_EQ(reinterpret_cast<uintptr_t>(fresh) % alignof(std::max_align_t), 0u);
}

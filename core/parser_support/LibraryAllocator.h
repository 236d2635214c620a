#ifndef LIBRARY_ALLOCATOR_H
#define LIBRARY_ALLOCATOR_H

#include <tidy/tidy.h>

#include <cstddef>
#include <memory>
#include <vector>

// The memory of one HTML library document. Reading a page makes and drops
// hundreds of thousands of small blocks (nodes, names, attribute values);
// they are kept in pools of fixed sizes, carved from large chunks and
// reused from a free list per size, which costs a fraction of what the
// general allocator does. Large blocks come from the general allocator and
// are kept on a list. The library leaves a few blocks behind on some
// malformed pages: whatever is left goes with the allocator, so that
// reading pages again and again does not leak. The chunks themselves are
// kept for the next reading, up to what a page of several megabytes needs.
class LibraryAllocator {
public:
	LibraryAllocator();
	~LibraryAllocator();
	LibraryAllocator(const LibraryAllocator&) = delete;
	LibraryAllocator& operator=(const LibraryAllocator&) = delete;

	// For tidyCreateWithAllocator; lives as long as this object.
	TidyAllocator* Allocator() { return &fBase; }

private:
	// Before every block, keeping it as aligned as malloc's: its size
	// class, or for a large block its size and its place among them.
	struct alignas(std::max_align_t) Header {
		size_t size;
		size_t largeIndex;	// kPooled for a small block
	};
	// A free small block, linked through its own memory.
	struct FreeBlock {
		FreeBlock* next;
	};

	static constexpr size_t kGranule = alignof(std::max_align_t);
	static constexpr size_t kLargestPooled = 512;
	static constexpr size_t kClasses = kLargestPooled / kGranule + 1;
	static constexpr size_t kPooled = ~size_t(0);

	static LibraryAllocator* From(TidyAllocator* base);
	static void* Allocate(TidyAllocator* base, size_t size);
	static void* Reallocate(TidyAllocator* base, void* memory, size_t size);
	static void Free(TidyAllocator* base, void* memory);
	[[noreturn]] static void Panic(TidyAllocator* base, ctmbstr message);

	void* Take(size_t size);
	void* TakePooled(size_t size);
	void* TakeLarge(size_t size);
	void Give(Header* header);
	void Track(Header* header);
	void Untrack(Header* header);

	static const TidyAllocatorVtbl kFunctions;

	// First, so that the library's pointer to it is a pointer to this object.
	TidyAllocator fBase;
	FreeBlock* fFree[kClasses] = {};
	std::vector<std::unique_ptr<std::byte[]>> fChunks;
	std::byte* fNext = nullptr;		// room left in the newest chunk
	std::byte* fEnd = nullptr;
	std::vector<Header*> fLarge;
};

#endif

#ifndef LIBRARY_ALLOCATOR_H
#define LIBRARY_ALLOCATOR_H

#include <tidy/tidy.h>

// The memory of one HTML library document. The library leaves a few blocks
// behind on some malformed pages; this allocator keeps every block it hands
// out on a list and frees what is left when the document is gone, so that
// reading pages again and again does not leak.
class LibraryAllocator {
public:
	LibraryAllocator();
	~LibraryAllocator();
	LibraryAllocator(const LibraryAllocator&) = delete;
	LibraryAllocator& operator=(const LibraryAllocator&) = delete;

	// For tidyCreateWithAllocator; lives as long as this object.
	TidyAllocator* Allocator() { return &fBase; }

private:
	struct Block {
		Block* previous;
		Block* next;
	};

	static LibraryAllocator* From(TidyAllocator* base);
	static void* Allocate(TidyAllocator* base, size_t size);
	static void* Reallocate(TidyAllocator* base, void* memory, size_t size);
	static void Free(TidyAllocator* base, void* memory);
	[[noreturn]] static void Panic(TidyAllocator* base, ctmbstr message);

	void Link(Block* block);
	void Unlink(Block* block);

	static const TidyAllocatorVtbl kFunctions;

	// First, so that the library's pointer to it is a pointer to this object.
	TidyAllocator fBase;
	Block fList;
};

#endif

#include "LibraryAllocator.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <type_traits>

const TidyAllocatorVtbl LibraryAllocator::kFunctions = {
	LibraryAllocator::Allocate,
	LibraryAllocator::Reallocate,
	LibraryAllocator::Free,
	LibraryAllocator::Panic
};

LibraryAllocator::LibraryAllocator()
{
	fBase.vtbl = &kFunctions;
	fList.previous = &fList;
	fList.next = &fList;
}

LibraryAllocator::~LibraryAllocator()
{
	while (fList.next != &fList) {
		Block* block = fList.next;
		Unlink(block);
		free(block);
	}
}

LibraryAllocator* LibraryAllocator::From(TidyAllocator* base)
{
	static_assert(std::is_standard_layout_v<LibraryAllocator>);
	return reinterpret_cast<LibraryAllocator*>(base);
}

void LibraryAllocator::Link(Block* block)
{
	block->previous = &fList;
	block->next = fList.next;
	fList.next->previous = block;
	fList.next = block;
}

void LibraryAllocator::Unlink(Block* block)
{
	block->previous->next = block->next;
	block->next->previous = block->previous;
}

// The library cannot go on without the memory it asks for (it has no way to
// report the failure), so running out ends the program, as its own
// allocator does.
void* LibraryAllocator::Allocate(TidyAllocator* base, size_t size)
{
	static_assert(sizeof(Block) % alignof(std::max_align_t) == 0,
		"the header keeps the library's blocks as aligned as malloc's");
	Block* block = static_cast<Block*>(malloc(sizeof(Block) + size));
	if (block == nullptr)
		Panic(base, "out of memory");
	From(base)->Link(block);
	return block + 1;
}

void* LibraryAllocator::Reallocate(TidyAllocator* base, void* memory, size_t size)
{
	if (memory == nullptr)
		return Allocate(base, size);
	LibraryAllocator* allocator = From(base);
	Block* block = static_cast<Block*>(memory) - 1;
	allocator->Unlink(block);
	Block* moved = static_cast<Block*>(realloc(block, sizeof(Block) + size));
	if (moved == nullptr)
		Panic(base, "out of memory");
	allocator->Link(moved);
	return moved + 1;
}

void LibraryAllocator::Free(TidyAllocator* base, void* memory)
{
	if (memory == nullptr)
		return;
	Block* block = static_cast<Block*>(memory) - 1;
	From(base)->Unlink(block);
	free(block);
}

void LibraryAllocator::Panic(TidyAllocator*, ctmbstr message)
{
	fprintf(stderr, "HTML library: %s\n", message != nullptr ? message : "panic");
	abort();
}

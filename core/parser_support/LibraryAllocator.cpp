#include "LibraryAllocator.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <type_traits>

namespace {

constexpr size_t kChunkSize = size_t(256) << 10;
// Chunks kept between readings: enough for the library's tree of a page of
// a few hundred kilobytes. A bigger page's tree (some 30 MB for a 5 MB page)
// is given back: kept, it would stay in the program's memory on top of the
// tree and elements built from it, which are at their biggest then.
constexpr size_t kChunksKept = 8;

// The chunks of the last readings, for the next: a page is read again and
// again (each time the HTML window hands its text to the visual one), and
// memory the general allocator gave back to the system in between would
// be zeroed and mapped again, page by page.
class KeptChunks {
public:
	std::unique_ptr<std::byte[]> Take()
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fChunks.empty())
			return nullptr;
		std::unique_ptr<std::byte[]> chunk = std::move(fChunks.back());
		fChunks.pop_back();
		return chunk;
	}

	void Keep(std::vector<std::unique_ptr<std::byte[]>>& chunks)
	{
		std::lock_guard<std::mutex> lock(fLock);
		while (!chunks.empty() && fChunks.size() < kChunksKept) {
			fChunks.push_back(std::move(chunks.back()));
			chunks.pop_back();
		}
	}

private:
	std::mutex fLock;
	std::vector<std::unique_ptr<std::byte[]>> fChunks;
};

// Never destroyed: a reading may still run on its thread while the
// program ends.
KeptChunks& TheKeptChunks()
{
	static KeptChunks* sKept = new KeptChunks;
	return *sKept;
}

} // namespace

const TidyAllocatorVtbl LibraryAllocator::kFunctions = {
	LibraryAllocator::Allocate,
	LibraryAllocator::Reallocate,
	LibraryAllocator::Free,
	LibraryAllocator::Panic
};

LibraryAllocator::LibraryAllocator()
{
	fBase.vtbl = &kFunctions;
}

LibraryAllocator::~LibraryAllocator()
{
	for (Header* block : fLarge)
		free(block);
	TheKeptChunks().Keep(fChunks);
}

LibraryAllocator* LibraryAllocator::From(TidyAllocator* base)
{
	static_assert(std::is_standard_layout_v<LibraryAllocator>);
	return reinterpret_cast<LibraryAllocator*>(base);
}

void* LibraryAllocator::Take(size_t size)
{
	return size <= kLargestPooled ? TakePooled(size) : TakeLarge(size);
}

void* LibraryAllocator::TakePooled(size_t size)
{
	size_t sizeClass = (size + kGranule - 1) / kGranule;
	if (FreeBlock* block = fFree[sizeClass]) {
		fFree[sizeClass] = block->next;
		return block;
	}
	size_t needed = sizeof(Header) + sizeClass * kGranule;
	if (needed > static_cast<size_t>(fEnd - fNext)) {
		std::unique_ptr<std::byte[]> chunk = TheKeptChunks().Take();
		if (chunk == nullptr)
			chunk.reset(new (std::nothrow) std::byte[kChunkSize]);
		if (chunk == nullptr)
			return nullptr;
		fNext = chunk.get();
		fEnd = fNext + kChunkSize;
		fChunks.push_back(std::move(chunk));
	}
	Header* header = new (fNext) Header{sizeClass, kPooled};
	fNext += needed;
	return header + 1;
}

void* LibraryAllocator::TakeLarge(size_t size)
{
	void* memory = malloc(sizeof(Header) + size);
	if (memory == nullptr)
		return nullptr;
	Header* header = new (memory) Header{size, kPooled};
	Track(header);
	return header + 1;
}

void LibraryAllocator::Track(Header* header)
{
	header->largeIndex = fLarge.size();
	fLarge.push_back(header);
}

void LibraryAllocator::Untrack(Header* header)
{
	Header* last = fLarge.back();
	fLarge[header->largeIndex] = last;
	last->largeIndex = header->largeIndex;
	fLarge.pop_back();
}

void LibraryAllocator::Give(Header* header)
{
	if (header->largeIndex == kPooled) {
		FreeBlock* block = reinterpret_cast<FreeBlock*>(header + 1);
		block->next = fFree[header->size];
		fFree[header->size] = block;
		return;
	}
	Untrack(header);
	free(header);
}

// The library cannot go on without the memory it asks for (it has no way to
// report the failure), so running out ends the program, as its own
// allocator does.
void* LibraryAllocator::Allocate(TidyAllocator* base, size_t size)
{
	void* block = From(base)->Take(size);
	if (block == nullptr)
		Panic(base, "out of memory");
	return block;
}

void* LibraryAllocator::Reallocate(TidyAllocator* base, void* memory, size_t size)
{
	if (memory == nullptr)
		return Allocate(base, size);
	LibraryAllocator* allocator = From(base);
	Header* header = static_cast<Header*>(memory) - 1;
	bool pooled = header->largeIndex == kPooled;
	size_t capacity = pooled ? header->size * kGranule : header->size;
	if (pooled && size <= capacity)
		return memory;
	if (!pooled && size > kLargestPooled) {
		Header* moved = static_cast<Header*>(realloc(header, sizeof(Header) + size));
		if (moved == nullptr)
			Panic(base, "out of memory");
		moved->size = size;
		allocator->fLarge[moved->largeIndex] = moved;
		return moved + 1;
	}
	void* copy = Allocate(base, size);
	memcpy(copy, memory, capacity < size ? capacity : size);
	allocator->Give(header);
	return copy;
}

void LibraryAllocator::Free(TidyAllocator* base, void* memory)
{
	if (memory != nullptr)
		From(base)->Give(static_cast<Header*>(memory) - 1);
}

void LibraryAllocator::Panic(TidyAllocator*, ctmbstr message)
{
	fprintf(stderr, "HTML library: %s\n", message != nullptr ? message : "panic");
	abort();
}

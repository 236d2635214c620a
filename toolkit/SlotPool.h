#ifndef VELMORA_SLOT_POOL_H
#define VELMORA_SLOT_POOL_H

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

// Memory for the many small objects of a big page: its node tree and its
// elements, hundreds of thousands of each. The general allocator adds a
// header to every block and rounds it up, a sixth of a node's room; a pool
// cuts slots of one size from large blocks instead, and reuses freed slots.
// The blocks stay with the pool for the next page: the process edits one
// page at a time, so what it holds is the room of the biggest tree it held.
//
// Under AddressSanitizer each slot is a block of the general allocator, so
// that a slot used after it was freed is still caught.
class SlotPool {
public:
	explicit SlotPool(size_t slotSize);
	SlotPool(const SlotPool&) = delete;
	SlotPool& operator=(const SlotPool&) = delete;

	void* Allocate();
	void Free(void* slot);

	// The pool for objects of this size, rounded up to the alignment the
	// general allocator gives (every slot keeps it); null for sizes above
	// kLargestSize, which the general allocator serves. Pools live as long
	// as the process: objects freed at its exit may still come back to them.
	static SlotPool* ForSize(size_t size);
	// Memory for an object of this size: from its pool, or the general
	// allocator. Given back with FreeSized and the same size.
	static void* AllocateSized(size_t size);
	static void FreeSized(void* memory, size_t size);

	static constexpr size_t kLargestSize = 512;

private:
	struct FreeSlot {
		FreeSlot* next;
	};

	static constexpr size_t kBlockSize = 64 * 1024;

	void* CutSlot();

	std::mutex fLock;
	const size_t fSlotSize;
	FreeSlot* fFree = nullptr;
	char* fNext = nullptr;
	char* fEnd = nullptr;
	std::vector<std::unique_ptr<char[]>> fBlocks;
};

#endif
